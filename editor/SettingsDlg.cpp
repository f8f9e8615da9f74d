#include "SettingsDlg.h"

#include "ChoiceList.h"
#include "ChoiceTable.h"
#include "ClockSettings.h"
#include "ClockText.h"
#include "ColorDialog.h"
#include "DataExchange.h"
#include "EditorResources.h"
#include "FontDialog.h"
#include "FontForDrawing.h"
#include "JapaneseText.h"
#include "PatternComposition.h"
#include "ReloadRequest.h"
#include "SettingsFile.h"
#include "TextFields.h"

#include <climits>
#include <iterator>
#include <utility>

namespace {

// The editor's one record for the whole run: loaded when the dialog opens,
// changed in place by the pickers and the preview, saved whole.
ClockSettings theSettings;

constexpr UINT_PTR kPreviewTimer = 0;
constexpr UINT kPreviewPeriodMs = 1000;
constexpr size_t kPreviewSize = 256;  // the preview line, terminator included
constexpr int kPointsPerInch = 72;

// height := -MulDiv(-height, numerator, denominator), clear of the one value
// that a hostile file could hold and that cannot be negated.
LONG ConvertHeight(LONG height, int numerator, int denominator) {
  const int scaled = MulDiv(height == LONG_MIN ? LONG_MAX : -height, numerator, denominator);
  return scaled == INT_MIN ? INT_MAX : -scaled;
}

}  // namespace

const MessageMapEntry CSettingsDlg::messageEntries[] = {
    MessageEntry<WM_PAINT, &CSettingsDlg::OnPaint>(),
    MessageEntry<WM_QUERYDRAGICON, &CSettingsDlg::OnQueryDragIcon>(),
    CommandEntry<&CSettingsDlg::OnBackColorButton>(BN_CLICKED, IDC_BACK_COLOR),
    CommandEntry<&CSettingsDlg::OnFontButton>(BN_CLICKED, IDC_FONT),
    CommandEntry<&CSettingsDlg::OnOkButton>(BN_CLICKED, IDC_OK),
    CommandEntry<&CSettingsDlg::ApplySettings>(BN_CLICKED, IDC_APPLY),
    CommandEntry<&CSettingsDlg::UpdatePreview>(BN_CLICKED, IDC_SHOW_AMPM),
    CommandEntry<&CSettingsDlg::UpdatePreview>(BN_CLICKED, IDC_SHOW_DATE),
    CommandEntry<&CSettingsDlg::UpdatePreview>(BN_CLICKED, IDC_SHOW_TIME),
    CommandEntry<&CSettingsDlg::UpdatePreview>(BN_CLICKED, IDC_SHOW_WEEKDAY),
    CommandEntry<&CSettingsDlg::UpdatePreview>(CBN_SELCHANGE, IDC_DATE_FORMAT),
    CommandEntry<&CSettingsDlg::UpdatePreview>(CBN_SELCHANGE, IDC_TIME_FORMAT),
    CommandEntry<&CSettingsDlg::UpdatePreview>(CBN_SELCHANGE, IDC_WEEKDAY_STYLE),
    CommandEntry<&CSettingsDlg::UpdatePreview>(CBN_SELCHANGE, IDC_DATE_SEPARATOR),
    CommandEntry<&CSettingsDlg::UpdatePreview>(CBN_SELCHANGE, IDC_TIME_SEPARATOR),
    MessageEntry<WM_TIMER, &CSettingsDlg::OnTimer>(),
    CtlColorEntry<&CSettingsDlg::OnCtlColor>(),
};

const MessageMap CSettingsDlg::messageMap = {&CDialog::messageMap, messageEntries,
                                             std::size(messageEntries)};

CSettingsDlg::CSettingsDlg(CWnd* parent)
    : CDialog(IDD_SETTINGS, parent),
      m_icon(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_EDITOR))) {}

CSettingsDlg::~CSettingsDlg() = default;

const MessageMap* CSettingsDlg::GetMessageMap() const { return &messageMap; }

