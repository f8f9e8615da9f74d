// The resources built into a program file, read as other programs read them:
// loaded as data, in Japanese (language 0x0411), with icon groups, dialog
// templates and the version block taken apart.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

constexpr WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

// One image of an icon group.
struct IconImage {
  int width = 0, height = 0, colours = 0, bitCount = 0;  // bitCount from the image itself
};

// A dialog template and its controls; x, y, width, height in dialog units.
struct TemplateItem {
  DWORD style = 0;
  int id = 0;
  std::string windowClass;  // "Button", "Static", "ComboBox" for the standard ordinals
  std::wstring text;
  RECT units = {};
};

struct DialogTemplate {
  DWORD style = 0, extendedStyle = 0;
  RECT units = {};
  std::wstring menu, windowClass, caption;  // empty when there is none
  WORD pointSize = 0;
  std::wstring face;
  std::vector<TemplateItem> items;
};

class ProgramResources {
 public:
  // exePath: the program's Windows path in the ANSI code page.
  explicit ProgramResources(const std::string& exePath);
  ~ProgramResources();
  ProgramResources(const ProgramResources&) = delete;
  ProgramResources& operator=(const ProgramResources&) = delete;

  bool Loaded() const { return m_module != nullptr; }
  HMODULE Module() const { return m_module; }

  // Every language a resource of a standard type (RT_DIALOG and the like)
  // exists in.
  std::vector<WORD> Languages(LPCSTR type, WORD id) const;
  // The bytes of a resource of a standard type in Japanese; empty when there
  // is none.
  std::string Bytes(LPCSTR type, WORD id) const;

  // The images of icon group id; empty when the group is missing or short.
  std::vector<IconImage> IconGroup(WORD id) const;
  // Dialog template id; *found says whether it exists and could be read.
  DialogTemplate Dialog(WORD id, bool* found = nullptr) const;

  // The version block: the fixed part (null when there is none), the
  // Translation pairs, and a string of the 041104b0 block (*found: it exists).
  const VS_FIXEDFILEINFO* FixedVersion() const;
  std::vector<WORD> Translation() const;
  std::wstring VersionString(const wchar_t* name, bool* found = nullptr) const;

 private:
  HMODULE m_module;
  std::vector<BYTE> m_version;
};
