// The resources built into curlin.exe: the tray menu's Japanese texts and
// commands, the popup's dialog template and the icon's two 16-colour images
// (what the small one shows is checked in the tray), all in Japanese, and
// the version block.
#include "Processes.h"
#include "VersionInfo.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

const std::string kClockExe = WindowsPathOf(CURLIN_EXE);
const WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

class ClockImage : public ::testing::Test {
 protected:
  ClockImage()
      : module(LoadLibraryExA(kClockExe.c_str(), nullptr,
                              LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
  ~ClockImage() override {
    if (module != nullptr) FreeLibrary(module);
  }

  // The bytes of a resource in Japanese; empty when there is none.
  std::string Resource(LPCWSTR type, WORD id) const {
    HRSRC found = FindResourceExW(module, type, MAKEINTRESOURCEW(id), kJapanese);
    if (found == nullptr) return {};
    const void* data = LockResource(LoadResource(module, found));
    return std::string(static_cast<const char*>(data), SizeofResource(module, found));
  }

  // A named callback, not a lambda: 32-bit Windows calls it with the stdcall
  // convention, which a lambda's function pointer lacks.
  static BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR list) {
    reinterpret_cast<std::vector<WORD>*>(list)->push_back(language);
    return TRUE;
  }

  // Every language a resource exists in.
  std::vector<WORD> Languages(LPCWSTR type, WORD id) const {
    std::vector<WORD> languages;
    EnumResourceLanguagesW(module, type, MAKEINTRESOURCEW(id), CollectLanguage,
                           reinterpret_cast<LONG_PTR>(&languages));
    return languages;
  }

  HMODULE module;
};

std::wstring ItemText(HMENU menu, UINT position) {
  wchar_t text[64] = {};
  GetMenuStringW(menu, position, text, 64, MF_BYPOSITION);
  return text;
}

TEST_F(ClockImage, TheTrayMenuOffersPreferencesAndExit) {
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(Languages(reinterpret_cast<LPCWSTR>(RT_MENU), 129), std::vector<WORD>{kJapanese});
  HMENU menu = LoadMenuW(module, MAKEINTRESOURCEW(129));
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(GetMenuItemCount(menu), 1);
  EXPECT_EQ(ItemText(menu, 0), L"設定");

  HMENU commands = GetSubMenu(menu, 0);
  ASSERT_NE(commands, nullptr);
  ASSERT_EQ(GetMenuItemCount(commands), 3);
  EXPECT_EQ(ItemText(commands, 0), L"環境設定");
  EXPECT_EQ(GetMenuItemID(commands, 0), 32771u);
  MENUITEMINFOW separator = {};
  separator.cbSize = sizeof separator;
  separator.fMask = MIIM_FTYPE;
  ASSERT_TRUE(GetMenuItemInfoW(commands, 1, TRUE, &separator));
  EXPECT_NE(separator.fType & MFT_SEPARATOR, 0u);
  EXPECT_EQ(ItemText(commands, 2), L"終了");
  EXPECT_EQ(GetMenuItemID(commands, 2), 32773u);
  DestroyMenu(menu);
}

TEST_F(ClockImage, ThePopupIsABorderlessEmptyDialog) {
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(Languages(reinterpret_cast<LPCWSTR>(RT_DIALOG), 103), std::vector<WORD>{kJapanese});
  const std::string bytes = Resource(reinterpret_cast<LPCWSTR>(RT_DIALOG), 103);
  ASSERT_GE(bytes.size(), sizeof(DLGTEMPLATE));
  DLGTEMPLATE dialog;
  std::memcpy(&dialog, bytes.data(), sizeof dialog);
  EXPECT_EQ(dialog.style, static_cast<DWORD>(WS_POPUP | DS_SETFONT));
  EXPECT_EQ(dialog.dwExtendedStyle, 0u);
  EXPECT_EQ(dialog.cdit, 0);
  EXPECT_EQ(dialog.x, 22);
  EXPECT_EQ(dialog.y, 17);
  EXPECT_EQ(dialog.cx, 182);
  EXPECT_EQ(dialog.cy, 10);

  // Then menu, class and title (none, the standard class, empty), and the font.
  std::vector<WORD> rest((bytes.size() - sizeof dialog) / 2);
  std::memcpy(rest.data(), bytes.data() + sizeof dialog, rest.size() * 2);
  ASSERT_GE(rest.size(), 11u);
  EXPECT_EQ(rest[0], 0) << "no menu";
  EXPECT_EQ(rest[1], 0) << "the standard dialog class";
  EXPECT_EQ(rest[2], 0) << "empty title";
  EXPECT_EQ(rest[3], 8) << "8 point";
  const std::wstring face(reinterpret_cast<const wchar_t*>(&rest[4]));
  EXPECT_EQ(face, L"System");
}

#pragma pack(push, 2)
struct IconEntry {  // one image of an icon group resource
  BYTE width, height, colourCount, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

TEST_F(ClockImage, TheIconHasA32AndA16PixelImageIn16Colours) {
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(Languages(reinterpret_cast<LPCWSTR>(RT_GROUP_ICON), 107),
            std::vector<WORD>{kJapanese});
  const std::string group = Resource(reinterpret_cast<LPCWSTR>(RT_GROUP_ICON), 107);
  ASSERT_GE(group.size(), 6u);
  WORD count = 0;
  std::memcpy(&count, group.data() + 4, 2);
  ASSERT_EQ(count, 2);
  ASSERT_GE(group.size(), 6 + 2 * sizeof(IconEntry));

  std::vector<int> sizes;
  for (int i = 0; i < count; ++i) {
    IconEntry entry;
    std::memcpy(&entry, group.data() + 6 + i * sizeof entry, sizeof entry);
    const int size = entry.width;
    sizes.push_back(size);
    EXPECT_EQ(entry.height, entry.width);
    EXPECT_EQ(entry.colourCount, 16) << size;

    const std::string image = Resource(reinterpret_cast<LPCWSTR>(RT_ICON), entry.id);
    ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER)) << size;
    BITMAPINFOHEADER header;
    std::memcpy(&header, image.data(), sizeof header);
    EXPECT_EQ(header.biBitCount, 4) << size;
    EXPECT_EQ(header.biWidth, size);
  }
  EXPECT_EQ(sizes, (std::vector<int>{32, 16}));
}

}  // namespace

namespace {

TEST(ClockVersion, TheReleasedProgramSaysWhatItIs) {
  const VersionInfo version(kClockExe);
  const VS_FIXEDFILEINFO* fixed = version.Fixed();
  ASSERT_NE(fixed, nullptr);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(version.JapaneseString(L"FileDescription"), L"curlin ポインタ時計");
  EXPECT_EQ(version.JapaneseString(L"FileVersion"), L"1, 0, 0, 0");
  EXPECT_EQ(version.JapaneseString(L"OriginalFilename"), L"curlin.EXE");
}

}  // namespace
