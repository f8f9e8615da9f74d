#include "ClockSettings.h"

#include "FontForDrawing.h"
#include "SettingsRecords.h"
#include "ShiftJis.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

namespace {

std::string Field(const char* text, size_t width) {
  std::string field(text);
  field.resize(width, '\0');
  return field;
}

TEST(ClockSettings, DefaultRecordIsExactlyTheDocumentedBytes) {
  std::string expected;
  expected += std::string("\xEE\xFF\xFF\xFF", 4);                  // lfHeight -18
  expected += std::string(12, '\0');                              // width, escapement, orientation
  expected += std::string("\x90\x01\x00\x00", 4);                  // weight 400
  expected += std::string("\x00\x00\x00\x80", 4);                  // italic, underline, strike, SHIFTJIS
  expected += std::string("\x03\x02\x01\x31", 4);                  // precisions, draft, fixed modern
  expected += Field(ToShiftJis(L"ＭＳ ゴシック").c_str(), 32);
  expected += std::string("\xFF\xFF\x80\x00", 4);                  // backColor
  expected += std::string(4, '\0');                               // textColor black
  expected += std::string("\x00\x00\x01\x00", 4);                  // time only
  expected += std::string("\x02\x00\x00\x00\x01\x00\x00\x00\x01\x00\x00\x00", 12);
  expected += std::string("\x01\x00\x00\x00\x01\x00\x00\x00", 8);
  expected += Field("MM'/'dd", 32);
  expected += Field("HH':'mm", 32);
  ASSERT_EQ(expected.size(), 156u);

  ClockSettings record;
  std::memset(&record, 0xCD, sizeof record);
  SetDefaultSettings(record);
  EXPECT_EQ(BytesOf(record), expected);
}

TEST(ClockSettings, TerminatedFontCutsAnUnterminatedFaceAndKeepsTheRest) {
  LOGFONTA font;
  std::memset(&font, 'A', sizeof font);
  const LOGFONTA copy = TerminatedFont(font);
  EXPECT_EQ(std::string(copy.lfFaceName), std::string(31, 'A'));
  EXPECT_EQ(std::memcmp(&copy, &font, offsetof(LOGFONTA, lfFaceName) + 31), 0);
  EXPECT_EQ(font.lfFaceName[31], 'A') << "the original stays unchanged";
}

// Stored character heights and widths are drawn within 1000 pixels, the sign
// kept: a huge character height stays a character height.
TEST(ClockSettings, FontForDrawingHoldsHeightAndWidthWithin1000PixelsKeepingTheSign) {
  const std::pair<LONG, LONG> kDrawn[] = {
      {INT_MIN, -1000}, {-100000, -1000}, {-1001, -1000}, {-1000, -1000}, {-18, -18}, {0, 0},
      {1000, 1000},     {1001, 1000},     {100000, 1000}, {INT_MAX, 1000}};
  for (const auto& [stored, drawn] : kDrawn) {
    LOGFONTA font = DefaultRecord().font;  // 18 pixels high, so any width is kept
    font.lfWidth = stored;
    EXPECT_EQ(FontForDrawing(font).lfWidth, drawn) << "width " << stored;
    font.lfHeight = stored;
    EXPECT_EQ(FontForDrawing(font).lfHeight, drawn) << "height " << stored;
  }
  // A 24-pixel cell has characters of some height, so its width is kept.
  LOGFONTA cell = DefaultRecord().font;
  cell.lfHeight = 24;
  cell.lfWidth = 12;
  EXPECT_EQ(FontForDrawing(cell).lfWidth, 12);
}

}  // namespace
