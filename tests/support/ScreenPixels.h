// What the screen shows, read back through the platform as a user's eye
// would see it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

// The colours on the screen inside rect (screen pixels), row by row; empty
// when the rectangle is empty or the capture fails.
std::vector<COLORREF> ScreenPixels(const RECT& rect);

// text as a static control draws it in a font made from description: from
// the top-left corner of a width-by-height picture, opaque in textColour on
// backColour (which also fills the rest), row by row; an independent picture
// to compare a control's pixels with. Empty when it cannot be drawn.
std::vector<COLORREF> DrawnTextPixels(const std::string& text, const LOGFONTA& description,
                                      COLORREF textColour, COLORREF backColour, int width,
                                      int height);

// The size of text in a font made from description, measured in dc; zero when
// the font cannot be made.
SIZE TextExtent(HDC dc, const LOGFONTA& description, const std::string& text);

// How many of pixels are exactly colour.
size_t CountOf(const std::vector<COLORREF>& pixels, COLORREF colour);
// How many rows of a width-wide capture hold at least one pixel of colour.
int RowsHolding(const std::vector<COLORREF>& pixels, int width, COLORREF colour);
