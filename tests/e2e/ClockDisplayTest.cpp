// The box beside the pointer as a user sees it: where it stands, how large it
// is, its colours, that it stays on top without taking the focus, and how a
// reload request changes it.
#include "ClockDriver.h"
#include "ClockSettings.h"
#include "ClockText.h"
#include "Processes.h"
#include "SettingsFile.h"
#include "TextFields.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

const std::string kClockExe = WindowsPathOf(CURLIN_EXE);

ClockSettings DefaultRecord() {
  ClockSettings record;
  SetDefaultSettings(record);
  return record;
}

std::string BytesOf(const ClockSettings& record) {
  return std::string(reinterpret_cast<const char*>(&record), sizeof record);
}

// The line a user should read for these pictures now; an empty picture
// stands for a half that is not shown.
std::string LineNow(const char* datePicture, const char* timePicture) {
  char line[kHalfSize] = {};
  RenderClockText(datePicture, datePicture[0] != '\0', timePicture, timePicture[0] != '\0', line,
                  sizeof line);
  return line;
}

// The size of text in the font the record describes, measured on the screen.
SIZE ExtentOf(const LOGFONTA& stored, const std::string& text) {
  const LOGFONTA description = TerminatedFont(stored);
  HDC screen = GetDC(nullptr);
  HFONT font = CreateFontIndirectA(&description);
  HGDIOBJ previous = SelectObject(screen, font);
  SIZE size = {};
  GetTextExtentPoint32A(screen, text.data(), static_cast<int>(text.size()), &size);
  SelectObject(screen, previous);
  DeleteObject(font);
  ReleaseDC(nullptr, screen);
  return size;
}

struct Expectation {
  const char* datePicture;  // "" when the date is not shown
  const char* timePicture;  // "" when the time is not shown
  LOGFONTA font;
};

Expectation ShownBy(const ClockSettings& record) {
  return {record.showDate ? record.datePicture : "", record.showTime ? record.timePicture : "",
          record.font};
}

std::string Describe(const RECT& rect) {
  return "(" + std::to_string(rect.left) + "," + std::to_string(rect.top) + ")-(" +
         std::to_string(rect.right) + "," + std::to_string(rect.bottom) + ")";
}

// The box's rectangle when the clock shows `expected` for a pointer at `pointer`.
// Computed anew at every look, so a minute that turns over is followed.
RECT ExpectedBox(const Expectation& expected, POINT pointer) {
  const SIZE size = ExtentOf(expected.font, LineNow(expected.datePicture, expected.timePicture));
  return {pointer.x + 8, pointer.y - 4, pointer.x + 8 + size.cx, pointer.y - 4 + size.cy};
}

// Waits until the box stands beside the pointer at the size of the expected
// line; reports the last rectangles seen on failure.
::testing::AssertionResult BoxFollows(const ClockProgram& clock, POINT pointer,
                                      const Expectation& expected) {
  RECT seen = {}, wanted = {};
  const bool follows = WaitUntil(
      [&] {
        wanted = ExpectedBox(expected, pointer);
        seen = clock.PopupRect();
        return EqualRect(&seen, &wanted) != FALSE;
      },
      kClockDeadlineMs);
  if (follows) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "box " << Describe(seen) << ", expected "
                                       << Describe(wanted);
}

bool Between(int value, int a, int b) { return value >= std::min(a, b) && value <= std::max(a, b); }

// The box on the screen is painted in the two colours only: background, text
// and the smoothed edges between them, with the background the most common
// colour and the text colour present.
::testing::AssertionResult BoxPainted(const ClockProgram& clock, COLORREF back, COLORREF text) {
  size_t backCount = 0, textCount = 0, foreign = 0, total = 0;
  const bool painted = WaitUntil(
      [&] {
        const std::vector<COLORREF> pixels = ScreenPixels(clock.PopupRect());
        backCount = textCount = foreign = 0;
        total = pixels.size();
        for (COLORREF pixel : pixels) {
          if (pixel == back) ++backCount;
          if (pixel == text) ++textCount;
          if (!Between(GetRValue(pixel), GetRValue(back), GetRValue(text)) ||
              !Between(GetGValue(pixel), GetGValue(back), GetGValue(text)) ||
              !Between(GetBValue(pixel), GetBValue(back), GetBValue(text))) {
            ++foreign;
          }
        }
        return total > 0 && foreign == 0 && textCount > 0 && backCount * 2 > total;
      },
      kClockDeadlineMs);
  if (painted) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << total << " pixels: " << backCount << " background, "
                                       << textCount << " text, " << foreign << " of other colours";
}

