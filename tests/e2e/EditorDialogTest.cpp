// The editor as it opens: its dialog, controls and resources, the lists and
// check boxes filled from curlin.dat, and the preview.
#include "EditorDriver.h"
#include "EditorRecords.h"
#include "ShiftJis.h"
#include "VersionInfo.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

using namespace editor_driver;

namespace {

const std::string kEditorExe = CURSET_EXE;

const std::string kTitle = ToShiftJis(L"Rovatick環境設定");

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

// A dialog template as stored in the program's resources.
struct TemplateItem {
  DWORD style;
  int id;
  std::string windowClass;
  std::wstring text;
  RECT units;
};

struct DialogTemplate {
  DWORD style = 0;
  RECT units = {};
  std::wstring caption;
  WORD pointSize = 0;
  std::wstring face;
  std::vector<TemplateItem> items;
};

class TemplateReader {
 public:
  explicit TemplateReader(const BYTE* data) : m_at(data) {}

  WORD Word() {
    WORD value;
    std::memcpy(&value, m_at, sizeof value);
    m_at += sizeof value;
    return value;
  }
  DWORD Dword() { return Word() | (static_cast<DWORD>(Word()) << 16); }
  short Short() { return static_cast<short>(Word()); }
  std::wstring String() {
    std::wstring text;
    for (WORD c = Word(); c != 0; c = Word()) text += static_cast<wchar_t>(c);
    return text;
  }
  // A string or, after 0xFFFF, an ordinal (returned as "#n").
  std::wstring StringOrOrdinal() {
    WORD first = Word();
    if (first == 0xFFFF) return L"#" + std::to_wstring(Word());
    std::wstring text;
    for (WORD c = first; c != 0; c = Word()) text += static_cast<wchar_t>(c);
    return text;
  }
  void Skip(size_t bytes) { m_at += bytes; }
  void AlignToDword(const BYTE* base) {
    while ((m_at - base) % 4 != 0) ++m_at;
  }
  const BYTE* At() const { return m_at; }

 private:
  const BYTE* m_at;
};

std::string ClassName(const std::wstring& stored) {
  if (stored == L"#128") return "Button";
  if (stored == L"#130") return "Static";
  if (stored == L"#133") return "ComboBox";
  return ToShiftJis(stored);
}

RECT ReadUnits(TemplateReader& reader) {
  const short x = reader.Short(), y = reader.Short(), cx = reader.Short(), cy = reader.Short();
  return {x, y, cx, cy};
}

DialogTemplate ParseTemplate(const BYTE* data) {
  DialogTemplate parsed;
  TemplateReader reader(data);
  parsed.style = reader.Dword();
  reader.Dword();  // extended style
  const WORD count = reader.Word();
  parsed.units = ReadUnits(reader);
  reader.StringOrOrdinal();  // menu
  reader.StringOrOrdinal();  // class
  parsed.caption = reader.String();
  if (parsed.style & DS_SETFONT) {
    parsed.pointSize = reader.Word();
    parsed.face = reader.String();
  }
  for (WORD i = 0; i < count; ++i) {
    reader.AlignToDword(data);
    TemplateItem item;
    item.style = reader.Dword();
    reader.Dword();  // extended style
    item.units = ReadUnits(reader);
    item.id = static_cast<short>(reader.Word());
    item.windowClass = ClassName(reader.StringOrOrdinal());
    item.text = reader.StringOrOrdinal();
    const WORD extra = reader.Word();
    reader.Skip(extra);
    parsed.items.push_back(item);
  }
  return parsed;
}

// The editor's resources, read from a copy of the program as data.
class EditorResources {
 public:
  EditorResources()
      : m_module(LoadLibraryExA(WindowsPathOf(kEditorExe).c_str(), nullptr,
                                LOAD_LIBRARY_AS_DATAFILE)) {}
  ~EditorResources() {
    if (m_module != nullptr) FreeLibrary(m_module);
  }
  EditorResources(const EditorResources&) = delete;
  EditorResources& operator=(const EditorResources&) = delete;

