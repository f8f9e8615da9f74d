#include "FollowingDisplay.h"

#include "ClockProcess.h"
#include "ClockSettings.h"
#include "ClockText.h"
#include "FontForDrawing.h"
#include "GdiOwners.h"
#include "SettingsFile.h"
#include "TextFields.h"

#include <cstring>

namespace {

// What the display needs of the settings; the rest of the record is not kept.
struct DisplayState {
  char datePicture[kTextFieldSize] = {};  // empty: no date
  char timePicture[kTextFieldSize] = {};  // empty: no time
  COLORREF backColor = 0;
  COLORREF textColor = 0;
  LOGFONTA font = {};  // as stored, made safe to realise; a font is made from it at every tick
  GdiObject<HBRUSH> backBrush;
};

DisplayState displayState;

// A half that is switched off shows nothing; a half that is on takes the
// stored picture, but an empty stored picture keeps the one in force.
void TakePicture(char (&held)[kTextFieldSize], bool shown, const char* stored) {
  if (shown) {
    CopyText(held, kTextFieldSize, stored);
  } else {
    held[0] = '\0';
  }
}

}  // namespace

void LoadDisplayState() {
  ClockSettings record;
  LoadSettings(record);
  TakePicture(displayState.datePicture, record.showDate != 0, record.datePicture);
  TakePicture(displayState.timePicture, record.showTime != 0, record.timePicture);
  displayState.textColor = record.textColor;
  displayState.backColor = record.backColor;
  // Checked once here rather than at every tick.
  displayState.font = FontForDrawing(record.font);
  displayState.backBrush.Reset(CreateSolidBrush(displayState.backColor));
}

void CALLBACK ClockTick(HWND, UINT, UINT_PTR, DWORD) {
  // Without the popup or its context (the popup is not made yet or gone, or
  // the desktop refuses) the tick neither places nor draws anything; the next
  // one starts afresh. GetDC of no window would lend the whole screen.
  if (PopupWindow == nullptr) return;
  WindowDC dc(PopupWindow);
  if (!dc) return;

  char line[kHalfSize] = {};
  SetBkColor(dc.Get(), displayState.backColor);
  SetTextColor(dc.Get(), displayState.textColor);
  RenderClockText(displayState.datePicture, displayState.datePicture[0] != '\0',
                  displayState.timePicture, displayState.timePicture[0] != '\0', line,
                  sizeof line);

  GdiObject<HFONT> font(CreateFontIndirectA(&displayState.font));
  SelectedObject selected(dc.Get(), font.Get());

  const int length = static_cast<int>(std::strlen(line));
  SIZE extent = {};
  POINT pointer = {};
  if (!GetTextExtentPoint32A(dc.Get(), line, length, &extent) || !GetCursorPos(&pointer)) return;

  // Never activate the box: the window the user is typing in keeps the focus.
  SetWindowPos(PopupWindow, HWND_TOPMOST, pointer.x + kBoxOffsetX, pointer.y + kBoxOffsetY,
               extent.cx, extent.cy, SWP_FRAMECHANGED | SWP_NOACTIVATE);
  // The background mode stays opaque, so the text cells fill the whole box.
  TextOutA(dc.Get(), 0, 0, line, length);
}

void ReleaseBackBrush() { displayState.backBrush.Reset(); }

HBRUSH BackBrush() { return displayState.backBrush.Get(); }
