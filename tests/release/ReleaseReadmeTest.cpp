// The shipped read-mes: the Japanese one must open in Notepad on a Japanese
// Windows, which reads a file without a byte-order mark in code page 932
// (after ruling out UTF-8); the English one carries a UTF-8 byte-order mark
// so that its few Japanese words open on any Windows. Each must say what its
// UTF-8 source says, with Windows line ends.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "Processes.h"

namespace {

// Decodes bytes strictly: false when any byte sequence is invalid in the
// code page.
bool Decode(UINT codePage, const std::string& bytes, std::wstring* text) {
  text->clear();
  if (bytes.empty()) return true;
  int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(),
                                   static_cast<int>(bytes.size()), nullptr, 0);
  if (length <= 0) return false;
  text->resize(length);
  return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(),
                             static_cast<int>(bytes.size()), &(*text)[0], length) == length;
}

// The decoded read-me says what the source says, as the shipped file must say
// it: the version filled in and every line ended with CR LF.
::testing::AssertionResult SaysWhatItsSourceSays(const std::wstring& decoded,
                                                 const char* sourcePath) {
  bool exists = false;
  std::string source = ReadBytes(WindowsPathOf(sourcePath), &exists);
  if (!exists) return ::testing::AssertionFailure() << "missing source " << sourcePath;
  std::wstring text;
  if (!Decode(CP_UTF8, source, &text))
    return ::testing::AssertionFailure() << sourcePath << " is not UTF-8";
  const std::wstring marker = L"@VERSION@";
  const std::wstring version = L"" PROJECT_VERSION_TEXT;
  for (size_t at = text.find(marker); at != std::wstring::npos; at = text.find(marker, at))
    text.replace(at, marker.size(), version);
  std::wstring expected;
  for (wchar_t c : text) {
    if (c == L'\n') expected.push_back(L'\r');
    expected.push_back(c);
  }
  if (decoded == expected) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "the decoded read-me differs from its source";
}

::testing::AssertionResult EveryLineEndsWithCrLf(const std::string& bytes) {
  if (bytes.empty() || bytes.back() != '\n')
    return ::testing::AssertionFailure() << "the last line has no line end";
  for (size_t i = 0; i < bytes.size(); ++i) {
    bool crWithoutLf = bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n');
    bool lfWithoutCr = bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r');
    if (crWithoutLf || lfWithoutCr)
      return ::testing::AssertionFailure() << "a lone CR or LF at byte " << i;
  }
  return ::testing::AssertionSuccess();
}

// The shipped file's bytes; empty when it is missing.
std::string Shipped(const char* path) { return ReadBytes(WindowsPathOf(path)); }

TEST(JapaneseReadme, DecodesInCodePage932AndSaysWhatItsSourceSays) {
  const std::string bytes = Shipped(README_JA_SHIPPED);
  ASSERT_FALSE(bytes.empty());
  std::wstring text;
  ASSERT_TRUE(Decode(932, bytes, &text)) << "an invalid Shift-JIS sequence";
  EXPECT_TRUE(SaysWhatItsSourceSays(text, README_JA_SOURCE));
  EXPECT_TRUE(EveryLineEndsWithCrLf(bytes));
}

TEST(JapaneseReadme, IsNotTakenForUtf8OrUtf16ByNotepad) {
  const std::string bytes = Shipped(README_JA_SHIPPED);
  ASSERT_GE(bytes.size(), 3u);
  EXPECT_NE(bytes.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_NE(bytes.substr(0, 2), "\xFF\xFE");
  EXPECT_NE(bytes.substr(0, 2), "\xFE\xFF");
  std::wstring asUtf8;
  EXPECT_FALSE(Decode(CP_UTF8, bytes, &asUtf8)) << "these bytes would be read as UTF-8";
}

TEST(JapaneseReadme, HasTheSectionsOfAJapaneseFreewareReadme) {
  const std::string bytes = Shipped(README_JA_SHIPPED);
  ASSERT_FALSE(bytes.empty());
  std::wstring text;
  ASSERT_TRUE(Decode(932, bytes, &text));
  // The heading lines, each "■ " and the section's name.
  const wchar_t* const headings[] = {
      L"\r\n\u25A0 \u6982\u8981\r\n",                                // 概要
      L"\r\n\u25A0 \u52D5\u4F5C\u74B0\u5883\r\n",                    // 動作環境
      L"\r\n\u25A0 \u4F7F\u3044\u65B9\r\n",                          // 使い方
      L"\r\n\u25A0 \u8A2D\u5B9A\u30D5\u30A1\u30A4\u30EB\r\n",        // 設定ファイル
      L"\r\n\u25A0 \u30A2\u30F3\u30A4\u30F3\u30B9\u30C8\u30FC\u30EB\r\n",  // アンインストール
      L"\r\n\u25A0 \u66F4\u65B0\u5C65\u6B74\r\n",                    // 更新履歴
  };
  for (size_t i = 0; i < sizeof headings / sizeof headings[0]; ++i)
    EXPECT_NE(text.find(headings[i]), std::wstring::npos) << "no heading line for section " << i + 1;
}

TEST(EnglishReadme, IsUtf8WithAByteOrderMarkAndSaysWhatItsSourceSays) {
  const std::string bytes = Shipped(README_EN_SHIPPED);
  ASSERT_GE(bytes.size(), 3u);
  EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
  std::wstring text;
  ASSERT_TRUE(Decode(CP_UTF8, bytes.substr(3), &text)) << "an invalid UTF-8 sequence";
  EXPECT_TRUE(SaysWhatItsSourceSays(text, README_EN_SOURCE));
  EXPECT_TRUE(EveryLineEndsWithCrLf(bytes));
}

}  // namespace
