#include "ProgramResources.h"

#include "ShiftJis.h"

#include <cstdio>
#include <cstring>

namespace {

// Reads the words of a dialog template in order.
class TemplateReader {
 public:
  TemplateReader(const std::string& bytes) : m_bytes(bytes) {}

  bool Overrun() const { return m_at > m_bytes.size(); }
  WORD Word() {
    WORD value = 0;
    if (m_at + sizeof value <= m_bytes.size()) std::memcpy(&value, m_bytes.data() + m_at, sizeof value);
    m_at += sizeof value;
    return value;
  }
  DWORD Dword() { return Word() | (static_cast<DWORD>(Word()) << 16); }
  std::wstring String() { return Rest(Word()); }
  // A string or, after 0xFFFF, an ordinal (returned as "#n").
  std::wstring StringOrOrdinal() {
    const WORD first = Word();
    if (first == 0xFFFF) return L"#" + std::to_wstring(Word());
    return Rest(first);
  }
  RECT Units() {
    const short x = Word(), y = Word(), cx = Word(), cy = Word();
    return {x, y, cx, cy};
  }
  void Skip(size_t bytes) { m_at += bytes; }
  void AlignToDword() { m_at = (m_at + 3) & ~size_t{3}; }

 private:
  std::wstring Rest(WORD first) {
    std::wstring text;
    for (WORD c = first; c != 0 && !Overrun(); c = Word()) text += static_cast<wchar_t>(c);
    return text;
  }

  const std::string& m_bytes;
  size_t m_at = 0;
};

std::string StandardClass(const std::wstring& stored) {
  if (stored == L"#128") return "Button";
  if (stored == L"#130") return "Static";
  if (stored == L"#133") return "ComboBox";
  return ToShiftJis(stored);
}

#pragma pack(push, 2)
struct GroupEntry {  // one image of an icon group resource
  BYTE width, height, colourCount, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

// A named callback, not a lambda: 32-bit Windows calls it with the stdcall
// convention, which a lambda's function pointer lacks.
BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR list) {
  reinterpret_cast<std::vector<WORD>*>(list)->push_back(language);
  return TRUE;
}

// A value of a version block, with its length in *length; null when the
// block or the value is missing.
const void* VersionValue(const std::vector<BYTE>& block, const std::wstring& key, UINT* length) {
  void* value = nullptr;
  if (block.empty() || !VerQueryValueW(block.data(), key.c_str(), &value, length)) return nullptr;
  return value;
}

}  // namespace

ProgramResources::ProgramResources(const std::string& exePath)
    : m_module(LoadLibraryExA(exePath.c_str(), nullptr,
                              LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {
  const std::wstring path = FromShiftJis(exePath);
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return;
  m_version.resize(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, m_version.data())) m_version.clear();
}

ProgramResources::~ProgramResources() {
  if (m_module != nullptr) FreeLibrary(m_module);
}


std::vector<WORD> ProgramResources::Languages(LPCSTR type, WORD id) const {
  std::vector<WORD> languages;
  // A standard type is a number, the same in both character sets.
  EnumResourceLanguagesW(m_module, reinterpret_cast<LPCWSTR>(type), MAKEINTRESOURCEW(id),
                         CollectLanguage, reinterpret_cast<LONG_PTR>(&languages));
  return languages;
}

std::string ProgramResources::Bytes(LPCSTR type, WORD id) const {
  HRSRC found =
      FindResourceExW(m_module, reinterpret_cast<LPCWSTR>(type), MAKEINTRESOURCEW(id), kJapanese);
  if (found == nullptr) return {};
  const void* data = LockResource(LoadResource(m_module, found));
  if (data == nullptr) return {};
  return std::string(static_cast<const char*>(data), SizeofResource(m_module, found));
}

std::vector<std::string> ProgramResources::IconImages(WORD id) const {
  const std::string group = Bytes(RT_GROUP_ICON, id);
  WORD count = 0;
  if (group.size() >= 6) std::memcpy(&count, group.data() + 4, sizeof count);
  if (group.size() < 6 + count * sizeof(GroupEntry)) return {};
  std::vector<std::string> images;
  for (WORD i = 0; i < count; ++i) {
    GroupEntry entry;
    std::memcpy(&entry, group.data() + 6 + i * sizeof entry, sizeof entry);
    const std::string bits = Bytes(RT_ICON, entry.id);
    BITMAPINFOHEADER header = {};
    if (bits.size() >= sizeof header) std::memcpy(&header, bits.data(), sizeof header);
    char text[64];
    std::snprintf(text, sizeof text, "%dx%d, %d colours, %d bits", entry.width, entry.height,
                  entry.colourCount, header.biBitCount);
    images.push_back(text);
  }
  return images;
}

DialogTemplate ProgramResources::Dialog(WORD id, bool* found) const {
  const std::string bytes = Bytes(RT_DIALOG, id);
  DialogTemplate parsed;
  TemplateReader reader(bytes);
  parsed.style = reader.Dword();
  parsed.extendedStyle = reader.Dword();
  const WORD count = reader.Word();
  parsed.units = reader.Units();
  parsed.menu = reader.StringOrOrdinal();
  parsed.windowClass = reader.StringOrOrdinal();
  parsed.caption = reader.String();
  if (parsed.style & DS_SETFONT) {
    parsed.pointSize = reader.Word();
    parsed.face = reader.String();
  }
  for (WORD i = 0; i < count && !reader.Overrun(); ++i) {
    reader.AlignToDword();
    TemplateItem item;
    item.style = reader.Dword();
    reader.Dword();  // extended style
    item.units = reader.Units();
    item.id = static_cast<short>(reader.Word());
    item.windowClass = StandardClass(reader.StringOrOrdinal());
    item.text = reader.StringOrOrdinal();
    reader.Skip(reader.Word());  // creation data
    parsed.items.push_back(item);
  }
  if (found != nullptr) *found = !bytes.empty() && !reader.Overrun();
  return parsed;
}

std::string ProgramResources::VersionNumbers() const {
  UINT length = 0, pairs = 0;
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(VersionValue(m_version, L"\\", &length));
  const auto* words =
      static_cast<const WORD*>(VersionValue(m_version, L"\\VarFileInfo\\Translation", &pairs));
  if (fixed == nullptr) return "";
  char text[128];
  std::snprintf(text, sizeof text, "file %lu.%lu.%lu.%lu, product %lu.%lu.%lu.%lu, translation",
                fixed->dwFileVersionMS >> 16, fixed->dwFileVersionMS & 0xFFFF,
                fixed->dwFileVersionLS >> 16, fixed->dwFileVersionLS & 0xFFFF,
                fixed->dwProductVersionMS >> 16, fixed->dwProductVersionMS & 0xFFFF,
                fixed->dwProductVersionLS >> 16, fixed->dwProductVersionLS & 0xFFFF);
  std::string numbers = text;
  for (UINT i = 0; words != nullptr && i < pairs / sizeof(WORD); ++i) {
    std::snprintf(text, sizeof text, " %04x", words[i]);
    numbers += text;
  }
  return numbers;
}

std::wstring ProgramResources::VersionString(const wchar_t* name, bool* found) const {
  const std::wstring key = std::wstring(L"\\StringFileInfo\\041104b0\\") + name;
  UINT length = 0;
  const auto* value = static_cast<const wchar_t*>(VersionValue(m_version, key, &length));
  if (found != nullptr) *found = value != nullptr;
  return value != nullptr ? std::wstring(value) : std::wstring();
}
