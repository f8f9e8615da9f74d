// Thousands of hostile settings files through the code paths both programs
// run on what they load: loading, the clock's own reload and tick on a
// stand-in box, the clock line from the stored pictures, the font made from
// the stored description and measured, the pictures composed from the stored
// flags and indices, and the editor's lists filled from the stored indices.
// Nothing may crash, and no text field may be read past its 32 bytes.
#include "ChoiceList.h"
#include "ChoiceTable.h"
#include "ClockProcess.h"
#include "ClockSettings.h"
#include "ClockText.h"
#include "FollowingDisplay.h"
#include "FontForDrawing.h"
#include "HostileSettings.h"
#include "ImportSlot.h"
#include "LiveGdiObjects.h"
#include "PatternComposition.h"
#include "PickerLibrary.h"
#include "Processes.h"
#include "ScreenPixels.h"
#include "SettingsDlg.h"
#include "SettingsFile.h"
#include "SettingsRecords.h"
#include "TextFields.h"
#include "TopWindows.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

// A record that ends exactly where an inaccessible page begins, so reading
// one byte past the last field faults at once. The two pages last for the
// run of this test program.
ClockSettings& GuardedRecord() {
  static char* const pages = [] {
    auto* const base = static_cast<char*>(VirtualAlloc(nullptr, 2 * 4096, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    DWORD old = 0;
    VirtualProtect(base + 4096, 4096, PAGE_NOACCESS, &old);  // pages of x86 Windows are 4 KB
    return base;
  }();
  return *reinterpret_cast<ClockSettings*>(pages + 4096 - sizeof(ClockSettings));
}

// The device context each object was last selected into, and how many
// objects were deleted while still selected there: Windows refuses to delete
// a selected object, which then leaks.
std::map<HGDIOBJ, HDC> selectedInto;
int deletedWhileSelected = 0;
HGDIOBJ WINAPI RecordSelectObject(HDC dc, HGDIOBJ object) {
  selectedInto[object] = dc;
  return PlatformFunction<decltype(&SelectObject)>("gdi32.dll", "SelectObject")(dc, object);
}
BOOL WINAPI RecordDeleteObject(HGDIOBJ object) {
  if (selectedInto.count(object) && GetCurrentObject(selectedInto[object], GetObjectType(object)) == object) ++deletedWhileSelected;
  return PlatformFunction<decltype(&DeleteObject)>("gdi32.dll", "DeleteObject")(object);
}

// What the clock does with a loaded record: keep terminated copies of the
// pictures of the halves that are on, render, and measure in the font.
SIZE RenderAndMeasureAsTheClock(const ClockSettings& record, HDC dc, std::string* line) {
  char datePicture[kTextFieldSize] = {}, timePicture[kTextFieldSize] = {};
  if (record.showDate) CopyText(datePicture, sizeof datePicture, record.datePicture);
  if (record.showTime) CopyText(timePicture, sizeof timePicture, record.timePicture);
  char text[kHalfSize];
  RenderClockText(datePicture, datePicture[0] != '\0', timePicture, timePicture[0] != '\0', text,
                  sizeof text);
  *line = text;
  return TextExtent(dc, FontForDrawing(record.font), text);
}

// The editor's five lists, real drop-down lists in a hidden window.
class ChoiceLists {
 public:
  ChoiceLists() {
    for (CComboBox& list : m_lists) {
      list.Attach(CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST | WS_VSCROLL, 0,
                                  0, 100, 200, m_parent.Get(), nullptr, GetModuleHandleA(nullptr),
                                  nullptr));
    }
  }

  bool Ready() const { return m_lists[kChoiceRows - 1].m_hWnd != nullptr; }

  // Fills every list afresh from the record; returns each list's selection.
  std::vector<int> Fill(const ClockSettings& record) {
    const std::vector<int> stored = StoredChoices(record);
    std::vector<int> selections;
    for (int row = 0; row < kChoiceRows; ++row) {
      m_lists[row].SendMessage(CB_RESETCONTENT);
      FillChoiceList(m_lists[row], row, stored[row]);
      selections.push_back(m_lists[row].GetCurSel());
    }
    return selections;
  }

 private:
  const TestWindow m_parent{"", {0, 0, 400, 300}, false, /*visible=*/false};
  CComboBox m_lists[kChoiceRows];
};

TEST(HostileSettings, EveryFileLoadsRendersMeasuresAndComposesSafely) {
  const std::string path = BesideThisProgram(kSettingsFileName);
  // A thousand files in a test run; the soak command (CURLIN_SOAK set) tries
  // all ten thousand.
  const uint32_t files = std::getenv("CURLIN_SOAK") != nullptr ? 10000 : 1000;
  const ClockSettings defaults = DefaultRecord();
  const MemoryDC dc;
  ASSERT_TRUE(dc);
  // The clock's box: its reload and tick run here as they do in curlin.
  const TestWindow box("", {0, 0, 10, 10});
  PopupWindow = box.Get();
  ASSERT_NE(PopupWindow, nullptr);
  ChoiceLists lists;
  ASSERT_TRUE(lists.Ready());

  uint32_t shortFiles = 0, unterminatedFields = 0, drawn = 0, ticked = 0;
  for (uint32_t index = 0; index < files; ++index) {
    SCOPED_TRACE(testing::Message() << "file " << index << " (" << HostileSettingsKind(index) << ")");
    const std::string bytes = MakeHostileSettingsFile(index);
    WriteBytes(path, bytes);

    ClockSettings& record = GuardedRecord();
    LoadSettings(record);
    if (bytes.size() < sizeof(ClockSettings)) {
      ++shortFiles;
      ASSERT_EQ(BytesOf(record), BytesOf(defaults));
    } else {
      ASSERT_EQ(BytesOf(record), bytes.substr(0, sizeof(ClockSettings))) << "taken unchanged";
    }
    if (std::memchr(record.timePicture, 0, kTextFieldSize) == nullptr) ++unterminatedFields;

    std::string line;
    const SIZE extent = RenderAndMeasureAsTheClock(record, dc.Get(), &line);
    ASSERT_LE(line.size(), kHalfSize - 1);
    if (extent.cx > 0) ++drawn;

    LoadDisplayState();
    ASSERT_NE(BackBrush(), nullptr);
    // Drawing a box of up to 1000-pixel characters takes time: every tenth file
    // is drawn by the clock's own tick, the rest are measured above.
    if (index % 10 == 0) {
      ClockTick(nullptr, 0, 0, 0);
      ++ticked;
    }

    const std::vector<int> selections = lists.Fill(record);
    const std::vector<int> stored = StoredChoices(record);
    for (int row = 0; row < kChoiceRows; ++row) {
      // A row's empty entries all come after its items.
      const bool inRange = stored[row] >= 0 && stored[row] < kChoicesPerRow && ChoiceTable[row][stored[row]][0] != '\0';
      ASSERT_EQ(selections[row], inRange ? stored[row] : -1) << "list " << row;
    }

    const Pictures pictures = ComposePictures(
        {record.showDate != 0, record.showWeekday != 0, record.showTime != 0, record.showAmPm != 0,
         record.dateFormat, record.dateSeparator, record.weekdayStyle, record.timeFormat, record.timeSeparator});
    ASSERT_LE(pictures.date.size(), 31u);
    ASSERT_LE(pictures.time.size(), 31u);
    char preview[256];
    RenderClockText(pictures.date.c_str(), record.showDate != 0, pictures.time.c_str(),
                    record.showTime != 0, preview, sizeof preview);
  }
  ReleaseBackBrush();
  PopupWindow = nullptr;
  DeleteFileA(path.c_str());

  // The generator really produced what the test is about.
  EXPECT_GT(shortFiles, files * 7 / 100);
  EXPECT_GT(unterminatedFields, files / 10);
  EXPECT_GT(drawn, files / 2);
  EXPECT_EQ(deletedWhileSelected, 0) << "GDI objects deleted while still selected";
  std::printf("hostile files: %u tried, %u short, %u with an unterminated time picture, "
              "%u measured wider than 0, %u drawn by the clock's tick\n",
              files, shortFiles, unterminatedFields, drawn, ticked);
}

// Each icon the editor draws, where and on what, and the period of each
// timer it sets; both then done by the platform.
struct DrawnIcon { HDC dc; int x, y; HICON icon; };
std::vector<DrawnIcon> drawnIcons;
std::vector<UINT> timerPeriods;
BOOL WINAPI RecordDrawIcon(HDC dc, int x, int y, HICON icon) {
  drawnIcons.push_back({dc, x, y, icon});
  return PlatformFunction<decltype(&DrawIcon)>("user32.dll", "DrawIcon")(dc, x, y, icon);
}
UINT_PTR WINAPI RecordSetTimer(HWND window, UINT_PTR id, UINT periodMs, TIMERPROC procedure) {
  timerPeriods.push_back(periodMs);
  return PlatformFunction<decltype(&SetTimer)>("user32.dll", "SetTimer")(window, id, periodMs, procedure);
}

// The record the editor's font picker hands the platform, taken by this
// program's own PickFont, which the linker takes before the framework's.
CHOOSEFONTA handedFont = {};
LOGFONTA handedFace = {};

}  // namespace

