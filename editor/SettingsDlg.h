// The settings dialog: shows the stored settings in check boxes and lists,
// previews the clock line in the chosen font and colours, opens the font and
// colour pickers, and saves on Apply or OK.
#pragma once

#include "Controls.h"
#include "Dialog.h"
#include "Font.h"
#include "GdiOwners.h"
#include "PatternComposition.h"

class CSettingsDlg : public CDialog {
 public:
  explicit CSettingsDlg(CWnd* parent = nullptr);
  ~CSettingsDlg() override;

  const MessageMap* GetMessageMap() const override;
  // Releases the preview font along with the window.
  BOOL DestroyWindow() override;

  static const MessageMap messageMap;

 protected:
  void DoDataExchange(CDataExchange* exchange) override;
  BOOL OnInitDialog() override;

 private:
  void OnPaint();
  HCURSOR OnQueryDragIcon();
  void OnBackColorButton();
  void OnFontButton();
  void OnOkButton();
  void ApplySettings();
  void UpdatePreview();
  void OnTimer(UINT_PTR timerId);
  HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind);

  // Renders the halves whose show box is ticked into the preview, then
  // keeps each non-empty picture in the record.
  void ShowPreview(const char* datePicture, const char* timePicture);

  bool IsTicked(int id) const;
  void SetTicked(int id, bool ticked);
  // The four show boxes and the five lists as they stand, a list without a
  // selection giving -1.
  PatternChoices ReadChoices() const;
  // Composes both pictures from choices and shows them as ShowPreview does.
  void PreviewChoices(const PatternChoices& choices);

  static const MessageMapEntry messageEntries[];

  CComboBox m_timeSeparatorList;
  CComboBox m_dateSeparatorList;
  CComboBox m_weekdayStyleList;
  CComboBox m_timeFormatList;
  CComboBox m_dateFormatList;
  CButton m_showWeekdayCheck;
  CButton m_showTimeCheck;
  CButton m_showDateCheck;
  CButton m_showAmPmCheck;
  CStatic m_preview;
  CButton m_okButton;
  CButton m_applyButton;
  CButton m_backColorButton;
  CButton m_fontButton;
  Borrowed<HICON> m_icon;  // a shared resource icon: the system keeps it
  int m_saveFailed = 0;    // 1 from the start of a save until it succeeds
  CFont m_previewFont;     // the font the preview shows
};
