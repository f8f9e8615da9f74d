// The popup: the box beside the pointer, the tray icon's callback window and
// the owner of the tray menu. Its modal run is the clock's main loop.
#pragma once

#include <windows.h>

INT_PTR CALLBACK PopupDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