  // The resource in Japanese (language 0x0411), or null.
  const BYTE* Find(LPCSTR type, int id, DWORD* size = nullptr) const {
    HRSRC found = FindResourceExA(m_module, type, MAKEINTRESOURCEA(id),
                                  MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT));
    if (found == nullptr) return nullptr;
    if (size != nullptr) *size = SizeofResource(m_module, found);
    return static_cast<const BYTE*>(LockResource(LoadResource(m_module, found)));
  }
  HMODULE Module() const { return m_module; }

 private:
  HMODULE m_module;
};

// Converts dialog units to pixels the way the editor's dialog does: through
// a hidden dialog made here from the same template, hence the same font.
class DialogUnits {
 public:
  explicit DialogUnits(const BYTE* dialogTemplate)
      : m_dialog(CreateDialogIndirectParamA(GetModuleHandleA(nullptr),
                                            reinterpret_cast<LPCDLGTEMPLATEA>(dialogTemplate),
                                            nullptr, &Procedure, 0)) {}
  ~DialogUnits() {
    if (m_dialog != nullptr) DestroyWindow(m_dialog);
  }
  DialogUnits(const DialogUnits&) = delete;
  DialogUnits& operator=(const DialogUnits&) = delete;

  bool Ready() const { return m_dialog != nullptr; }
  // x, y, width, height in dialog units -> a rectangle in pixels. Position
  // and size are converted apart, as the dialog manager does.
  RECT ToPixels(const RECT& units) const {
    RECT rect = units;
    MapDialogRect(m_dialog, &rect);
    return {rect.left, rect.top, rect.left + rect.right, rect.top + rect.bottom};
  }

 private:
  static INT_PTR CALLBACK Procedure(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
  HWND m_dialog;
};

RECT ClientRectOf(HWND child, HWND dialog) {
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::vector<HWND> ChildrenInOrder(HWND dialog) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

std::vector<std::string> ShiftJisTexts(std::initializer_list<const wchar_t*> texts) {
  std::vector<std::string> converted;
  for (const wchar_t* text : texts) converted.push_back(ToShiftJis(text));
  return converted;
}

// The line as the platform renders the two pictures for now.
std::string Rendered(const std::string& datePicture, const std::string& timePicture) {
  char date[128] = {}, time[128] = {};
  if (!datePicture.empty()) GetDateFormatA(LOCALE_USER_DEFAULT, 0, nullptr, datePicture.c_str(), date, 128);
  if (!timePicture.empty()) GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_FORCE24HOURFORMAT, nullptr, timePicture.c_str(), time, 128);
  return std::string(date) + time;
}

// Reads the preview between two renderings, so a minute or day that turns
// meanwhile cannot fail the comparison.
::testing::AssertionResult PreviewShows(const Editor& editor, const std::string& datePicture,
                                        const std::string& timePicture) {
  const std::string before = Rendered(datePicture, timePicture);
  const std::string shown = editor.Text(1000);
  const std::string after = Rendered(datePicture, timePicture);
  if (shown == before || shown == after) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "the preview shows \"" << shown << "\", expected \""
                                       << before << "\"";
}

TEST(EditorResources, TheTemplateHoldsTheDialogAndItsControlsExactly) {
  EditorResources resources;
  ASSERT_NE(resources.Module(), nullptr);
  const BYTE* data = resources.Find(RT_DIALOG, 130);
  ASSERT_NE(data, nullptr) << "dialog 130 in Japanese";
  const DialogTemplate dialog = ParseTemplate(data);
  EXPECT_EQ(dialog.style, 0x80C800C0u);
  EXPECT_EQ(dialog.units.left, 0);
  EXPECT_EQ(dialog.units.top, 0);
  EXPECT_EQ(dialog.units.right, 243);
  EXPECT_EQ(dialog.units.bottom, 229);
  EXPECT_EQ(dialog.caption, L"");
  EXPECT_EQ(dialog.pointSize, 9);
  EXPECT_EQ(dialog.face, L"ＭＳ Ｐゴシック");
  ASSERT_EQ(dialog.items.size(), std::size(kControls));
  for (size_t i = 0; i < dialog.items.size(); ++i) {
    const TemplateItem& item = dialog.items[i];
    const ExpectedControl& expected = kControls[i];
    SCOPED_TRACE("control " + std::to_string(i) + ", id " + std::to_string(expected.id));
    EXPECT_EQ(item.id, expected.id);
    EXPECT_EQ(lstrcmpiA(item.windowClass.c_str(), expected.windowClass), 0) << item.windowClass;
    EXPECT_EQ(item.style, expected.style);
    EXPECT_EQ(item.text, expected.text);
    EXPECT_EQ(item.units.left, expected.units.left);
    EXPECT_EQ(item.units.top, expected.units.top);
    EXPECT_EQ(item.units.right, expected.units.right);
    EXPECT_EQ(item.units.bottom, expected.units.bottom);
  }
}

TEST(EditorResources, IconAndVersionBlock) {
  EditorResources resources;
  ASSERT_NE(resources.Module(), nullptr);
  // Icon group 128: a 32x32 and a 16x16 image in 16 colours.
  DWORD size = 0;
  const BYTE* group = resources.Find(RT_GROUP_ICON, 128, &size);
  ASSERT_NE(group, nullptr);
  ASSERT_GE(size, 6u + 2 * 14u);
  WORD count;
  std::memcpy(&count, group + 4, sizeof count);
  ASSERT_EQ(count, 2);
  std::vector<std::pair<int, int>> images;  // size, colour count
  for (int i = 0; i < count; ++i) {
    const BYTE* entry = group + 6 + 14 * i;
    images.push_back({entry[0], entry[2]});
  }
  EXPECT_EQ(images, (std::vector<std::pair<int, int>>{{32, 16}, {16, 16}}));

  const VersionInfo version(WindowsPathOf(kEditorExe));
  const VS_FIXEDFILEINFO* fixed = version.Fixed();
  ASSERT_NE(fixed, nullptr);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0u);
  EXPECT_EQ(version.Translation(), (std::vector<WORD>{0x0411, 0x04B0}));

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
    EXPECT_EQ(version.JapaneseString(name, &found), expected) << ToShiftJis(name);
    EXPECT_TRUE(found) << ToShiftJis(name);
  }
}

