#include "PopupDialog.h"

#include "ClockProcess.h"
#include "ClockResources.h"
#include "EditorLaunch.h"
#include "FollowingDisplay.h"
#include "ReloadRequest.h"
#include "TrayIcon.h"

namespace {

// The settings are in force before the icon exists and before the popup is
// first painted; the first tick comes one period later.
INT_PTR OnInitDialog(HWND dialog) {
  PopupWindow = dialog;
  LoadDisplayState();
  AddTrayIcon();
  SetTimer(nullptr, 0, kTickMs, ClockTick);
  return TRUE;
}

// Only the two menu commands; the platform's IDOK and IDCANCEL (Enter,
// Escape, a close request) leave the clock running.
INT_PTR OnCommand(HWND dialog, WORD command) {
  switch (command) {
    case IDM_PREFERENCES:
      LaunchEditor(kEditorFileName);
      return FALSE;
    case IDM_EXIT:
      EndDialog(dialog, IDM_EXIT);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

INT_PTR CALLBACK PopupDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  // A registered message has no fixed number, so it cannot be a case label.
  if (message == TaskbarCreatedMessage()) {
    RestoreTrayIcon();
    return FALSE;
  }

  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog);
    case WM_DESTROY:
      RemoveTrayIcon();
      ReleaseBackBrush();
      return FALSE;
    case WM_COMMAND:
      return OnCommand(dialog, LOWORD(wParam));
    case WM_CTLCOLORDLG:
      if (reinterpret_cast<HWND>(lParam) == dialog) {
        return reinterpret_cast<INT_PTR>(BackBrush());
      }
      return FALSE;
    case WM_TRAYNOTIFY:
      if (lParam == WM_RBUTTONUP) ShowTrayMenu();
      return FALSE;
    case WM_RELOADSETTINGS:
      LoadDisplayState();
      return FALSE;
    default:
      return FALSE;
  }
}
