#include "PlatformLine.h"

#include <windows.h>

std::string PlatformLine(const std::string& datePicture, const std::string& timePicture) {
  char date[128] = {}, time[128] = {};
  if (!datePicture.empty()) {
    GetDateFormatA(LOCALE_USER_DEFAULT, 0, nullptr, datePicture.c_str(), date, sizeof date);
  }
  if (!timePicture.empty()) {
    GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_FORCE24HOURFORMAT, nullptr, timePicture.c_str(), time,
                   sizeof time);
  }
  return std::string(date) + time;
}
