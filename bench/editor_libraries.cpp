// Makes the program it is linked into import the system libraries the editor
// imports beyond kernel32, user32 and the C runtime: comdlg32 (the colour and
// font dialogs) and gdi32. The linker names a library in the import table only
// for a function that is called, so one cheap call into each is made while
// the program starts; the loader then maps both before WinMain, as it does for
// the editor.
#include <windows.h>

#include <commdlg.h>

namespace {

struct EditorLibraries {
  EditorLibraries() {
    CommDlgExtendedError();
    GetStockObject(DEFAULT_GUI_FONT);
  }
} editorLibraries;

}  // namespace
