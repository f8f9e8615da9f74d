// Bounded text routines for the fixed-size 8-bit text fields of both programs.
#pragma once

#include <cstddef>

// Copies src into the field dest of size bytes (size >= 1). An empty src
// leaves dest untouched; otherwise exactly size bytes are written: at most
// size - 1 bytes of src, zero-filled, and byte size - 1 is always zero.
// src is read no further than size bytes, so an unterminated field of the
// same width is a safe source.
void CopyText(char* dest, size_t size, const char* src);

// Cuts a path in place at its last backslash, turning "C:\dir\prog.exe" into
// "C:\dir". Double-byte characters of the ANSI code page are stepped over
// whole, so a trail byte 0x5C (as in 表 or ソ) is never taken for a
// separator. A text without a separator, or whose only separator is its
// first byte, is left unchanged.
void StripFileName(char* path);
