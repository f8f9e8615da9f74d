#include "SystemLibraries.h"

#include <cstring>

void RestrictDllSearchToSystemFolder() {
  // Windows 8 and later, and Windows 7 with its 2011 loader update; looked up
  // at run time so that the programs still start on a Windows 7 without it.
  const auto setDefaultDllDirectories = FunctionIn<BOOL(WINAPI*)(DWORD)>(
      GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
  if (setDefaultDllDirectories != nullptr) setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

HMODULE LoadSystemLibrary(const char* name) {
  char path[MAX_PATH];
  const UINT folderLength = GetSystemDirectoryA(path, MAX_PATH);
  // The folder, a backslash, the name and the terminator must fit.
  if (folderLength == 0 || folderLength + 1 + std::strlen(name) + 1 > MAX_PATH) return nullptr;
  path[folderLength] = '\\';
  std::strcpy(path + folderLength + 1, name);
  // By full path with the altered search, the DLLs it imports are looked for
  // in its own folder first, not in the program's: safe on every Windows.
  return LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}
