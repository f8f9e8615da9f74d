// The box that follows the pointer: the display state taken from the
// settings, and the 300 ms tick that renders, places and draws the clock line.
#pragma once

#include <windows.h>

// The tick's period and where the box stands relative to the pointer.
constexpr UINT kTickMs = 300;
constexpr int kBoxOffsetX = 8;
constexpr int kBoxOffsetY = -4;

// Loads the settings file and puts it in force from the next tick on: the
// pictures (emptied for a half that is switched off), the colours, the font
// and a new background brush that replaces the old one.
void LoadDisplayState();

// The timer procedure: renders the clock line, sizes the popup to its text,
// puts it beside the pointer, topmost and without activating it, and draws.
void CALLBACK ClockTick(HWND window, UINT message, UINT_PTR timerId, DWORD time);

// Deletes the background brush; afterwards there is none.
void ReleaseBackBrush();

// The popup's background brush, owned by the display state; null when none.
HBRUSH BackBrush();
