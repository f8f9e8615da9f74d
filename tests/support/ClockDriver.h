// The clock program driven from a test the way a user meets it: a copy of
// curlin.exe in a private directory, its windows, the pointer, the box on the
// screen, the tray icon as Wine's notification area shows it, the tray menu,
// and the programs the clock starts.
#pragma once

#include "Processes.h"

#include <windows.h>

#include <string>
#include <vector>

// How long a test waits for something the clock does on its own. Wine starts
// the first program of a prefix in about a second; ticks come every 300 ms.
constexpr DWORD kClockDeadlineMs = 20000;

// A private directory holding a copy of the clock program, and whatever a
// test puts beside it. subdirectory may hold spaces or several levels.
class ClockHome {
 public:
  ClockHome(const std::string& clockExe, const std::string& subdirectory = "clock");

  bool Ready() const { return m_ready; }
  // Where the copy of curlin.exe lives.
  const std::string& Directory() const { return m_directory; }
  // The scratch directory that holds Directory(), and nothing the clock uses.
  const std::string& Root() const { return m_scratch.Path(); }
  std::string Clock() const { return File("curlin.exe"); }
  std::string File(const std::string& name) const { return m_directory + "\\" + name; }
  // Copies a program into Directory() under name.
  bool Add(const std::string& exe, const std::string& name);

 private:
  ScratchDirectory m_scratch;
  std::string m_directory;
  bool m_ready = false;
};

// The running clock: started as a child of the test, ended when it goes.
class ClockProgram {
 public:
  // Starts exe (a copy of curlin.exe) with its directory as working directory.
  bool Start(const std::string& exe);
  // Waits until the process shows its host window and its visible popup.
  bool WaitForWindows(DWORD timeoutMs = kClockDeadlineMs);
  bool WaitForExit(DWORD timeoutMs, DWORD* exitCode);
  bool Running() const { return m_process.Running(); }
  DWORD Id() const { return m_process.Id(); }

  HWND Host() const { return m_host; }
  HWND Popup() const { return m_popup; }
  RECT PopupRect() const;

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

// Names of the running programs (file names, lower case) that the process
// parent started, leaving out Wine's own explorer.exe.
std::vector<std::string> ProgramsStartedBy(DWORD parent);

// Top-level windows with exactly this title, of any process.
std::vector<HWND> TopLevelWindowsTitled(const char* title);

// Moves the pointer; the clock reads it at its next tick.
bool MovePointer(int x, int y);

// The colours on the screen inside rect (screen pixels), row by row.
std::vector<COLORREF> ScreenPixels(const RECT& rect);

// The tray icons Wine shows: each a child window of its notification area,
// living in Wine's explorer.exe.
std::vector<HWND> TrayIconWindows();
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

// The file in which a stand-in at exePath (ending ".exe") notes each start
// with its command line: the same path ending ".log".
std::string StandInRecordOf(const std::string& exePath);
// Each command line a stand-in at exePath was started with, one per start.
std::vector<std::string> StandInStarts(const std::string& exePath);

// A plain top-level window of the test process, shown at once; destroyed when
// it goes.
class TestWindow {
 public:
  TestWindow(const char* title, const RECT& rect, bool topmost = false, bool visible = true);
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND Get() const { return m_window; }

 private:
  HWND m_window;
};