TEST(EditorDialog, OpensTitledWithEveryControlInPlace) {
  ASSERT_TRUE(JapaneseLocaleActive());
  EditorHome home(kEditorExe, "layout");
  ASSERT_TRUE(home.Ready());
  Editor editor;
  ASSERT_TRUE(editor.Open(home));
  EXPECT_EQ(editor.Title(), kTitle);
  EXPECT_EQ(WindowsTitled(kTitle.c_str()), std::vector<HWND>{editor.Dialog()});
  const LONG style = GetWindowLongW(editor.Dialog(), GWL_STYLE);
  EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0) << "no minimise or maximise box";
  EXPECT_NE(style & WS_SYSMENU, 0);
  EXPECT_EQ(GetWindowLongW(editor.Dialog(), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME,
            WS_EX_DLGMODALFRAME);

  EditorResources resources;
  DialogUnits units(resources.Find(RT_DIALOG, 130));
  ASSERT_TRUE(units.Ready());
  RECT client;
  GetClientRect(editor.Dialog(), &client);
  const RECT expectedClient = units.ToPixels({0, 0, 243, 229});
  EXPECT_EQ(client.right, expectedClient.right);
  EXPECT_EQ(client.bottom, expectedClient.bottom);

  const std::vector<HWND> children = ChildrenInOrder(editor.Dialog());
  ASSERT_EQ(children.size(), std::size(kControls));
  for (size_t i = 0; i < children.size(); ++i) {
    const ExpectedControl& expected = kControls[i];
    SCOPED_TRACE("control " + std::to_string(i) + ", id " + std::to_string(expected.id));
    HWND child = children[i];
    EXPECT_EQ(GetDlgCtrlID(child), expected.id == -1 ? 0xFFFF : expected.id);
    EXPECT_EQ(ClassOf(child), expected.windowClass);
    EXPECT_TRUE(IsWindowVisible(child));
    EXPECT_TRUE(IsWindowEnabled(child));
    const RECT shown = ClientRectOf(child, editor.Dialog());
    const RECT wanted = units.ToPixels(expected.units);
    EXPECT_EQ(shown.left, wanted.left);
    EXPECT_EQ(shown.top, wanted.top);
    EXPECT_EQ(shown.right, wanted.right);
    if (std::string(expected.windowClass) == "ComboBox") {
      // A closed list is as high as its font needs; the template's height is
      // the open list's, which Wine reports without the selection field.
      EXPECT_EQ(GetWindowLongW(child, GWL_STYLE) & CBS_SORT, 0) << "items keep their order";
    } else {
      EXPECT_EQ(shown.bottom, wanted.bottom);
      if (expected.id != 1000) {
        EXPECT_EQ(WideWindowText(child), expected.text);
      }
    }
  }
  // The focus starts on the first tab stop, the default button OK.
  GUITHREADINFO thread = {};
  thread.cbSize = sizeof thread;
  ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(editor.Dialog(), nullptr), &thread));
  EXPECT_EQ(thread.hwndFocus, editor.Control(1005));
  EXPECT_EQ(GetWindowLongW(editor.Control(1005), GWL_STYLE) & 0xF, BS_DEFPUSHBUTTON);
}

