// Where the programs take their DLLs from. A program started from a folder
// that anyone can write to (a browser's downloads) would otherwise load a DLL
// planted there under a system DLL's name before the system's own copy:
// Windows protects only a short list of core DLLs that way.
#pragma once

#include <windows.h>

// Limits the DLL search of this process to the system folder. Called first
// in each program, before any window, picker or shell call can load a DLL by
// name. On a Windows 7 without the call that does this it does nothing; what
// the programs load themselves then still comes from the system folder
// through LoadSystemLibrary.
void RestrictDllSearchToSystemFolder();

// Loads name from the system folder by its full path, with the DLLs it needs
// looked for there too, never beside the program; null when it cannot.
HMODULE LoadSystemLibrary(const char* name);

// The function called name in module, as a Function; null when there is none.
template <typename Function>
Function FunctionIn(HMODULE module, const char* name) {
  const FARPROC found = module == nullptr ? nullptr : GetProcAddress(module, name);
  // Through a plain function pointer: FARPROC and Function differ in type.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}
