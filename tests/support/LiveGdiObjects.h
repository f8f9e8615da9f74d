// Counts a process's live GDI objects and kernel handles.
// GDI objects: counted by reading the platform's own GDI
// handle table, which the process environment block points to. Wine's
// GetGuiResources is a stub, but its handle table is kept exactly: an entry
// whose type byte is not zero is an object in use. Shared by the tests' leak
// checks and the benchmark's GDI soak.
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>

// This process's live GDI objects.
size_t LiveGdiObjects();
// A count for each kind of object, indexed by the table's type byte: DCs,
// regions, DC surfaces, bitmaps (9), fonts (10), brushes (16), pens.
using GdiObjectKinds = std::array<size_t, 256>;
constexpr size_t kGdiDc = 0x01;
constexpr size_t kGdiRegion = 0x04;
constexpr size_t kGdiSurface = 0x05;
constexpr size_t kGdiBitmap = 0x09;
// Those of another process of the same bitness, read from its memory, kind
// by kind; all zero when the process or its table cannot be read.
GdiObjectKinds LiveGdiObjectKindsOf(DWORD processId);
// The kernel handles a process holds, from the system's handle list (Wine's
// GetProcessHandleCount answers 0 for every process); 0 if it cannot be read.
size_t KernelHandlesOf(DWORD processId);
