// The editor with the real clock beside it: a change applied in the editor
// shows in the running clock's box without restarting it.
#include "ClockDriver.h"
#include "EditorDriver.h"
#include "SettingsRecords.h"
#include "TopWindows.h"

#include <gtest/gtest.h>

#include <string>

namespace {

LONG WidthOf(const RECT& rect) { return rect.right - rect.left; }

TEST(EditorWithClock, AnAppliedChangeShowsInTheRunningClocksBox) {
  EditorHome home("with-clock");
  ASSERT_TRUE(home.Ready());
  ASSERT_TRUE(home.Add(ClockExe(), "curlin.exe"));
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

  editor.PostClick(kCancelButton);
  EXPECT_TRUE(editor.EndsWithCodeZero());
  EXPECT_TRUE(clock.Exit());
}

}  // namespace
