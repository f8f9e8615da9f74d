// The floor for the clock's CPU time: a Windows program with a 300 ms
// thread timer that does nothing, and a message loop.
#include <windows.h>

namespace {
void CALLBACK DoNothing(HWND, UINT, UINT_PTR, DWORD) {}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  SetTimer(nullptr, 0, 300, DoNothing);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}
