// The font and colour pickers as the user meets them from the editor: what
// they open on, that the dialog waits behind them, what a confirmed or
// cancelled choice does to the preview and the stored record, and that many
// choices and preview refreshes leave the editor's live GDI objects as they
// were.
#include "EditorDriver.h"
#include "GdiOwners.h"
#include "LiveGdiObjects.h"
#include "ScreenPixels.h"
#include "SettingsRecords.h"
#include "ShiftJis.h"
#include "TopWindows.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

// Controls of the platform's pickers.
constexpr int kFontFaceList = 0x470;
constexpr int kFontStyleList = 0x471;
constexpr int kFontSizeList = 0x472;
constexpr int kFontColorList = 0x473;
constexpr int kDefineCustomColors = 0x2CF;
constexpr int kRedEdit = 706;
constexpr int kGreenEdit = 707;
constexpr int kBlueEdit = 708;
constexpr int kCustomColours = 0x2D1;  // the sixteen boxes of custom colours

// Chooses the item of one of the picker's lists that reads text, as the user does.
bool ChooseText(HWND picker, int listId, const std::wstring& text) {
  const LRESULT index = SendMessageW(GetDlgItem(picker, listId), CB_FINDSTRINGEXACT,
                                     static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
  return index != CB_ERR && ChooseListItem(picker, listId, static_cast<int>(index));
}

// Confirms the font picker with another size.
::testing::AssertionResult PickFontSize(const Editor& editor, const std::wstring& size) {
  return editor.Pick(kFontButton,
                     [&](HWND picker) { return ChooseText(picker, kFontSizeList, size); });
}

// Closes the colour picker with closeButton after setting another red part.
::testing::AssertionResult PickBackColourRed(const Editor& editor, const wchar_t* red,
                                             int closeButton = IDOK) {
  return editor.Pick(
      kBackColourButton, [&](HWND picker) { return SetDlgItemTextW(picker, kRedEdit, red) != FALSE; },
      closeButton);
}

// The editor's live GDI objects, kind by kind, once it has painted all it had
// to and the count holds still between two looks: the dialog repaints after a
// picker closes and the preview's timer ticks every second, and a count taken
// meanwhile would include what the editor holds only while it paints.
GdiObjectKinds SettledGdiObjects(const Editor& editor) {
  GdiObjectKinds last = {};
  GdiObjectKinds now = {};
  WaitUntil([&] {
    RedrawWindow(editor.Dialog(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    last = std::exchange(now, LiveGdiObjectKindsOf(editor.ProcessId()));
    return now == last;
  });
  return now;
}

// No kind of object grew, but for the platform's caches: when paints overlap
// it keeps one more window DC, with its visible region and surface, up to a
// small bound; and Wine 10 keeps the surface of a window that has gone, a
// bitmap with its region, until another window goes (between the rounds
// below it comes and goes). A leak of anything else, of DCs that are never
// released, or of one object per round, shows. The editor's settled count
// is taken again until it shows no growth, up to the deadline: what the
// platform frees a little after a picker has gone is not counted.
::testing::AssertionResult NoGdiObjectsGrew(const GdiObjectKinds& before, const Editor& editor) {
  constexpr long kMaxCachedDcGrowth = 4;
  std::ostringstream counts;
  const bool settled = WaitUntil([&] {
    const GdiObjectKinds after = SettledGdiObjects(editor);
    const auto growth = [&](size_t kind) {
      return static_cast<long>(after[kind]) - static_cast<long>(before[kind]);
    };
    const long cachedDcs = std::clamp(growth(kGdiDc), 0L, kMaxCachedDcGrowth);
    counts.str("");
    bool grew = false;
    for (size_t kind = 0; kind < before.size(); ++kind) {
      const bool dcBound = kind == kGdiDc || kind == kGdiRegion || kind == kGdiSurface;
      const long keptSurface = kind == kGdiRegion || kind == kGdiBitmap ? 1 : 0;
      if (growth(kind) > (dcBound ? cachedDcs : 0) + keptSurface) grew = true;
      if (growth(kind) != 0) {
        counts << "kind " << kind << ": " << before[kind] << " -> " << after[kind] << "; ";
      }
    }
    return !grew;
  });
  if (settled) return ::testing::AssertionSuccess() << counts.str();
  return ::testing::AssertionFailure() << counts.str();
}

ClockSettings FontRecord() {
  ClockSettings record = ConstantPictureRecord();  // -18, ＭＳ ゴシック
  record.textColor = RGB(128, 0, 0);
  record.backColor = RGB(255, 0, 255);
  SetText(record.datePicture, "'WWWW' ");
  return record;
}
// The line that FontRecord's pictures render to at any moment.
const std::string kFontRecordLine = "WWWW time";

// The preview shows kFontRecordLine in the font made from description: its
// pixels of the text colour are those of the same line drawn by the test.
::testing::AssertionResult PreviewDrawnIn(const Editor& editor, const LOGFONTA& description,
                                          COLORREF textColor, COLORREF backColor) {
  const RECT preview = ScreenRectOf(editor.Control(kPreview));
  const int width = preview.right - preview.left;
  const std::vector<COLORREF> shown = ScreenPixels(preview);
  const std::vector<COLORREF> expected = DrawnTextPixels(
      kFontRecordLine, description, textColor, backColor, width, preview.bottom - preview.top);
  if (shown.empty() || shown.size() != expected.size()) {
    return ::testing::AssertionFailure() << "no picture of the preview or of the line";
  }
  size_t differing = 0;
  for (size_t i = 0; i < shown.size(); ++i) {
    if ((shown[i] == textColor) != (expected[i] == textColor)) ++differing;
  }
  if (differing == 0 && CountOf(expected, textColor) > 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << differing << " pixels differ from the line drawn in "
         << description.lfFaceName << " " << description.lfHeight << " weight "
         << description.lfWeight << ": text pixels " << CountOf(shown, textColor) << " in "
         << RowsHolding(shown, width, textColor) << " rows, expected "
         << CountOf(expected, textColor) << " in " << RowsHolding(expected, width, textColor);
}

LOGFONTA FontDescription(const std::wstring& face, LONG height, LONG weight) {
  LOGFONTA description = {};
  description.lfHeight = height;
  description.lfWeight = weight;
  description.lfCharSet = DEFAULT_CHARSET;
  const std::string name = ToShiftJis(face);
  std::memcpy(description.lfFaceName, name.c_str(), name.size() + 1);
  return description;
}

using EditorFontPicker = EditorTest;
using EditorColorPicker = EditorTest;
using EditorGdiObjects = EditorTest;

TEST_F(EditorFontPicker, OpensOnTheStoredFontAndColourAndStoresTheChoice) {
  ASSERT_TRUE(JapaneseLocaleActive());
  ASSERT_TRUE(OpenOn(FontRecord()));
  ASSERT_EQ(GetDeviceCaps(WindowDC(nullptr).Get(), LOGPIXELSY), 96) << "the sizes below are for 96 dpi";
  // The preview opens in the stored font.
  const ClockSettings stored = FontRecord();
  const auto drawnInStored = [&] {
    return PreviewDrawnIn(editor, stored.font, stored.textColor, stored.backColor);
  };
  WaitUntil([&] { return static_cast<bool>(drawnInStored()); });
  ASSERT_TRUE(drawnInStored());

  HWND picker = nullptr;
  ASSERT_TRUE(editor.OpenPicker(kFontButton, &picker));
  EXPECT_TRUE(editor.ModalToTheDialog(picker));
  // A stored -18 is 18 points at 96 pixels per inch.
  EXPECT_EQ(WideWindowText(GetDlgItem(picker, kFontSizeList)), L"18");
  EXPECT_EQ(WideWindowText(GetDlgItem(picker, kFontFaceList)), L"ＭＳ ゴシック");
  const HWND colors = GetDlgItem(picker, kFontColorList);
  const LRESULT shownColor = SendMessageW(colors, CB_GETCURSEL, 0, 0);
  ASSERT_NE(shownColor, CB_ERR);
  EXPECT_EQ(static_cast<COLORREF>(SendMessageW(colors, CB_GETITEMDATA, shownColor, 0)),
            RGB(128, 0, 0));

  // Another face, weight and size than the stored font's.
  ASSERT_TRUE(ChooseText(picker, kFontFaceList, L"ＭＳ Ｐゴシック"));
  ASSERT_TRUE(ChooseText(picker, kFontStyleList, L"太字"));
  ASSERT_TRUE(ChooseText(picker, kFontSizeList, L"12"));
  const int another = shownColor == 2 ? 3 : 2;
  ASSERT_TRUE(ChooseListItem(picker, kFontColorList, another));
  const COLORREF chosenColor = static_cast<COLORREF>(SendMessageW(colors, CB_GETITEMDATA, another, 0));
  ASSERT_NE(chosenColor, RGB(128, 0, 0));
  ASSERT_TRUE(editor.Press(picker, IDOK));
  RedrawWindow(editor.Control(kPreview), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  // The preview shows the picked font, also when it paints again, as the test
  // draws the line in ＭＳ Ｐゴシック, 12 pixels, bold; a font wrong in face,
  // height or weight, the font before or the system font (where a preview
  // falls back) differs.
  const auto drawnIn = [&](const LOGFONTA& font) {
    return PreviewDrawnIn(editor, font, chosenColor, FontRecord().backColor);
  };
  const LOGFONTA picked = FontDescription(L"ＭＳ Ｐゴシック", -12, FW_BOLD);
  WaitUntil([&] { return static_cast<bool>(drawnIn(picked)); });
  EXPECT_TRUE(drawnIn(picked));
  LOGFONTA systemFont = {};
  GetObjectA(GetStockObject(SYSTEM_FONT), sizeof systemFont, &systemFont);
  for (const LOGFONTA& wrong : {FontDescription(L"ＭＳ ゴシック", -12, FW_BOLD),
                                FontDescription(L"ＭＳ Ｐゴシック", -16, FW_BOLD),
                                FontDescription(L"ＭＳ Ｐゴシック", -12, FW_NORMAL),
                                FontRecord().font, systemFont}) {
    EXPECT_FALSE(drawnIn(wrong)) << "the preview shows " << wrong.lfFaceName << " "
                                 << wrong.lfHeight << " weight " << wrong.lfWeight;
  }

  editor.Apply();
  const ClockSettings saved = home.SavedRecord();
  EXPECT_EQ(saved.font.lfHeight, -12) << "12 points are stored as -12";
  EXPECT_EQ(saved.textColor, chosenColor);
  EXPECT_STREQ(saved.font.lfFaceName, ToShiftJis(L"ＭＳ Ｐゴシック").c_str());
  EXPECT_EQ(saved.font.lfWeight, FW_BOLD);

  // Opened again, the picker starts from the stored -12; a choice cancelled
  // there changes nothing.
  HWND again = nullptr;
  ASSERT_TRUE(editor.OpenPicker(kFontButton, &again));
  EXPECT_EQ(WideWindowText(GetDlgItem(again, kFontSizeList)), L"12");
  ASSERT_TRUE(ChooseText(again, kFontSizeList, L"16"));
  ASSERT_TRUE(editor.Press(again, IDCANCEL));
  editor.Apply();
  EXPECT_EQ(ReadBytes(home.SettingsFile()), BytesOf(saved));
}

TEST_F(EditorColorPicker, OpensUnpresetAndStoresAConfirmedColour) {
  ASSERT_TRUE(OpenOn(DefaultRecord()));  // light yellow

  HWND picker = nullptr;
  ASSERT_TRUE(editor.OpenPicker(kBackColourButton, &picker));
  EXPECT_TRUE(editor.ModalToTheDialog(picker));
  // In its short form: the mixing part folded away until asked for.
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(picker, kRedEdit)));
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(picker, kDefineCustomColors)));
  PostMessageW(GetDlgItem(picker, kDefineCustomColors), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(GetDlgItem(picker, kRedEdit)); }));
  // Not the stored 255, 255, 128.
  EXPECT_EQ(WideWindowText(GetDlgItem(picker, kRedEdit)), L"0");
  EXPECT_EQ(WideWindowText(GetDlgItem(picker, kGreenEdit)), L"0");
  EXPECT_EQ(WideWindowText(GetDlgItem(picker, kBlueEdit)), L"0");
  // Its custom colours start white: no box shows a colour that is not grey.
  const std::vector<COLORREF> custom = ScreenPixels(ScreenRectOf(GetDlgItem(picker, kCustomColours)));
  EXPECT_GT(CountOf(custom, RGB(255, 255, 255)), 0u);
  EXPECT_EQ(std::count_if(custom.begin(), custom.end(), [](COLORREF pixel) {
              return GetRValue(pixel) != GetGValue(pixel) || GetGValue(pixel) != GetBValue(pixel);
            }), 0);

  SetDlgItemTextW(picker, kRedEdit, L"18");
  SetDlgItemTextW(picker, kGreenEdit, L"52");
  SetDlgItemTextW(picker, kBlueEdit, L"86");
  ASSERT_TRUE(editor.Press(picker, IDOK));
  editor.Apply();
  EXPECT_EQ(home.SavedRecord().backColor, RGB(18, 52, 86));
}

