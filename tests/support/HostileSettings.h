// Hostile settings files: deterministic, so a failure names the file index
// that reproduces it.
#pragma once

#include <cstdint>
#include <string>

// The bytes of settings file number index. Over consecutive indices the files
// cover every length from 0 to 400, random bytes, text fields without a zero
// byte (ending in a double-byte lead byte among others), pictures full of
// format letters and unbalanced quotes, extreme font fields, and odd colours,
// flags and indices.
std::string MakeHostileSettingsFile(uint32_t index);

// What kind of file MakeHostileSettingsFile makes for index, for messages.
const char* HostileSettingsKind(uint32_t index);
