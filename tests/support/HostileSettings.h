// Hostile settings files: deterministic, so a failure names the file index
// that reproduces it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The bytes of settings file number index. Over consecutive indices the files
// cover every length from 0 to 400, random bytes, text fields without a zero
// byte (ending in a double-byte lead byte among others), pictures full of
// format letters and unbalanced quotes, extreme font fields, and odd colours,
// flags and indices.
std::string MakeHostileSettingsFile(uint32_t index);

// What kind of file MakeHostileSettingsFile makes for index, for messages.
const char* HostileSettingsKind(uint32_t index);

// Settings files with every field of the font description at a boundary:
// the numbers at the least and greatest a 32-bit field holds, or around
// plus and minus 100000, with height and width of opposite signs, and the
// tallest characters that are drawn at the greatest width; the byte fields
// all 0 or all 255; the face name without a zero byte. Both halves are shown.
std::vector<std::string> BoundaryFontFiles();
