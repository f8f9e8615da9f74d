// Settings records as the tests make and read them: the bytes of a record,
// the default record, records that differ in every byte, and their fields.
// Header only: it needs the settings record, which each test program links.
#pragma once

#include "ClockSettings.h"
#include "SettingsFile.h"

#include <cstring>
#include <string>
#include <vector>

inline std::string BytesOf(const ClockSettings& record) {
  return std::string(reinterpret_cast<const char*>(&record), sizeof record);
}

// The path of name beside this test program, where the settings store in
// this process looks (its first load finds the directory).
inline std::string BesideThisProgram(const std::string& name) {
  ClockSettings ignored;
  LoadSettings(ignored);
  return std::string(ExeDirectory) + "\\" + name;
}

inline ClockSettings RecordOf(const std::string& bytes) {
  ClockSettings record = {};
  std::memcpy(&record, bytes.data(), bytes.size() < sizeof record ? bytes.size() : sizeof record);
  return record;
}

// The built-in defaults, whose every byte the settings unit test checks.
inline ClockSettings DefaultRecord() {
  ClockSettings record = {};
  SetDefaultSettings(record);
  return record;
}

// 156 bytes that differ from each other and from the defaults, for checking
// that a record travels byte for byte.
inline std::string DistinctRecordBytes(char seed) {
  std::string bytes(sizeof(ClockSettings), '\0');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(seed + i * 7);
  return bytes;
}

// Sets a 32-byte text field to text, zero-filled, as the programs store it.
inline void SetText(char (&field)[kTextFieldSize], const std::string& text) {
  std::memset(field, 0, sizeof field);
  std::memcpy(field, text.data(), text.size() < sizeof field ? text.size() : sizeof field - 1);
}

// Sets the five stored choice indices, in the order of the editor's lists.
inline void SetChoices(ClockSettings& record, int32_t dateFormat, int32_t dateSeparator,
                       int32_t weekdayStyle, int32_t timeFormat, int32_t timeSeparator) {
  record.dateFormat = dateFormat;
  record.dateSeparator = dateSeparator;
  record.weekdayStyle = weekdayStyle;
  record.timeFormat = timeFormat;
  record.timeSeparator = timeSeparator;
}

// The five stored choice indices, in the same order.
inline std::vector<int> StoredChoices(const ClockSettings& record) {
  return {record.dateFormat, record.dateSeparator, record.weekdayStyle, record.timeFormat,
          record.timeSeparator};
}

// Both halves on, with pictures of quoted text only: they render to the same
// line at any moment, "date time", so a box or preview can be compared exactly.
inline ClockSettings ConstantPictureRecord() {
  ClockSettings record = DefaultRecord();
  record.showDate = 1;
  record.showTime = 1;
  SetText(record.datePicture, "'date' ");
  SetText(record.timePicture, "'time'");
  return record;
}
