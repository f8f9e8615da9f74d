// Saving from the editor: Apply and OK write exactly the record, every way of
// cancelling writes nothing, a failed save is reported and keeps the dialog,
// a running clock is told after the file is complete, and a second editor
// gives way to the first.
#include "EditorDriver.h"
#include "EditorRecords.h"
#include "ReloadReceiver.h"
#include "ShiftJis.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace editor_driver;

namespace {

const std::string kEditorExe = CURSET_EXE;

const std::vector<std::string> kOnlyEditorAndFile = {"curlin.dat", "curset.exe"};

std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

// A record that differs from the defaults in every group of fields, so that
// a save that drops or moves anything shows.
ClockSettings StoredRecord() {
  ClockSettings record = ConstantPictureRecord();
  record.font.lfHeight = -21;
  record.font.lfWeight = 700;
  record.backColor = RGB(10, 20, 30);
  record.textColor = RGB(40, 50, 60);
  record.showWeekday = 0;
  record.showAmPm = 0;
  record.dateFormat = 2;
  record.dateSeparator = 1;
  record.weekdayStyle = 1;
  record.timeFormat = 1;
  record.timeSeparator = 1;
  return record;
}

// Changes that touch a check box and lists, and the record they give on
// Apply when made on StoredRecord().
void MakeChanges(const Editor& editor) {
  editor.Select(1003, 0);  // yyyy/mm/dd
  editor.Click(1008);      // AM/PM on
  editor.Select(1018, 0);  // blank between hours and minutes
}

ClockSettings ChangedRecord() {
  ClockSettings record = StoredRecord();
  record.dateFormat = 0;
  record.timeSeparator = 0;
  record.showAmPm = 1;
  SetText(record.datePicture, "yyyy'/'MM'/'dd ");
  SetText(record.timePicture, "tt HH' 'mm");
  return record;
}

bool OnlyDialogOpen(const Editor& editor) {
  return DialogsOf(editor.ProcessId()) == std::vector<HWND>{editor.Dialog()};
}

TEST(EditorApply, StoresTheExactRecordAndKeepsTheDialogOpen) {
  EditorHome home(kEditorExe, "apply");
  ASSERT_TRUE(home.Ready());
  WriteBytes(home.SettingsFile(), BytesOf(StoredRecord()));
  Editor editor;
  ASSERT_TRUE(editor.Open(home));
  MakeChanges(editor);
  EXPECT_EQ(ReadBytes(home.SettingsFile()), BytesOf(StoredRecord())) << "changes wait for Apply";

  editor.Click(1001);
  EXPECT_EQ(ReadBytes(home.SettingsFile()), BytesOf(ChangedRecord()));
  EXPECT_TRUE(editor.Process().Running());
  EXPECT_TRUE(OnlyDialogOpen(editor)) << "no clock running is no reason for a message";

  // The date off: the flag is stored as 0 and the date picture stays.
  editor.Click(1002);
  editor.Click(1001);
  ClockSettings expected = ChangedRecord();
  expected.showDate = 0;
  EXPECT_EQ(ReadBytes(home.SettingsFile()), BytesOf(expected));
  EXPECT_EQ(Sorted(home.FileNames()), kOnlyEditorAndFile);
}

TEST(EditorOk, StoresTheExactRecordAndCloses) {
  EditorHome home(kEditorExe, "ok");
  ASSERT_TRUE(home.Ready());
  WriteBytes(home.SettingsFile(), BytesOf(StoredRecord()));
  Editor editor;
  ASSERT_TRUE(editor.Open(home));
  MakeChanges(editor);
  editor.PostClick(1005);
  ASSERT_TRUE(editor.WaitForExit());
  EXPECT_EQ(ReadBytes(home.SettingsFile()), BytesOf(ChangedRecord()));
  EXPECT_TRUE(WindowsTitled(ToShiftJis(L"Rovatick環境設定").c_str()).empty());
}

TEST(EditorOk, TheEnterKeyPressesOk) {
  EditorHome home(kEditorExe, "enter");
  ASSERT_TRUE(home.Ready());
  WriteBytes(home.SettingsFile(), BytesOf(StoredRecord()));
  Editor editor;
  ASSERT_TRUE(editor.Open(home));
  MakeChanges(editor);
  // From a check box, so it is the default button that answers, not a
  // focused one.
  PostMessageW(editor.Control(1002), WM_KEYDOWN, VK_RETURN, 0);
  ASSERT_TRUE(editor.WaitForExit());
  EXPECT_EQ(ReadBytes(home.SettingsFile()), BytesOf(ChangedRecord()));
}

// Each way of leaving without saving, after changes made in the dialog.
void ExpectCancelWritesNothing(const char* name, void (*cancel)(const Editor&)) {
  SCOPED_TRACE(name);
  EditorHome home(kEditorExe, name);
  ASSERT_TRUE(home.Ready());
  WriteBytes(home.SettingsFile(), BytesOf(StoredRecord()));
  Editor editor;
  ASSERT_TRUE(editor.Open(home));
  MakeChanges(editor);
  editor.Click(1002);
  cancel(editor);
  ASSERT_TRUE(editor.WaitForExit());
  EXPECT_EQ(ReadBytes(home.SettingsFile()), BytesOf(StoredRecord()));
  EXPECT_EQ(Sorted(home.FileNames()), kOnlyEditorAndFile);
}

TEST(EditorCancel, CancelButtonCloseBoxAndEscapeWriteNothing) {
  ExpectCancelWritesNothing("cancel-button", [](const Editor& editor) { editor.PostClick(2); });
  ExpectCancelWritesNothing("close-box", [](const Editor& editor) {
    PostMessageW(editor.Dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
  });
  ExpectCancelWritesNothing("escape", [](const Editor& editor) {
    PostMessageW(editor.Control(1005), WM_KEYDOWN, VK_ESCAPE, 0);
  });
}

TEST(EditorCancel, WithoutASettingsFileNoneIsMade) {
  EditorHome home(kEditorExe, "cancel-no-file");
  ASSERT_TRUE(home.Ready());
  Editor editor;
  ASSERT_TRUE(editor.Open(home));
  editor.Click(1002);
  editor.PostClick(2);
  ASSERT_TRUE(editor.WaitForExit());
  EXPECT_EQ(home.FileNames(), std::vector<std::string>{"curset.exe"});
}

// The error box of a failed save: its texts, its owner, its one button.
void ExpectSaveFailedBox(const Editor& editor, HWND box) {
  ASSERT_NE(box, nullptr) << "the error box";
  EXPECT_EQ(GetWindow(box, GW_OWNER), editor.Dialog());
  const std::vector<std::wstring> texts = ChildTexts(box, "Static");
  EXPECT_NE(std::find(texts.begin(), texts.end(), L"環境設定の保存に失敗しました。"), texts.end());
  EXPECT_EQ(ChildTexts(box, "Button"), std::vector<std::wstring>{L"OK"});
  EXPECT_FALSE(IsWindowEnabled(editor.Dialog())) << "the box is modal to the dialog";
}

void DismissBox(HWND box) {
  PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, kDeadlineMs));
}

