// The editor as it opens: its dialog, controls and resources, the lists and
// check boxes filled from curlin.dat, and the preview.
#include "EditorDriver.h"
#include "PlatformLine.h"
#include "ProgramResources.h"
#include "ScreenPixels.h"
#include "SettingsRecords.h"
#include "ShiftJis.h"
#include "TopWindows.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

const std::string kEditorExe = EditorExe();

struct ExpectedControl {
  int id;
  const char* windowClass;
  DWORD style;
  const wchar_t* text;
  RECT units;  // x, y, width, height in dialog units
};

// Template order, which is also the order of the child windows.
const ExpectedControl kControls[] = {
    {1005, "Button", 0x50010001, L"OK", {185, 29, 50, 14}},
    {2, "Button", 0x50010000, L"ｷｬﾝｾﾙ", {185, 109, 50, 14}},
    {1001, "Button", 0x50010000, L"適用", {185, 49, 50, 14}},
    {-1, "Button", 0x50000007, L"書式設定", {7, 33, 171, 187}},
    {1006, "Button", 0x50010003, L"曜日を表示する", {21, 105, 58, 11}},
    {1003, "ComboBox", 0x50210003, L"", {82, 63, 83, 114}},
    {1015, "ComboBox", 0x50210003, L"", {82, 105, 83, 114}},
    {1004, "Button", 0x50010000, L"背景色設定", {185, 69, 50, 14}},
    {1023, "Button", 0x50010000, L"文字設定", {185, 89, 50, 14}},
    {1000, "Static", 0x50020000, L"", {7, 7, 228, 19}},
    {-1, "Static", 0x50020000, L"書式設定", {21, 67, 32, 10}},
    {1008, "Button", 0x50010003, L"午前午後を表示する", {20, 187, 76, 11}},
    {1009, "ComboBox", 0x50210003, L"", {82, 145, 83, 114}},
    {-1, "Static", 0x50020000, L"書式設定", {21, 149, 32, 10}},
    {-1, "Static", 0x50020000, L"区切り文字", {21, 87, 59, 8}},
    {1017, "ComboBox", 0x50210003, L"", {82, 84, 83, 114}},
    {-1, "Static", 0x50020000, L"区切り文字", {21, 167, 53, 10}},
    {1018, "ComboBox", 0x50210003, L"", {83, 166, 83, 114}},
    {-1, "Button", 0x50000007, L"", {13, 46, 157, 80}},
    {-1, "Button", 0x50000007, L"", {13, 131, 157, 80}},
    {1002, "Button", 0x50010003, L"日付を表示する", {20, 46, 61, 11}},
    {1007, "Button", 0x50010003, L"時刻を表示する", {19, 131, 61, 11}},
};

INT_PTR CALLBACK NoDialogProcedure(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// x, y, width, height in dialog units -> a rectangle in pixels, converted the
// way the editor's dialog converts them: through a hidden dialog made here
// from the same template, hence the same font. Position and size are
// converted apart, as the dialog manager does.
RECT ToPixels(const std::string& dialogTemplate, RECT rect) {
  const HWND dialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr),
      reinterpret_cast<LPCDLGTEMPLATEA>(dialogTemplate.data()), nullptr, &NoDialogProcedure, 0);
  if (dialog == nullptr || !MapDialogRect(dialog, &rect)) rect = {};
  if (dialog != nullptr) DestroyWindow(dialog);
  return {rect.left, rect.top, rect.left + rect.right, rect.top + rect.bottom};
}

std::vector<std::string> ShiftJisTexts(std::initializer_list<const wchar_t*> texts) {
  std::vector<std::string> converted;
  for (const wchar_t* text : texts) converted.push_back(ToShiftJis(text));
  return converted;
}

