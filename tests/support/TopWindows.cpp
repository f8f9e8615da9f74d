#include "TopWindows.h"

#include "Processes.h"
#include "ShiftJis.h"

namespace {

// A named callback, not a lambda: on 32-bit Windows the enumeration calls
// back with the stdcall convention, which a lambda's function pointer lacks.
BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

// Top-level windows of any process with the class name and the title (either
// null: any).
std::vector<HWND> FoundWindows(const char* className, const char* title) {
  std::vector<HWND> found;
  for (HWND window = FindWindowExA(nullptr, nullptr, className, title); window != nullptr;
       window = FindWindowExA(nullptr, window, className, title)) {
    found.push_back(window);
  }
  return found;
}

}  // namespace

::testing::AssertionResult AnswersThroughout(HWND window, DWORD spanMs, DWORD timeoutMs) {
  const ULONGLONG start = GetTickCount64();
  do {
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &ignored)) {
      return ::testing::AssertionFailure() << "no answer within " << timeoutMs << " ms, "
                                           << GetTickCount64() - start << " ms into the span";
    }
    WaitUntil([] { return false; }, 50);
  } while (GetTickCount64() - start < spanMs);
  return ::testing::AssertionSuccess();
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

std::vector<HWND> WindowsTitled(const char* title) { return FoundWindows(nullptr, title); }

std::vector<HWND> WindowsOf(DWORD processId, const char* className) {
  std::vector<HWND> found;
  for (HWND window : FoundWindows(className, nullptr)) {
    if (ProcessOf(window) == processId) found.push_back(window);
  }
  return found;
}

// A window's class name or title, as get gives it.
static std::string TextOf(HWND window, int(WINAPI* get)(HWND, LPSTR, int)) {
  char text[256] = {};
  get(window, text, sizeof text);
  return text;
}

std::string ClassOf(HWND window) { return TextOf(window, GetClassNameA); }
std::string TitleOf(HWND window) { return TextOf(window, GetWindowTextA); }

DWORD ProcessOf(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process;
}

DWORD ThreadOf(HWND window) { return GetWindowThreadProcessId(window, nullptr); }

std::wstring WideWindowText(HWND window) {
  wchar_t text[1024] = {};
  SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                      10000, nullptr);
  return text;
}

std::string WindowText(HWND window) { return ToShiftJis(WideWindowText(window)); }

std::vector<std::wstring> ChildTexts(HWND window, const char* className) {
  std::vector<std::wstring> texts;
  for (HWND child : ChildWindows(window)) {
    if (ClassOf(child) == className) texts.push_back(WideWindowText(child));
  }
  return texts;
}

RECT ScreenRectOf(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect;
}

std::string Describe(const RECT& rect) {
  return "(" + std::to_string(rect.left) + "," + std::to_string(rect.top) + ")-(" +
         std::to_string(rect.right) + "," + std::to_string(rect.bottom) + ")";
}

TestWindow::TestWindow(const char* title, const RECT& rect, bool topmost, bool visible) {
  static const ATOM windowClass = [] {
    WNDCLASSA description = {};
    description.lpfnWndProc = DefWindowProcA;
    description.hInstance = GetModuleHandleA(nullptr);
    description.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    description.lpszClassName = "CurlinTestWindow";
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