TEST(EditorSaveFailure, AReadOnlyFileShowsTheErrorAndOkKeepsTheDialogUntilASaveSucceeds) {
  EditorHome home(kEditorExe, "read-only");
  ASSERT_TRUE(home.Ready());
  WriteBytes(home.SettingsFile(), BytesOf(StoredRecord()));
  ASSERT_TRUE(SetFileAttributesA(home.SettingsFile().c_str(), FILE_ATTRIBUTE_READONLY));
  ReloadReceiver clock(home.SettingsFile());
  Editor editor;
  ASSERT_TRUE(editor.Open(home));
  MakeChanges(editor);

  editor.PostClick(1005);
  HWND box = editor.WaitForModal(L"エラー");
  ExpectSaveFailedBox(editor, box);
  DismissBox(box);
  EXPECT_TRUE(editor.Process().Running());
  EXPECT_TRUE(IsWindowVisible(editor.Dialog())) << "OK after a failed save keeps the dialog";
  EXPECT_EQ(ReadBytes(home.SettingsFile()), BytesOf(StoredRecord()));
  EXPECT_EQ(clock.Requests(), 0) << "nothing saved, nothing to reload";

  editor.PostClick(1001);  // Apply fails the same way
  box = editor.WaitForModal(L"エラー");
  ExpectSaveFailedBox(editor, box);
  DismissBox(box);

  // The cause removed, OK saves everything changed so far and closes.
  ASSERT_TRUE(SetFileAttributesA(home.SettingsFile().c_str(), FILE_ATTRIBUTE_NORMAL));
  editor.PostClick(1005);
  ASSERT_TRUE(editor.WaitForExit());
  EXPECT_EQ(ReadBytes(home.SettingsFile()), BytesOf(ChangedRecord()));
  EXPECT_EQ(clock.Requests(), 1);
}

