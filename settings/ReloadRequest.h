// How the editor tells a running clock that the settings file has changed:
// it finds the clock's hidden main window by its title and sends it the
// reload request, which carries no data; the settings travel only through
// the file.
#pragma once

#include <windows.h>

// Title (and window class name) of the clock's hidden main window. A second
// clock finds the running one by it too.
constexpr char kClockTitle[] = "curlin";

// The reload request, both parameters 0.
constexpr UINT WM_RELOADSETTINGS = WM_USER + 2;

// How long a save waits for the clock to handle the request before giving up
// on a receiver that has stopped responding.
constexpr UINT kReloadTimeoutMs = 3000;