TEST(EditorDialog, ListsShowTheirTextsAndTheStoredChoices) {
  EditorHome home(kEditorExe, "lists");
  ASSERT_TRUE(home.Ready());
  ClockSettings record = DefaultRecord();
  record.dateFormat = 0;
  record.dateSeparator = 3;
  record.weekdayStyle = 1;
  record.timeFormat = 0;
  record.timeSeparator = 2;
  WriteBytes(home.SettingsFile(), BytesOf(record));
  Editor editor;
  ASSERT_TRUE(editor.Open(home));

  EXPECT_EQ(editor.ListItems(1003), (std::vector<std::string>{"yyyy/mm/dd ", "yy/mm/dd ", "mm/dd "}));
  EXPECT_EQ(editor.ListItems(1017), ShiftJisTexts({L"[スペース]", L"／", L"－", L"[漢字]"}));
  EXPECT_EQ(editor.ListItems(1015), ShiftJisTexts({L"日曜日", L"（日）"}));
  EXPECT_EQ(editor.ListItems(1009), (std::vector<std::string>{" HH:MM:SS", " HH:MM"}));
  EXPECT_EQ(editor.ListItems(1018), ShiftJisTexts({L"[スペース]", L"：", L"[漢字]"}));

  EXPECT_EQ(editor.Selection(1003), 0);
  EXPECT_EQ(editor.Selection(1017), 3);
  EXPECT_EQ(editor.Selection(1015), 1);
  EXPECT_EQ(editor.Selection(1009), 0);
  EXPECT_EQ(editor.Selection(1018), 2);
}

TEST(EditorDialog, AStoredIndexWithoutItemOpensWithNoSelectionAndAppliesAsMinusOne) {
  EditorHome home(kEditorExe, "out-of-range");
  ASSERT_TRUE(home.Ready());
  ClockSettings record = DefaultRecord();
  record.dateFormat = 3;             // the row's fourth entry is empty
  record.dateSeparator = -1;         // stored "nothing selected"
  record.weekdayStyle = 5;
  record.timeFormat = INT32_MIN;
  record.timeSeparator = 1;
  WriteBytes(home.SettingsFile(), BytesOf(record));
  Editor editor;
  ASSERT_TRUE(editor.Open(home));
  EXPECT_EQ(editor.Selection(1003), -1);
  EXPECT_EQ(editor.Selection(1017), -1);
  EXPECT_EQ(editor.Selection(1015), -1);
  EXPECT_EQ(editor.Selection(1009), -1);
  EXPECT_EQ(editor.Selection(1018), 1);

  editor.Click(1001);
  const ClockSettings saved = RecordOf(ReadBytes(home.SettingsFile()));
  EXPECT_EQ(saved.dateFormat, -1);
  EXPECT_EQ(saved.dateSeparator, -1);
  EXPECT_EQ(saved.weekdayStyle, -1);
  EXPECT_EQ(saved.timeFormat, -1);
  EXPECT_EQ(saved.timeSeparator, 1);
}

