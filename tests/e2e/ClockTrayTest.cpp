// The tray icon and its menu as a user meets them in Wine's notification
// area: the icon and its tooltip, which mouse messages open the menu, how the
// menu closes, the editor it starts (and the programs it must never start),
// Exit, and the icon's return after the shell restarts.
#include "ClockDriver.h"
#include "LiveGdiObjects.h"
#include "ScreenPixels.h"
#include "TopWindows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <shellapi.h>
#include <string>
#include <vector>

namespace {

const std::string kStandInExe = WindowsPathOf(STAND_IN_EXE);
const std::string kSmallIconMap = WindowsPathOf(SMALL_ICON_MAP);


// The colour of a letter of the pixel map the small image of the icon is drawn
// from (one row per line): K black, R dark red, W white, '.' transparent.
COLORREF MapColour(char c) {
  return c == 'K' ? RGB(0, 0, 0) : c == 'R' ? RGB(128, 0, 0) : RGB(255, 255, 255);
}

class TrayIcon : public ClockTest {
 protected:
  explicit TrayIcon(const std::string& subdirectory = "clock") : ClockTest(subdirectory) {}

  // A menu left open by a failed test is closed before the clock is ended:
  // Wine keeps a killed menu's state long enough to upset the next test.
  void TearDown() override {
    if (clock.OpenMenu() != nullptr) EscapeClosesMenu();
  }

  ::testing::AssertionResult StartClock() {
    const ::testing::AssertionResult started = StartOn();
    if (!started) return started;
    return TrayIconsShown(1);
  }

  HWND Icon() const {
    const std::vector<HWND> icons = TrayIconWindows();
    return icons.size() == 1 ? icons.front() : nullptr;
  }

  bool MenuClosed() {
    return WaitUntil([&] { return clock.OpenMenu() == nullptr; });
  }
  // Escape to the open menu, which closes it.
  bool EscapeClosesMenu() {
    PostMessageA(clock.OpenMenu(), WM_KEYDOWN, VK_ESCAPE, 0);
    return MenuClosed();
  }

  // Made before the clock starts, which passes it on to what it starts; it
  // goes first, so that it opens and the stand-ins end before the clock and
  // their folder go.
  StandInGate gate;
};

TEST_F(TrayIcon, ShowsTheArrowOnTheClockWithTheTooltipRovatick) {
  ASSERT_TRUE(StartClock());
  EXPECT_EQ(TrayIconTip(Icon()), L"rovatick");

  // The icon window shows the small image pixel for pixel, centred.
  const std::vector<std::string> map = LinesOf(ReadBytes(kSmallIconMap));
  ASSERT_EQ(map.size(), 16u);
  ASSERT_TRUE(clock.BoxBeside({700, 600})) << "keeps the box away from the tray";
  const RECT window = ScreenRectOf(Icon());
  const int size = static_cast<int>(map.size());
  const RECT image = {(window.left + window.right - size) / 2, (window.top + window.bottom - size) / 2,
                      (window.left + window.right + size) / 2, (window.top + window.bottom + size) / 2};
  int mismatches = 0;
  EXPECT_TRUE(WaitUntil([&] {
    const std::vector<COLORREF> pixels = ScreenPixels(image);
    if (pixels.size() != static_cast<size_t>(size * size)) return false;
    mismatches = 0;
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        const char c = map[y][x];
        if (c != '.' && pixels[y * size + x] != MapColour(c)) ++mismatches;
      }
    }
    return mismatches == 0;
  })) << mismatches << " pixels differ from the pixel map";
}

