// The editor with the real clock beside it: a change applied in the editor
// shows in the running clock's box without restarting it, and neither
// program takes a DLL from the folder it was started from.
#include "ClockDriver.h"
#include "EditorDriver.h"
#include "Processes.h"
#include "SettingsRecords.h"
#include "TopWindows.h"

#include <gtest/gtest.h>

#include <string>

namespace {

LONG WidthOf(const RECT& rect) { return rect.right - rect.left; }

TEST(EditorWithClock, AnAppliedChangeShowsInTheRunningClocksBox) {
  const ProgramHome home("with-clock", {EditorCopy(), ClockCopy()});
  ASSERT_TRUE(home.Ready());
  ASSERT_TRUE(home.WriteSettings(BytesOf(DefaultRecord())));  // time only

  ClockProgram clock;
  ASSERT_TRUE(clock.Start(home.File("curlin.exe")));
  ASSERT_EQ(WindowsTitled("curlin"), std::vector<HWND>{clock.Host()})
      << "the clock's host window, which the editor looks for";
  // Sized to its text once a tick has placed it beside the pointer.
  ASSERT_TRUE(clock.BoxBeside({300, 300}));
  const LONG timeOnly = WidthOf(clock.PopupRect());

  Editor editor;
  ASSERT_TRUE(editor.Open(home));
  editor.Click(kShowDate);
  EXPECT_EQ(WidthOf(clock.PopupRect()), timeOnly) << "nothing reaches the clock before Apply";
  editor.Apply();
  // The clock reloaded while Apply waited; the next tick shows the date.
  EXPECT_TRUE(WaitUntil([&] { return WidthOf(clock.PopupRect()) > timeOnly; }));

  EXPECT_TRUE(editor.ClosesWith(kCancelButton));
  EXPECT_TRUE(clock.Exit());
}

// Every DLL the two programs load, at start or later, by name or through
// the platform code they call, that Windows does not protect as a known
// core DLL: each lies beside them as a copy of the planted DLL. Then each
// running program is asked to load one more copy by name.
TEST(EditorWithClock, NeitherProgramLoadsADllPlantedBesideThem) {
  const char* const plantedNames[] = {"compstui.dll", "winspool.drv", "uxtheme.dll", "version.dll",
                                      "msimg32.dll",  "comctl32.dll", "ucrtbase.dll"};
  const ProgramHome home("planted-dlls", {EditorCopy(), ClockCopy()});
  ASSERT_TRUE(home.Ready());
  for (const char* name : plantedNames) ASSERT_TRUE(home.Add(WindowsPathOf(PLANTED_DLL), name));
  ASSERT_TRUE(home.WriteSettings(BytesOf(DefaultRecord())));  // light yellow

  ClockProgram clock;
  ASSERT_TRUE(clock.Start(home.File("curlin.exe")));
  ASSERT_TRUE(clock.ChooseFromTrayMenu(kPreferencesCommand));
  Editor editor;
  ASSERT_TRUE(editor.OpenStarted());
  ASSERT_TRUE(editor.Pick(kFontButton));
  // The colour picker opens on black, not on the stored colour.
  ASSERT_TRUE(editor.Pick(kBackColourButton));
  editor.Apply();
  EXPECT_EQ(home.SavedRecord().backColor, RGB(0, 0, 0)) << "the change was saved";
  EXPECT_TRUE(clock.BoxBeside({200, 200})) << "the clock goes on after the reload";

  bool anyLoaded = true;
  const std::string loaded = ReadBytes(home.File("planted-dlls.log"), &anyLoaded);
  EXPECT_FALSE(anyLoaded) << "planted DLLs loaded:\n" << loaded;

  // The restriction is in force in each running program: asked from outside
  // to load a DLL by a name that lies beside it, neither finds it there; by
  // its full path each does, so the asking itself works.
  ASSERT_TRUE(home.Add(WindowsPathOf(PLANTED_DLL), "beside.dll"));
  ASSERT_TRUE(LoadLibraryInside(clock.Id(), "beside.dll"));
  EXPECT_EQ(ReadBytes(home.File("planted-dlls.log")), "") << "the clock loaded it by name";
  ASSERT_TRUE(LoadLibraryInside(editor.ProcessId(), "beside.dll"));
  EXPECT_EQ(ReadBytes(home.File("planted-dlls.log")), "") << "the editor loaded it by name";
  for (const DWORD process : {clock.Id(), editor.ProcessId()}) {
    ASSERT_TRUE(LoadLibraryInside(process, home.File("beside.dll")));
  }
  EXPECT_EQ(ReadBytes(home.File("planted-dlls.log")), "beside.dll\r\nbeside.dll\r\n");

  EXPECT_TRUE(editor.ClosesWith(kCancelButton));
  EXPECT_TRUE(clock.Exit());
}

}  // namespace
