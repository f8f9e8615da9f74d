// The box beside the pointer as a user sees it: where it stands, how large it
// is, its colours, that it stays on top without taking the focus, and how a
// reload request changes it. The line a box must hold is worked out here
// through the platform's formatters, never through the clock's own code.
#include "ClockDriver.h"
#include "GdiOwners.h"
#include "PlatformLine.h"
#include "ReloadReceiver.h"
#include "ScreenPixels.h"
#include "SettingsRecords.h"
#include "TopWindows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const COLORREF kLightYellow = RGB(255, 255, 128);
const COLORREF kBlack = RGB(0, 0, 0);

// What a box shows: the pictures of the halves that are on ("" for a half
// that is off) in a font, and its background and text colours.
struct Expectation {
  std::string datePicture;
  std::string timePicture;
  LOGFONTA font;
  COLORREF back;
  COLORREF text;
};

Expectation ShownBy(const ClockSettings& record) {
  return {record.showDate ? record.datePicture : "", record.showTime ? record.timePicture : "",
          record.font, record.backColor, record.textColor};
}

// The built-in line: 24-hour hours and minutes, black on light yellow.
Expectation BuiltIn() { return {"", "HH':'mm", DefaultRecord().font, kLightYellow, kBlack}; }

bool Between(int value, int a, int b) { return value >= std::min(a, b) && value <= std::max(a, b); }

// The box on the screen is painted in the two colours only: background, text
// and the smoothed edges between them, with the background the most common
// colour and the text colour present.
::testing::AssertionResult BoxPainted(const ClockProgram& clock, COLORREF back, COLORREF text) {
  size_t backCount = 0, textCount = 0, foreign = 0, total = 0;
  if (WaitUntil([&] {
        const std::vector<COLORREF> pixels = ScreenPixels(clock.PopupRect());
        total = pixels.size();
        backCount = CountOf(pixels, back);
        textCount = CountOf(pixels, text);
        foreign = std::count_if(pixels.begin(), pixels.end(), [&](COLORREF pixel) {
          return !Between(GetRValue(pixel), GetRValue(back), GetRValue(text)) ||
                 !Between(GetGValue(pixel), GetGValue(back), GetGValue(text)) ||
                 !Between(GetBValue(pixel), GetBValue(back), GetBValue(text));
        });
        return total > 0 && foreign == 0 && textCount > 0 && backCount * 2 > total;
      })) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << total << " pixels: " << backCount << " background, "
                                       << textCount << " text, " << foreign << " of other colours";
}

// Waits until the box stands beside the pointer at the size of the expected
// line, worked out anew at every look so that a minute turning over is
// followed, and is painted in the expected colours (BoxPainted); reports the
// last rectangles seen on failure.
::testing::AssertionResult BoxShows(const ClockProgram& clock, POINT pointer,
                                    const Expectation& expected) {
  const ::testing::AssertionResult beside = clock.BoxBeside(pointer);
  if (!beside) return beside;
  RECT seen = {}, wanted = {};
  std::string line;
  if (WaitUntil([&] {
        line = PlatformLine(expected.datePicture, expected.timePicture);
        const SIZE size = TextExtent(WindowDC(nullptr).Get(), expected.font, line);
        wanted = {pointer.x + 8, pointer.y - 4, pointer.x + 8 + size.cx, pointer.y - 4 + size.cy};
        seen = clock.PopupRect();
        return EqualRect(&seen, &wanted) != FALSE;
      })) {
    return BoxPainted(clock, expected.back, expected.text);
  }
  return ::testing::AssertionFailure() << "box " << Describe(seen) << ", expected "
                                       << Describe(wanted) << " for \"" << line << "\"";
}

// The box moves at every tick, 300 ms apart. A busy machine delays ticks;
// the platform then drops the overdue ones and keeps the next on the original
// beat, so a late tick can be followed closely by the next, but over a stretch
// of time there is never more than one move per 300 ms, and one more at the
// start. The rhythm therefore shows as at least 200 ms per move on average
// over three seconds (not 100) and, among at least eight moves, a shortest
// gap under 650 ms (not a second).
::testing::AssertionResult MovesEvery300Ms(const ClockProgram& clock) {
  const ULONGLONG start = GetTickCount64();
  const std::vector<ULONGLONG> moves = clock.BoxMoveTimes(3000, 8);
  const ULONGLONG elapsed = GetTickCount64() - start;
  ULONGLONG shortest = elapsed;
  for (size_t i = 1; i < moves.size(); ++i) shortest = std::min(shortest, moves[i] - moves[i - 1]);
  const ULONGLONG perMove = elapsed / std::max<size_t>(moves.size(), 1);
  if (perMove >= 200 && shortest < 650) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << moves.size() << " moves in " << elapsed << " ms: "
                                       << perMove << " ms per move, shortest gap " << shortest
                                       << " ms";
}

// The index of window in the z-order of the top-level windows, top first.
int ZOrderOf(HWND window) {
  int index = 0;
  for (HWND at = GetTopWindow(nullptr); at != nullptr; at = GetWindow(at, GW_HWNDNEXT), ++index) {
    if (at == window) return index;
  }
  return -1;
}

using FollowingBox = ClockTest;