// Reads the preview between two renderings by the platform, so a second,
// minute or day that turns meanwhile cannot fail the comparison. The editor
// drew the line at the change, which may lie in the second before the first
// rendering: its own refresh comes up to a second later.
::testing::AssertionResult PreviewShows(const Editor& editor, const std::string& datePicture,
                                        const std::string& timePicture) {
  const std::string secondBefore = PlatformLine(datePicture, timePicture, 1);
  const std::string before = PlatformLine(datePicture, timePicture);
  const std::string shown = editor.Text(kPreview);
  const std::string after = PlatformLine(datePicture, timePicture);
  if (shown == secondBefore || shown == before || shown == after) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "the preview shows \"" << shown << "\", expected \""
                                       << before << "\"";
}

// The top and bottom rows of a label's or a check box's rectangle lie above
// and below its text and its square: there the control shows its background
// alone, which is to be colour from edge to edge.
::testing::AssertionResult EdgeRowsShow(HWND control, COLORREF colour) {
  const RECT rect = ScreenRectOf(control);
  const RECT rows[] = {{rect.left, rect.top, rect.right, rect.top + 1},
                       {rect.left, rect.bottom - 1, rect.right, rect.bottom}};
  size_t matching = 0, total = 0;
  // Painting is asynchronous: poll until the rows show the colour.
  if (WaitUntil([&] {
        matching = total = 0;
        for (const RECT& row : rows) {
          const std::vector<COLORREF> pixels = ScreenPixels(row);
          total += pixels.size();
          matching += CountOf(pixels, colour);
        }
        return total > 0 && matching == total;
      })) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << matching << " of the " << total
                                       << " pixels in the top and bottom rows of "
                                       << Describe(rect) << " are the background colour";
}

using EditorDialog = EditorTest;

// Each control stands in the template as listed, and the open dialog shows it
// there: class, id, style and text, at the template's place in pixels.
TEST_F(EditorDialog, OpensTitledWithEveryControlOfItsTemplateInPlace) {
  ASSERT_TRUE(JapaneseLocaleActive());
  const ProgramResources resources(kEditorExe);
  bool found = false;
  const DialogTemplate dialog = resources.Dialog(130, &found);
  ASSERT_TRUE(found) << "dialog 130 in Japanese";
  EXPECT_EQ(dialog.style, 0x80C800C0u);
  EXPECT_EQ(Describe(dialog.units), "(0,0)-(243,229)") << "x, y, width, height";
  EXPECT_EQ(dialog.caption, L"");
  EXPECT_EQ(dialog.pointSize, 9);
  EXPECT_EQ(dialog.face, L"ＭＳ Ｐゴシック");
  ASSERT_EQ(dialog.items.size(), std::size(kControls));

  ASSERT_TRUE(editor.Open(home));
  EXPECT_EQ(WindowText(editor.Dialog()), kEditorTitle);
  EXPECT_EQ(WindowsTitled(kEditorTitle.c_str()), std::vector<HWND>{editor.Dialog()});
  const LONG style = GetWindowLongW(editor.Dialog(), GWL_STYLE);
  EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0) << "no minimise or maximise box";
  EXPECT_NE(style & WS_SYSMENU, 0);
  EXPECT_EQ(GetWindowLongW(editor.Dialog(), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME,
            WS_EX_DLGMODALFRAME);

  const std::string units = resources.Bytes(RT_DIALOG, 130);
  RECT client;
  GetClientRect(editor.Dialog(), &client);
  const RECT expectedClient = ToPixels(units, {0, 0, 243, 229});
  EXPECT_EQ(client.right, expectedClient.right);
  EXPECT_EQ(client.bottom, expectedClient.bottom);

  // In their order, which is that of the template; a control has no children.
  const std::vector<HWND> children = ChildWindows(editor.Dialog());
  ASSERT_EQ(children.size(), std::size(kControls));
  for (size_t i = 0; i < children.size(); ++i) {
    const ExpectedControl& expected = kControls[i];
    const TemplateItem& item = dialog.items[i];
    SCOPED_TRACE("control " + std::to_string(i) + ", id " + std::to_string(expected.id));
    EXPECT_EQ(item.id, expected.id);
    EXPECT_EQ(lstrcmpiA(item.windowClass.c_str(), expected.windowClass), 0) << item.windowClass;
    EXPECT_EQ(item.style, expected.style);
    EXPECT_EQ(item.text, expected.text);
    EXPECT_EQ(Describe(item.units), Describe(expected.units));

    HWND child = children[i];
    EXPECT_EQ(GetDlgCtrlID(child), expected.id == -1 ? 0xFFFF : expected.id);
    EXPECT_EQ(ClassOf(child), expected.windowClass);
    EXPECT_TRUE(IsWindowVisible(child));
    EXPECT_TRUE(IsWindowEnabled(child));
    RECT shown = ScreenRectOf(child);  // in the dialog's client coordinates
    MapWindowPoints(nullptr, editor.Dialog(), reinterpret_cast<POINT*>(&shown), 2);
    const RECT wanted = ToPixels(units, expected.units);
    EXPECT_EQ(shown.left, wanted.left);
    EXPECT_EQ(shown.top, wanted.top);
    EXPECT_EQ(shown.right, wanted.right);
    if (std::string(expected.windowClass) == "ComboBox") {
      // A closed list is as high as its font needs; the template's height is
      // the open list's, which Wine reports without the selection field.
      EXPECT_EQ(GetWindowLongW(child, GWL_STYLE) & CBS_SORT, 0) << "items keep their order";
    } else {
      EXPECT_EQ(shown.bottom, wanted.bottom);
      if (expected.id != kPreview) {
        EXPECT_EQ(WideWindowText(child), expected.text);
      }
    }
  }
  // The focus starts on the first tab stop, the default button OK.
  GUITHREADINFO thread = {};
  thread.cbSize = sizeof thread;
  ASSERT_TRUE(GetGUIThreadInfo(ThreadOf(editor.Dialog()), &thread));
  EXPECT_EQ(thread.hwndFocus, editor.Control(kOkButton));
  EXPECT_EQ(GetWindowLongW(editor.Control(kOkButton), GWL_STYLE) & 0xF, BS_DEFPUSHBUTTON);
}

