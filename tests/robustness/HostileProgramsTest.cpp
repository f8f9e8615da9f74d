// The font fields at their boundaries and a sample of the hostile settings
// files through the real programs: the clock shows its box and follows the
// pointer at its start and after a reload, the editor opens, previews and
// saves, and each keeps answering within a second; then each ends as a user
// ends it, with exit code 0. CURLIN_HOSTILE_SAMPLE sets the sample's size (3
// by default; the soak command runs 200).
#include "ClockDriver.h"
#include "EditorDriver.h"
#include "HostileSettings.h"
#include "ReloadReceiver.h"
#include "TopWindows.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kGeneratedFiles = 10000;

// The files with the font fields at their boundaries, then the sample's,
// spread over all the files so that every kind of hostile file is met; each
// with its name for messages.
std::vector<std::pair<std::string, std::string>> FilesToTry() {
  std::vector<std::pair<std::string, std::string>> files;
  for (const std::string& bytes : BoundaryFontFiles()) {
    files.emplace_back("boundary font file " + std::to_string(files.size()), bytes);
  }
  const char* size = std::getenv("CURLIN_HOSTILE_SAMPLE");
  const uint32_t sample = size != nullptr ? std::strtoul(size, nullptr, 10) : 3;
  for (uint32_t i = 0; i < sample; ++i) {
    const uint32_t index = (i * (kGeneratedFiles / sample) + i % 5) % kGeneratedFiles;
    files.emplace_back("file " + std::to_string(index) + " (" + HostileSettingsKind(index) + ")",
                       MakeHostileSettingsFile(index));
  }
  return files;
}

// Longer than a tick of the clock: a tick that keeps it busy for over a
// second shows.
constexpr DWORD kWatchMs = 400;

// Each file at the clock's start, then the next one through a reload.
TEST(HostilePrograms, TheClockStartsAndReloadsOnEveryFileAnswersAndEndsWithCodeZero) {
  const ProgramHome home("clock", {ClockCopy()}, "clock");
  ASSERT_TRUE(home.Ready());
  const auto files = FilesToTry();
  for (size_t i = 0; i < files.size(); ++i) {
    SCOPED_TRACE(files[i].first);
    ASSERT_TRUE(home.WriteSettings(files[i].second));
    ClockProgram clock;
    ASSERT_TRUE(clock.Start(home.File("curlin.exe")));
    EXPECT_TRUE(clock.BoxBeside({200 + static_cast<LONG>(i % 7) * 50, 300}));
    EXPECT_TRUE(AnswersThroughout(clock.Popup(), kWatchMs)) << "after the start";
    ASSERT_TRUE(home.WriteSettings(files[(i + 1) % files.size()].second));
    PostMessageA(clock.Host(), kReloadRequest, 0, 0);
    EXPECT_TRUE(clock.BoxBeside({500, 200 + static_cast<LONG>(i % 5) * 60}));
    EXPECT_TRUE(AnswersThroughout(clock.Popup(), kWatchMs)) << "after reloading the next file";
    ASSERT_TRUE(clock.Exit()) << "a crash ends it with code 5";
  }
}

TEST(HostilePrograms, TheEditorOpensPreviewsAnswersSavesAndEndsOnEveryFile) {
  const ProgramHome home("hostile-editor", {EditorCopy()});
  ASSERT_TRUE(home.Ready());
  for (const auto& [name, bytes] : FilesToTry()) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(home.WriteSettings(bytes));
    Editor editor;
    ASSERT_TRUE(editor.Open(home));
    // The preview's first refresh comes after a second; then save the
    // hostile record back through Apply.
    const ULONGLONG opened = GetTickCount64();
    WaitUntil([&] { return !editor.Running() || GetTickCount64() - opened > 1300; });
    ASSERT_TRUE(editor.Running()) << "ended on its own";
    EXPECT_TRUE(AnswersThroughout(editor.Dialog(), kWatchMs));
    editor.Apply();
    EXPECT_EQ(ReadBytes(home.SettingsFile()).size(), 156u) << "Apply stored a whole record";
    PostMessageA(editor.Dialog(), WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(editor.EndsWithCodeZero()) << "a crash ends it with code 5";
  }
}

}  // namespace
