// Resource and command numbers of the clock, shared by curlin.rc and the code.
#pragma once

#define IDD_POPUP 103     // the borderless box beside the pointer
#define IDI_CLOCK 107     // window class and tray icon
#define IDR_TRAYMENU 129  // the tray icon's menu; only its first popup is shown

#define IDM_PREFERENCES 32771  // starts the settings editor
#define IDM_EXIT 32773         // ends the clock