TEST(EditorResources, IconAndVersionBlock) {
  const ProgramResources resources(kEditorExe);
  ASSERT_TRUE(resources.Loaded());
  EXPECT_EQ(resources.IconImages(128),
            (std::vector<std::string>{"32x32, 16 colours, 4 bits", "16x16, 16 colours, 4 bits"}));
  EXPECT_EQ(resources.VersionNumbers(), "file 1.0.0.0, product 1.0.0.0, translation 0411 04b0");

  const std::pair<const wchar_t*, const wchar_t*> kStrings[] = {
      {L"Comments", L""},
      {L"CompanyName", L""},
      {L"FileDescription", L"curset MFC ｱﾌﾟﾘｹｰｼｮﾝ"},
      {L"FileVersion", L"1, 0, 0, 0"},
      {L"InternalName", L"curset"},
      {L"LegalTrademarks", L""},
      {L"OriginalFilename", L"curset.EXE"},
      {L"PrivateBuild", L""},
      {L"ProductName", L"curset ｱﾌﾟﾘｹｰｼｮﾝ"},
      {L"ProductVersion", L"1, 0, 0, 0"},
      {L"SpecialBuild", L""},
  };
  for (const auto& [name, expected] : kStrings) {
    bool found = false;
    EXPECT_EQ(resources.VersionString(name, &found), expected) << ToShiftJis(name);
    EXPECT_TRUE(found) << ToShiftJis(name);
  }
}

TEST_F(EditorTest, ListsShowTheirTextsAndTheStoredChoicesAndCheckBoxesTheStoredFlags) {
  ClockSettings record = DefaultRecord();
  SetChoices(record, 0, 3, 1, 0, 2);
  record.showDate = 1;
  record.showWeekday = 0;
  record.showTime = 0;
  record.showAmPm = 1;
  ASSERT_TRUE(OpenOn(record));

  EXPECT_EQ(editor.ListItems(kDateFormatList),
            (std::vector<std::string>{"yyyy/mm/dd ", "yy/mm/dd ", "mm/dd "}));
  EXPECT_EQ(editor.ListItems(kDateSeparatorList),
            ShiftJisTexts({L"[スペース]", L"／", L"－", L"[漢字]"}));
  EXPECT_EQ(editor.ListItems(kWeekdayStyleList), ShiftJisTexts({L"日曜日", L"（日）"}));
  EXPECT_EQ(editor.ListItems(kTimeFormatList), (std::vector<std::string>{" HH:MM:SS", " HH:MM"}));
  EXPECT_EQ(editor.ListItems(kTimeSeparatorList), ShiftJisTexts({L"[スペース]", L"：", L"[漢字]"}));

  EXPECT_EQ(editor.Selections(), (std::vector<int>{0, 3, 1, 0, 2}));
  EXPECT_EQ(editor.Ticks(), (std::vector<bool>{true, false, false, true}));
}