TEST(EditorReload, TheClockIsToldOnlyAfterTheWholeFileIsInPlace) {
  EditorHome home(kEditorExe, "reload");
  ASSERT_TRUE(home.Ready());
  WriteBytes(home.SettingsFile(), BytesOf(StoredRecord()));
  ReloadReceiver clock(home.SettingsFile());
  ASSERT_NE(clock.Window(), nullptr);
  Editor editor;
  ASSERT_TRUE(editor.Open(home));
  MakeChanges(editor);
  EXPECT_EQ(clock.Requests(), 0);

  editor.Click(1001);  // returns when the editor has handled it, reload included
  EXPECT_EQ(clock.Requests(), 1);
  EXPECT_EQ(clock.BytesSeen(), BytesOf(ChangedRecord()));

  editor.Click(1002);
  editor.PostClick(1005);
  ASSERT_TRUE(editor.WaitForExit());
  EXPECT_EQ(clock.Requests(), 2);
  ClockSettings expected = ChangedRecord();
  expected.showDate = 0;
  EXPECT_EQ(clock.BytesSeen(), BytesOf(expected));
}

// A plain window of the test's own, to hold the foreground meanwhile.
class ForegroundHolder {
 public:
  ForegroundHolder()
      : m_window(CreateWindowExA(0, "STATIC", "foreground holder", WS_POPUP | WS_VISIBLE, 600, 500,
                                 100, 50, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr)) {}
  ~ForegroundHolder() { DestroyWindow(m_window); }
  ForegroundHolder(const ForegroundHolder&) = delete;
  ForegroundHolder& operator=(const ForegroundHolder&) = delete;
  HWND Window() const { return m_window; }

 private:
  HWND m_window;
};

TEST(EditorSingleInstance, ASecondStartBringsTheFirstToTheFrontAndEnds) {
  EditorHome home(kEditorExe, "single");
  ASSERT_TRUE(home.Ready());
  Editor first;
  ASSERT_TRUE(first.Open(home));

  ForegroundHolder holder;
  SetForegroundWindow(holder.Window());
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == holder.Window(); }, kDeadlineMs));

  // Another copy in another directory: the title alone decides.
  EditorHome elsewhere(kEditorExe, "single-second");
  ASSERT_TRUE(elsewhere.Ready());
  ChildProcess second;
  ASSERT_TRUE(second.Start(elsewhere.Editor(), "", elsewhere.Directory()));
  EXPECT_TRUE(second.WaitForExit(kDeadlineMs));
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == first.Dialog(); }, kDeadlineMs));
  EXPECT_EQ(WindowsTitled(ToShiftJis(L"Rovatick環境設定").c_str()),
            std::vector<HWND>{first.Dialog()});
  EXPECT_TRUE(first.Process().Running());
  EXPECT_EQ(elsewhere.FileNames(), std::vector<std::string>{"curset.exe"});
}

}  // namespace