// The index of window in the z-order of the top-level windows, top first.
int ZOrderOf(HWND window) {
  int index = 0;
  for (HWND at = GetTopWindow(nullptr); at != nullptr; at = GetWindow(at, GW_HWNDNEXT), ++index) {
    if (at == window) return index;
  }
  return -1;
}

class FollowingBox : public ::testing::Test {
 protected:
  FollowingBox() : home(kClockExe) {}

  void StartClock() {
    ASSERT_TRUE(home.Ready());
    ASSERT_TRUE(clock.Start(home.Clock()));
    ASSERT_TRUE(clock.WaitForWindows()) << "the clock shows its host window and its box";
  }

  void WriteSettings(const ClockSettings& record) {
    WriteBytes(home.File(kSettingsFileName), BytesOf(record));
  }

  ClockHome home;
  ClockProgram clock;
};

TEST_F(FollowingBox, WithoutSettingsShowsTheTimeBlackOnLightYellowBesideThePointer) {
  StartClock();
  const ClockSettings defaults = DefaultRecord();
  const POINT first = {300, 300};
  ASSERT_TRUE(MovePointer(first.x, first.y));
  EXPECT_TRUE(BoxFollows(clock, first, ShownBy(defaults)));
  EXPECT_EQ(LineNow("", "HH':'mm").size(), 5u) << "the default line is the 24-hour HH:mm";
  EXPECT_TRUE(BoxPainted(clock, RGB(255, 255, 128), RGB(0, 0, 0)));

  const POINT second = {612, 455};
  ASSERT_TRUE(MovePointer(second.x, second.y));
  EXPECT_TRUE(BoxFollows(clock, second, ShownBy(defaults)));
  EXPECT_TRUE(BoxPainted(clock, RGB(255, 255, 128), RGB(0, 0, 0)));
}

TEST_F(FollowingBox, PaintsTheStoredFontAndColours) {
  ClockSettings record = DefaultRecord();
  record.font.lfHeight = -30;
  record.font.lfWeight = FW_BOLD;
  record.backColor = RGB(0, 64, 160);
  record.textColor = RGB(255, 240, 0);
  record.showDate = 1;
  CopyText(record.datePicture, sizeof record.datePicture, "yyyy'-'MM'-'dd ");
  CopyText(record.timePicture, sizeof record.timePicture, "HH':'mm':'ss");
  WriteSettings(record);
  StartClock();

  const POINT pointer = {200, 500};
  ASSERT_TRUE(MovePointer(pointer.x, pointer.y));
  EXPECT_TRUE(BoxFollows(clock, pointer, ShownBy(record)));
  EXPECT_TRUE(BoxPainted(clock, record.backColor, record.textColor));
}

TEST_F(FollowingBox, StaysOnTopOfOtherTopmostWindows) {
  StartClock();
  const POINT pointer = {400, 300};
  ASSERT_TRUE(MovePointer(pointer.x, pointer.y));
  ASSERT_TRUE(BoxFollows(clock, pointer, ShownBy(DefaultRecord())));
  EXPECT_NE(GetWindowLongA(clock.Popup(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

  // A topmost window that comes later covers the box, until the next tick.
  TestWindow cover("cover", {350, 250, 650, 450}, /*topmost=*/true);
  ASSERT_NE(cover.Get(), nullptr);
  EXPECT_TRUE(WaitUntil([&] { return ZOrderOf(clock.Popup()) < ZOrderOf(cover.Get()); },
                        kClockDeadlineMs))
      << "the box is put back above the covering window";
  EXPECT_TRUE(BoxPainted(clock, RGB(255, 255, 128), RGB(0, 0, 0)));
}

TEST_F(FollowingBox, NeverTakesTheFocusFromTheWindowTheUserTypesIn) {
  StartClock();
  TestWindow typing("typing", {40, 520, 440, 720});
  ASSERT_NE(typing.Get(), nullptr);
  SetForegroundWindow(typing.Get());
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == typing.Get(); }, kClockDeadlineMs));

  const POINT path[] = {{500, 200}, {520, 260}, {760, 420}, {300, 150}};
  for (const POINT& pointer : path) {
    ASSERT_TRUE(MovePointer(pointer.x, pointer.y));
    EXPECT_TRUE(BoxFollows(clock, pointer, ShownBy(DefaultRecord())));
    EXPECT_EQ(GetForegroundWindow(), typing.Get()) << "after the box moved to " << pointer.x
                                                   << "," << pointer.y;
  }
}

