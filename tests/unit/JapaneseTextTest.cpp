// Every Shift-JIS byte constant must spell exactly its wide text in code page
// 932: a wrong escape would show as garbage in the dialog or the clock.
#include "JapaneseText.h"
#include "ShiftJis.h"

#include <gtest/gtest.h>

namespace {

using namespace JapaneseText;

struct Constant {
  const char* name;
  const char* bytes;
  const wchar_t* text;
};

const Constant kConstants[] = {
    {"kMsGothic", kMsGothic, L"ＭＳ ゴシック"},
    {"kEditorTitle", kEditorTitle, L"Rovatick環境設定"},
    {"kSaveFailedText", kSaveFailedText, L"環境設定の保存に失敗しました。"},
    {"kErrorCaption", kErrorCaption, L"エラー"},
    {"kSpaceChoice", kSpaceChoice, L"[スペース]"},
    {"kSlashChoice", kSlashChoice, L"／"},
    {"kHyphenChoice", kHyphenChoice, L"－"},
    {"kKanjiChoice", kKanjiChoice, L"[漢字]"},
    {"kFullWeekdayChoice", kFullWeekdayChoice, L"日曜日"},
    {"kShortWeekdayChoice", kShortWeekdayChoice, L"（日）"},
    {"kColonChoice", kColonChoice, L"："},
    {"kLongKanjiDate", kLongKanjiDate, L"yyyy'年'MM'月'dd'日' "},
    {"kShortKanjiDate", kShortKanjiDate, L"yy'年'MM'月'dd'日' "},
    {"kMonthDayKanjiDate", kMonthDayKanjiDate, L"MM'月'dd'日' "},
    {"kKanjiTime", kKanjiTime, L"HH'時'mm'分'"},
    {"kKanjiSeconds", kKanjiSeconds, L"ss'秒'"},
};

TEST(JapaneseText, EveryConstantIsItsTextInCodePage932) {
  for (const Constant& constant : kConstants) {
    EXPECT_EQ(ToShiftJis(constant.text), constant.bytes) << constant.name;
  }
}

TEST(JapaneseText, ByteLengthsAreThoseTheFieldsWereSizedFor) {
  EXPECT_EQ(std::string(kMsGothic).size(), 13u);
  EXPECT_EQ(std::string(kSpaceChoice).size(), 10u);
  EXPECT_EQ(std::string(kKanjiChoice).size(), 6u);
  EXPECT_EQ(std::string(kSlashChoice), "\x81\x5E");
  EXPECT_EQ(std::string(kHyphenChoice), "\x81\x7C");
  EXPECT_EQ(std::string(kColonChoice), "\x81\x46");
}

}  // namespace
