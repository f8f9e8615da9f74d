// What the screen shows, read back through the platform as a user's eye
// would see it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

// The colours on the screen inside rect (screen pixels), row by row; empty
// when the rectangle is empty or the capture fails.
std::vector<COLORREF> ScreenPixels(const RECT& rect);

// How many of pixels are exactly colour.
size_t CountOf(const std::vector<COLORREF>& pixels, COLORREF colour);
// How many rows of a width-wide capture hold at least one pixel of colour.
int RowsHolding(const std::vector<COLORREF>& pixels, int width, COLORREF colour);