TEST_F(EditorColorPicker, ACancelledPickerOrACancelledDialogStoresNothing) {
  const std::string stored = BytesOf(DefaultRecord());
  ASSERT_TRUE(OpenOn(DefaultRecord()));

  ASSERT_TRUE(PickBackColourRed(editor, L"1", IDCANCEL));
  editor.Apply();
  EXPECT_EQ(ReadBytes(home.SettingsFile()), stored) << "a cancelled picker changes nothing";

  ASSERT_TRUE(PickBackColourRed(editor, L"200"));
  ASSERT_TRUE(editor.ClosesWith(kCancelButton));
  EXPECT_EQ(ReadBytes(home.SettingsFile()), stored) << "the dialog cancelled, nothing is saved";
}

TEST_F(EditorFontPicker, AHostileStoredFontIsDrawnAndOfferedSafely) {
  ClockSettings record = ConstantPictureRecord();
  record.font.lfHeight = -50000;
  record.font.lfWidth = 70000;
  std::memset(record.font.lfFaceName, 'A', sizeof record.font.lfFaceName);  // no terminator
  const std::string stored = BytesOf(record);
  ASSERT_TRUE(OpenOn(record));
  ASSERT_TRUE(editor.PreviewShown("date time"));

  ASSERT_TRUE(editor.Pick(kFontButton, {}, IDCANCEL));
  editor.Apply();
  EXPECT_EQ(ReadBytes(home.SettingsFile()).substr(0, sizeof(LOGFONTA)), stored.substr(0, sizeof(LOGFONTA)))
      << "a cancelled picker leaves the font as stored";
  EXPECT_TRUE(editor.Running());
}

