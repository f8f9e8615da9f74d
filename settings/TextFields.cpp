#include "TextFields.h"

#include <windows.h>

#include <cstring>

void CopyText(char* dest, size_t size, const char* src) {
  if (src[0] == '\0') return;
  size_t length = 0;
  while (length < size && src[length] != '\0') ++length;
  std::memcpy(dest, src, length);
  std::memset(dest + length, 0, size - length);
  dest[size - 1] = '\0';
}

void StripFileName(char* path) {
  char* lastSeparator = nullptr;
  for (char* p = path; *p != '\0'; ++p) {
    if (IsDBCSLeadByte(static_cast<BYTE>(*p)) && p[1] != '\0') {
      ++p;  // the trail byte may be 0x5C; it is part of the character
      continue;
    }
    if (*p == '\\') lastSeparator = p;
  }
  if (lastSeparator != nullptr && lastSeparator != path) *lastSeparator = '\0';
}
