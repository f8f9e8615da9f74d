// Makes the program it is linked into import the system library the editor
// imports beyond kernel32, user32 and the C runtime: gdi32. The linker names
// a library in the import table only for a function that is called, so one
// cheap call is made while the program starts; the loader then maps it before
// WinMain, as it does for the editor. The editor's picker library (comdlg32)
// is not imported: the editor loads it only when a picker opens.
#include <windows.h>

namespace {

struct EditorLibraries {
  EditorLibraries() { GetStockObject(DEFAULT_GUI_FONT); }
} editorLibraries;

}  // namespace
