// Every Shift-JIS (code page 932) text of both programs, written once as byte
// escapes with its text beside it. A unit test compares each with its wide
// text through code page 932.
#pragma once

namespace JapaneseText {

// Font faces
inline constexpr char kMsGothic[] = "\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E";  // ＭＳ ゴシック

// Editor window title and its save-failure box
inline constexpr char kEditorTitle[] = "Rovatick\x8A\xC2\x8B\xAB\x90\xDD\x92\xE8";  // Rovatick環境設定
inline constexpr char kSaveFailedText[] =
    "\x8A\xC2\x8B\xAB\x90\xDD\x92\xE8\x82\xCC\x95\xDB\x91\xB6\x82\xC9"
    "\x8E\xB8\x94\x73\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81\x42";  // 環境設定の保存に失敗しました。
inline constexpr char kErrorCaption[] = "\x83\x47\x83\x89\x81\x5B";  // エラー

// Texts of the editor's choice lists
inline constexpr char kSpaceChoice[] = "[\x83\x58\x83\x79\x81\x5B\x83\x58]";  // [スペース]
inline constexpr char kSlashChoice[] = "\x81\x5E";                             // ／
inline constexpr char kHyphenChoice[] = "\x81\x7C";                            // －
inline constexpr char kKanjiChoice[] = "[\x8A\xBF\x8E\x9A]";                   // [漢字]
inline constexpr char kFullWeekdayChoice[] = "\x93\xFA\x97\x6A\x93\xFA";       // 日曜日
inline constexpr char kShortWeekdayChoice[] = "\x81\x69\x93\xFA\x81\x6A";      // （日）
inline constexpr char kColonChoice[] = "\x81\x46";                             // ：

// Format pictures with the unit kanji, each kanji quoted
inline constexpr char kLongKanjiDate[] = "yyyy'\x94\x4E'MM'\x8C\x8E'dd'\x93\xFA' ";  // yyyy'年'MM'月'dd'日', then a blank
inline constexpr char kShortKanjiDate[] = "yy'\x94\x4E'MM'\x8C\x8E'dd'\x93\xFA' ";   // yy'年'MM'月'dd'日', then a blank
inline constexpr char kMonthDayKanjiDate[] = "MM'\x8C\x8E'dd'\x93\xFA' ";            // MM'月'dd'日', then a blank
inline constexpr char kKanjiTime[] = "HH'\x8E\x9E'mm'\x95\xAA'";                     // HH'時'mm'分'
inline constexpr char kKanjiSeconds[] = "ss'\x95\x62'";                              // ss'秒'

}  // namespace JapaneseText
