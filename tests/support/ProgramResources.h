// The resources built into a program file, read as other programs read them:
// loaded as data, in Japanese (language 0x0411), with icon groups, dialog
// templates and the version block taken apart.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

constexpr WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

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

  // The images of icon group id, each "32x32, 16 colours, 4 bits" (the bits
  // from the image itself); empty when the group is missing or short.
  std::vector<std::string> IconImages(WORD id) const;
  // Dialog template id; *found says whether it exists and could be read.
  DialogTemplate Dialog(WORD id, bool* found = nullptr) const;

  // The version block: the fixed part's numbers and the Translation pairs as
  // "file 1.0.0.0, product 1.0.0.0, translation 0411 04b0" ("" without a
  // fixed part), and a string of the 041104b0 block (*found: it exists).
  std::string VersionNumbers() const;
  std::wstring VersionString(const wchar_t* name, bool* found = nullptr) const;

 private:
  HMODULE m_module;
  std::vector<BYTE> m_version;
};
