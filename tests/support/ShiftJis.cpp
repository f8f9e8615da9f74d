#include "ShiftJis.h"

#include <windows.h>

std::string ToShiftJis(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string bytes(size, '\0');
  WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                      nullptr, nullptr);
  return bytes;
}

std::wstring FromShiftJis(const std::string& text) {
  if (text.empty()) return {};
  const int size =
      MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(size, L'\0');
  MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

bool JapaneseLocaleActive() {
  return GetACP() == 932 && GetUserDefaultLCID() == 0x411;
}
