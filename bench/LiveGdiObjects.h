// Counts this process's live GDI objects by reading the platform's own GDI
// handle table, which the process environment block points to. Wine's
// GetGuiResources is a stub, but its handle table is kept exactly: an entry
// whose type byte is not zero is an object in use.
#pragma once

#include <cstddef>

size_t LiveGdiObjects();
