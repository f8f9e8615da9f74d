#include "LiveGdiObjects.h"

#include <windows.h>
#include <winternl.h>

#include <cstdint>

namespace {

#pragma pack(push, 1)
// One entry of the 64-bit GDI handle table (24 bytes).
struct GdiHandleEntry {
  uint64_t kernelObject;
  uint32_t owner;
  uint16_t unique;
  uint8_t type;
  uint8_t flags;
  uint64_t userObject;
};
#pragma pack(pop)
static_assert(sizeof(GdiHandleEntry) == 24, "64-bit GDI handle table entry");

constexpr size_t kHandleTableEntries = 0x10000;
constexpr size_t kGdiHandleTableOffset = 0xF8;  // PEB.GdiSharedHandleTable on x64

}  // namespace

size_t LiveGdiObjects() {
  // GCC takes the segment read inside NtCurrentTeb for an empty array access.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
  const TEB* teb = NtCurrentTeb();
#pragma GCC diagnostic pop
  const auto* peb = reinterpret_cast<const char*>(teb->ProcessEnvironmentBlock);
  const auto* table = *reinterpret_cast<const GdiHandleEntry* const*>(peb + kGdiHandleTableOffset);
  if (table == nullptr) return 0;
  size_t live = 0;
  for (size_t i = 0; i < kHandleTableEntries; ++i) {
    if (table[i].type != 0) ++live;
  }
  return live;
}
