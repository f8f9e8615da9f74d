// Settings records for the editor's end-to-end tests: built field by field,
// written as curlin.dat, and compared byte for byte with what the editor
// stores. Header only: it needs the settings record, which test_support
// does not link.
#pragma once

#include "ClockSettings.h"

#include <cstring>
#include <string>

namespace editor_driver {

inline ClockSettings DefaultRecord() {
  ClockSettings record = {};
  SetDefaultSettings(record);
  return record;
}

inline std::string BytesOf(const ClockSettings& record) {
  return std::string(reinterpret_cast<const char*>(&record), sizeof record);
}

inline ClockSettings RecordOf(const std::string& bytes) {
  ClockSettings record = {};
  std::memcpy(&record, bytes.data(), bytes.size() < sizeof record ? bytes.size() : sizeof record);
  return record;
}

// Sets a 32-byte text field to text, zero-filled, as the programs store it.
inline void SetText(char (&field)[kTextFieldSize], const std::string& text) {
  std::memset(field, 0, sizeof field);
  std::memcpy(field, text.data(), text.size() < sizeof field ? text.size() : sizeof field - 1);
}

// Both halves on, with pictures of quoted text only: they render to the same
// line at any moment, so the preview can be compared exactly.
inline ClockSettings ConstantPictureRecord() {
  ClockSettings record = DefaultRecord();
  record.showDate = 1;
  record.showTime = 1;
  SetText(record.datePicture, "'date' ");
  SetText(record.timePicture, "'time'");
  return record;
}

}  // namespace editor_driver
