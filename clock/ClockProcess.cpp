#include "ClockProcess.h"

HINSTANCE ClockInstance = nullptr;
HWND PopupWindow = nullptr;
