// The version block of a program file, read as Windows Explorer reads it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class VersionInfo {
 public:
  // exePath: the program's path in the ANSI code page.
  explicit VersionInfo(const std::string& exePath);

  bool Found() const { return !m_data.empty(); }
  // The fixed part; null when there is none.
  const VS_FIXEDFILEINFO* Fixed() const;
  // The language and code page pairs of the Translation value.
  std::vector<WORD> Translation() const;
  // A string of the block for language 0x0411 with Unicode strings (041104b0);
  // *found tells whether the value exists at all.
  std::wstring JapaneseString(const wchar_t* name, bool* found = nullptr) const;

 private:
  std::vector<BYTE> m_data;
};