TEST_F(EditorTest, AStoredIndexWithoutItemOpensWithNoSelectionAndAppliesAsMinusOne) {
  ClockSettings record = DefaultRecord();
  // 3: the row's fourth entry is empty; -1: stored "nothing selected".
  SetChoices(record, 3, -1, 5, INT32_MIN, 1);
  ASSERT_TRUE(OpenOn(record));
  EXPECT_EQ(editor.Selections(), (std::vector<int>{-1, -1, -1, -1, 1}));
  editor.Apply();
  EXPECT_EQ(StoredChoices(home.SavedRecord()), (std::vector<int>{-1, -1, -1, -1, 1}));
}

TEST_F(EditorTest, WithoutASettingsFileShowsTheDefaults) {
  ASSERT_TRUE(editor.Open(home));
  EXPECT_EQ(editor.Selections(), (std::vector<int>{2, 1, 1, 1, 1}));
  EXPECT_EQ(editor.Ticks(), (std::vector<bool>{false, false, true, false}));
  // Time only, "HH':'mm", from the first tick on.
  ASSERT_TRUE(editor.PreviewShown());
  EXPECT_TRUE(PreviewShows(editor, "", "HH':'mm"));
  EXPECT_FALSE(FileExists(home.SettingsFile())) << "opening writes nothing";
}

TEST_F(EditorTest, ThePreviewIsEmptyAtFirstThenShowsTheStoredPicturesAnewEverySecond) {
  // Both pictures fill their 32 bytes without a zero: each is rendered up to
  // its 31st byte only, never on into the field after it.
  const std::string date = "'date" + std::string(25, '_') + "' ", time = "ss" + std::string(29, '_') + "s";
  ClockSettings record = ConstantPictureRecord();
  std::memcpy(record.datePicture, date.data(), kTextFieldSize);
  std::memcpy(record.timePicture, time.data(), kTextFieldSize);
  ASSERT_TRUE(OpenOn(record));
  EXPECT_EQ(editor.Text(kPreview), "") << "nothing before the first tick, about a second in";
  // The seconds move on once a second while nobody touches the dialog.
  std::vector<std::string> lines = {""};
  WaitUntil([&] {
    if (editor.Text(kPreview) == lines.back()) return false;
    lines.push_back(editor.Text(kPreview));
    EXPECT_TRUE(PreviewShows(editor, date.substr(0, 31), time.substr(0, 31)));
    return lines.size() == 5;
  }, 6000);
  EXPECT_EQ(lines.size(), 5u) << "four lines within five seconds of the first";
}

