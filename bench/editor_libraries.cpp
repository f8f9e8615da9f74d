// Makes the program it is linked into load at start the system libraries the
// editor loads at start beyond kernel32, user32 and the C runtime: gdi32,
// which it imports, and the common controls library (comctl32), whose version
// 6, bound by the manifest, the editor's dialog loads for its controls. The
// linker names a library in the import table only for a function that is
// called, so one cheap call into each is made while the program starts; the
// loader then maps both before WinMain. The editor's picker library
// (comdlg32) is not loaded at start: the editor loads it when a picker opens.
#include <windows.h>

#include <commctrl.h>

namespace {

struct EditorLibraries {
  EditorLibraries() {
    GetStockObject(DEFAULT_GUI_FONT);
    InitCommonControls();
  }
} editorLibraries;

}  // namespace
