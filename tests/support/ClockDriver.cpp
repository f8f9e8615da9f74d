#include "ClockDriver.h"

#include "SettingsRecords.h"
#include "TopWindows.h"

#include <commctrl.h>
#include <tlhelp32.h>

#include <cstdio>

namespace {

constexpr char kGateVariable[] = "CURLIN_TEST_STANDIN_GATE";

bool IsTrayIconClass(const std::string& name) {
  // Wine 8 and older, and the newer name.
  return name == "__winex11_tray_icon" || name == "__wine_tray_icon";
}

}  // namespace

std::string ClockExe() { return WindowsPathOf(CURLIN_EXE); }

HomeProgram ClockCopy() { return {ClockExe(), "curlin.exe"}; }

::testing::AssertionResult ClockProgram::Launch(const std::string& exe) {
  m_host = m_popup = nullptr;
  return m_process.Start(exe, "", exe.substr(0, exe.find_last_of('\\')));
}

::testing::AssertionResult ClockProgram::Start(const std::string& exe) {
  const ::testing::AssertionResult launched = Launch(exe);
  if (!launched) return launched;
  WaitUntil([this] {
    m_host = m_popup = nullptr;
    if (!Running()) return true;
    for (HWND window : TopLevelWindows()) {
      if (ProcessOf(window) != Id()) continue;
      if (TitleOf(window) == "curlin") m_host = window;
      if (ClassOf(window) == "#32770" && IsWindowVisible(window)) m_popup = window;
    }
    return m_host != nullptr && m_popup != nullptr;
  });
  if (m_host != nullptr && m_popup != nullptr) return ::testing::AssertionSuccess();
  DWORD code = 0;
  GetExitCodeProcess(m_process.Handle(), &code);
  return ::testing::AssertionFailure()
         << "the clock showed no " << (m_host == nullptr ? "host window" : "box") << "; "
         << (Running() ? "it is still running" : "it ended with code " + std::to_string(code));
}

::testing::AssertionResult ClockProgram::BoxBeside(POINT pointer) const {
  if (!SetCursorPos(pointer.x, pointer.y)) {
    return ::testing::AssertionFailure() << "SetCursorPos failed, GetLastError() "
                                         << GetLastError();
  }
  RECT box = {};
  if (WaitUntil([&] {
        box = PopupRect();
        return box.left == pointer.x + 8 && box.top == pointer.y - 4;
      })) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "the box stays at " << Describe(box)
                                       << " for a pointer at " << pointer.x << "," << pointer.y;
}

std::vector<ULONGLONG> ClockProgram::BoxMoveTimes(DWORD minMs, size_t minMoves) const {
  std::vector<ULONGLONG> moves;
  const ULONGLONG start = GetTickCount64();
  RECT last = PopupRect();
  int step = 0;
  WaitUntil([&] {
    const RECT box = PopupRect();
    const ULONGLONG now = GetTickCount64();
    if (!EqualRect(&box, &last)) moves.push_back(now);
    last = box;
    // A new place at every look, so that every tick moves the box.
    ++step;
    SetCursorPos(200 + step * 7 % 400, 300 + step * 3 % 200);
    return now - start >= minMs && moves.size() >= minMoves;
  });
  return moves;
}

::testing::AssertionResult ClockProgram::Exit() {
  if (!PostMessageA(m_popup, WM_COMMAND, kExitCommand, 0) || !PostMessageA(m_host, WM_NULL, 1, 0)) {
    return ::testing::AssertionFailure() << "no box to send Exit to";
  }
  return EndsWithCodeZero();
}

RECT ClockProgram::PopupRect() const { return ScreenRectOf(m_popup); }