CURLIN_IMPORT_SLOT(DrawIcon, 16) = &RecordDrawIcon;
CURLIN_IMPORT_SLOT(SetTimer, 16) = &RecordSetTimer;
CURLIN_IMPORT_SLOT(SelectObject, 8) = &RecordSelectObject;
CURLIN_IMPORT_SLOT(DeleteObject, 4) = &RecordDeleteObject;
BOOL PickFont(CHOOSEFONTA* choice) {
  handedFont = *choice;
  handedFace = *choice->lpLogFont;
  return FALSE;  // cancelled
}
BOOL PickColor(CHOOSECOLORA*) { return FALSE; }  // no colour picker opens here

namespace {

// The editor's dialog in this process, its resources linked in, where the
// platform answers WM_GETICON with what was set (to another process Wine
// answers 0): its big and small icons are both the editor's icon 128, as the
// framework's SetIcon sets and returns them; it refreshes its preview once a
// second; its font picker is handed the stored font and colour, for screen
// fonts with their effects; minimised and made to paint, it draws that icon
// once a paint, within a pixel of the centre of its client area, and gives
// back its paint context each time; and once its window has gone it holds no
// GDI object more than before it opened.
TEST(EditorDialogInProcess, ShowsTheEditorsIconBigAndSmallAndReleasesItsFontWithTheWindow) {
  class IconsAtOpen : public CSettingsDlg {
   public:
    HICON big = nullptr, small = nullptr, replaced = nullptr;
    RECT minimised = {};
    long paintGrowth = 0;  // GDI objects after a hundred more paints, less before

   protected:
    BOOL OnInitDialog() override {
      const BOOL focus = CSettingsDlg::OnInitDialog();
      SendMessage(WM_COMMAND, MAKEWPARAM(1023, BN_CLICKED), 0);  // 文字設定: the font picker
      big = reinterpret_cast<HICON>(SendMessage(WM_GETICON, ICON_BIG, 0));
      small = reinterpret_cast<HICON>(SendMessage(WM_GETICON, ICON_SMALL, 0));
      ShowWindow(m_hWnd, SW_MINIMIZE);
      ::GetClientRect(m_hWnd, &minimised);
      drawnIcons.clear();
      RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INTERNALPAINT | RDW_UPDATENOW);
      const size_t live = LiveGdiObjects();
      for (int paint = 0; paint < 100; ++paint) RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INTERNALPAINT | RDW_UPDATENOW);
      paintGrowth = static_cast<long>(LiveGdiObjects()) - static_cast<long>(live);
      replaced = SetIcon(nullptr, TRUE);  // the framework's SetIcon returns the icon before
      EndDialog(IDCANCEL);
      return focus;
    }
  };
  const HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(128));
  ASSERT_NE(icon, nullptr);
  for (int open = 0; open < 2; ++open) {  // the first fills the platform's caches
    const size_t live = LiveGdiObjects();
    IconsAtOpen dialog;
    timerPeriods.clear();
    ASSERT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(timerPeriods, std::vector<UINT>{1000}) << "the periods of the timers set, in ms";
    EXPECT_EQ(dialog.big, icon);
    EXPECT_EQ(dialog.small, icon);
    EXPECT_EQ(dialog.replaced, icon);
    // On the defaults' black 18 points, which are 24 pixels at 96 dpi.
    EXPECT_TRUE(handedFont.lStructSize == sizeof(CHOOSEFONTA) && handedFace.lfHeight == -24 &&
                handedFont.Flags == (CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT) &&
                handedFont.rgbColors == RGB(0, 0, 0))
        << "the font picker's record: size " << handedFont.lStructSize << ", flags " << handedFont.Flags
        << ", colour " << handedFont.rgbColors << ", height " << handedFace.lfHeight;
    EXPECT_EQ(dialog.paintGrowth, 0) << "GDI objects over a hundred paints of the minimised dialog";
    ASSERT_EQ(drawnIcons.size(), 101u) << "icons drawn by the minimised dialog, one a paint";
    const DrawnIcon& drawn = drawnIcons.front();
    const int width = dialog.minimised.right, height = dialog.minimised.bottom;
    EXPECT_TRUE(drawn.dc != nullptr && drawn.icon == icon &&
                std::abs(2 * drawn.x - (width - GetSystemMetrics(SM_CXICON))) <= 2 &&
                std::abs(2 * drawn.y - (height - GetSystemMetrics(SM_CYICON))) <= 2)
        << "drawn at " << drawn.x << "," << drawn.y << " in a client area of " << width << "x" << height;
    if (open == 1) { EXPECT_EQ(LiveGdiObjects(), live) << "GDI objects, the dialog object still there"; }
  }
}

}  // namespace
