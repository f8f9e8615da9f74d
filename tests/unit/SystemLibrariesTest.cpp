// The restriction each program makes first, in a test process of its own
// (it lasts for the process): a DLL beside the program is no longer found by
// its name, and the picker library still comes from the system folder.
#include "SystemLibraries.h"

#include "Processes.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

// The folder of a loaded module, lower case, for comparing paths.
std::string FolderOf(HMODULE module) {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
  std::string folder(path, length);
  folder.erase(folder.find_last_of('\\') == std::string::npos ? 0 : folder.find_last_of('\\'));
  CharLowerA(folder.data());
  return folder;
}

TEST(DllSearch, AfterTheRestrictionOnlyTheSystemFolderIsSearched) {
  char own[MAX_PATH] = {};
  ASSERT_GT(GetModuleFileNameA(nullptr, own, MAX_PATH), 0u);
  std::string planted = own;
  planted.replace(planted.find_last_of('\\') + 1, std::string::npos, "beside-the-program.dll");
  ASSERT_TRUE(CopyFileA(WindowsPathOf(PLANTED_DLL).c_str(), planted.c_str(), FALSE));
  // Loadable from the program's folder when that folder is asked for.
  const HMODULE asked = LoadLibraryExA("beside-the-program.dll", nullptr, LOAD_LIBRARY_SEARCH_APPLICATION_DIR);
  ASSERT_NE(asked, nullptr) << "GetLastError() " << GetLastError();
  FreeLibrary(asked);

  RestrictDllSearchToSystemFolder();
  const HMODULE found = LoadLibraryA("beside-the-program.dll");
  const DWORD error = GetLastError();
  EXPECT_EQ(found, nullptr) << "found beside the program";
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_MOD_NOT_FOUND));

  const HMODULE pickers = LoadSystemLibrary("comdlg32.dll");
  ASSERT_NE(pickers, nullptr);
  char system[MAX_PATH] = {};
  ASSERT_GT(GetSystemDirectoryA(system, MAX_PATH), 0u);
  CharLowerA(system);
  EXPECT_EQ(FolderOf(pickers), system);
  EXPECT_NE(GetProcAddress(pickers, "ChooseFontA"), nullptr);
  EXPECT_TRUE(DeleteFileA(planted.c_str()));
}

}  // namespace