TEST_F(FollowingBox, WithoutSettingsShowsTheTimeBlackOnLightYellowBesideThePointerEvery300Ms) {
  ASSERT_TRUE(StartOn());
  EXPECT_TRUE(BoxShows(clock, {300, 300}, BuiltIn()));
  EXPECT_TRUE(BoxShows(clock, {612, 455}, BuiltIn()));
  EXPECT_TRUE(MovesEvery300Ms(clock));
}

TEST_F(FollowingBox, PaintsTheStoredFontAndColours) {
  ClockSettings record = DefaultRecord();
  record.font.lfHeight = -30;
  record.font.lfWeight = FW_BOLD;
  record.backColor = RGB(0, 64, 160);
  record.textColor = RGB(255, 240, 0);
  record.showDate = 1;
  SetText(record.datePicture, "yyyy'-'MM'-'dd ");
  SetText(record.timePicture, "HH':'mm':'ss");
  ASSERT_TRUE(StartOn(&record));
  EXPECT_TRUE(BoxShows(clock, {200, 500}, ShownBy(record)));
}

TEST_F(FollowingBox, StaysOnTopOfOtherTopmostWindows) {
  ASSERT_TRUE(StartOn());
  ASSERT_TRUE(clock.BoxBeside({400, 300}));
  EXPECT_NE(GetWindowLongA(clock.Popup(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

  // A topmost window that comes later covers the box, until the next tick.
  TestWindow cover("cover", {350, 250, 650, 450}, /*topmost=*/true);
  ASSERT_NE(cover.Get(), nullptr);
  EXPECT_TRUE(WaitUntil([&] { return ZOrderOf(clock.Popup()) < ZOrderOf(cover.Get()); }))
      << "the box is put back above the covering window";
  EXPECT_TRUE(BoxPainted(clock, kLightYellow, kBlack));
}

TEST_F(FollowingBox, NeverTakesTheFocusFromTheWindowTheUserTypesIn) {
  ASSERT_TRUE(StartOn());
  TestWindow typing("typing", {40, 520, 440, 720});
  ASSERT_NE(typing.Get(), nullptr);
  SetForegroundWindow(typing.Get());
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == typing.Get(); }));

  for (const POINT& pointer : {POINT{500, 200}, POINT{520, 260}, POINT{760, 420}, POINT{300, 150}}) {
    EXPECT_TRUE(clock.BoxBeside(pointer));
    EXPECT_EQ(GetForegroundWindow(), typing.Get()) << "after the box moved to " << pointer.x
                                                   << "," << pointer.y;
  }
}

TEST_F(FollowingBox, WithNothingToShowHasNoWidthYetFollowsThePointer) {
  ClockSettings record = DefaultRecord();
  record.showDate = 0;
  record.showTime = 0;
  ASSERT_TRUE(StartOn(&record));
  for (const POINT& pointer : {POINT{250, 350}, POINT{600, 120}}) {
    EXPECT_TRUE(clock.BoxBeside(pointer));
    const RECT box = clock.PopupRect();
    EXPECT_EQ(box.right, box.left) << "box " << Describe(box);
  }
}

TEST_F(FollowingBox, AReloadRequestPutsTheChangedFileInForceAtTheNextTick) {
  // At the start, a date that is on with an empty picture shows nothing.
  ClockSettings first = DefaultRecord();
  first.showDate = 1;
  SetText(first.datePicture, "");
  ASSERT_TRUE(StartOn(&first));
  ASSERT_TRUE(BoxShows(clock, {320, 380}, BuiltIn()));

  ClockSettings second = DefaultRecord();
  second.showDate = 1;
  SetText(second.datePicture, "d");  // one letter is a whole picture
  second.font.lfHeight = -26;
  second.backColor = RGB(32, 96, 32);
  second.textColor = RGB(250, 250, 250);
  ASSERT_TRUE(home.WriteSettings(BytesOf(second)));

  // The file alone changes nothing: the box follows the pointer as before.
  const POINT moved = {340, 400};
  EXPECT_TRUE(BoxShows(clock, moved, ShownBy(first)));

  // The editor's request to the host window.
  SendMessageA(clock.Host(), kReloadRequest, 0, 0);
  EXPECT_TRUE(BoxShows(clock, moved, ShownBy(second)));

  // The same request to the popup; a date that is on but has an empty stored
  // picture keeps the picture in force.
  ClockSettings third = second;
  SetText(third.datePicture, "");
  SetText(third.timePicture, "s");
  third.font.lfHeight = -14;
  third.backColor = RGB(255, 255, 255);
  third.textColor = RGB(160, 0, 0);
  ASSERT_TRUE(home.WriteSettings(BytesOf(third)));
  SendMessageA(clock.Popup(), kReloadRequest, 0, 0);
  Expectation kept = {second.datePicture, third.timePicture, third.font, third.backColor,
                      third.textColor};
  EXPECT_TRUE(BoxShows(clock, moved, kept));
  // So does a time that is on with an empty picture, the date now off.
  third.showDate = 0;
  SetText(third.timePicture, "");
  ASSERT_TRUE(home.WriteSettings(BytesOf(third)));
  SendMessageA(clock.Host(), kReloadRequest, 0, 0);
  kept.datePicture = "";
  EXPECT_TRUE(BoxShows(clock, moved, kept));

  // A file that is too short gives the defaults.
  ASSERT_TRUE(home.WriteSettings(BytesOf(third).substr(0, 155)));
  SendMessageA(clock.Host(), kReloadRequest, 0, 0);
  EXPECT_TRUE(BoxShows(clock, moved, BuiltIn()));
}

}  // namespace
