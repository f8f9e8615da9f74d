#include "VersionInfo.h"

#include "ShiftJis.h"

VersionInfo::VersionInfo(const std::string& exePath) {
  const std::wstring path = FromShiftJis(exePath);
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return;
  m_data.resize(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, m_data.data())) m_data.clear();
}

const VS_FIXEDFILEINFO* VersionInfo::Fixed() const {
  void* fixed = nullptr;
  UINT length = 0;
  if (!Found() || !VerQueryValueW(m_data.data(), L"\\", &fixed, &length)) return nullptr;
  return static_cast<const VS_FIXEDFILEINFO*>(fixed);
}

std::vector<WORD> VersionInfo::Translation() const {
  void* value = nullptr;
  UINT length = 0;
  if (!Found() || !VerQueryValueW(m_data.data(), L"\\VarFileInfo\\Translation", &value, &length)) {
    return {};
  }
  const WORD* words = static_cast<const WORD*>(value);
  return std::vector<WORD>(words, words + length / sizeof(WORD));
}

std::wstring VersionInfo::JapaneseString(const wchar_t* name, bool* found) const {
  const std::wstring key = std::wstring(L"\\StringFileInfo\\041104b0\\") + name;
  void* value = nullptr;
  UINT length = 0;
  const bool exists = Found() && VerQueryValueW(m_data.data(), key.c_str(), &value, &length);
  if (found != nullptr) *found = exists;
  return exists ? std::wstring(static_cast<const wchar_t*>(value)) : std::wstring();
}