void CSettingsDlg::DoDataExchange(CDataExchange* exchange) {
  CDialog::DoDataExchange(exchange);
  DDX_Control(exchange, IDC_TIME_SEPARATOR, m_timeSeparatorList);
  DDX_Control(exchange, IDC_DATE_SEPARATOR, m_dateSeparatorList);
  DDX_Control(exchange, IDC_WEEKDAY_STYLE, m_weekdayStyleList);
  DDX_Control(exchange, IDC_TIME_FORMAT, m_timeFormatList);
  DDX_Control(exchange, IDC_DATE_FORMAT, m_dateFormatList);
  DDX_Control(exchange, IDC_SHOW_WEEKDAY, m_showWeekdayCheck);
  DDX_Control(exchange, IDC_SHOW_TIME, m_showTimeCheck);
  DDX_Control(exchange, IDC_SHOW_DATE, m_showDateCheck);
  DDX_Control(exchange, IDC_SHOW_AMPM, m_showAmPmCheck);
  DDX_Control(exchange, IDC_PREVIEW, m_preview);
  DDX_Control(exchange, IDC_OK, m_okButton);
  DDX_Control(exchange, IDC_APPLY, m_applyButton);
  DDX_Control(exchange, IDC_BACK_COLOR, m_backColorButton);
  DDX_Control(exchange, IDC_FONT, m_fontButton);
}

BOOL CSettingsDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetIcon(m_icon.Get(), TRUE);
  SetIcon(m_icon.Get(), FALSE);

  LoadSettings(theSettings);  // also finds the directory every save writes to
  SetWindowText(JapaneseText::kEditorTitle);

  FillChoiceList(m_dateFormatList, kDateFormatRow, theSettings.dateFormat);
  FillChoiceList(m_dateSeparatorList, kDateSeparatorRow, theSettings.dateSeparator);
  FillChoiceList(m_weekdayStyleList, kWeekdayStyleRow, theSettings.weekdayStyle);
  FillChoiceList(m_timeFormatList, kTimeFormatRow, theSettings.timeFormat);
  FillChoiceList(m_timeSeparatorList, kTimeSeparatorRow, theSettings.timeSeparator);

  // Any non-zero flag byte counts as set, as it does for the clock.
  SetTicked(IDC_SHOW_DATE, theSettings.showDate != 0);
  SetTicked(IDC_SHOW_WEEKDAY, theSettings.showWeekday != 0);
  SetTicked(IDC_SHOW_TIME, theSettings.showTime != 0);
  SetTicked(IDC_SHOW_AMPM, theSettings.showAmPm != 0);

  const LOGFONTA font = FontForDrawing(theSettings.font);
  if (m_previewFont.CreateFontIndirect(&font)) {
    m_preview.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_previewFont.GetSafeHandle()),
                          TRUE);
  }

  // The preview stays empty until the first tick.
  SetTimer(kPreviewTimer, kPreviewPeriodMs, nullptr);
  return TRUE;  // the focus goes to the first tab stop, OK
}

BOOL CSettingsDlg::DestroyWindow() {
  m_previewFont.DeleteObject();
  return CDialog::DestroyWindow();
}

bool CSettingsDlg::IsTicked(int id) const { return IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED; }

void CSettingsDlg::SetTicked(int id, bool ticked) {
  CheckDlgButton(m_hWnd, id, ticked ? BST_CHECKED : BST_UNCHECKED);
}

PatternChoices CSettingsDlg::ReadChoices() const {
  PatternChoices choices;
  choices.showDate = IsTicked(IDC_SHOW_DATE);
  choices.dateFormat = m_dateFormatList.GetCurSel();
  choices.dateSeparator = m_dateSeparatorList.GetCurSel();
  choices.showWeekday = IsTicked(IDC_SHOW_WEEKDAY);
  choices.weekdayStyle = m_weekdayStyleList.GetCurSel();
  choices.showTime = IsTicked(IDC_SHOW_TIME);
  choices.timeFormat = m_timeFormatList.GetCurSel();
  choices.timeSeparator = m_timeSeparatorList.GetCurSel();
  choices.showAmPm = IsTicked(IDC_SHOW_AMPM);
  return choices;
}

void CSettingsDlg::UpdatePreview() { PreviewChoices(ReadChoices()); }

void CSettingsDlg::PreviewChoices(const PatternChoices& choices) {
  const Pictures pictures = ComposePictures(choices);
  ShowPreview(pictures.date.c_str(), pictures.time.c_str());
}

void CSettingsDlg::ShowPreview(const char* datePicture, const char* timePicture) {
  char line[kPreviewSize];
  RenderClockText(datePicture, IsTicked(IDC_SHOW_DATE), timePicture, IsTicked(IDC_SHOW_TIME), line,
                  sizeof line);
  m_preview.SetWindowText(line);
  // An empty picture (its half is off) leaves the stored one as it was.
  CopyText(theSettings.datePicture, kTextFieldSize, datePicture);
  CopyText(theSettings.timePicture, kTextFieldSize, timePicture);
}

