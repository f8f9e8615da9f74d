#include "ProgramHome.h"

#include "SettingsRecords.h"

ProgramHome::ProgramHome(const std::string& name, const std::vector<HomeProgram>& programs,
                         const std::string& subdirectory)
    : m_scratch(name),
      m_directory(subdirectory.empty() ? m_scratch.Path() : m_scratch.File(subdirectory)) {
  CreateDirectoryTree(m_directory);
  for (const HomeProgram& program : programs) {
    if (m_ready) m_ready = Add(program.exe, program.name);
  }
}

ClockSettings ProgramHome::SavedRecord() const { return RecordOf(ReadBytes(SettingsFile())); }

::testing::AssertionResult ProgramHome::Add(const std::string& exe, const std::string& name) const {
  if (CopyFileA(exe.c_str(), File(name).c_str(), FALSE)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "copying " << exe << " to " << File(name)
                                       << " failed, GetLastError() " << GetLastError();
}

::testing::AssertionResult ProgramHome::WriteSettings(const std::string& bytes) const {
  WriteBytes(SettingsFile(), bytes);
  if (ReadBytes(SettingsFile()) == bytes) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "could not write " << SettingsFile();
}
