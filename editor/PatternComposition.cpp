#include "PatternComposition.h"

#include "JapaneseText.h"

using namespace JapaneseText;

namespace {

enum DateFamily { kFourDigitYear, kTwoDigitYear, kMonthDay };
enum DateColumn { kBlank, kSlash, kHyphen, kKanji };

DateFamily DateFamilyOf(int32_t dateFormat) {
  switch (dateFormat) {
    case 1: return kTwoDigitYear;
    case 2: return kMonthDay;
    default: return kFourDigitYear;
  }
}

DateColumn DateColumnOf(int32_t dateSeparator) {
  switch (dateSeparator) {
    case 0: return kBlank;
    case 2: return kHyphen;
    case 3: return kKanji;
    default: return kSlash;
  }
}

// Every date picture ends in one blank.
const char* const kDatePictures[3][4] = {
    // blank, slash, hyphen, kanji
    {"yyyy' 'MM' 'dd ", "yyyy'/'MM'/'dd ", "yyyy'-'MM'-'dd ", kLongKanjiDate},
    {"yy' 'MM' 'dd ", "yy'/'MM'/'dd ", "yy'-'MM'-'dd ", kShortKanjiDate},
    {"MM' 'dd ", "MM'/'dd ", "MM'-'dd ", kMonthDayKanjiDate},
};

struct TimeColumn {
  const char* base;
  const char* seconds;
};

TimeColumn TimeColumnOf(int32_t timeSeparator) {
  switch (timeSeparator) {
    case 0: return {"HH' 'mm", "' 'ss"};
    case 2: return {kKanjiTime, kKanjiSeconds};
    default: return {"HH':'mm", "':'ss"};
  }
}

}  // namespace

std::string MakeDatePicture(int32_t dateFormat, int32_t dateSeparator) {
  return kDatePictures[DateFamilyOf(dateFormat)][DateColumnOf(dateSeparator)];
}

std::string MakeTimePicture(int32_t timeFormat, int32_t timeSeparator) {
  const TimeColumn column = TimeColumnOf(timeSeparator);
  std::string picture = column.base;
  if (timeFormat == 0) picture += column.seconds;
  return picture;
}

Pictures ComposePictures(const PatternChoices& choices) {
  Pictures pictures;
  if (choices.showDate) {
    pictures.date = MakeDatePicture(choices.dateFormat, choices.dateSeparator);
    if (choices.showWeekday) pictures.date += choices.weekdayStyle == 0 ? "dddd " : "(ddd) ";
  }
  if (choices.showTime) {
    pictures.time = MakeTimePicture(choices.timeFormat, choices.timeSeparator);
    if (choices.showAmPm) pictures.time.insert(0, "tt ");
  }
  return pictures;
}
