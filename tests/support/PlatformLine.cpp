#include "PlatformLine.h"

#include <windows.h>

std::string PlatformLine(const std::string& datePicture, const std::string& timePicture,
                         int secondsAgo) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  FILETIME ticks;  // 100 ns units
  SystemTimeToFileTime(&now, &ticks);
  ULARGE_INTEGER at = {{ticks.dwLowDateTime, ticks.dwHighDateTime}};
  at.QuadPart -= static_cast<ULONGLONG>(secondsAgo) * 10000000;
  ticks = {at.LowPart, at.HighPart};
  SYSTEMTIME then;
  FileTimeToSystemTime(&ticks, &then);

  char date[128] = {}, time[128] = {};
  if (!datePicture.empty()) {
    GetDateFormatA(LOCALE_USER_DEFAULT, 0, &then, datePicture.c_str(), date, sizeof date);
  }
  if (!timePicture.empty()) {
    GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_FORCE24HOURFORMAT, &then, timePicture.c_str(), time,
                   sizeof time);
  }
  return std::string(date) + time;
}
