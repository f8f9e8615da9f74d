// Process-wide state of the clock, touched only on its one UI thread.
#pragma once

#include <windows.h>

// The tray icon's callback message to the popup.
constexpr UINT WM_TRAYNOTIFY = WM_USER + 1;

// Set just before the host window is created; resources are loaded from it.
extern HINSTANCE ClockInstance;

// The popup box, set first thing when it initialises and never cleared: the
// display tick, the tray icon and the tray menu all address it.
extern HWND PopupWindow;
