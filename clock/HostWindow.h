// The hidden host window of the clock.
#pragma once

#include <windows.h>

// Window procedure of the class "curlin": a reload request reloads the
// settings; destroying the window ends the program.
LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