// A long session in a few seconds: the preview's refresh as many times as in
// a quarter of an hour, with font and colour choices among them, and font
// pickers cancelled more often than the platform's cache of DCs could hide.
TEST_F(EditorGdiObjects, RefreshesAndPickedFontsAndColoursLeaveTheLiveGdiObjectsAsTheyWere) {
  ASSERT_TRUE(OpenOn(FontRecord()));
  ASSERT_TRUE(editor.PreviewShown());
  // The first choices fill the pickers' caches.
  ASSERT_TRUE(PickFontSize(editor, L"16"));
  ASSERT_TRUE(PickBackColourRed(editor, L"10"));
  const GdiObjectKinds before = SettledGdiObjects(editor);
  ASSERT_GT(before[kGdiDc], 0u) << "the editor's handle table is read";
  const size_t handles = KernelHandlesOf(editor.ProcessId());
  ASSERT_GT(handles, 0u) << "the system's handle list is read";

  constexpr int kRounds = 10;
  constexpr int kRefreshesPerRound = 100;
  for (int round = 0; round < kRounds; ++round) {
    for (int refresh = 0; refresh < kRefreshesPerRound; ++refresh) {
      // The preview's refresh as its timer makes it, and its repaint.
      SendMessageW(editor.Dialog(), WM_TIMER, 0, 0);
      RedrawWindow(editor.Control(kPreview), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    ASSERT_TRUE(PickFontSize(editor, round % 2 == 0 ? L"20" : L"12"));
    ASSERT_TRUE(editor.Pick(kFontButton, {}, IDCANCEL));
    ASSERT_TRUE(PickBackColourRed(editor, round % 2 == 0 ? L"200" : L"100", round % 2 ? IDOK : IDCANCEL));
  }
  EXPECT_TRUE(NoGdiObjectsGrew(before, editor))
      << "live GDI objects after " << kRounds * kRefreshesPerRound << " refreshes, " << kRounds
      << " font choices, as many cancelled, and " << kRounds << " colour pickers";
  EXPECT_TRUE(WaitUntil([&] { return KernelHandlesOf(editor.ProcessId()) <= handles; }))
      << "kernel handles, " << handles << " before: " << KernelHandlesOf(editor.ProcessId());
}

}  // namespace
