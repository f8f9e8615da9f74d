// A sample of the hostile settings files through the real programs: the clock
// shows its box and follows the pointer for a few ticks, the editor opens,
// previews and saves; then each ends as a user ends it, with exit code 0.
// CURLIN_HOSTILE_SAMPLE sets the sample's size (10 by default; the soak
// command runs 200).
#include "ClockDriver.h"
#include "EditorDriver.h"
#include "HostileSettings.h"
#include "Processes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

constexpr DWORD kCrashedUnderWine = 5;  // exit code of a process Wine ended for a crash
constexpr uint32_t kGeneratedFiles = 10000;

uint32_t SampleSize() {
  const char* size = std::getenv("CURLIN_HOSTILE_SAMPLE");
  return size != nullptr ? static_cast<uint32_t>(std::strtoul(size, nullptr, 10)) : 10;
}

// Spread over all the files, so every kind of hostile file is met.
uint32_t SampledIndex(uint32_t i, uint32_t sample) {
  return (i * (kGeneratedFiles / sample) + i % 5) % kGeneratedFiles;
}

std::string Describe(uint32_t index) {
  return "file " + std::to_string(index) + " (" + HostileSettingsKind(index) + ")";
}

// The box has followed the pointer to where it was moved: one more tick.
bool FollowsPointerTo(const ClockProgram& clock, int x, int y) {
  if (!MovePointer(x, y)) return false;
  return WaitUntil(
      [&] {
        const RECT box = clock.PopupRect();
        return box.left == x + 8 && box.top == y - 4;
      },
      kClockDeadlineMs);
}

TEST(HostilePrograms, TheClockRunsOnEveryFileAndEndsWithCodeZero) {
  const uint32_t sample = SampleSize();
  ClockHome home(WindowsPathOf(CURLIN_EXE));
  ASSERT_TRUE(home.Ready());
  for (uint32_t i = 0; i < sample; ++i) {
    const uint32_t index = SampledIndex(i, sample);
    SCOPED_TRACE(Describe(index));
    WriteBytes(home.File("curlin.dat"), MakeHostileSettingsFile(index));
    ClockProgram clock;
    ASSERT_TRUE(clock.Start(home.Clock()));
    ASSERT_TRUE(clock.WaitForWindows());
    EXPECT_TRUE(FollowsPointerTo(clock, 200 + i % 7 * 50, 300));
    EXPECT_TRUE(FollowsPointerTo(clock, 500, 200 + i % 5 * 60));
    PostMessageA(clock.Popup(), WM_COMMAND, 32773, 0);  // 終了 (Exit)
    DWORD code = 0xFFFF;
    ASSERT_TRUE(clock.WaitForExit(kClockDeadlineMs, &code));
    ASSERT_NE(code, kCrashedUnderWine) << "crashed";
    ASSERT_EQ(code, 0u);
  }
}

TEST(HostilePrograms, TheEditorOpensPreviewsSavesAndEndsOnEveryFile) {
  using namespace editor_driver;
  const uint32_t sample = SampleSize();
  EditorHome home(CURSET_EXE, "hostile-editor");
  ASSERT_TRUE(home.Ready());
  for (uint32_t i = 0; i < sample; ++i) {
    const uint32_t index = SampledIndex(i, sample);
    SCOPED_TRACE(Describe(index));
    WriteBytes(home.SettingsFile(), MakeHostileSettingsFile(index));
    Editor editor;
    ASSERT_TRUE(editor.Open(home));
    // The preview's first refresh comes after a second; then save the
    // hostile record back through Apply.
    const ULONGLONG opened = GetTickCount64();
    WaitUntil([&] { return !editor.Process().Running() || GetTickCount64() - opened > 1300; },
              kDeadlineMs);
    ASSERT_TRUE(editor.Process().Running()) << "ended on its own";
    editor.Click(1001);
    EXPECT_EQ(ReadBytes(home.SettingsFile()).size(), 156u) << "Apply stored a whole record";
    PostMessageA(editor.Dialog(), WM_COMMAND, IDCANCEL, 0);
    DWORD code = 0xFFFF;
    ASSERT_TRUE(editor.WaitForExit(kDeadlineMs, &code));
    ASSERT_NE(code, kCrashedUnderWine) << "crashed";
    ASSERT_EQ(code, 0u);
  }
}

}  // namespace
