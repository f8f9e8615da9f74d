// A test program's own entry in its import slot for a platform function: the
// product's code linked into the program calls the platform through that
// slot, and the linker takes the program's definition before the import
// library's, so each such call reaches the test's replacement, which can
// look at the call and hand it on to the platform's own function.
//   CURLIN_IMPORT_SLOT(DrawIcon, 16) = &RecordDrawIcon;  // 16: bytes of arguments
#pragma once

#include <windows.h>

#ifdef _WIN64
#define CURLIN_IMPORT_SLOT(name, argumentBytes) \
  extern "C" decltype(&name) name##Slot asm("__imp_" #name); decltype(&name) name##Slot
#else
#define CURLIN_IMPORT_SLOT(name, argumentBytes) \
  extern "C" decltype(&name) name##Slot asm("__imp__" #name "@" #argumentBytes); decltype(&name) name##Slot
#endif

// The platform's own function name of dll, as the replacement hands calls on.
template <typename Function>
Function PlatformFunction(const char* dll, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(dll), name)));
}
