// Saving from the editor: Apply and OK write exactly the record, every way of
// cancelling writes nothing, a failed save is reported and keeps the dialog,
// a running clock is told after the file is complete, and a second editor
// gives way to the first.
#include "EditorDriver.h"
#include "ReloadReceiver.h"
#include "SettingsRecords.h"
#include "TopWindows.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

const std::vector<std::string> kOnlyEditorAndFile = {"curlin.dat", "curset.exe"};

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
  SetChoices(record, 2, 1, 1, 1, 1);
  return record;
}

// Changes that touch a check box and lists, and the record they give on
// Apply when made on StoredRecord(): the pictures as a reader of the lists
// composes them.
void MakeChanges(const Editor& editor) {
  editor.Choose(kDateFormatList, 0);     // yyyy/mm/dd
  editor.Click(kShowAmPm);               // AM/PM on
  editor.Choose(kTimeSeparatorList, 0);  // blank between hours and minutes
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

using EditorSave = EditorTest;

TEST_F(EditorSave, ApplyStoresTheExactRecordAndKeepsTheDialogOpen) {
  ASSERT_TRUE(OpenOn(StoredRecord()));
  MakeChanges(editor);
  EXPECT_EQ(ReadBytes(home.SettingsFile()), BytesOf(StoredRecord())) << "changes wait for Apply";

  editor.Apply();
  EXPECT_EQ(ReadBytes(home.SettingsFile()), BytesOf(ChangedRecord()));
  EXPECT_TRUE(editor.Running());
  EXPECT_EQ(WindowsOf(editor.ProcessId(), "#32770"), std::vector<HWND>{editor.Dialog()})
      << "no clock running is no reason for a message";

  // The date off: the flag is stored as 0 and the date picture stays.
  editor.Click(kShowDate);
  editor.Apply();
  ClockSettings expected = ChangedRecord();
  expected.showDate = 0;
  EXPECT_EQ(ReadBytes(home.SettingsFile()), BytesOf(expected));
  EXPECT_EQ(home.FileNames(), kOnlyEditorAndFile);
}

TEST_F(EditorSave, OkAndTheEnterKeyStoreTheExactRecordAndClose) {
  ASSERT_TRUE(OpenOn(StoredRecord()));
  MakeChanges(editor);
  ASSERT_TRUE(editor.ClosesWith(kOkButton));
  EXPECT_EQ(ReadBytes(home.SettingsFile()), BytesOf(ChangedRecord()));
  EXPECT_TRUE(WindowsTitled(kEditorTitle.c_str()).empty());

  // Enter from a check box: it is the default button that answers, not a
  // focused one.
  Editor again;
  ASSERT_TRUE(again.OpenOn(home, StoredRecord()));
  MakeChanges(again);
  PostMessageW(again.Control(kShowDate), WM_KEYDOWN, VK_RETURN, 0);
  ASSERT_TRUE(again.EndsWithCodeZero());
  EXPECT_EQ(ReadBytes(home.SettingsFile()), BytesOf(ChangedRecord()));
}

TEST_F(EditorSave, CancelButtonCloseBoxAndEscapeWriteNothing) {
  const std::pair<const char*, void (*)(const Editor&)> kWaysOut[] = {
      {"cancel button", [](const Editor& e) { e.PostClick(kCancelButton); }},
      {"close box", [](const Editor& e) { PostMessageW(e.Dialog(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
      {"escape", [](const Editor& e) { PostMessageW(e.Control(kOkButton), WM_KEYDOWN, VK_ESCAPE, 0); }},
  };
  for (const auto& [name, leave] : kWaysOut) {
    SCOPED_TRACE(name);
    Editor each;
    ASSERT_TRUE(each.OpenOn(home, StoredRecord()));
    MakeChanges(each);
    each.Click(kShowDate);
    leave(each);
    ASSERT_TRUE(each.EndsWithCodeZero());
    EXPECT_EQ(ReadBytes(home.SettingsFile()), BytesOf(StoredRecord()));
    EXPECT_EQ(home.FileNames(), kOnlyEditorAndFile);
  }
}

TEST_F(EditorSave, ACancelWithoutASettingsFileMakesNone) {
  ASSERT_TRUE(editor.Open(home));
  editor.Click(kShowDate);
  ASSERT_TRUE(editor.ClosesWith(kCancelButton));
  EXPECT_EQ(home.FileNames(), std::vector<std::string>{"curset.exe"});
}

TEST_F(EditorSave, AReadOnlyFileShowsTheErrorAndOkKeepsTheDialogUntilASaveSucceeds) {
  ASSERT_TRUE(home.WriteSettings(BytesOf(StoredRecord())));
  ASSERT_TRUE(SetFileAttributesA(home.SettingsFile().c_str(), FILE_ATTRIBUTE_READONLY));
  ReloadReceiver clock(home.SettingsFile());
  ASSERT_TRUE(editor.Open(home));
  MakeChanges(editor);

  EXPECT_TRUE(editor.SaveFailsWithTheErrorBox(kOkButton))
      << "OK after a failed save keeps the dialog";
  EXPECT_EQ(ReadBytes(home.SettingsFile()), BytesOf(StoredRecord()));
  EXPECT_EQ(clock.Requests(), 0) << "nothing saved, nothing to reload";

  EXPECT_TRUE(editor.SaveFailsWithTheErrorBox(kApplyButton));  // Apply fails the same way

  // The cause removed, OK saves everything changed so far and closes.
  ASSERT_TRUE(SetFileAttributesA(home.SettingsFile().c_str(), FILE_ATTRIBUTE_NORMAL));
  ASSERT_TRUE(editor.ClosesWith(kOkButton));
  EXPECT_EQ(ReadBytes(home.SettingsFile()), BytesOf(ChangedRecord()));
  EXPECT_EQ(clock.Requests(), 1);
}

TEST_F(EditorSave, TheClockIsToldOnlyAfterTheWholeFileIsInPlace) {
  ASSERT_TRUE(home.WriteSettings(BytesOf(StoredRecord())));
  ReloadReceiver clock(home.SettingsFile());
  ASSERT_NE(clock.Window(), nullptr);
  ASSERT_TRUE(editor.Open(home));
  MakeChanges(editor);
  EXPECT_EQ(clock.Requests(), 0);

  editor.Apply();  // returns when the editor has handled it, reload included
  EXPECT_EQ(clock.Requests(), 1);
  EXPECT_EQ(clock.BytesSeen(), BytesOf(ChangedRecord()));

  editor.Click(kShowDate);
  ASSERT_TRUE(editor.ClosesWith(kOkButton));
  EXPECT_EQ(clock.Requests(), 2);
  ClockSettings expected = ChangedRecord();
  expected.showDate = 0;
  EXPECT_EQ(clock.BytesSeen(), BytesOf(expected));
}

TEST_F(EditorSave, ASecondEditorBringsTheFirstToTheFrontAndEnds) {
  ASSERT_TRUE(editor.Open(home));

  // A plain window of the test's own holds the foreground meanwhile.
  TestWindow holder("foreground holder", {600, 500, 700, 550});
  SetForegroundWindow(holder.Get());
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == holder.Get(); }));

  // Another copy in another directory: the title alone decides.
  const ProgramHome elsewhere("single-second", {EditorCopy()});
  ASSERT_TRUE(elsewhere.Ready());
  Editor second;
  ASSERT_TRUE(second.Launch(elsewhere));
  EXPECT_TRUE(second.EndsWithCodeZero());
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == editor.Dialog(); }));
  EXPECT_EQ(WindowsTitled(kEditorTitle.c_str()), std::vector<HWND>{editor.Dialog()});
  EXPECT_TRUE(editor.Running());
  EXPECT_EQ(elsewhere.FileNames(), std::vector<std::string>{"curset.exe"});
}

}  // namespace
