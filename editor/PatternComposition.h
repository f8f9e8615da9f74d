// Turns the user's choices into the date and time format pictures. Pure:
// any flag and index combination gives a picture, with fixed default rules
// for indices outside the lists (-1 for "nothing selected" included).
#pragma once

#include <cstdint>
#include <string>

struct PatternChoices {
  bool showDate = false;
  bool showWeekday = false;
  bool showTime = false;
  bool showAmPm = false;
  int32_t dateFormat = -1;
  int32_t dateSeparator = -1;
  int32_t weekdayStyle = -1;
  int32_t timeFormat = -1;
  int32_t timeSeparator = -1;
};

struct Pictures {
  std::string date;  // empty: the date half is off
  std::string time;  // empty: the time half is off
};

std::string MakeDatePicture(int32_t dateFormat, int32_t dateSeparator);
std::string MakeTimePicture(int32_t timeFormat, int32_t timeSeparator);
Pictures ComposePictures(const PatternChoices& choices);
