#include "TrayIcon.h"

#include "ClockProcess.h"
#include "ClockResources.h"
#include "GdiOwners.h"
#include "TextFields.h"

#include <shellapi.h>

namespace {

// Filled once at the popup's start and used unchanged for every later call.
NOTIFYICONDATAA trayIcon;

}  // namespace

void AddTrayIcon() {
  ZeroMemory(&trayIcon, sizeof trayIcon);
  // The first, shortest form of the record: message, icon and a 64-byte tip.
  trayIcon.cbSize = NOTIFYICONDATAA_V1_SIZE;
  trayIcon.hWnd = PopupWindow;
  trayIcon.uID = 0;
  trayIcon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  trayIcon.uCallbackMessage = WM_TRAYNOTIFY;
  // The small image drawn for the notification area, not the large one
  // shrunk by the shell, which loses the arrowhead's thin outline. Shared:
  // the system keeps it for as long as the program runs.
  trayIcon.hIcon = static_cast<HICON>(LoadImageA(ClockInstance, MAKEINTRESOURCEA(IDI_CLOCK),
                                                 IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                 GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  CopyText(trayIcon.szTip, sizeof trayIcon.szTip, kTrayTip);
  Shell_NotifyIconA(NIM_ADD, &trayIcon);
}

void RemoveTrayIcon() { Shell_NotifyIconA(NIM_DELETE, &trayIcon); }

UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageA("TaskbarCreated");
  return message;
}

void RestoreTrayIcon() {
  // Without the icon the user would have no way left to end the clock.
  if (!Shell_NotifyIconA(NIM_ADD, &trayIcon)) Shell_NotifyIconA(NIM_MODIFY, &trayIcon);
}

void ShowTrayMenu() {
  LoadedMenu menu(LoadMenuA(ClockInstance, MAKEINTRESOURCEA(IDR_TRAYMENU)));
  if (!menu) return;
  HMENU commands = GetSubMenu(menu.Get(), 0);
  POINT pointer = {};
  GetCursorPos(&pointer);
  // A menu whose owner is not the foreground window stays open when the user
  // clicks elsewhere or presses Escape; the null message afterwards lets the
  // next menu close properly too.
  SetForegroundWindow(PopupWindow);
  TrackPopupMenu(commands, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, pointer.x, pointer.y, 0,
                 PopupWindow, nullptr);
  PostMessageA(PopupWindow, WM_NULL, 0, 0);
}
