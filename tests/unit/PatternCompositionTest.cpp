#include "ChoiceTable.h"
#include "PatternComposition.h"

#include "ShiftJis.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::string Sjis(const wchar_t* text) { return ToShiftJis(text); }

// Both pictures, "date|time".
std::string Composed(const PatternChoices& choices) {
  const Pictures pictures = ComposePictures(choices);
  return pictures.date + "|" + pictures.time;
}

TEST(MakeDatePicture, EveryFamilyAndColumn) {
  const std::string blank[3] = {"yyyy' 'MM' 'dd ", "yy' 'MM' 'dd ", "MM' 'dd "};
  const std::string slash[3] = {"yyyy'/'MM'/'dd ", "yy'/'MM'/'dd ", "MM'/'dd "};
  const std::string hyphen[3] = {"yyyy'-'MM'-'dd ", "yy'-'MM'-'dd ", "MM'-'dd "};
  const std::string kanji[3] = {Sjis(L"yyyy'年'MM'月'dd'日' "), Sjis(L"yy'年'MM'月'dd'日' "),
                                Sjis(L"MM'月'dd'日' ")};
  for (int family = 0; family < 3; ++family) {
    EXPECT_EQ(MakeDatePicture(family, 0), blank[family]) << family;
    EXPECT_EQ(MakeDatePicture(family, 1), slash[family]) << family;
    EXPECT_EQ(MakeDatePicture(family, 2), hyphen[family]) << family;
    EXPECT_EQ(MakeDatePicture(family, 3), kanji[family]) << family;
  }
  EXPECT_EQ(kanji[0].size(), 21u);
  EXPECT_EQ(kanji[1].size(), 19u);
  EXPECT_EQ(kanji[2].size(), 13u);
}

TEST(MakeDatePicture, UnexpectedIndicesTakeFourDigitYearsAndSlashes) {
  EXPECT_EQ(MakeDatePicture(-1, -1), "yyyy'/'MM'/'dd ");
  EXPECT_EQ(MakeDatePicture(3, 4), "yyyy'/'MM'/'dd ");
  EXPECT_EQ(MakeDatePicture(0, -1), "yyyy'/'MM'/'dd ");
  EXPECT_EQ(MakeDatePicture(INT32_MIN, INT32_MAX), "yyyy'/'MM'/'dd ");
  EXPECT_EQ(MakeDatePicture(2, 3), Sjis(L"MM'月'dd'日' "));
  EXPECT_EQ(MakeDatePicture(1, 0), "yy' 'MM' 'dd ");
}

TEST(MakeTimePicture, SecondsOnlyForFormatZero) {
  EXPECT_EQ(MakeTimePicture(0, 2), Sjis(L"HH'時'mm'分'ss'秒'"));
  EXPECT_EQ(MakeTimePicture(1, 2), Sjis(L"HH'時'mm'分'"));
  EXPECT_EQ(MakeTimePicture(-1, 0), "HH' 'mm");
  EXPECT_EQ(MakeTimePicture(0, 0), "HH' 'mm' 'ss");
  EXPECT_EQ(MakeTimePicture(0, 7), "HH':'mm':'ss");
  EXPECT_EQ(MakeTimePicture(1, 1), "HH':'mm");
  EXPECT_EQ(MakeTimePicture(2, -1), "HH':'mm");
}

PatternChoices AllOn() {
  PatternChoices choices;
  choices.showDate = choices.showWeekday = choices.showTime = choices.showAmPm = true;
  choices.dateFormat = 0;
  choices.dateSeparator = 1;
  choices.weekdayStyle = 1;
  choices.timeFormat = 0;
  choices.timeSeparator = 1;
  return choices;
}

TEST(ComposePictures, WeekdayAndMarkerJoinTheirHalves) {
  EXPECT_EQ(Composed(AllOn()), "yyyy'/'MM'/'dd (ddd) |tt HH':'mm':'ss");
}

TEST(ComposePictures, LongestPicturesFitTheirFields) {
  PatternChoices choices = AllOn();
  choices.dateSeparator = 3;
  choices.weekdayStyle = 0;
  choices.timeSeparator = 2;
  Pictures pictures = ComposePictures(choices);
  EXPECT_EQ(pictures.date, Sjis(L"yyyy'年'MM'月'dd'日' dddd "));
  EXPECT_EQ(pictures.date.size(), 26u);
  EXPECT_EQ(pictures.time, Sjis(L"tt HH'時'mm'分'ss'秒'"));
  EXPECT_EQ(pictures.time.size(), 21u);
  choices.weekdayStyle = 1;
  EXPECT_EQ(ComposePictures(choices).date.size(), 27u);
}

TEST(ComposePictures, WeekdayAndMarkerNeverStandAlone) {
  PatternChoices choices = AllOn();
  choices.showDate = false;
  choices.showTime = false;
  EXPECT_EQ(Composed(choices), "|");
}

TEST(ComposePictures, OnlyStyleZeroGivesTheFullWeekdayName) {
  PatternChoices choices = AllOn();
  choices.weekdayStyle = 0;
  EXPECT_EQ(ComposePictures(choices).date, "yyyy'/'MM'/'dd dddd ");
  choices.weekdayStyle = -1;
  EXPECT_EQ(ComposePictures(choices).date, "yyyy'/'MM'/'dd (ddd) ");
  choices.weekdayStyle = 2;
  EXPECT_EQ(ComposePictures(choices).date, "yyyy'/'MM'/'dd (ddd) ");
}

TEST(ComposePictures, FlagsOffGiveEmptyPictures) {
  EXPECT_EQ(Composed(PatternChoices{}), "|");
}

TEST(ComposePictures, EveryCombinationFitsThirtyOneBytes) {
  for (int flags = 0; flags < 16; ++flags) {
    for (int32_t a = -2; a < 6; ++a) {
      for (int32_t b = -2; b < 6; ++b) {
        PatternChoices choices;
        choices.showDate = flags & 1;
        choices.showWeekday = flags & 2;
        choices.showTime = flags & 4;
        choices.showAmPm = flags & 8;
        choices.dateFormat = choices.timeFormat = a;
        choices.dateSeparator = choices.timeSeparator = choices.weekdayStyle = b;
        const Pictures pictures = ComposePictures(choices);
        ASSERT_LE(pictures.date.size(), 31u);
        ASSERT_LE(pictures.time.size(), 31u);
        ASSERT_EQ(pictures.date.empty(), !choices.showDate);
        ASSERT_EQ(pictures.time.empty(), !choices.showTime);
      }
    }
  }
}

// The texts themselves are checked where the user reads them, in the
// editor's lists.
TEST(ChoiceTable, EveryEntryFitsASixteenByteField) {
  for (int row = 0; row < kChoiceRows; ++row) {
    for (int entry = 0; entry < kChoicesPerRow; ++entry) {
      EXPECT_LE(std::strlen(ChoiceTable[row][entry]), 15u) << row << "," << entry;
    }
  }
}

}  // namespace
