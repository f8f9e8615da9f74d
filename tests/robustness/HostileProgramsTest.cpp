// A sample of the hostile settings files through the real programs: the clock
// shows its box and follows the pointer for a few ticks, the editor opens,
// previews and saves; then each ends as a user ends it, with exit code 0.
// CURLIN_HOSTILE_SAMPLE sets the sample's size (3 by default; the soak
// command runs 200).
#include "ClockDriver.h"
#include "EditorDriver.h"
#include "HostileSettings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kGeneratedFiles = 10000;

// The sample's file numbers, spread over all the files so that every kind of
// hostile file is met.
std::vector<uint32_t> SampledFiles() {
  const char* size = std::getenv("CURLIN_HOSTILE_SAMPLE");
  const uint32_t sample = size != nullptr ? std::strtoul(size, nullptr, 10) : 3;
  std::vector<uint32_t> files;
  for (uint32_t i = 0; i < sample; ++i) {
    files.push_back((i * (kGeneratedFiles / sample) + i % 5) % kGeneratedFiles);
  }
  return files;
}

std::string Describe(uint32_t index) {
  return "file " + std::to_string(index) + " (" + HostileSettingsKind(index) + ")";
}

TEST(HostilePrograms, TheClockRunsOnEveryFileAndEndsWithCodeZero) {
  ClockHome home;
  ASSERT_TRUE(home.Ready());
  for (uint32_t index : SampledFiles()) {
    SCOPED_TRACE(Describe(index));
    ASSERT_TRUE(home.WriteSettings(MakeHostileSettingsFile(index)));
    ClockProgram clock;
    ASSERT_TRUE(clock.Start(home.Clock()));
    EXPECT_TRUE(clock.BoxBeside({200 + static_cast<LONG>(index % 7) * 50, 300}));
    EXPECT_TRUE(clock.BoxBeside({500, 200 + static_cast<LONG>(index % 5) * 60}));
    ASSERT_TRUE(clock.Exit()) << "a crash ends it with code 5";
  }
}

TEST(HostilePrograms, TheEditorOpensPreviewsSavesAndEndsOnEveryFile) {
  EditorHome home("hostile-editor");
  ASSERT_TRUE(home.Ready());
  for (uint32_t index : SampledFiles()) {
    SCOPED_TRACE(Describe(index));
    ASSERT_TRUE(home.WriteSettings(MakeHostileSettingsFile(index)));
    Editor editor;
    ASSERT_TRUE(editor.Open(home));
    // The preview's first refresh comes after a second; then save the
    // hostile record back through Apply.
    const ULONGLONG opened = GetTickCount64();
    WaitUntil([&] { return !editor.Running() || GetTickCount64() - opened > 1300; });
    ASSERT_TRUE(editor.Running()) << "ended on its own";
    editor.Apply();
    EXPECT_EQ(ReadBytes(home.SettingsFile()).size(), 156u) << "Apply stored a whole record";
    PostMessageA(editor.Dialog(), WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(editor.EndsWithCodeZero()) << "a crash ends it with code 5";
  }
}

}  // namespace