TEST_F(EditorTest, ThePreviewFollowsEveryCheckBoxAndListChangeAtOnce) {
  ClockSettings record = ConstantPictureRecord();
  SetChoices(record, 0, 3, 0, 1, 2);
  ASSERT_TRUE(OpenOn(record));
  ASSERT_TRUE(editor.PreviewShown("date time"));

  // Each change (a list's new item, or -1 for a click) and the pictures then shown.
  const std::string kanjiTime = ToShiftJis(L"HH'時'mm'分'");
  const struct { int control, item; std::string date, time; } kChanges[] = {
      {kShowWeekday, -1, ToShiftJis(L"yyyy'年'MM'月'dd'日' dddd "), kanjiTime},
      {kDateSeparatorList, 2, "yyyy'-'MM'-'dd dddd ", kanjiTime},  // hyphen
      {kDateFormatList, 1, "yy'-'MM'-'dd dddd ", kanjiTime},
      {kWeekdayStyleList, 1, "yy'-'MM'-'dd (ddd) ", kanjiTime},
      {kTimeSeparatorList, 1, "yy'-'MM'-'dd (ddd) ", "HH':'mm"},
      {kTimeFormatList, 0, "yy'-'MM'-'dd (ddd) ", "HH':'mm':'ss"},
      {kShowAmPm, -1, "yy'-'MM'-'dd (ddd) ", "tt HH':'mm':'ss"},
      {kShowDate, -1, "", "tt HH':'mm':'ss"},  // date off: only the time half
  };
  for (const auto& change : kChanges) {
    change.item < 0 ? editor.Click(change.control) : editor.Choose(change.control, change.item);
    EXPECT_TRUE(PreviewShows(editor, change.date, change.time)) << "after a change of " << change.control;
  }
  editor.Click(kShowTime);  // time off too: nothing
  EXPECT_EQ(editor.Text(kPreview), "");
}

TEST_F(EditorTest, AWeekdayWithoutDateAddsNothingToThePreview) {
  ClockSettings record = ConstantPictureRecord();
  record.showDate = 0;
  ASSERT_TRUE(OpenOn(record));
  ASSERT_TRUE(editor.PreviewShown("time"));
  editor.Click(kShowWeekday);
  EXPECT_TRUE(PreviewShows(editor, "", "HH':'mm"));
  // The stored date picture is still the one loaded.
  editor.Apply();
  const ClockSettings saved = home.SavedRecord();
  EXPECT_STREQ(saved.datePicture, "'date' ");
  EXPECT_EQ(saved.showWeekday, 1);
}

TEST_F(EditorTest, StoredColoursOnlyBehindThePreviewTextLabelsAndCheckBoxesOnTheDialogsOwn) {
  ClockSettings record = ConstantPictureRecord();
  record.backColor = RGB(255, 0, 255);
  record.textColor = RGB(0, 128, 0);
  SetText(record.datePicture, "'WWWW' ");
  ASSERT_TRUE(OpenOn(record));
  ASSERT_TRUE(editor.PreviewShown());
  SetForegroundWindow(editor.Dialog());

  const RECT preview = ScreenRectOf(editor.Control(kPreview));
  const RECT left = {preview.left, preview.top, preview.left + 40, preview.bottom};
  const RECT right = {preview.right - 40, preview.top, preview.right, preview.bottom};
  // Painting is asynchronous: poll until the text shows.
  EXPECT_TRUE(WaitUntil([&] { return CountOf(ScreenPixels(left), RGB(255, 0, 255)) > 0; }))
      << "background colour behind the text";
  EXPECT_GT(CountOf(ScreenPixels(left), RGB(0, 128, 0)), 0u) << "text colour";
  // The dialog's own background, as the platform gives it.
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(CountOf(ScreenPixels(right), face), 40u * (preview.bottom - preview.top))
      << "past the text: the dialog's own";
  EXPECT_TRUE(EdgeRowsShow(FindWindowExW(editor.Dialog(), nullptr, L"Static", L"区切り文字"), face))
      << "a label";
  EXPECT_TRUE(EdgeRowsShow(editor.Control(kShowWeekday), face)) << "a check box";
  RECT below = ScreenRectOf(editor.Dialog());
  below.top = preview.bottom;
  EXPECT_EQ(CountOf(ScreenPixels(below), RGB(128, 0, 0)), 0u)
      << "the icon's dark red below the preview: an icon drawn over the dialog's face";

  // Minimised from outside and made to paint, it draws its icon and answers on.
  ShowWindow(editor.Dialog(), SW_MINIMIZE);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(editor.Dialog()) != FALSE; }));
  RedrawWindow(editor.Dialog(), nullptr, nullptr, RDW_INTERNALPAINT | RDW_UPDATENOW);
  DWORD_PTR answer = 0;
  EXPECT_TRUE(SendMessageTimeoutA(editor.Dialog(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer) != 0 &&
              editor.Running());
  ShowWindow(editor.Dialog(), SW_RESTORE);
}

}  // namespace
