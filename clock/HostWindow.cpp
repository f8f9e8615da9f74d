// Start-up of the clock: one instance per desktop, the hidden host window
// that the editor and a second clock find by its title, and the popup's
// modal run as the program's main loop.
#include "HostWindow.h"

#include "ClockProcess.h"
#include "ClockResources.h"
#include "FollowingDisplay.h"
#include "PopupDialog.h"
#include "ReloadRequest.h"
#include "SystemLibraries.h"

namespace {

void RegisterClockClass(HINSTANCE instance) {
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = HostWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_CLOCK));
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kClockTitle;
  // A failure shows as the host window's creation failing.
  RegisterClassExA(&windowClass);
}

}  // namespace

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_RELOADSETTINGS:
      LoadDisplayState();
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  RestrictDllSearchToSystemFolder();
  // Any top-level window with the title, of any program, means a clock runs.
  if (FindWindowA(nullptr, kClockTitle) != nullptr) return 0;

  RegisterClockClass(instance);
  ClockInstance = instance;
  // Never shown: it only carries the title and receives reload requests.
  HWND host = CreateWindowExA(0, kClockTitle, kClockTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0,
                              CW_USEDEFAULT, 0, nullptr, nullptr, instance, nullptr);
  if (host == nullptr) return 0;

  // Returns once the popup has ended (the Exit command, or the host window
  // was destroyed); until then its loop serves every message of the thread.
  DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_POPUP), host, PopupDialogProc, 0);

  ShowWindow(host, SW_HIDE);
  UpdateWindow(host);
  PostQuitMessage(0);
  MSG message = {};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
