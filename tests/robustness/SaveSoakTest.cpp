// Saves in a row against a running clock that reloads on each, while
// another reader keeps reading the file: every read finds a record that was
// saved whole, and the clock's box shows the records it was told of. A test
// run makes 200 saves; the soak command (CURLIN_SOAK set) a thousand.
#include "ClockDriver.h"
#include "ScreenPixels.h"
#include "SettingsFile.h"
#include "SettingsRecords.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <thread>

namespace {

const int kSaves = std::getenv("CURLIN_SOAK") != nullptr ? 1000 : 200;

// Save number k: its own colours and its number in the date picture, so a
// record stitched from two saves would differ from every saved one.
ClockSettings SavedRecord(int k) {
  ClockSettings record = DefaultRecord();
  record.showDate = 1;
  record.backColor = RGB(40 + k % 200, 255 - k % 100, 128 + k % 2 * 100);
  record.textColor = RGB(0, 0, k % 2 * 128);
  SetText(record.datePicture, "'" + std::to_string(k) + " '");
  return record;
}

COLORREF MostCommon(const std::vector<COLORREF>& pixels) {
  std::map<COLORREF, int> counts;
  for (COLORREF pixel : pixels) ++counts[pixel];
  COLORREF best = CLR_INVALID;
  int most = 0;
  for (const auto& [colour, count] : counts) {
    if (count > most) {
      best = colour;
      most = count;
    }
  }
  return best;
}

// The clock runs from this test program's own directory, so the settings
// file the test saves (beside itself) is the one the clock reads.
class SaveSoak : public testing::Test {
 protected:
  void SetUp() override {
    m_clockPath = BesideThisProgram("curlin.exe");
    ASSERT_TRUE(CopyFileA(ClockExe().c_str(), m_clockPath.c_str(), FALSE));
    ASSERT_TRUE(ComposeExePath(m_settingsPath, kSettingsFileName));
    ASSERT_EQ(SaveSettings(nullptr, SavedRecord(-1)), 1);
    ASSERT_TRUE(m_clock.Start(m_clockPath));
    ASSERT_TRUE(m_clock.BoxBeside({300, 300}));
  }
  void TearDown() override {
    if (m_clock.Running()) {
      EXPECT_TRUE(m_clock.Exit());
    }
    DeleteFileA(m_settingsPath);
    DeleteFileA(m_clockPath.c_str());
  }

  // The box's background once the next tick has drawn it.
  bool BoxShowsBackground(COLORREF colour) {
    return WaitUntil([&] { return MostCommon(ScreenPixels(m_clock.PopupRect())) == colour; });
  }

  std::string m_clockPath;
  char m_settingsPath[kPathSize] = {};
  ClockProgram m_clock;
};

TEST_F(SaveSoak, EveryReadFindsAWholeSavedRecordAndTheBoxFollowsEachSave) {
  std::set<std::string> saved = {BytesOf(SavedRecord(-1))};
  for (int k = 0; k < kSaves; ++k) saved.insert(BytesOf(SavedRecord(k)));

  // A reader that opens and reads the file again and again while saves go on,
  // as a program polling it would.
  std::atomic<bool> saving{true};
  std::atomic<int> reads{0}, tornReads{0}, missing{0};
  std::thread reader([&] {
    while (saving) {
      bool exists = false;
      const std::string bytes = ReadBytes(m_settingsPath, &exists);
      if (!exists) {
        ++missing;
      } else if (saved.count(bytes) == 0) {
        ++tornReads;
      }
      ++reads;
      Sleep(1);
    }
  });

  const HWND host = m_clock.Host();
  int failedSaves = 0, wrongBoxes = 0;
  for (int k = 0; k < kSaves; ++k) {
    const ClockSettings record = SavedRecord(k);
    if (SaveSettings(host, record) != 1) ++failedSaves;
    // Now and then, wait for the next tick: the box shows this very save.
    if (k % 100 == 99 && !BoxShowsBackground(record.backColor)) ++wrongBoxes;
  }
  saving = false;
  reader.join();

  std::printf("saves: %d, failed: %d; concurrent reads: %d, torn: %d, missing file: %d\n", kSaves,
              failedSaves, reads.load(), tornReads.load(), missing.load());
  EXPECT_EQ(failedSaves, 0);
  EXPECT_EQ(tornReads, 0);
  EXPECT_EQ(missing, 0) << "the file is replaced in one step, never absent";
  EXPECT_GT(reads, 0);
  EXPECT_EQ(wrongBoxes, 0);
  EXPECT_EQ(ReadBytes(m_settingsPath), BytesOf(SavedRecord(kSaves - 1)));
  EXPECT_TRUE(BoxShowsBackground(SavedRecord(kSaves - 1).backColor));
}

}  // namespace
