// Counts a process's live GDI objects by reading the platform's own GDI
// handle table, which the process environment block points to. Wine's
// GetGuiResources is a stub, but its handle table is kept exactly: an entry
// whose type byte is not zero is an object in use. Shared by the tests' leak
// checks and the benchmark's GDI soak.
#pragma once

#include <windows.h>

#include <cstddef>

// This process's live GDI objects.
size_t LiveGdiObjects();
// Those of another process of the same bitness, read from its memory; 0 when
// the process or its table cannot be read.
size_t LiveGdiObjectsOf(DWORD processId);
