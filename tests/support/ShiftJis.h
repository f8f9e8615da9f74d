// Code page 932 conversions for comparing the programs' 8-bit text with the
// wide text a reader can check.
#pragma once

#include <string>

std::string ToShiftJis(const std::wstring& text);
std::wstring FromShiftJis(const std::string& text);

// True when the user locale is Japanese: code page 932 and LCID 0x411.
bool JapaneseLocaleActive();
