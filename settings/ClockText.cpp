#include "ClockText.h"

#include <cstdio>
#include <cstring>

namespace {

// The platform leaves a failed call's buffer undefined: make it empty.
void KeepWholeOrNothing(int result, char (&half)[kHalfSize]) {
  if (result == 0) std::memset(half, 0, sizeof half);
}

}  // namespace

void RenderClockText(const char* datePicture, bool renderDate, const char* timePicture,
                     bool renderTime, char* line, size_t lineSize, const SYSTEMTIME* at) {
  char dateHalf[kHalfSize] = {};
  char timeHalf[kHalfSize] = {};
  if (renderDate) {
    KeepWholeOrNothing(
        GetDateFormatA(LOCALE_USER_DEFAULT, 0, at, datePicture, dateHalf, kHalfSize), dateHalf);
  }
  if (renderTime) {
    KeepWholeOrNothing(GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_FORCE24HOURFORMAT, at,
                                      timePicture, timeHalf, kHalfSize),
                       timeHalf);
  }
  std::snprintf(line, lineSize, "%s%s", dateHalf, timeHalf);
  line[lineSize - 1] = '\0';
}
