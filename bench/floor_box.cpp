// The fair floor for the clock's CPU time and memory: a minimal topmost box
// that every 300 ms does the work any pointer-following clock must do, and
// nothing else. It formats the current time ("HH':'mm", as the clock shows by
// default), makes the 18-pixel font, measures the text, reads the pointer,
// moves and sizes the box topmost 8 pixels right of and 4 above it, and draws
// the text black on light yellow. No tray icon, no settings file, no dialog.
#include <windows.h>

#include <cstring>

#include "JapaneseText.h"

namespace {

HWND box = nullptr;

LOGFONTA BoxFont() {
  LOGFONTA font = {};
  font.lfHeight = -18;
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = SHIFTJIS_CHARSET;
  font.lfOutPrecision = OUT_STROKE_PRECIS;
  font.lfClipPrecision = CLIP_STROKE_PRECIS;
  font.lfQuality = DRAFT_QUALITY;
  font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  std::strcpy(font.lfFaceName, JapaneseText::kMsGothic);
  return font;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  char text[128] = {};
  GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, "HH':'mm", text, sizeof text);
  const int length = static_cast<int>(std::strlen(text));

  HDC dc = GetDC(box);
  SetBkColor(dc, RGB(255, 255, 128));
  SetTextColor(dc, RGB(0, 0, 0));
  const LOGFONTA description = BoxFont();
  HFONT font = CreateFontIndirectA(&description);
  HGDIOBJ previous = SelectObject(dc, font);
  SIZE size = {};
  GetTextExtentPoint32A(dc, text, length, &size);
  POINT pointer = {};
  GetCursorPos(&pointer);
  SetWindowPos(box, HWND_TOPMOST, pointer.x + 8, pointer.y - 4, size.cx, size.cy,
               SWP_FRAMECHANGED);
  TextOutA(dc, 0, 0, text, length);
  SelectObject(dc, previous);
  DeleteObject(font);
  ReleaseDC(box, dc);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = CreateSolidBrush(RGB(255, 255, 128));
  windowClass.lpszClassName = "floor_box";
  RegisterClassA(&windowClass);
  box = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, "floor_box", "",
                        WS_POPUP | WS_VISIBLE, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
  SetTimer(nullptr, 0, 300, Tick);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}
