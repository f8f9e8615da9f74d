#include "LiveGdiObjects.h"

#include <winternl.h>

#include <cstdint>
#include <algorithm>
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

// An entry of the system's extended handle list (class 64), which keeps
// process ids whole.
struct HandleEntry {
  void* object;
  ULONG_PTR processId, handle;
  ULONG access;
  USHORT backTrace, type;
  ULONG attributes, reserved;
};

}  // namespace

size_t LiveGdiObjects() {
  const GdiObjectKinds kinds = LiveGdiObjectKindsIn(GetCurrentProcess());
  return std::accumulate(kinds.begin(), kinds.end(), size_t{0});
}

size_t KernelHandlesOf(DWORD processId) {
  // The count and a reserved word lead; the entries follow.
  std::vector<char> list(1 << 16);
  ULONG needed = 0;
  NTSTATUS status;
  while ((status = NtQuerySystemInformation(static_cast<SYSTEM_INFORMATION_CLASS>(64), list.data(),
                                            static_cast<ULONG>(list.size()), &needed)) ==
             static_cast<NTSTATUS>(0xC0000004L) &&  // STATUS_INFO_LENGTH_MISMATCH
         list.size() < (1u << 28)) {
    list.resize(std::max<size_t>(needed, list.size()) * 2);
  }
  if (status != 0) return 0;
  const auto* first = reinterpret_cast<const HandleEntry*>(list.data() + 2 * sizeof(ULONG_PTR));
  return std::count_if(first, first + *reinterpret_cast<const ULONG_PTR*>(list.data()),
                       [&](const HandleEntry& entry) { return entry.processId == processId; });
}

GdiObjectKinds LiveGdiObjectKindsOf(DWORD processId) {
  const HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
  if (process == nullptr) return {};
  const GdiObjectKinds kinds = LiveGdiObjectKindsIn(process);
  CloseHandle(process);
  return kinds;
}
