// The clock program driven from a test the way a user meets it: started from
// its private folder, its windows, the box beside the pointer, the tray icon
// as Wine's notification area shows it, the tray menu, the programs the clock
// starts, and its end.
#pragma once

#include "ProgramHome.h"
#include "Processes.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

// The clock's own numbers, as other programs see them.
constexpr UINT kTrayNotify = WM_USER + 1;
constexpr WORD kPreferencesCommand = 32771;  // 環境設定
constexpr WORD kExitCommand = 32773;         // 終了

// The built curlin.exe, as a Windows path.
std::string ClockExe();

// The clock as a ProgramHome holds it: a copy of ClockExe() named curlin.exe.
HomeProgram ClockCopy();

// The running clock: started as a child of the test, ended when it goes.
class ClockProgram {
 public:
  // Starts exe in its directory and waits until it shows its host window and
  // its visible box.
  ::testing::AssertionResult Start(const std::string& exe);
  // Only starts it: for a start that is meant to end at once.
  ::testing::AssertionResult Launch(const std::string& exe);
  // Moves the pointer to (x, y) and waits until a tick has put the box 8
  // pixels right of and 4 pixels above it; the clock has then also handled
  // every message posted to it before.
  ::testing::AssertionResult BoxBeside(POINT pointer) const;
  // Moves the pointer to a new place at every look at the box (about every
  // 20 ms) and returns the time (GetTickCount64) of each look that found the
  // box moved: at least one tick came since the look before, so ticks can be
  // missed but never counted twice. Goes on until at least minMs have passed
  // and minMoves moves were seen, or until the deadline.
  std::vector<ULONGLONG> BoxMoveTimes(DWORD minMs, size_t minMoves) const;
  // Waits until the process ends with exit code 0.
  ::testing::AssertionResult EndsWithCodeZero() { return m_process.EndsWithCodeZero("the clock"); }
  // Chooses Exit (posted to the box, as the menu does) with a message for the
  // host posted behind it, and waits for code 0: what still waits when the
  // box ends is served, not taken for the end.
  ::testing::AssertionResult Exit();

  bool Running() const { return m_process.Running(); }
  DWORD Id() const { return m_process.Id(); }
  HWND Host() const { return m_host; }
  HWND Popup() const { return m_popup; }
  RECT PopupRect() const;

  // Releases the right button over the one tray icon, as the user does, and
  // waits until the menu has taken the mouse; the menu, or null.
  HWND OpenTrayMenu() const;
  // Opens the tray menu (OpenTrayMenu) and chooses kPreferencesCommand or
  // kExitCommand in it with the keys, as a user can: down from no selection
  // reaches the first command, up the last.
  ::testing::AssertionResult ChooseFromTrayMenu(WORD command) const;
  // The tray menu: a visible "#32768" window of the clock's thread, or null.
  HWND OpenMenu() const;
  // True once the open menu has taken the mouse: the platform shows the menu
  // window a little before its loop captures the clicks meant for it.
  bool MenuTracking() const;
  // Names of the programs (file names, lower case) the clock has started
  // that are still running, leaving out Wine's own explorer.exe.
  std::vector<std::string> StartedPrograms() const;

 private:
  ChildProcess m_process;
  HWND m_host = nullptr;
  HWND m_popup = nullptr;
};

// A test with the clock in a private folder: a copy of curlin.exe in
// subdirectory of a scratch directory called "clock".
class ClockTest : public ::testing::Test {
 protected:
  explicit ClockTest(const std::string& subdirectory = "clock")
      : home("clock", {ClockCopy()}, subdirectory) {}
  void SetUp() override { ASSERT_TRUE(home.Ready()); }
  // Starts the clock of home (ClockProgram::Start) on record, written as
  // curlin.dat first, or on the settings file as it is.
  ::testing::AssertionResult StartOn(const ClockSettings* record = nullptr);

  const ProgramHome home;
  ClockProgram clock;
};

// Names of the running programs (file names, lower case) that the process
// parent started, leaving out Wine's own explorer.exe.
std::vector<std::string> ProgramsStartedBy(DWORD parent);

// The tray icons Wine shows: each a child window of its notification area,
// living in Wine's explorer.exe.
std::vector<HWND> TrayIconWindows();
// Waits until exactly count tray icons show.
::testing::AssertionResult TrayIconsShown(size_t count);
// The tooltip of one tray icon, read from the tooltip control that Wine's
// notification area keeps for it (in the explorer process's memory).
std::wstring TrayIconTip(HWND iconWindow);

// Stand-in programs (the test's curset.exe and decoys) stay running until
// this gate opens, so that a process snapshot sees every one the clock
// started. The gate reaches them through the environment the clock passes on:
// create it before starting the clock. It opens when it goes.
class StandInGate {
 public:
  StandInGate();
  ~StandInGate();
  StandInGate(const StandInGate&) = delete;
  StandInGate& operator=(const StandInGate&) = delete;

 private:
  HANDLE m_event;
};

// Each command line a stand-in at exePath was started with and how it was asked
// to show its window ("<command line> show N"), one per start: the stand-in
// notes them in the same path ending ".log" instead of ".exe".
std::vector<std::string> StandInStarts(const std::string& exePath);