void CSettingsDlg::OnTimer(UINT_PTR) {
  // Terminated copies: a loaded field may hold 32 bytes without a zero.
  char datePicture[kTextFieldSize] = {};
  char timePicture[kTextFieldSize] = {};
  CopyText(datePicture, sizeof datePicture, theSettings.datePicture);
  CopyText(timePicture, sizeof timePicture, theSettings.timePicture);
  ShowPreview(datePicture, timePicture);
}

void CSettingsDlg::ApplySettings() {
  const PatternChoices choices = ReadChoices();
  theSettings.dateFormat = choices.dateFormat;
  theSettings.dateSeparator = choices.dateSeparator;
  theSettings.weekdayStyle = choices.weekdayStyle;
  theSettings.timeFormat = choices.timeFormat;
  theSettings.timeSeparator = choices.timeSeparator;
  // One byte each, 1 or 0; the neighbouring bytes are left alone.
  theSettings.showDate = choices.showDate;
  theSettings.showWeekday = choices.showWeekday;
  theSettings.showTime = choices.showTime;
  theSettings.showAmPm = choices.showAmPm;
  PreviewChoices(choices);  // the preview step, on the choices just read

  m_saveFailed = 1;
  const HWND clock = FindWindowA(nullptr, kClockTitle);  // the clock's hidden main window, if running
  if (SaveSettings(clock, theSettings) == 0) {
    MessageBox(JapaneseText::kSaveFailedText, JapaneseText::kErrorCaption, MB_ICONHAND | MB_OK);
    return;
  }
  m_saveFailed = 0;
}

void CSettingsDlg::OnOkButton() {
  ApplySettings();
  if (m_saveFailed == 0) EndDialog(0);
}

void CSettingsDlg::OnBackColorButton() {
  // Deliberately not preset to the current background colour.
  CColorDialog picker(0, 0, nullptr);
  if (picker.DoModal() == IDOK) theSettings.backColor = picker.GetColor();
}

void CSettingsDlg::OnFontButton() {
  // The record holds the point size the picker showed, negated; the picker
  // works in pixels of the screen.
  CClientDC screen(nullptr);
  const int pixelsPerInch = screen.GetDeviceCaps(LOGPIXELSY);
  // The picker realises the description for its sample: a hostile stored
  // font is first made safe to draw (any font the editor stored is unchanged).
  LOGFONTA working = FontForDrawing(theSettings.font);
  working.lfHeight = ConvertHeight(working.lfHeight, pixelsPerInch, kPointsPerInch);

  CFontDialog picker(&working, CF_SCREENFONTS | CF_EFFECTS, nullptr, nullptr);
  picker.m_cf.rgbColors = theSettings.textColor;
  if (picker.DoModal() != IDOK) return;

  working.lfHeight = ConvertHeight(working.lfHeight, kPointsPerInch, pixelsPerInch);
  theSettings.textColor = picker.GetColor();
  theSettings.font = working;
  CFont font;
  const LOGFONTA description = FontForDrawing(working);
  if (font.CreateFontIndirect(&description)) {
    m_preview.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font.GetSafeHandle()), TRUE);
    m_previewFont = std::move(font);  // deletes the font the preview showed until now
  }
}

HBRUSH CSettingsDlg::OnCtlColor(CDC* dc, CWnd* control, UINT kind) {
  const HBRUSH brush = CDialog::OnCtlColor(dc, control, kind);
  // Only the preview's text takes the chosen colours; the rest of its
  // rectangle keeps the dialog's background.
  if (kind == CTLCOLOR_STATIC && control->m_hWnd == m_preview.m_hWnd) {
    dc->SetBkColor(theSettings.backColor);
    dc->SetTextColor(theSettings.textColor);
  }
  return brush;
}

void CSettingsDlg::OnPaint() {
  if (!IsIconic()) {
    CDialog::OnPaint();
    return;
  }
  CPaintDC dc(this);
  SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
  const int iconWidth = GetSystemMetrics(SM_CXICON);
  const int iconHeight = GetSystemMetrics(SM_CYICON);
  RECT client;
  GetClientRect(&client);
  const int x = (client.right - client.left - iconWidth + 1) / 2;
  const int y = (client.bottom - client.top - iconHeight + 1) / 2;
  dc.DrawIcon(x, y, m_icon.Get());
}

HCURSOR CSettingsDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_icon.Get()); }
