// Starting and ending the clock: its hidden host window and the box it owns,
// one clock per desktop, the requests that must not end it and the ones that
// end it with exit code 0.
#include "ClockDriver.h"
#include "Processes.h"
#include "SettingsFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kClockExe = WindowsPathOf(CURLIN_EXE);

std::string TitleOf(HWND window) {
  char title[256] = {};
  GetWindowTextA(window, title, sizeof title);
  return title;
}

class ClockStartup : public ::testing::Test {
 protected:
  ClockStartup() : home(kClockExe) {}

  void StartClock() {
    ASSERT_TRUE(home.Ready());
    ASSERT_TRUE(clock.Start(home.Clock()));
    ASSERT_TRUE(clock.WaitForWindows());
  }

  // Waits for the box to follow the pointer to a new place: the clock has
  // then handled every message posted to it before.
  ::testing::AssertionResult TicksAfterPostedMessages() {
    static int step = 0;
    const POINT pointer = {300 + 37 * (++step % 10), 320};
    if (!MovePointer(pointer.x, pointer.y)) return ::testing::AssertionFailure() << "pointer";
    if (WaitUntil(
            [&] {
              const RECT box = clock.PopupRect();
              return box.left == pointer.x + 8 && box.top == pointer.y - 4;
            },
            kClockDeadlineMs)) {
      return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "the box did not follow the pointer";
  }

  ClockHome home;
  ClockProgram clock;
};

TEST_F(ClockStartup, ShowsOnlyTheBoxOwnedByAHiddenHostWindowTitledCurlin) {
  StartClock();
  EXPECT_EQ(ClassOf(clock.Host()), "curlin");
  EXPECT_EQ(TitleOf(clock.Host()), "curlin");
  EXPECT_FALSE(IsWindowVisible(clock.Host()));
  EXPECT_EQ(TopLevelWindowsTitled("curlin"), std::vector<HWND>{clock.Host()});

  EXPECT_EQ(ClassOf(clock.Popup()), "#32770") << "the box is a dialog";
  EXPECT_EQ(TitleOf(clock.Popup()), "");
  EXPECT_EQ(GetWindow(clock.Popup(), GW_OWNER), clock.Host());
  const LONG style = GetWindowLongA(clock.Popup(), GWL_STYLE);
  EXPECT_NE(style & WS_POPUP, 0);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_BORDER | WS_THICKFRAME), 0)
      << "no caption, border or system menu";
}

TEST_F(ClockStartup, ASecondStartEndsAtOnceWithCodeZeroAndAddsNothing) {
  StartClock();
  ASSERT_TRUE(WaitUntil([] { return TrayIconWindows().size() == 1; }, kClockDeadlineMs));

  // From another directory too: one clock per desktop.
  ClockHome elsewhere(kClockExe, "elsewhere");
  ASSERT_TRUE(elsewhere.Ready());
  for (const std::string& exe : {home.Clock(), elsewhere.Clock()}) {
    ClockProgram second;
    ASSERT_TRUE(second.Start(exe));
    DWORD code = 0xFFFF;
    ASSERT_TRUE(second.WaitForExit(kClockDeadlineMs, &code)) << exe;
    EXPECT_EQ(code, 0u) << exe;
  }
  EXPECT_TRUE(clock.Running());
  EXPECT_EQ(TopLevelWindowsTitled("curlin"), std::vector<HWND>{clock.Host()});
  EXPECT_EQ(TrayIconWindows().size(), 1u);
}

TEST_F(ClockStartup, AnyWindowTitledCurlinPreventsTheStart) {
  TestWindow impostor("curlin", {0, 0, 10, 10}, false, /*visible=*/false);
  ASSERT_NE(impostor.Get(), nullptr);
  ASSERT_TRUE(home.Ready());
  ASSERT_TRUE(clock.Start(home.Clock()));
  DWORD code = 0xFFFF;
  ASSERT_TRUE(clock.WaitForExit(kClockDeadlineMs, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(TopLevelWindowsTitled("curlin"), std::vector<HWND>{impostor.Get()});
}

TEST_F(ClockStartup, EscapeEnterAndCloseRequestsToTheBoxLeaveItRunning) {
  StartClock();
  PostMessageA(clock.Popup(), WM_KEYDOWN, VK_ESCAPE, 0);
  PostMessageA(clock.Popup(), WM_KEYDOWN, VK_RETURN, 0);
  PostMessageA(clock.Popup(), WM_COMMAND, IDCANCEL, 0);
  PostMessageA(clock.Popup(), WM_COMMAND, IDOK, 0);
  PostMessageA(clock.Popup(), WM_CLOSE, 0, 0);
  PostMessageA(clock.Popup(), WM_COMMAND, 12345, 0);
  // A timer call comes only when no posted message waits, so the box moving
  // again shows that all of them have been handled.
  EXPECT_TRUE(TicksAfterPostedMessages());
  // The close request turns into a cancel command posted in its turn.
  EXPECT_TRUE(TicksAfterPostedMessages());
  EXPECT_TRUE(clock.Running());
  EXPECT_TRUE(IsWindowVisible(clock.Popup()));
}

TEST_F(ClockStartup, ACloseRequestToTheHostWindowEndsTheClockWithCodeZero) {
  StartClock();
  ASSERT_TRUE(WaitUntil([] { return TrayIconWindows().size() == 1; }, kClockDeadlineMs));
  PostMessageA(clock.Host(), WM_CLOSE, 0, 0);
  DWORD code = 0xFFFF;
  ASSERT_TRUE(clock.WaitForExit(kClockDeadlineMs, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(TrayIconWindows().empty());
  EXPECT_TRUE(TopLevelWindowsTitled("curlin").empty());
}

}  // namespace
