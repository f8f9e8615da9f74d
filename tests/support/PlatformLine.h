// The clock line worked out by the test itself from the platform's
// formatters, as an independent expectation for what a box or preview shows.
#pragma once

#include <string>

// The date picture through GetDateFormatA and the time picture through
// GetTimeFormatA (24-hour digits, as the programs ask for), for now or, when
// secondsAgo is given, for that many seconds ago, joined; an empty picture
// stands for a half that is not shown.
std::string PlatformLine(const std::string& datePicture, const std::string& timePicture,
                         int secondsAgo = 0);
