#include "TextFields.h"

#include "ShiftJis.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// The 32 bytes of a field filled with 'x' once source is copied into it.
std::string Copied(const char* source) {
  char field[32];
  std::memset(field, 'x', sizeof field);
  CopyText(field, sizeof field, source);
  return std::string(field, sizeof field);
}

TEST(CopyText, EmptySourceLeavesTheFieldAsItWas) {
  EXPECT_EQ(Copied(""), std::string(32, 'x'));
}

TEST(CopyText, ShortSourceIsZeroFilledToTheFieldWidth) {
  EXPECT_EQ(Copied("HH:mm"), std::string("HH:mm") + std::string(27, '\0'));
}

TEST(CopyText, LongSourceKeepsSizeMinusOneBytesAndATerminator) {
  EXPECT_EQ(Copied(std::string(40, 'a').c_str()), std::string(31, 'a') + '\0');
}

TEST(CopyText, ReadsNoFurtherThanTheFieldFromAnUnterminatedSource) {
  // An unterminated 32-byte source directly followed by a sentinel.
  struct {
    char source[32];
    char sentinel[8];
  } memory;
  std::memset(memory.source, 'z', sizeof memory.source);
  std::memcpy(memory.sentinel, "LEAKED!", 8);
  char field[32];
  CopyText(field, sizeof field, memory.source);
  EXPECT_EQ(std::string(field), std::string(31, 'z'));
}

TEST(CopyText, SizeOneFieldBecomesEmpty) {
  char field[1] = {'q'};
  CopyText(field, 1, "abc");
  EXPECT_EQ(field[0], '\0');
}

std::string Stripped(std::string path) {
  char buffer[260] = {};
  std::memcpy(buffer, path.c_str(), path.size() + 1);
  StripFileName(buffer);
  return buffer;
}

TEST(StripFileName, CutsAtTheLastBackslash) {
  EXPECT_EQ(Stripped("C:\\dir\\prog.exe"), "C:\\dir");
  EXPECT_EQ(Stripped("C:\\a\\b\\c.exe"), "C:\\a\\b");
}

TEST(StripFileName, LeavesTextWithoutAUsableSeparatorUnchanged) {
  EXPECT_EQ(Stripped("prog.exe"), "prog.exe");
  EXPECT_EQ(Stripped("\\prog.exe"), "\\prog.exe");
  EXPECT_EQ(Stripped(""), "");
}

TEST(StripFileName, NeverTakesADoubleByteTrailByteForASeparator) {
  ASSERT_TRUE(JapaneseLocaleActive()) << "double-byte rules need code page 932";
  // 表 and ソ end in the byte 0x5C in Shift-JIS.
  const std::string hyo = ToShiftJis(L"表");
  const std::string so = ToShiftJis(L"ソ");
  ASSERT_EQ(hyo, "\x95\x5C");
  ASSERT_EQ(so, "\x83\x5C");
  EXPECT_EQ(Stripped("C:\\" + hyo + "\\prog.exe"), "C:\\" + hyo);
  EXPECT_EQ(Stripped("C:\\dir\\" + so + ".exe"), "C:\\dir");
  EXPECT_EQ(Stripped(so + "prog.exe"), so + "prog.exe");
  EXPECT_EQ(Stripped("C:\\" + hyo + so), "C:");
}

}  // namespace
