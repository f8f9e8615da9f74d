#include "ClockSettings.h"

#include "JapaneseText.h"
#include "TextFields.h"

#include <cstring>

void SetDefaultSettings(ClockSettings& record) {
  std::memset(&record, 0, sizeof record);
  record.font.lfHeight = -18;
  record.font.lfWeight = FW_NORMAL;
  record.font.lfCharSet = SHIFTJIS_CHARSET;
  record.font.lfOutPrecision = OUT_STROKE_PRECIS;
  record.font.lfClipPrecision = CLIP_STROKE_PRECIS;
  record.font.lfQuality = DRAFT_QUALITY;
  record.font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  CopyText(record.font.lfFaceName, kTextFieldSize, JapaneseText::kMsGothic);
  record.backColor = RGB(255, 255, 128);
  record.textColor = RGB(0, 0, 0);
  record.showDate = 0;
  record.showWeekday = 0;
  record.showTime = 1;
  record.showAmPm = 0;
  record.dateFormat = 2;
  record.dateSeparator = 1;
  record.weekdayStyle = 1;
  record.timeFormat = 1;
  record.timeSeparator = 1;
  CopyText(record.datePicture, kTextFieldSize, "MM'/'dd");
  CopyText(record.timePicture, kTextFieldSize, "HH':'mm");
}

LOGFONTA TerminatedFont(const LOGFONTA& font) {
  LOGFONTA copy = font;
  copy.lfFaceName[LF_FACESIZE - 1] = '\0';
  return copy;
}
