// Every way a save from the dialog can fail here: the file held open by
// another program, a full disk, a read-only directory. Each leaves the
// old file byte for byte and no other file, sends no reload request, shows
// the error box and keeps the dialog open; once the cause is gone the same
// dialog saves. A clock that has stopped responding does not freeze it.
#include "EditorDriver.h"
#include "ReloadReceiver.h"
#include "SettingsRecords.h"
#include "TopWindows.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

// The defaults in other colours: their pictures are what the editor composes
// from their choices, so a save changes only what a test changes.
ClockSettings OldRecord() {
  ClockSettings record = DefaultRecord();
  record.backColor = RGB(1, 2, 3);
  return record;
}

// OldRecord after a click on "午前午後を表示する" (show AM/PM).
ClockSettings WithAmPm() {
  ClockSettings record = OldRecord();
  record.showAmPm = 1;
  SetText(record.timePicture, "tt HH':'mm");
  return record;
}

using EditorSaveFaults = EditorTest;

TEST_F(EditorSaveFaults, AFileHeldOpenByAnotherProgram) {
  ReloadReceiver clock(home.SettingsFile());
  ASSERT_TRUE(OpenOn(OldRecord()));
  editor.Click(kShowAmPm);
  // Another program takes the file for itself after the editor has read it.
  HANDLE held = CreateFileA(home.SettingsFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);

  EXPECT_TRUE(editor.SaveFailsWithTheErrorBox(kOkButton));
  CloseHandle(held);
  EXPECT_EQ(ReadBytes(home.SettingsFile()), BytesOf(OldRecord()));
  EXPECT_EQ(home.FileNames(), (std::vector<std::string>{"curlin.dat", "curset.exe"}));
  EXPECT_EQ(clock.Requests(), 0);

  ASSERT_TRUE(editor.ClosesWith(kOkButton));
  EXPECT_EQ(ReadBytes(home.SettingsFile()), BytesOf(WithAmPm()));
  EXPECT_EQ(clock.Requests(), 1);
}

TEST_F(EditorSaveFaults, AFullDisk) {
  const char* mounted = std::getenv("CURLIN_FULL_DIR");
  if (mounted == nullptr) GTEST_SKIP() << "no small file system could be mounted here";
  const std::string directory = WindowsPathOf(mounted);
  const std::string editorPath = directory + "\\curset.exe";
  const std::string settingsFile = directory + "\\curlin.dat";
  const std::string filler = directory + "\\filler";
  ASSERT_TRUE(CopyFileA(EditorExe().c_str(), editorPath.c_str(), FALSE));
  WriteBytes(settingsFile, BytesOf(OldRecord()));

  // Fill every remaining block.
  HANDLE file = CreateFileA(filler.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  const std::string block(4096, 'f');
  DWORD written = 0;
  while (WriteFile(file, block.data(), static_cast<DWORD>(block.size()), &written, nullptr) &&
         written == block.size()) {
  }
  CloseHandle(file);
  ReloadReceiver clock(settingsFile);

  ASSERT_TRUE(editor.Open(editorPath, directory));
  editor.Click(kShowAmPm);
  EXPECT_TRUE(editor.SaveFailsWithTheErrorBox(kApplyButton));
  EXPECT_EQ(ReadBytes(settingsFile), BytesOf(OldRecord()));
  EXPECT_EQ(FileNamesIn(directory), (std::vector<std::string>{"curlin.dat", "curset.exe", "filler"}));
  EXPECT_EQ(clock.Requests(), 0);

  // Room made, the same dialog saves.
  DeleteFileA(filler.c_str());
  ASSERT_TRUE(editor.ClosesWith(kOkButton));
  EXPECT_EQ(ReadBytes(settingsFile), BytesOf(WithAmPm()));
  EXPECT_EQ(clock.Requests(), 1);
}

TEST_F(EditorSaveFaults, AReadOnlyDirectory) {
  const char* mounted = std::getenv("CURLIN_READONLY_DIR");
  if (mounted == nullptr) GTEST_SKIP() << "no read-only directory could be mounted here";
  const std::string directory = WindowsPathOf(mounted);
  ReloadReceiver clock(directory + "\\curlin.dat");

  ASSERT_TRUE(editor.Open(directory + "\\curset.exe", directory));
  EXPECT_TRUE(editor.SaveFailsWithTheErrorBox(kOkButton));
  EXPECT_TRUE(editor.SaveFailsWithTheErrorBox(kApplyButton));
  EXPECT_EQ(FileNamesIn(directory), std::vector<std::string>{"curset.exe"});
  EXPECT_EQ(clock.Requests(), 0);
  EXPECT_TRUE(editor.ClosesWith(kCancelButton));
}

TEST_F(EditorSaveFaults, AClockThatStoppedRespondingDoesNotFreezeTheEditor) {
  ReloadReceiver clock(home.SettingsFile());
  clock.Hang();
  ASSERT_TRUE(OpenOn(OldRecord()));
  editor.Click(kShowAmPm);

  // Apply gives up on the hung clock after its bounded wait; the file is saved.
  editor.PostClick(kApplyButton);
  EXPECT_TRUE(WaitUntil([&] { return ReadBytes(home.SettingsFile()) == BytesOf(WithAmPm()); }));
  EXPECT_TRUE(WaitUntil([&] { return static_cast<bool>(AnswersThroughout(editor.Dialog(), 0, 2000)); }));
  EXPECT_EQ(editor.WaitForModal(L"エラー", 500), nullptr) << "a saved file is no failure";

  // It goes on working: another change, and OK saves and closes.
  editor.Click(kShowAmPm);
  ASSERT_TRUE(editor.ClosesWith(kOkButton));
  EXPECT_EQ(ReadBytes(home.SettingsFile()), BytesOf(OldRecord()));
}

}  // namespace