TEST_F(FollowingBox, WithNothingToShowHasNoWidthYetFollowsThePointer) {
  ClockSettings record = DefaultRecord();
  record.showDate = 0;
  record.showTime = 0;
  WriteSettings(record);
  StartClock();

  for (const POINT& pointer : {POINT{250, 350}, POINT{600, 120}}) {
    ASSERT_TRUE(MovePointer(pointer.x, pointer.y));
    EXPECT_TRUE(WaitUntil(
        [&] {
          const RECT box = clock.PopupRect();
          return box.left == pointer.x + 8 && box.top == pointer.y - 4 && box.right == box.left;
        },
        kClockDeadlineMs))
        << "box " << Describe(clock.PopupRect());
  }
}

TEST_F(FollowingBox, AReloadRequestPutsTheChangedFileInForceAtTheNextTick) {
  const ClockSettings first = DefaultRecord();
  StartClock();
  const POINT pointer = {320, 380};
  ASSERT_TRUE(MovePointer(pointer.x, pointer.y));
  ASSERT_TRUE(BoxFollows(clock, pointer, ShownBy(first)));

  ClockSettings second = DefaultRecord();
  second.showDate = 1;
  CopyText(second.datePicture, sizeof second.datePicture, "yyyy'/'MM'/'dd ");
  second.font.lfHeight = -26;
  second.backColor = RGB(32, 96, 32);
  second.textColor = RGB(250, 250, 250);
  WriteSettings(second);

  // The file alone changes nothing: the box follows the pointer as before.
  const POINT moved = {340, 400};
  ASSERT_TRUE(MovePointer(moved.x, moved.y));
  EXPECT_TRUE(BoxFollows(clock, moved, ShownBy(first)));
  EXPECT_TRUE(BoxPainted(clock, first.backColor, first.textColor));

  // The editor's request to the host window.
  SendMessageA(clock.Host(), WM_RELOADSETTINGS, 0, 0);
  EXPECT_TRUE(BoxFollows(clock, moved, ShownBy(second)));
  EXPECT_TRUE(BoxPainted(clock, second.backColor, second.textColor));

  // The same request to the popup; a date that is on but has an empty stored
  // picture keeps the picture in force.
  ClockSettings third = second;
  std::memset(third.datePicture, 0, sizeof third.datePicture);
  CopyText(third.timePicture, sizeof third.timePicture, "HH':'mm':'ss");
  third.font.lfHeight = -14;
  third.backColor = RGB(255, 255, 255);
  third.textColor = RGB(160, 0, 0);
  WriteSettings(third);
  SendMessageA(clock.Popup(), WM_RELOADSETTINGS, 0, 0);
  EXPECT_TRUE(BoxFollows(clock, moved, {second.datePicture, third.timePicture, third.font}));
  EXPECT_TRUE(BoxPainted(clock, third.backColor, third.textColor));

  // A file that is too short gives the defaults.
  WriteBytes(home.File(kSettingsFileName), BytesOf(third).substr(0, 155));
  SendMessageA(clock.Host(), WM_RELOADSETTINGS, 0, 0);
  EXPECT_TRUE(BoxFollows(clock, moved, ShownBy(DefaultRecord())));
  EXPECT_TRUE(BoxPainted(clock, first.backColor, first.textColor));
}

}  // namespace
