// One private folder for the programs under test: copies of the programs a
// test runs and whatever it puts beside them (curlin.dat among them), so that
// "beside the executable" is a real, isolated place. Removed when it goes.
#pragma once

#include "ClockSettings.h"
#include "Processes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A program to copy into a home: the file at exe (a Windows path), and the
// name its copy takes there.
struct HomeProgram {
  std::string exe;
  std::string name;
};

class ProgramHome {
 public:
  // A fresh scratch directory called after name, holding a copy of each of
  // programs; the programs live in subdirectory below it (which may hold
  // spaces or several levels), or in the scratch directory itself when
  // subdirectory is empty.
  ProgramHome(const std::string& name, const std::vector<HomeProgram>& programs,
              const std::string& subdirectory = "");

  // Whether every program was copied; a failure says which was not.
  const ::testing::AssertionResult& Ready() const { return m_ready; }
  // Where the programs live.
  const std::string& Directory() const { return m_directory; }
  // The scratch directory that holds Directory(): nothing a program uses.
  const std::string& Root() const { return m_scratch.Path(); }
  std::string File(const std::string& name) const { return m_directory + "\\" + name; }
  std::string SettingsFile() const { return File("curlin.dat"); }
  // Names of every file in Directory(), sorted.
  std::vector<std::string> FileNames() const { return FileNamesIn(m_directory); }
  // The saved record, read back from curlin.dat.
  ClockSettings SavedRecord() const;

  // Copies the program at exe (a Windows path) into Directory() as name.
  ::testing::AssertionResult Add(const std::string& exe, const std::string& name) const;
  // Writes curlin.dat with exactly these bytes.
  ::testing::AssertionResult WriteSettings(const std::string& bytes) const;

 private:
  ScratchDirectory m_scratch;
  std::string m_directory;
  ::testing::AssertionResult m_ready = ::testing::AssertionSuccess();
};
