// The tray icon and its menu as a user meets them in Wine's notification
// area: the icon and its tooltip, which mouse messages open the menu, how the
// menu closes, the editor it starts (and the programs it must never start),
// Exit, and the icon's return after the shell restarts.
#include "ClockDriver.h"
#include "Processes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <shellapi.h>
#include <string>
#include <vector>

namespace {

const std::string kClockExe = WindowsPathOf(CURLIN_EXE);
const std::string kStandInExe = WindowsPathOf(STAND_IN_EXE);
const std::string kSmallIconMap = WindowsPathOf(SMALL_ICON_MAP);

// The clock's own numbers, as other programs see them.
constexpr UINT kTrayNotify = WM_USER + 1;
constexpr WORD kPreferences = 32771;
constexpr WORD kExit = 32773;

bool Contains(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

std::string Joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += name + " ";
  return text;
}

// Keyboard input as the user types it: it goes to the foreground thread.
void PressKey(WORD key) {
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_KEYBOARD;
  input[0].ki.wVk = input[1].ki.wVk = key;
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, input, sizeof input[0]);
}

// A left click where the pointer is, as the user makes it.
void ClickLeft() {
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_MOUSE;
  input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, input, sizeof input[0]);
}

// The pixel map the small image of the icon is drawn from: one row per line,
// K black, R dark red, W white, '.' transparent.
std::vector<std::string> ReadPixelMap(const std::string& path) {
  std::vector<std::string> rows;
  const std::string text = ReadBytes(path);
  size_t begin = 0;
  for (size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', begin)) {
    if (end > begin) rows.push_back(text.substr(begin, end - begin));
    begin = end + 1;
  }
  return rows;
}

COLORREF MapColour(char c) {
  switch (c) {
    case 'K': return RGB(0, 0, 0);
    case 'R': return RGB(128, 0, 0);
    default: return RGB(255, 255, 255);
  }
}

class TrayIcon : public ::testing::Test {
 protected:
  explicit TrayIcon(const std::string& subdirectory = "clock") : home(kClockExe, subdirectory) {}

  // A menu left open by a failed test is closed before the clock is ended:
  // Wine keeps a killed menu's state long enough to upset the next test.
  void TearDown() override {
    if (HWND menu = clock.OpenMenu()) {
      PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
      MenuClosed();
    }
  }

  void StartClock() {
    ASSERT_TRUE(home.Ready());
    ASSERT_TRUE(clock.Start(home.Clock()));
    ASSERT_TRUE(clock.WaitForWindows());
    ASSERT_TRUE(WaitUntil([] { return TrayIconWindows().size() == 1; }, kClockDeadlineMs))
        << "the clock adds one icon to the notification area";
  }

  HWND Icon() const {
    const std::vector<HWND> icons = TrayIconWindows();
    return icons.size() == 1 ? icons.front() : nullptr;
  }

  // Releases the right button over the icon, as the user does to open the menu.
  // Up from no selection reaches the last command, 終了 (Exit); the clock
  // must then end with code 0.
  void ChooseExitAndExpectCodeZero(HWND menu) {
    PostMessageA(menu, WM_KEYDOWN, VK_UP, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    DWORD code = 0xFFFF;
    ASSERT_TRUE(clock.WaitForExit(kClockDeadlineMs, &code));
    EXPECT_EQ(code, 0u);
  }

  HWND OpenMenuFromIcon() {
    PostMessageA(Icon(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    PostMessageA(Icon(), WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    if (!WaitUntil([&] { return clock.MenuTracking(); }, kClockDeadlineMs)) return nullptr;
    return clock.OpenMenu();
  }

  bool MenuClosed() {
    return WaitUntil([&] { return clock.OpenMenu() == nullptr; }, kClockDeadlineMs);
  }

  StandInGate gate;  // before the clock, which passes it on to what it starts
  ClockHome home;
  ClockProgram clock;
};

TEST_F(TrayIcon, ShowsTheArrowOnTheClockWithTheTooltipRovatick) {
  StartClock();
  EXPECT_EQ(TrayIconTip(Icon()), L"rovatick");

  // The icon window shows the small image pixel for pixel, centred.
  const std::vector<std::string> map = ReadPixelMap(kSmallIconMap);
  ASSERT_EQ(map.size(), 16u);
  ASSERT_TRUE(MovePointer(700, 600)) << "keeps the box away from the tray";
  RECT window = {};
  GetWindowRect(Icon(), &window);
  const int size = static_cast<int>(map.size());
  const RECT image = {(window.left + window.right - size) / 2, (window.top + window.bottom - size) / 2,
                      (window.left + window.right + size) / 2, (window.top + window.bottom + size) / 2};
  int mismatches = 0;
  const bool sameImage = WaitUntil(
      [&] {
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
      },
      kClockDeadlineMs);
  EXPECT_TRUE(sameImage) << mismatches << " pixels differ from the pixel map";
}

TEST_F(TrayIcon, OnlyTheRightButtonsReleaseOpensTheMenu) {
  StartClock();
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

  PostMessageA(clock.Popup(), kTrayNotify, 0, WM_RBUTTONUP);
  ASSERT_TRUE(WaitUntil([&] { return clock.MenuTracking(); }, kClockDeadlineMs));
  PostMessageA(clock.OpenMenu(), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(MenuClosed());

  // The real icon reports the release of the right button the same way.
  HWND menu = OpenMenuFromIcon();
  ASSERT_NE(menu, nullptr);
  PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(MenuClosed());
}

TEST_F(TrayIcon, TheMenuClosesOnEscapeOrAClickElsewhereAndChangesNothing) {
  TestWindow elsewhere("elsewhere", {500, 400, 800, 600});
  SetForegroundWindow(elsewhere.Get());
  StartClock();
  ASSERT_TRUE(MovePointer(100, 200));

  // The user works in another window, then right-clicks the icon.
  SetForegroundWindow(elsewhere.Get());
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == elsewhere.Get(); }, kClockDeadlineMs));
  ASSERT_NE(OpenMenuFromIcon(), nullptr);
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(MenuClosed()) << "Escape closes the menu";

  SetForegroundWindow(elsewhere.Get());
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == elsewhere.Get(); }, kClockDeadlineMs));
  ASSERT_NE(OpenMenuFromIcon(), nullptr);
  ASSERT_TRUE(MovePointer(650, 500));
  ClickLeft();
  EXPECT_TRUE(MenuClosed()) << "a click outside the menu closes it";

  EXPECT_TRUE(clock.Running());
  EXPECT_EQ(TrayIconWindows().size(), 1u);
  EXPECT_TRUE(clock.StartedPrograms().empty());
}

