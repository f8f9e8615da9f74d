// The clock line through the platform's own formatters under the Japanese
// user locale.
#include "ClockText.h"

#include "JapaneseText.h"
#include "ShiftJis.h"

#include <gtest/gtest.h>

#include <string>

namespace {

SYSTEMTIME At(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
  // wYear, wMonth, wDayOfWeek, wDay, wHour, wMinute, wSecond, wMilliseconds.
  SYSTEMTIME time = {year, month, 0, day, hour, minute, second, 0};
  // wDayOfWeek is derived by the formatter; fill it to be safe.
  FILETIME file;
  SystemTimeToFileTime(&time, &file);
  FileTimeToSystemTime(&file, &time);
  return time;
}

const SYSTEMTIME kMonday0905 = At(2026, 12, 7, 9, 5, 7);

std::string Line(const char* date, bool renderDate, const char* time, bool renderTime,
                 const SYSTEMTIME& at, size_t size = 128) {
  std::string buffer(size, '\x7F');
  RenderClockText(date, renderDate, time, renderTime, buffer.data(), size, &at);
  EXPECT_EQ(buffer[size - 1], '\0');
  return buffer.c_str();
}

class ClockText : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(JapaneseLocaleActive()) << "needs the Japanese locale"; }
};

TEST_F(ClockText, DefaultPictureGivesTwentyFourHourHoursAndMinutes) {
  EXPECT_EQ(Line("MM'/'dd", false, "HH':'mm", true, kMonday0905), "09:05");
  EXPECT_EQ(Line("", false, "HH':'mm", true, At(2026, 12, 7, 21, 5, 0)), "21:05");
}

TEST_F(ClockText, HalvesJoinWithNothingBetween) {
  EXPECT_EQ(Line("MM'/'dd ", true, "HH':'mm", true, kMonday0905), "12/07 09:05");
  EXPECT_EQ(Line("yyyy'-'MM'-'dd ", true, "", false, kMonday0905), "2026-12-07 ");
  EXPECT_EQ(Line(JapaneseText::kShortKanjiDate, true, "", false, kMonday0905),
            ToShiftJis(L"26年12月07日 "));
}

TEST_F(ClockText, WeekdayNamesComeFromTheJapaneseLocale) {
  EXPECT_EQ(Line("(ddd) ", true, "", false, kMonday0905), ToShiftJis(L"(月) "));
  EXPECT_EQ(Line("dddd ", true, "", false, kMonday0905), ToShiftJis(L"月曜日 "));
  EXPECT_EQ(Line("(ddd)", true, "", false, At(2026, 12, 6, 0, 0, 0)), ToShiftJis(L"(日)"));
  EXPECT_EQ(Line("dddd", true, "", false, At(2026, 12, 12, 0, 0, 0)), ToShiftJis(L"土曜日"));
}

TEST_F(ClockText, MarkerStaysBesideTwentyFourHourDigits) {
  EXPECT_EQ(Line("", false, "tt HH':'mm", true, At(2026, 12, 7, 21, 5, 0)),
            ToShiftJis(L"午後 21:05"));
  EXPECT_EQ(Line("", false, "tt HH':'mm", true, At(2026, 12, 7, 0, 30, 0)),
            ToShiftJis(L"午前 00:30"));
  EXPECT_EQ(Line("", false, JapaneseText::kKanjiTime, true, At(2026, 12, 7, 21, 5, 0)),
            ToShiftJis(L"21時05分"));
  const std::string withSeconds = std::string(JapaneseText::kKanjiTime) + JapaneseText::kKanjiSeconds;
  EXPECT_EQ(Line("", false, withSeconds.c_str(), true, kMonday0905), ToShiftJis(L"09時05分07秒"));
}

TEST_F(ClockText, HalvesThatAreOffOrEmptyContributeNothing) {
  EXPECT_EQ(Line("MM'/'dd ", false, "HH':'mm", false, kMonday0905), "");
  EXPECT_EQ(Line("", true, "", true, kMonday0905), "");
}

TEST_F(ClockText, AFailedFormatterCallContributesAnEmptyHalf) {
  // A picture whose result does not fit the 128-byte half makes the
  // platform fail: that half must be empty, not a partial text.
  std::string longPicture;
  for (int i = 0; i < 30; ++i) longPicture += "dddd' '";  // 30 x 7 bytes
  EXPECT_EQ(Line(longPicture.c_str(), true, "HH':'mm", true, kMonday0905), "09:05");
}

TEST_F(ClockText, ALongJoinIsCutAndTerminated) {
  const std::string date = "'" + std::string(100, 'd') + "'";
  const std::string time = "'" + std::string(100, 't') + "'";
  const std::string line = Line(date.c_str(), true, time.c_str(), true, kMonday0905, 128);
  EXPECT_EQ(line, std::string(100, 'd') + std::string(27, 't'));
  EXPECT_EQ(Line("MM'/'dd ", true, "HH':'mm", true, kMonday0905, 6), "12/07");
}

}  // namespace