TEST_F(TrayIcon, OnlyTheRightButtonsReleaseOpensTheMenu) {
  ASSERT_TRUE(StartClock());
  // Delivered synchronously: a handler that opened a menu would not return
  // until the menu closed, and the send would time out.
  for (UINT mouse : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN,
                     WM_RBUTTONDBLCLK, WM_MBUTTONDOWN, WM_MBUTTONUP, WM_CONTEXTMENU}) {
    DWORD_PTR result = 1;
    EXPECT_NE(SendMessageTimeoutA(clock.Popup(), kTrayNotify, 0, mouse, SMTO_NORMAL, 5000, &result),
              0)
        << "mouse message " << mouse;
    EXPECT_EQ(clock.OpenMenu(), nullptr) << "mouse message " << mouse;
  }

  ASSERT_TRUE(SetCursorPos(300, 250));
  PostMessageA(clock.Popup(), kTrayNotify, 0, WM_RBUTTONUP);
  ASSERT_TRUE(WaitUntil([&] { return clock.MenuTracking(); }));
  const RECT menuRect = ScreenRectOf(clock.OpenMenu());
  EXPECT_EQ(Describe(menuRect).substr(0, 9), "(300,250)") << "the menu's corner at the pointer";
  EXPECT_TRUE(EscapeClosesMenu());

  // The real icon reports the release of the right button the same way.
  ASSERT_NE(clock.OpenTrayMenu(), nullptr);
  EXPECT_TRUE(EscapeClosesMenu());
}

TEST_F(TrayIcon, TheMenuClosesOnEscapeOrAClickElsewhereAndChangesNothing) {
  TestWindow elsewhere("elsewhere", {500, 400, 800, 600});
  SetForegroundWindow(elsewhere.Get());
  ASSERT_TRUE(StartClock());
  ASSERT_TRUE(clock.BoxBeside({100, 200}));

  // The user works in another window, then right-clicks the icon.
  SetForegroundWindow(elsewhere.Get());
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == elsewhere.Get(); }));
  ASSERT_NE(clock.OpenTrayMenu(), nullptr);
  keybd_event(VK_ESCAPE, 0, 0, 0);  // input as the user makes it: to the foreground thread
  keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
  EXPECT_TRUE(MenuClosed()) << "Escape closes the menu";

  SetForegroundWindow(elsewhere.Get());
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == elsewhere.Get(); }));
  ASSERT_NE(clock.OpenTrayMenu(), nullptr);
  ASSERT_TRUE(SetCursorPos(650, 500));
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);  // where the pointer is
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  EXPECT_TRUE(MenuClosed()) << "a click outside the menu closes it";

  EXPECT_TRUE(clock.Running());
  EXPECT_EQ(TrayIconWindows().size(), 1u);
  EXPECT_TRUE(clock.StartedPrograms().empty());
}

// Exit from the menu of the icon; after the shell restarts, the icon that
// comes back is the working one: its menu still ends the clock.
TEST_F(TrayIcon, ComesBackWhenTheShellRestartsAndExitRemovesItWithCodeZero) {
  ASSERT_TRUE(StartClock());
  const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");

  // A shell that still holds the icon keeps exactly one, brought up to date.
  NOTIFYICONDATAA stale = {};
  stale.cbSize = NOTIFYICONDATAA_V1_SIZE;
  stale.hWnd = clock.Popup();
  stale.uID = 0;
  stale.uFlags = NIF_TIP;
  lstrcpynA(stale.szTip, "stale", sizeof stale.szTip);
  ASSERT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &stale));
  ASSERT_EQ(TrayIconTip(Icon()), L"stale");
  SendMessageA(clock.Popup(), taskbarCreated, 0, 0);
  EXPECT_EQ(TrayIconWindows().size(), 1u);
  EXPECT_EQ(TrayIconTip(Icon()), L"rovatick");

  // A restarted shell has forgotten every icon; its broadcast brings ours back.
  ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &stale));
  ASSERT_TRUE(TrayIconsShown(0));
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(HWND_BROADCAST, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
  ASSERT_TRUE(TrayIconsShown(1));
  EXPECT_EQ(TrayIconTip(Icon()), L"rovatick");

  ASSERT_TRUE(clock.ChooseFromTrayMenu(kExitCommand));
  EXPECT_TRUE(clock.EndsWithCodeZero());
  EXPECT_TRUE(TrayIconWindows().empty());
}