HWND ClockProgram::OpenTrayMenu() const {
  const std::vector<HWND> icons = TrayIconWindows();
  if (icons.size() != 1) return nullptr;
  PostMessageA(icons.front(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
  PostMessageA(icons.front(), WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
  if (!WaitUntil([&] { return MenuTracking(); })) return nullptr;
  return OpenMenu();
}

::testing::AssertionResult ClockProgram::ChooseFromTrayMenu(WORD command) const {
  const HWND menu = OpenTrayMenu();
  if (menu == nullptr) return ::testing::AssertionFailure() << "the tray menu did not open";
  PostMessageA(menu, WM_KEYDOWN, command == kExitCommand ? VK_UP : VK_DOWN, 0);
  PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
  return ::testing::AssertionSuccess();
}

HWND ClockProgram::OpenMenu() const {
  const DWORD thread = ThreadOf(m_popup);
  for (HWND window : TopLevelWindows()) {
    if (ClassOf(window) == "#32768" && IsWindowVisible(window) && ThreadOf(window) == thread) {
      return window;
    }
  }
  return nullptr;
}

bool ClockProgram::MenuTracking() const {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  return OpenMenu() != nullptr && GetGUIThreadInfo(ThreadOf(m_popup), &info) &&
         (info.flags & GUI_INMENUMODE) != 0 && info.hwndCapture != nullptr;
}

::testing::AssertionResult ClockTest::StartOn(const ClockSettings* record) {
  if (record != nullptr) {
    const ::testing::AssertionResult written = home.WriteSettings(BytesOf(*record));
    if (!written) return written;
  }
  return clock.Start(home.File("curlin.exe"));
}

std::vector<std::string> ClockProgram::StartedPrograms() const { return ProgramsStartedBy(Id()); }

std::vector<std::string> ProgramsStartedBy(DWORD parent) {
  std::vector<std::string> names;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return names;
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (entry.th32ParentProcessID != parent) continue;
    // Wine starts its desktop process from the first program that needs it.
    const std::string name = CharLowerA(entry.szExeFile);
    if (name != "explorer.exe") names.push_back(name);
  }
  CloseHandle(snapshot);
  return names;
}

std::vector<HWND> TrayIconWindows() {
  std::vector<HWND> icons;
  for (HWND top : TopLevelWindows()) {
    // Docked in a desktop's own tray the icons are top-level windows; in
    // Wine's standalone tray window they are its children.
    if (IsTrayIconClass(ClassOf(top)) && IsWindowVisible(top)) icons.push_back(top);
    for (HWND child : ChildWindows(top)) {
      if (IsTrayIconClass(ClassOf(child)) && IsWindowVisible(child)) icons.push_back(child);
    }
  }
  return icons;
}

::testing::AssertionResult TrayIconsShown(size_t count) {
  size_t shown = 0;
  if (WaitUntil([&] { return (shown = TrayIconWindows().size()) == count; })) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << shown << " tray icons show, not " << count;
}

std::wstring TrayIconTip(HWND iconWindow) {
  const DWORD owner = ProcessOf(iconWindow);
  HANDLE process =
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, owner);
  if (process == nullptr) return {};
  // The tooltip control reads and writes through pointers of its own process.
  constexpr SIZE_T kTextOffset = 512;
  constexpr int kTextChars = 256;
  char* remote = static_cast<char*>(
      VirtualAllocEx(process, nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  std::wstring tip;
  if (remote != nullptr) {
    for (HWND tooltip : TopLevelWindows()) {
      if (ProcessOf(tooltip) != owner || ClassOf(tooltip) != TOOLTIPS_CLASSA) continue;
      TTTOOLINFOW tool = {};
      tool.cbSize = sizeof tool;
      tool.hwnd = iconWindow;
      tool.uId = reinterpret_cast<UINT_PTR>(iconWindow);
      tool.lpszText = reinterpret_cast<LPWSTR>(remote + kTextOffset);
      const wchar_t empty[kTextChars] = {};
      WriteProcessMemory(process, remote + kTextOffset, empty, sizeof empty, nullptr);
      WriteProcessMemory(process, remote, &tool, sizeof tool, nullptr);
      DWORD_PTR ignored = 0;
      SendMessageTimeoutW(tooltip, TTM_GETTEXTW, kTextChars, reinterpret_cast<LPARAM>(remote),
                          SMTO_ABORTIFHUNG, 5000, &ignored);
      wchar_t text[kTextChars] = {};
      ReadProcessMemory(process, remote + kTextOffset, text, sizeof text, nullptr);
      text[kTextChars - 1] = L'\0';
      if (text[0] != L'\0') {
        tip = text;
        break;
      }
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  }
  CloseHandle(process);
  return tip;
}

StandInGate::StandInGate() {
  static int counter = 0;
  char name[96];
  std::snprintf(name, sizeof name, "curlin-test-gate-%lu-%d", GetCurrentProcessId(), ++counter);
  m_event = CreateEventA(nullptr, TRUE, FALSE, name);
  SetEnvironmentVariableA(kGateVariable, name);
}

StandInGate::~StandInGate() {
  SetEnvironmentVariableA(kGateVariable, nullptr);
  if (m_event != nullptr) {
    SetEvent(m_event);
    CloseHandle(m_event);
  }
}

std::vector<std::string> StandInStarts(const std::string& exePath) {
  return LinesOf(ReadBytes(exePath.substr(0, exePath.size() - 4) + ".log"));
}
