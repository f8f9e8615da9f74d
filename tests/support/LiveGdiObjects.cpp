#include "LiveGdiObjects.h"

#include <winternl.h>

#include <cstdint>
#include <numeric>
#include <vector>

namespace {

#pragma pack(push, 1)
// One entry of Wine's GDI handle table: 24 bytes for 32-bit and 64-bit
// processes alike, its pointers being kept as 64-bit numbers in both.
struct GdiHandleEntry {
  uint64_t kernelObject;
  uint32_t owner;
  uint16_t unique;
  uint8_t type;
  uint8_t flags;
  uint64_t userObject;
};
#pragma pack(pop)
static_assert(sizeof(GdiHandleEntry) == 24, "GDI handle table entry");

constexpr size_t kHandleTableEntries = 0x10000;
// Where the process environment block keeps the table's address
// (GdiSharedHandleTable).
#ifdef _WIN64
constexpr size_t kGdiHandleTableOffset = 0xF8;
#else
constexpr size_t kGdiHandleTableOffset = 0x94;
#endif

GdiObjectKinds LiveGdiObjectKindsIn(HANDLE process) {
  GdiObjectKinds kinds = {};
  PROCESS_BASIC_INFORMATION basic = {};
  if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) {
    return kinds;
  }
  const char* tableAddress = reinterpret_cast<const char*>(basic.PebBaseAddress) + kGdiHandleTableOffset;
  const void* table = nullptr;
  if (!ReadProcessMemory(process, tableAddress, &table, sizeof table, nullptr) || table == nullptr) {
    return kinds;
  }
  std::vector<GdiHandleEntry> entries(kHandleTableEntries);
  if (!ReadProcessMemory(process, table, entries.data(), entries.size() * sizeof entries[0], nullptr)) {
    return kinds;
  }
  for (const GdiHandleEntry& entry : entries) {
    if (entry.type != 0) ++kinds[entry.type];
  }
  return kinds;
}

size_t Total(const GdiObjectKinds& kinds) { return std::accumulate(kinds.begin(), kinds.end(), size_t{0}); }

}  // namespace

size_t LiveGdiObjects() { return Total(LiveGdiObjectKindsIn(GetCurrentProcess())); }

GdiObjectKinds LiveGdiObjectKindsOf(DWORD processId) {
  const HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
  if (process == nullptr) return {};
  const GdiObjectKinds kinds = LiveGdiObjectKindsIn(process);
  CloseHandle(process);
  return kinds;
}
