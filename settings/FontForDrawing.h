// The font description that both programs hand to CreateFontIndirectA.
#pragma once

#include <windows.h>

// The largest character height or width, in pixels, that is handed on: as
// tall as a whole screen, yet far below the sizes at which Wine overflows its
// glyph buffers and the process dies, and small enough that even a rotated
// line of such characters is drawn well within one tick.
constexpr LONG kLargestFontPixels = 1000;

// A copy of a stored font description that the platform can realise safely.
// The face name is cut to its 32 bytes; height and width are held within
// kLargestFontPixels either way; and a description whose characters would be
// less than one pixel high loses its width: Wine divides by the character
// height when it scales such a font to a width. Every description the
// editor stores passes unchanged; only a hostile or hand-made settings file
// is touched.
LOGFONTA FontForDrawing(const LOGFONTA& stored);
