// The clock line: a date half and a time half rendered from format pictures
// by the platform's locale-aware formatting, joined with nothing between.
#pragma once

#include <windows.h>

#include <cstddef>

constexpr size_t kHalfSize = 128;  // each rendered half, terminator included

// Renders the line into line (lineSize >= 1 bytes; a longer join is cut at
// lineSize - 1 bytes and always terminated). Pictures must be terminated.
// A half that is not rendered, or whose formatting fails, contributes
// nothing. at is the moment to render; null means the current local time.
void RenderClockText(const char* datePicture, bool renderDate, const char* timePicture,
                     bool renderTime, char* line, size_t lineSize,
                     const SYSTEMTIME* at = nullptr);
