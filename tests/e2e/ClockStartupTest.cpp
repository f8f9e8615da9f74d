// Starting and ending the clock: its hidden host window and the box it owns,
// one clock per desktop, the requests that must not end it and the ones that
// end it with exit code 0.
#include "ClockDriver.h"
#include "ScreenPixels.h"
#include "TopWindows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using ClockStartup = ClockTest;

TEST_F(ClockStartup, ShowsOnlyTheBoxOwnedByAHiddenHostWindowTitledCurlin) {
  ASSERT_TRUE(StartOn());
  EXPECT_EQ(ClassOf(clock.Host()), "curlin");
  EXPECT_EQ(TitleOf(clock.Host()), "curlin");
  EXPECT_FALSE(IsWindowVisible(clock.Host()));
  EXPECT_EQ(WindowsTitled("curlin"), std::vector<HWND>{clock.Host()});
  // Made at the platform's default place and size, larger than the least a
  // captioned window may be. Its class redraws it whole when resized either
  // way, and erases it in the window colour: a program that shows it sees
  // that colour, not what lay beneath (the box stays by the pointer, away
  // from it).
  const RECT made = ScreenRectOf(clock.Host());
  EXPECT_TRUE(made.right - made.left > GetSystemMetrics(SM_CXMINTRACK) &&
              made.bottom - made.top > GetSystemMetrics(SM_CYMINTRACK)) << Describe(made);
  EXPECT_EQ(GetClassLongPtrA(clock.Host(), GCL_STYLE), static_cast<ULONG_PTR>(CS_HREDRAW | CS_VREDRAW));
  ASSERT_TRUE(clock.BoxBeside({600, 500}));
  SetWindowPos(clock.Host(), HWND_TOPMOST, 40, 40, 200, 150, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  RECT client = ScreenRectOf(clock.Host());
  InflateRect(&client, -40, -40);  // inside the caption and the borders
  EXPECT_TRUE(WaitUntil([&] {
    const std::vector<COLORREF> pixels = ScreenPixels(client);
    return !pixels.empty() && CountOf(pixels, GetSysColor(COLOR_WINDOW)) == pixels.size();
  })) << "the shown host window's client area " << Describe(client);
  ShowWindow(clock.Host(), SW_HIDE);

  EXPECT_EQ(ClassOf(clock.Popup()), "#32770") << "the box is a dialog";
  EXPECT_EQ(TitleOf(clock.Popup()), "");
  EXPECT_EQ(GetWindow(clock.Popup(), GW_OWNER), clock.Host());
  const LONG style = GetWindowLongA(clock.Popup(), GWL_STYLE);
  EXPECT_NE(style & WS_POPUP, 0);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_BORDER | WS_THICKFRAME), 0)
      << "no caption, border or system menu";
}

TEST_F(ClockStartup, ASecondStartEndsAtOnceWithCodeZeroAndAddsNothing) {
  ASSERT_TRUE(StartOn());
  ASSERT_TRUE(TrayIconsShown(1));

  // From another directory too: one clock per desktop.
  const ProgramHome elsewhere("clock", {ClockCopy()}, "elsewhere");
  ASSERT_TRUE(elsewhere.Ready());
  for (const std::string& exe : {home.File("curlin.exe"), elsewhere.File("curlin.exe")}) {
    ClockProgram second;
    ASSERT_TRUE(second.Launch(exe));
    EXPECT_TRUE(second.EndsWithCodeZero()) << exe;
  }
  EXPECT_TRUE(clock.Running());
  EXPECT_EQ(WindowsTitled("curlin"), std::vector<HWND>{clock.Host()});
  EXPECT_EQ(TrayIconWindows().size(), 1u);
}

TEST_F(ClockStartup, AnyWindowTitledCurlinPreventsTheStart) {
  TestWindow impostor("curlin", {0, 0, 10, 10}, false, /*visible=*/false);
  ASSERT_NE(impostor.Get(), nullptr);
  ASSERT_TRUE(clock.Launch(home.File("curlin.exe")));
  EXPECT_TRUE(clock.EndsWithCodeZero());
  EXPECT_EQ(WindowsTitled("curlin"), std::vector<HWND>{impostor.Get()});
}

TEST_F(ClockStartup, EscapeEnterAndCloseRequestsToTheBoxLeaveItRunning) {
  ASSERT_TRUE(StartOn());
  PostMessageA(clock.Popup(), WM_KEYDOWN, VK_ESCAPE, 0);
  PostMessageA(clock.Popup(), WM_KEYDOWN, VK_RETURN, 0);
  PostMessageA(clock.Popup(), WM_COMMAND, IDCANCEL, 0);
  PostMessageA(clock.Popup(), WM_COMMAND, IDOK, 0);
  PostMessageA(clock.Popup(), WM_CLOSE, 0, 0);
  PostMessageA(clock.Popup(), WM_COMMAND, 12345, 0);
  // A timer call comes only when no posted message waits, so the box moving
  // again shows that all of them have been handled; the close request turns
  // into a cancel command posted in its turn, handled before the second move.
  EXPECT_TRUE(clock.BoxBeside({337, 320}));
  EXPECT_TRUE(clock.BoxBeside({374, 320}));
  EXPECT_TRUE(clock.Running());
  EXPECT_TRUE(IsWindowVisible(clock.Popup()));
}

TEST_F(ClockStartup, ACloseRequestToTheHostWindowEndsTheClockWithCodeZero) {
  ASSERT_TRUE(StartOn());
  ASSERT_TRUE(TrayIconsShown(1));
  PostMessageA(clock.Host(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(clock.EndsWithCodeZero());
  EXPECT_TRUE(TrayIconWindows().empty());
  EXPECT_TRUE(WindowsTitled("curlin").empty());
}

TEST_F(ClockStartup, AStartThatFailsSaysWhyAtOnce) {
  const std::string missing = home.File("missing.exe");
  const ::testing::AssertionResult started = clock.Start(missing);
  EXPECT_FALSE(started);
  EXPECT_NE(std::string(started.message()).find("GetLastError() 2"), std::string::npos)
      << "ERROR_FILE_NOT_FOUND is named: " << started.message();
}

}  // namespace
