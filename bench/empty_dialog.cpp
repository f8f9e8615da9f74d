// The floor for the programs' memory: an empty modal dialog and nothing else.
// Built again with editor_libraries.cpp and editor_floor.rc, it is the
// editor's fair floor.
#include <windows.h>

namespace {
INT_PTR CALLBACK EmptyDialogProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG;
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  DialogBoxParamA(instance, MAKEINTRESOURCEA(1), nullptr, EmptyDialogProc, 0);
  return 0;
}
