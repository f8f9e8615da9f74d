// Thousands of hostile settings files through the code paths both programs
// run on what they load: loading, the clock line from the stored pictures,
// the font made from the stored description and measured, and the pictures
// composed from the stored flags and indices. Nothing may crash, and no text
// field may be read past its 32 bytes.
#include "ClockSettings.h"
#include "ClockText.h"
#include "FontForDrawing.h"
#include "HostileSettings.h"
#include "PatternComposition.h"
#include "Processes.h"
#include "SettingsFile.h"
#include "TextFields.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

constexpr uint32_t kFileCount = 10000;

// A record that ends exactly where an inaccessible page begins, so reading
// one byte past the last field faults at once.
class GuardedRecord {
 public:
  GuardedRecord() {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    m_pageSize = info.dwPageSize;
    m_base = static_cast<char*>(
        VirtualAlloc(nullptr, 2 * m_pageSize, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    DWORD old = 0;
    VirtualProtect(m_base + m_pageSize, m_pageSize, PAGE_NOACCESS, &old);
  }
  ~GuardedRecord() { VirtualFree(m_base, 0, MEM_RELEASE); }
  GuardedRecord(const GuardedRecord&) = delete;
  GuardedRecord& operator=(const GuardedRecord&) = delete;

  ClockSettings& Record() {
    return *reinterpret_cast<ClockSettings*>(m_base + m_pageSize - sizeof(ClockSettings));
  }

 private:
  size_t m_pageSize = 0;
  char* m_base = nullptr;
};

std::string SettingsPath() {
  char path[kPathSize];
  ClockSettings scratch;
  LoadSettings(scratch);  // finds ExeDirectory: this test program's own directory
  EXPECT_TRUE(ComposeExePath(path, kSettingsFileName));
  return path;
}

std::string BytesOf(const ClockSettings& record) {
  return std::string(reinterpret_cast<const char*>(&record), sizeof record);
}

// What the clock does with a loaded record: keep terminated copies of the
// pictures of the halves that are on, render, and measure in the font.
SIZE RenderAndMeasureAsTheClock(const ClockSettings& record, HDC dc, std::string* line) {
  char datePicture[kTextFieldSize] = {};
  char timePicture[kTextFieldSize] = {};
  if (record.showDate) CopyText(datePicture, sizeof datePicture, record.datePicture);
  if (record.showTime) CopyText(timePicture, sizeof timePicture, record.timePicture);
  char text[kHalfSize];
  RenderClockText(datePicture, datePicture[0] != '\0', timePicture, timePicture[0] != '\0', text,
                  sizeof text);
  *line = text;

  SIZE extent = {};
  const LOGFONTA description = FontForDrawing(record.font);
  HFONT font = CreateFontIndirectA(&description);
  if (font != nullptr) {
    HGDIOBJ previous = SelectObject(dc, font);
    GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &extent);
    SelectObject(dc, previous);
    DeleteObject(font);
  }
  return extent;
}

PatternChoices ChoicesOf(const ClockSettings& record) {
  PatternChoices choices;
  choices.showDate = record.showDate != 0;
  choices.showWeekday = record.showWeekday != 0;
  choices.showTime = record.showTime != 0;
  choices.showAmPm = record.showAmPm != 0;
  choices.dateFormat = record.dateFormat;
  choices.dateSeparator = record.dateSeparator;
  choices.weekdayStyle = record.weekdayStyle;
  choices.timeFormat = record.timeFormat;
  choices.timeSeparator = record.timeSeparator;
  return choices;
}

TEST(HostileSettings, EveryFileLoadsRendersMeasuresAndComposesSafely) {
  const std::string path = SettingsPath();
  ClockSettings defaults;
  SetDefaultSettings(defaults);
  GuardedRecord guarded;
  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_NE(dc, nullptr);

  uint32_t shortFiles = 0, unterminatedFields = 0, drawn = 0;
  for (uint32_t index = 0; index < kFileCount; ++index) {
    SCOPED_TRACE(testing::Message() << "file " << index << " (" << HostileSettingsKind(index) << ")");
    const std::string bytes = MakeHostileSettingsFile(index);
    WriteBytes(path, bytes);

    ClockSettings& record = guarded.Record();
    LoadSettings(record);
    if (bytes.size() < sizeof(ClockSettings)) {
      ++shortFiles;
      ASSERT_EQ(BytesOf(record), BytesOf(defaults));
    } else {
      ASSERT_EQ(BytesOf(record), bytes.substr(0, sizeof(ClockSettings))) << "taken unchanged";
    }
    if (std::memchr(record.timePicture, 0, kTextFieldSize) == nullptr) ++unterminatedFields;

    std::string line;
    const SIZE extent = RenderAndMeasureAsTheClock(record, dc, &line);
    ASSERT_LE(line.size(), kHalfSize - 1);
    if (extent.cx > 0) ++drawn;

    const Pictures pictures = ComposePictures(ChoicesOf(record));
    ASSERT_LE(pictures.date.size(), 31u);
    ASSERT_LE(pictures.time.size(), 31u);
    char preview[256];
    RenderClockText(pictures.date.c_str(), record.showDate != 0, pictures.time.c_str(),
                    record.showTime != 0, preview, sizeof preview);
  }
  DeleteDC(dc);
  DeleteFileA(path.c_str());

  // The generator really produced what the test is about.
  EXPECT_GT(shortFiles, 700u);
  EXPECT_GT(unterminatedFields, 1000u);
  EXPECT_GT(drawn, 5000u);
  std::printf("hostile files: %u tried, %u short, %u with an unterminated time picture, %u drawn\n",
              kFileCount, shortFiles, unterminatedFields, drawn);
}

}  // namespace