TEST(EditorDialog, CheckBoxesShowTheStoredFlags) {
  EditorHome home(kEditorExe, "checks");
  ASSERT_TRUE(home.Ready());
  ClockSettings record = DefaultRecord();
  record.showDate = 1;
  record.showWeekday = 0;
  record.showTime = 0;
  record.showAmPm = 1;
  WriteBytes(home.SettingsFile(), BytesOf(record));
  Editor editor;
  ASSERT_TRUE(editor.Open(home));
  EXPECT_TRUE(editor.Checked(1002));
  EXPECT_FALSE(editor.Checked(1006));
  EXPECT_FALSE(editor.Checked(1007));
  EXPECT_TRUE(editor.Checked(1008));
}

TEST(EditorDialog, WithoutASettingsFileShowsTheDefaults) {
  EditorHome home(kEditorExe, "defaults");
  ASSERT_TRUE(home.Ready());
  Editor editor;
  ASSERT_TRUE(editor.Open(home));
  EXPECT_EQ(editor.Selection(1003), 2);
  EXPECT_EQ(editor.Selection(1017), 1);
  EXPECT_EQ(editor.Selection(1015), 1);
  EXPECT_EQ(editor.Selection(1009), 1);
  EXPECT_EQ(editor.Selection(1018), 1);
  EXPECT_FALSE(editor.Checked(1002));
  EXPECT_FALSE(editor.Checked(1006));
  EXPECT_TRUE(editor.Checked(1007));
  EXPECT_FALSE(editor.Checked(1008));
  // Time only, "HH':'mm", from the first tick on.
  ASSERT_TRUE(WaitUntil([&] { return !editor.Text(1000).empty(); }, kDeadlineMs));
  EXPECT_TRUE(PreviewShows(editor, "", "HH':'mm"));
  EXPECT_FALSE(FileExists(home.SettingsFile())) << "opening writes nothing";
}

TEST(EditorPreview, IsEmptyAtFirstThenShowsTheStoredPictures) {
  EditorHome home(kEditorExe, "preview-first");
  ASSERT_TRUE(home.Ready());
  WriteBytes(home.SettingsFile(), BytesOf(ConstantPictureRecord()));
  Editor editor;
  ASSERT_TRUE(editor.Open(home));
  EXPECT_EQ(editor.Text(1000), "") << "nothing before the first tick, about a second in";
  ASSERT_TRUE(WaitUntil([&] { return !editor.Text(1000).empty(); }, kDeadlineMs));
  EXPECT_EQ(editor.Text(1000), "date time");
}

TEST(EditorPreview, EveryTickRendersTheStoredPicturesAnew) {
  EditorHome home(kEditorExe, "preview-ticks");
  ASSERT_TRUE(home.Ready());
  ClockSettings record = ConstantPictureRecord();
  record.showDate = 0;
  SetText(record.timePicture, "ss");
  WriteBytes(home.SettingsFile(), BytesOf(record));
  Editor editor;
  ASSERT_TRUE(editor.Open(home));
  ASSERT_TRUE(WaitUntil([&] { return editor.Text(1000).size() == 2; }, kDeadlineMs));
  // The seconds move on while nobody touches the dialog.
  const std::string first = editor.Text(1000);
  EXPECT_TRUE(WaitUntil([&] { return editor.Text(1000) != first; }, kDeadlineMs));
  EXPECT_EQ(editor.Text(1000).size(), 2u);
}