// The clock lives in a directory whose name holds a space, with a decoy
// program where an unquoted path would be split.
class EditorLaunch : public TrayIcon {
 protected:
  EditorLaunch() : TrayIcon("my dir") {}

  std::string Editor() const { return home.File("curset.exe"); }
  std::string Decoy() const { return home.Root() + "\\my.exe"; }

  ::testing::AssertionResult PlaceDecoy() { return home.Add(kStandInExe, "..\\my.exe"); }
  ::testing::AssertionResult PlaceEditor() { return home.Add(kStandInExe, "curset.exe"); }

  int EditorsRunning() const {
    const std::vector<std::string> started = clock.StartedPrograms();
    return static_cast<int>(std::count(started.begin(), started.end(), "curset.exe"));
  }
};

TEST_F(EditorLaunch, PreferencesStartsTheEditorBesideTheClockByItsFullPath) {
  ASSERT_TRUE(PlaceDecoy());
  ASSERT_TRUE(PlaceEditor());
  ASSERT_TRUE(StartClock());

  ASSERT_TRUE(clock.ChooseFromTrayMenu(kPreferencesCommand));
  ASSERT_TRUE(WaitUntil([&] { return StandInStarts(Editor()).size() == 1; }))
      << "started: " << ::testing::PrintToString(clock.StartedPrograms());
  EXPECT_TRUE(MenuClosed());
  EXPECT_EQ(StandInStarts(Editor()), std::vector<std::string>{"\"" + Editor() + "\" show 1"})
      << "exactly the quoted path, no arguments, shown as a window normally is";
  EXPECT_EQ(EditorsRunning(), 1);

  // Each choice starts another editor; the clock holds nothing of the first.
  SendMessageA(clock.Popup(), WM_COMMAND, kPreferencesCommand, 0);
  EXPECT_EQ(EditorsRunning(), 2);
  const size_t handles = KernelHandlesOf(clock.Id());
  for (int launch = 0; launch < 20; ++launch) SendMessageA(clock.Popup(), WM_COMMAND, kPreferencesCommand, 0);
  EXPECT_EQ(EditorsRunning(), 22);
  EXPECT_TRUE(handles > 0 && WaitUntil([&] { return KernelHandlesOf(clock.Id()) <= handles; }))
      << "the clock's kernel handles, " << handles << " before twenty launches: " << KernelHandlesOf(clock.Id());

  const std::vector<std::string> started = clock.StartedPrograms();
  EXPECT_EQ(std::count(started.begin(), started.end(), "my.exe"), 0);
  EXPECT_TRUE(StandInStarts(Decoy()).empty()) << "the decoy never ran";
  EXPECT_TRUE(clock.Running());
}

TEST_F(EditorLaunch, WithoutAnEditorPreferencesStartsNothing) {
  ASSERT_TRUE(PlaceDecoy());
  ASSERT_TRUE(StartClock());
  // Synchronous: when it returns, anything started is running, held by the gate.
  SendMessageA(clock.Popup(), WM_COMMAND, kPreferencesCommand, 0);
  EXPECT_TRUE(clock.StartedPrograms().empty()) << "started: " << ::testing::PrintToString(clock.StartedPrograms());
  EXPECT_TRUE(StandInStarts(Decoy()).empty());
  EXPECT_TRUE(clock.Running());
  EXPECT_EQ(TrayIconWindows().size(), 1u);
}

TEST_F(EditorLaunch, AnEditorStaysWhenTheClockEnds) {
  ASSERT_TRUE(PlaceEditor());
  ASSERT_TRUE(StartClock());
  SendMessageA(clock.Popup(), WM_COMMAND, kPreferencesCommand, 0);
  ASSERT_EQ(EditorsRunning(), 1);
  EXPECT_TRUE(clock.Exit());
  EXPECT_EQ(EditorsRunning(), 1);
}

}  // namespace