TEST_F(TrayIcon, ExitRemovesTheIconAndEndsWithCodeZero) {
  StartClock();
  HWND menu = OpenMenuFromIcon();
  ASSERT_NE(menu, nullptr);
  ChooseExitAndExpectCodeZero(menu);
  EXPECT_TRUE(TrayIconWindows().empty());
}

// The clock lives in a directory whose name holds a space, with a decoy
// program where an unquoted path would be split.
class EditorLaunch : public TrayIcon {
 protected:
  EditorLaunch() : TrayIcon("my dir") {}

  std::string Editor() const { return home.File("curset.exe"); }
  std::string Decoy() const { return home.Root() + "\\my.exe"; }

  void PlaceDecoy() { ASSERT_TRUE(CopyFileA(kStandInExe.c_str(), Decoy().c_str(), FALSE)); }
  void PlaceEditor() { ASSERT_TRUE(home.Add(kStandInExe, "curset.exe")); }

  int EditorsRunning() const {
    const std::vector<std::string> started = clock.StartedPrograms();
    return static_cast<int>(std::count(started.begin(), started.end(), "curset.exe"));
  }
};

TEST_F(EditorLaunch, PreferencesStartsTheEditorBesideTheClockByItsFullPath) {
  PlaceDecoy();
  PlaceEditor();
  StartClock();

  HWND menu = OpenMenuFromIcon();
  ASSERT_NE(menu, nullptr);
  // Down from no selection reaches the first command, 環境設定 (Preferences).
  PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
  ASSERT_TRUE(WaitUntil([&] { return StandInStarts(Editor()).size() == 1; }, kClockDeadlineMs))
      << "started: " << Joined(clock.StartedPrograms());
  EXPECT_TRUE(MenuClosed());
  EXPECT_EQ(StandInStarts(Editor()), std::vector<std::string>{"\"" + Editor() + "\""})
      << "exactly the quoted path, no arguments";
  EXPECT_EQ(EditorsRunning(), 1);

  // Each choice starts another editor; the clock holds nothing of the first.
  SendMessageA(clock.Popup(), WM_COMMAND, kPreferences, 0);
  EXPECT_EQ(EditorsRunning(), 2);

  EXPECT_FALSE(Contains(clock.StartedPrograms(), "my.exe"));
  EXPECT_TRUE(StandInStarts(Decoy()).empty()) << "the decoy never ran";
  EXPECT_TRUE(clock.Running());
}

TEST_F(EditorLaunch, WithoutAnEditorPreferencesStartsNothing) {
  PlaceDecoy();
  StartClock();
  // Synchronous: when it returns, anything started is running, held by the gate.
  SendMessageA(clock.Popup(), WM_COMMAND, kPreferences, 0);
  EXPECT_TRUE(clock.StartedPrograms().empty()) << "started: " << Joined(clock.StartedPrograms());
  EXPECT_TRUE(StandInStarts(Decoy()).empty());
  EXPECT_TRUE(clock.Running());
  EXPECT_EQ(TrayIconWindows().size(), 1u);
}

TEST_F(EditorLaunch, AnEditorStaysWhenTheClockEnds) {
  PlaceEditor();
  StartClock();
  SendMessageA(clock.Popup(), WM_COMMAND, kPreferences, 0);
  ASSERT_EQ(EditorsRunning(), 1);
  PostMessageA(clock.Popup(), WM_COMMAND, kExit, 0);
  DWORD code = 0xFFFF;
  ASSERT_TRUE(clock.WaitForExit(kClockDeadlineMs, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(EditorsRunning(), 1);
}

TEST_F(TrayIcon, ComesBackWhenTheShellRestarts) {
  StartClock();
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
  ASSERT_TRUE(WaitUntil([] { return TrayIconWindows().empty(); }, kClockDeadlineMs));
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(HWND_BROADCAST, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
  ASSERT_TRUE(WaitUntil([] { return TrayIconWindows().size() == 1; }, kClockDeadlineMs));
  EXPECT_EQ(TrayIconTip(Icon()), L"rovatick");

  // It is the working icon: its menu still ends the clock.
  HWND menu = OpenMenuFromIcon();
  ASSERT_NE(menu, nullptr);
  ChooseExitAndExpectCodeZero(menu);
}

}  // namespace
