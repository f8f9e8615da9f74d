#include "HostileSettings.h"

#include "SettingsRecords.h"

#include <climits>
#include <cstddef>
#include <cstring>

namespace {

// splitmix64: small, fast and good enough to spread test inputs.
class Random {
 public:
  explicit Random(uint64_t seed) : m_state(seed * 0x9E3779B97F4A7C15ull + 1) {}
  uint64_t Next() {
    uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  uint32_t Below(uint32_t bound) { return static_cast<uint32_t>(Next() % bound); }
  uint8_t Byte() { return static_cast<uint8_t>(Next()); }
  uint8_t NonZeroByte() { return static_cast<uint8_t>(1 + Below(255)); }
  template <typename T, size_t N>
  T Pick(const T (&values)[N]) { return values[Below(N)]; }

 private:
  uint64_t m_state;
};

enum Kind { kRandomBytes, kUnterminatedTexts, kFormatLetterSoup, kExtremeFont, kOddValues, kKinds };
const char* const kKindNames[kKinds] = {"random bytes", "unterminated texts",
                                        "format letters and quotes", "extreme font fields",
                                        "odd colours, flags and indices"};

const int32_t kExtremeInts[] = {INT32_MIN, INT32_MIN + 1, -65536, -1000, -1, 0, 1, 2, 3, 4, 5,
                                1000, 1001, 65535, INT32_MAX - 1, INT32_MAX};

void FillUnterminated(char* field, Random& random) {
  for (int i = 0; i < kTextFieldSize; ++i) field[i] = static_cast<char>(random.NonZeroByte());
  // A double-byte lead byte as the very last byte invites reading one past it.
  if (random.Below(2) == 0) field[kTextFieldSize - 1] = '\x82';
}

void FillLetterSoup(char* field, Random& random) {
  static const char kAlphabet[] = "yyyyMMMMddddHHhhmmsstt''''gg\"\\ ()/:-";
  const int length = static_cast<int>(random.Below(kTextFieldSize + 1));  // 32: no terminator
  std::memset(field, 0, kTextFieldSize);
  for (int i = 0; i < length; ++i) field[i] = kAlphabet[random.Below(sizeof kAlphabet - 1)];
}

// The eight byte fields of a font description, lfItalic to lfPitchAndFamily.
BYTE* ByteFields(LOGFONTA& font) {
  return reinterpret_cast<BYTE*>(&font) + offsetof(LOGFONTA, lfItalic);
}

// Both halves on, so that the pictures are really rendered.
ClockSettings BothHalvesOn() {
  ClockSettings record = DefaultRecord();
  record.showDate = record.showTime = 1;
  return record;
}

void FillExtremeFont(LOGFONTA& font, Random& random) {
  for (LONG* field :
       {&font.lfHeight, &font.lfWidth, &font.lfEscapement, &font.lfOrientation, &font.lfWeight}) {
    *field = random.Pick(kExtremeInts);
  }
  for (int i = 0; i < 8; ++i) ByteFields(font)[i] = random.Byte();
  switch (random.Below(4)) {
    case 0: std::memset(font.lfFaceName, 0, sizeof font.lfFaceName); break;
    case 1: FillUnterminated(font.lfFaceName, random); break;
    case 2: std::strcpy(font.lfFaceName, "No Such Face At All"); break;
    default: break;  // keep the default face
  }
}

void FillOddValues(ClockSettings& record, Random& random) {
  record.backColor = static_cast<COLORREF>(random.Next());
  record.textColor = static_cast<COLORREF>(random.Next());
  for (uint8_t* flag :
       {&record.showDate, &record.showWeekday, &record.showTime, &record.showAmPm}) {
    *flag = random.Byte();
  }
  for (int32_t* index : {&record.dateFormat, &record.dateSeparator, &record.weekdayStyle,
                         &record.timeFormat, &record.timeSeparator}) {
    *index = random.Pick(kExtremeInts);
  }
}

}  // namespace

const char* HostileSettingsKind(uint32_t index) { return kKindNames[index % kKinds]; }

std::string MakeHostileSettingsFile(uint32_t index) {
  Random random(index);
  const Kind kind = static_cast<Kind>(index % kKinds);
  if (kind == kRandomBytes) {
    // Lengths 0..400 in turn, so every length is met many times over.
    std::string bytes((index / kKinds) % 401, '\0');
    for (char& c : bytes) c = static_cast<char>(random.Byte());
    return bytes;
  }

  // Most files switch both halves on.
  ClockSettings record = BothHalvesOn();
  switch (kind) {
    case kUnterminatedTexts:
      FillUnterminated(record.datePicture, random);
      FillUnterminated(record.timePicture, random);
      FillUnterminated(record.font.lfFaceName, random);
      break;
    case kFormatLetterSoup:
      FillLetterSoup(record.datePicture, random);
      FillLetterSoup(record.timePicture, random);
      break;
    case kExtremeFont:
      FillExtremeFont(record.font, random);
      break;
    case kOddValues:
      FillOddValues(record, random);
      if (random.Below(3) == 0) FillUnterminated(record.timePicture, random);
      break;
    default:
      break;
  }
  std::string bytes = BytesOf(record);
  if (random.Below(4) == 0) bytes.append(random.Below(245), '\xA5');  // trailing bytes are ignored
  return bytes;
}

std::vector<std::string> BoundaryFontFiles() {
  // height, width, escapement and orientation, weight, every byte field
  const int32_t kFiles[][5] = {{INT32_MIN, INT32_MAX, INT32_MIN, INT32_MAX, 0xFF},
                               {INT32_MAX, INT32_MIN, INT32_MAX, INT32_MIN, 0x00},
                               {-100000, 100000, 100000, -100000, 0xFF},
                               {100000, -100000, -100000, 100000, 0x00},
                               {-1000, INT32_MAX, 0, FW_NORMAL, 0x00}};
  std::vector<std::string> files;
  for (const int32_t* numbers : kFiles) {
    ClockSettings record = BothHalvesOn();
    LOGFONTA& font = record.font;
    font.lfHeight = numbers[0];
    font.lfWidth = numbers[1];
    font.lfEscapement = font.lfOrientation = numbers[2];
    font.lfWeight = numbers[3];
    std::memset(ByteFields(font), numbers[4], 8);
    std::memset(font.lfFaceName, 'W', sizeof font.lfFaceName);
    files.push_back(BytesOf(record));
  }
  return files;
}
