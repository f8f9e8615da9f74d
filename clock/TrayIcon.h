// The clock's icon in the notification area and its command menu.
#pragma once

#include <windows.h>

// Tooltip of the tray icon, whatever the settings are.
constexpr char kTrayTip[] = "rovatick";

// Fills the icon record (the popup, identifier 0, WM_TRAYNOTIFY, the small
// image of icon 107, the tooltip) and adds the icon.
void AddTrayIcon();

// Deletes the icon with the same record.
void RemoveTrayIcon();

// The message the shell broadcasts when it (re)starts with an empty
// notification area.
UINT TaskbarCreatedMessage();

// Puts the icon back after the shell has restarted; if the shell still knows
// it, brings it up to date instead.
void RestoreTrayIcon();

// Shows the first popup of menu 129 at the pointer, owned by the popup, and
// returns when the menu has closed.
void ShowTrayMenu();
