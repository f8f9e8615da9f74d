// The font description that both programs hand to CreateFontIndirectA.
#pragma once

#include <windows.h>

// A copy of a stored font description that the platform can realise safely.
// The face name is cut to its 32 bytes, and a description whose characters
// would be less than one pixel high loses its width: Wine divides by the
// character height when it scales such a font to a width, and the process
// dies. Every description the editor stores passes unchanged; only a hostile
// or hand-made settings file is touched.
LOGFONTA FontForDrawing(const LOGFONTA& stored);
