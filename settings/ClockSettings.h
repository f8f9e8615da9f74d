// The settings record shared by the clock and the editor, stored raw in
// "curlin.dat". Its 156-byte layout is the file format: never reorder it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

constexpr int kTextFieldSize = 32;  // each picture and the font face name

struct ClockSettings {
  LOGFONTA font;            // handed unchanged to CreateFontIndirectA
  COLORREF backColor;       // background of the clock box
  COLORREF textColor;       // colour of the clock text
  uint8_t showDate;         // non-zero: render the date half
  uint8_t showWeekday;      // editor only: weekday element in the date picture
  uint8_t showTime;         // non-zero: render the time half
  uint8_t showAmPm;         // editor only: AM/PM marker in the time picture
  int32_t dateFormat;       // choice indices, zero-based, -1 = nothing chosen
  int32_t dateSeparator;
  int32_t weekdayStyle;
  int32_t timeFormat;
  int32_t timeSeparator;
  char datePicture[kTextFieldSize];  // date format picture, Shift-JIS
  char timePicture[kTextFieldSize];  // time format picture, Shift-JIS
};

static_assert(sizeof(LOGFONTA) == 60, "LOGFONTA must be the platform's 60-byte record");
static_assert(sizeof(ClockSettings) == 156, "the settings file holds exactly 156 bytes");
static_assert(offsetof(ClockSettings, font) == 0);
static_assert(offsetof(ClockSettings, font.lfWeight) == 16);
static_assert(offsetof(ClockSettings, font.lfCharSet) == 23);
static_assert(offsetof(ClockSettings, font.lfPitchAndFamily) == 27);
static_assert(offsetof(ClockSettings, font.lfFaceName) == 28);
static_assert(offsetof(ClockSettings, backColor) == 60);
static_assert(offsetof(ClockSettings, textColor) == 64);
static_assert(offsetof(ClockSettings, showDate) == 68);
static_assert(offsetof(ClockSettings, showWeekday) == 69);
static_assert(offsetof(ClockSettings, showTime) == 70);
static_assert(offsetof(ClockSettings, showAmPm) == 71);
static_assert(offsetof(ClockSettings, dateFormat) == 72);
static_assert(offsetof(ClockSettings, dateSeparator) == 76);
static_assert(offsetof(ClockSettings, weekdayStyle) == 80);
static_assert(offsetof(ClockSettings, timeFormat) == 84);
static_assert(offsetof(ClockSettings, timeSeparator) == 88);
static_assert(offsetof(ClockSettings, datePicture) == 92);
static_assert(offsetof(ClockSettings, timePicture) == 124);

// Fills every one of the 156 bytes with the built-in defaults: time only as
// "HH':'mm", black on light yellow, 18-pixel "ＭＳ ゴシック".
void SetDefaultSettings(ClockSettings& record);

// A copy of a stored font description whose face name is certainly
// terminated within its 32 bytes, for handing to the platform: a settings
// file may leave the field without a zero byte.
LOGFONTA TerminatedFont(const LOGFONTA& font);
