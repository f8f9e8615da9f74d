#include "ClockDriver.h"

#include <commctrl.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

namespace {

constexpr char kGateVariable[] = "CURLIN_TEST_STANDIN_GATE";

// A named callback, not a lambda: on 32-bit Windows the enumeration calls
// back with the stdcall convention, which a lambda's function pointer lacks.
BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::vector<HWND> ChildWindows(HWND parent) {
  std::vector<HWND> windows;
  EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

bool IsTrayIconClass(const std::string& name) {
  // Wine 8 and older, and the newer name.
  return name == "__winex11_tray_icon" || name == "__wine_tray_icon";
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

ClockHome::ClockHome(const std::string& clockExe, const std::string& subdirectory)
    : m_scratch("clock") {
  m_directory = m_scratch.Path() + "\\" + subdirectory;
  m_ready = CreateDirectoryTree(m_directory) && Add(clockExe, "curlin.exe");
}

bool ClockHome::Add(const std::string& exe, const std::string& name) {
  return CopyFileA(exe.c_str(), File(name).c_str(), FALSE) != FALSE;
}

bool ClockProgram::Start(const std::string& exe) {
  m_host = m_popup = nullptr;
  return m_process.Start(exe, "", exe.substr(0, exe.find_last_of('\\')));
}

bool ClockProgram::WaitForWindows(DWORD timeoutMs) {
  return WaitUntil(
      [this] {
        m_host = m_popup = nullptr;
        for (HWND window : TopLevelWindows()) {
          if (ProcessOf(window) != Id()) continue;
          char title[64] = {};
          GetWindowTextA(window, title, sizeof title);
          if (std::strcmp(title, "curlin") == 0) m_host = window;
          if (ClassOf(window) == "#32770" && IsWindowVisible(window)) m_popup = window;
        }
        return m_host != nullptr && m_popup != nullptr;
      },
      timeoutMs);
}

bool ClockProgram::WaitForExit(DWORD timeoutMs, DWORD* exitCode) {
  return m_process.WaitForExit(timeoutMs, exitCode);
}

RECT ClockProgram::PopupRect() const {
  RECT rect = {};
  GetWindowRect(m_popup, &rect);
  return rect;
}

HWND ClockProgram::OpenMenu() const {
  const DWORD thread = GetWindowThreadProcessId(m_popup, nullptr);
  for (HWND window : TopLevelWindows()) {
    if (ClassOf(window) == "#32768" && IsWindowVisible(window) &&
        GetWindowThreadProcessId(window, nullptr) == thread) {
      return window;
    }
  }
  return nullptr;
}

bool ClockProgram::MenuTracking() const {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  return OpenMenu() != nullptr &&
         GetGUIThreadInfo(GetWindowThreadProcessId(m_popup, nullptr), &info) &&
         (info.flags & GUI_INMENUMODE) != 0 && info.hwndCapture != nullptr;
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
    const std::string name = Lower(entry.szExeFile);
    if (name != "explorer.exe") names.push_back(name);
  }
  CloseHandle(snapshot);
  return names;
}

std::vector<HWND> TopLevelWindowsTitled(const char* title) {
  std::vector<HWND> found;
  for (HWND window : TopLevelWindows()) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    if (std::strcmp(text, title) == 0) found.push_back(window);
  }
  return found;
}

bool MovePointer(int x, int y) { return SetCursorPos(x, y) != FALSE; }

std::vector<COLORREF> ScreenPixels(const RECT& rect) {
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  std::vector<COLORREF> pixels;
  if (width <= 0 || height <= 0) return pixels;

  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap != nullptr) {
    HGDIOBJ previous = SelectObject(memory, bitmap);
    if (BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY)) {
      const auto* bgra = static_cast<const unsigned char*>(bits);
      for (int i = 0; i < width * height; ++i) {
        pixels.push_back(RGB(bgra[4 * i + 2], bgra[4 * i + 1], bgra[4 * i]));
      }
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
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

std::string StandInRecordOf(const std::string& exePath) {
  return exePath.substr(0, exePath.size() - 4) + ".log";
}

std::vector<std::string> StandInStarts(const std::string& exePath) {
  std::vector<std::string> starts;
  const std::string record = ReadBytes(StandInRecordOf(exePath));
  size_t begin = 0;
  for (size_t end = record.find('\n'); end != std::string::npos; end = record.find('\n', begin)) {
    starts.push_back(record.substr(begin, end - begin));
    begin = end + 1;
  }
  return starts;
}

TestWindow::TestWindow(const char* title, const RECT& rect, bool topmost, bool visible) {
  static const ATOM windowClass = [] {
    WNDCLASSA description = {};
    description.lpfnWndProc = DefWindowProcA;
    description.hInstance = GetModuleHandleA(nullptr);
    description.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    description.lpszClassName = "ClockTestWindow";
    return RegisterClassA(&description);
  }();
  m_window = CreateWindowExA(topmost ? WS_EX_TOPMOST : 0, MAKEINTATOM(windowClass), title,
                             WS_POPUP | (visible ? WS_VISIBLE : 0), rect.left, rect.top,
                             rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
  PumpMessages();
}

TestWindow::~TestWindow() {
  if (m_window != nullptr) DestroyWindow(m_window);
  PumpMessages();
}
