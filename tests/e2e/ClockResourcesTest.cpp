// The resources built into curlin.exe: the tray menu's Japanese texts and
// commands, the popup's dialog template and the icon's two 16-colour images
// (what the small one shows is checked in the tray), all in Japanese, and
// the version block.
#include "ClockDriver.h"
#include "GdiOwners.h"
#include "ProgramResources.h"
#include "TopWindows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kClockExe = ClockExe();

std::wstring ItemText(HMENU menu, UINT position) {
  wchar_t text[64] = {};
  GetMenuStringW(menu, position, text, 64, MF_BYPOSITION);
  return text;
}

TEST(ClockImage, TheTrayMenuOffersPreferencesAndExit) {
  const ProgramResources resources(kClockExe);
  ASSERT_TRUE(resources.Loaded());
  EXPECT_EQ(resources.Languages(RT_MENU, 129), std::vector<WORD>{kJapanese});
  const LoadedMenu menu(LoadMenuW(resources.Module(), MAKEINTRESOURCEW(129)));
  ASSERT_TRUE(menu);
  ASSERT_EQ(GetMenuItemCount(menu.Get()), 1);
  EXPECT_EQ(ItemText(menu.Get(), 0), L"設定");

  HMENU commands = GetSubMenu(menu.Get(), 0);
  ASSERT_NE(commands, nullptr);
  ASSERT_EQ(GetMenuItemCount(commands), 3);
  EXPECT_EQ(ItemText(commands, 0), L"環境設定");
  EXPECT_EQ(GetMenuItemID(commands, 0), kPreferencesCommand);
  MENUITEMINFOW separator = {};
  separator.cbSize = sizeof separator;
  separator.fMask = MIIM_FTYPE;
  ASSERT_TRUE(GetMenuItemInfoW(commands, 1, TRUE, &separator));
  EXPECT_NE(separator.fType & MFT_SEPARATOR, 0u);
  EXPECT_EQ(ItemText(commands, 2), L"終了");
  EXPECT_EQ(GetMenuItemID(commands, 2), kExitCommand);
}

TEST(ClockImage, ThePopupIsABorderlessEmptyDialog) {
  const ProgramResources resources(kClockExe);
  EXPECT_EQ(resources.Languages(RT_DIALOG, 103), std::vector<WORD>{kJapanese});
  bool found = false;
  const DialogTemplate dialog = resources.Dialog(103, &found);
  ASSERT_TRUE(found);
  EXPECT_EQ(dialog.style, static_cast<DWORD>(WS_POPUP | DS_SETFONT));
  EXPECT_EQ(dialog.extendedStyle, 0u);
  EXPECT_TRUE(dialog.items.empty());
  EXPECT_EQ(Describe(dialog.units), "(22,17)-(182,10)") << "x, y, width, height";
  EXPECT_EQ(dialog.menu, L"") << "no menu";
  EXPECT_EQ(dialog.windowClass, L"") << "the standard dialog class";
  EXPECT_EQ(dialog.caption, L"");
  EXPECT_EQ(dialog.pointSize, 8);
  EXPECT_EQ(dialog.face, L"System");
}

TEST(ClockImage, TheIconHasA32AndA16PixelImageIn16Colours) {
  const ProgramResources resources(kClockExe);
  EXPECT_EQ(resources.Languages(RT_GROUP_ICON, 107), std::vector<WORD>{kJapanese});
  EXPECT_EQ(resources.IconImages(107),
            (std::vector<std::string>{"32x32, 16 colours, 4 bits", "16x16, 16 colours, 4 bits"}));
}

TEST(ClockVersion, TheReleasedProgramSaysWhatItIs) {
  const ProgramResources resources(kClockExe);
  EXPECT_EQ(resources.VersionNumbers(), "file 1.0.0.0, product 1.0.0.0, translation 0411 04b0");
  EXPECT_EQ(resources.VersionString(L"FileDescription"), L"curlin ポインタ時計");
  EXPECT_EQ(resources.VersionString(L"FileVersion"), L"1, 0, 0, 0");
  EXPECT_EQ(resources.VersionString(L"InternalName"), L"curlin");
  EXPECT_EQ(resources.VersionString(L"OriginalFilename"), L"curlin.EXE");
  EXPECT_EQ(resources.VersionString(L"ProductName"), L"curlin");
  EXPECT_EQ(resources.VersionString(L"ProductVersion"), L"1, 0, 0, 0");
}

}  // namespace