TEST(EditorPreview, FollowsEveryCheckBoxAndListChangeAtOnce) {
  EditorHome home(kEditorExe, "preview-changes");
  ASSERT_TRUE(home.Ready());
  ClockSettings record = ConstantPictureRecord();
  record.dateFormat = 0;
  record.dateSeparator = 3;
  record.weekdayStyle = 0;
  record.timeFormat = 1;
  record.timeSeparator = 2;
  WriteBytes(home.SettingsFile(), BytesOf(record));
  Editor editor;
  ASSERT_TRUE(editor.Open(home));
  ASSERT_TRUE(WaitUntil([&] { return editor.Text(1000) == "date time"; }, kDeadlineMs));

  editor.Click(1006);  // show the weekday
  EXPECT_TRUE(PreviewShows(editor, ToShiftJis(L"yyyy'年'MM'月'dd'日' dddd "), ToShiftJis(L"HH'時'mm'分'")));

  editor.Select(1017, 2);  // hyphen
  EXPECT_TRUE(PreviewShows(editor, "yyyy'-'MM'-'dd dddd ", ToShiftJis(L"HH'時'mm'分'")));
  editor.Select(1003, 1);
  EXPECT_TRUE(PreviewShows(editor, "yy'-'MM'-'dd dddd ", ToShiftJis(L"HH'時'mm'分'")));
  editor.Select(1015, 1);
  EXPECT_TRUE(PreviewShows(editor, "yy'-'MM'-'dd (ddd) ", ToShiftJis(L"HH'時'mm'分'")));
  editor.Select(1018, 1);
  EXPECT_TRUE(PreviewShows(editor, "yy'-'MM'-'dd (ddd) ", "HH':'mm"));
  editor.Select(1009, 0);
  EXPECT_TRUE(PreviewShows(editor, "yy'-'MM'-'dd (ddd) ", "HH':'mm':'ss"));
  editor.Click(1008);  // AM/PM marker
  EXPECT_TRUE(PreviewShows(editor, "yy'-'MM'-'dd (ddd) ", "tt HH':'mm':'ss"));
  editor.Click(1002);  // date off: only the time half
  EXPECT_TRUE(PreviewShows(editor, "", "tt HH':'mm':'ss"));
  editor.Click(1007);  // time off too: nothing
  EXPECT_EQ(editor.Text(1000), "");
}

TEST(EditorPreview, AWeekdayWithoutDateAddsNothing) {
  EditorHome home(kEditorExe, "preview-weekday");
  ASSERT_TRUE(home.Ready());
  ClockSettings record = ConstantPictureRecord();
  record.showDate = 0;
  WriteBytes(home.SettingsFile(), BytesOf(record));
  Editor editor;
  ASSERT_TRUE(editor.Open(home));
  ASSERT_TRUE(WaitUntil([&] { return editor.Text(1000) == "time"; }, kDeadlineMs));
  editor.Click(1006);
  EXPECT_TRUE(PreviewShows(editor, "", "HH':'mm"));
  // The stored date picture is still the one loaded.
  editor.Click(1001);
  const ClockSettings saved = RecordOf(ReadBytes(home.SettingsFile()));
  EXPECT_STREQ(saved.datePicture, "'date' ");
  EXPECT_EQ(saved.showWeekday, 1);
}

// Screen pixels of a rectangle given in screen coordinates.
std::vector<COLORREF> PixelsIn(const RECT& rect) {
  std::vector<COLORREF> pixels;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(memory, x, y));
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

size_t CountOf(const std::vector<COLORREF>& pixels, COLORREF color) {
  size_t count = 0;
  for (COLORREF pixel : pixels) count += pixel == color;
  return count;
}

TEST(EditorPreview, DrawsItsTextInTheStoredColoursOnlyBehindTheText) {
  EditorHome home(kEditorExe, "preview-colours");
  ASSERT_TRUE(home.Ready());
  ClockSettings record = ConstantPictureRecord();
  record.backColor = RGB(255, 0, 255);
  record.textColor = RGB(0, 128, 0);
  SetText(record.datePicture, "'WWWW' ");
  WriteBytes(home.SettingsFile(), BytesOf(record));
  Editor editor;
  ASSERT_TRUE(editor.Open(home));
  ASSERT_TRUE(WaitUntil([&] { return !editor.Text(1000).empty(); }, kDeadlineMs));
  SetForegroundWindow(editor.Dialog());

  RECT preview;
  GetWindowRect(editor.Control(1000), &preview);
  const RECT left = {preview.left, preview.top, preview.left + 40, preview.bottom};
  const RECT right = {preview.right - 40, preview.top, preview.right, preview.bottom};
  // Painting is asynchronous: poll until the text shows.
  EXPECT_TRUE(WaitUntil([&] { return CountOf(PixelsIn(left), RGB(255, 0, 255)) > 0; }, kDeadlineMs))
      << "background colour behind the text";
  EXPECT_GT(CountOf(PixelsIn(left), RGB(0, 128, 0)), 0u) << "text colour";
  EXPECT_EQ(CountOf(PixelsIn(right), RGB(255, 0, 255)), 0u) << "past the text: the dialog's own";
}

}  // namespace
