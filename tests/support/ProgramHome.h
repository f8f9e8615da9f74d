// One private folder for a program under test: copies of the programs a test
// runs and whatever it puts beside them (curlin.dat among them), so that
// "beside the executable" is a real, isolated place. Removed when it goes.
#pragma once

#include "Processes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class ProgramHome {
 public:
  // A fresh scratch directory called after name; the programs live in
  // subdirectory below it (which may hold spaces or several levels), or in
  // the scratch directory itself when subdirectory is empty.
  explicit ProgramHome(const std::string& name, const std::string& subdirectory = "");

  // Where the programs live.
  const std::string& Directory() const { return m_directory; }
  // The scratch directory that holds Directory(): nothing a program uses.
  const std::string& Root() const { return m_scratch.Path(); }
  std::string File(const std::string& name) const { return m_directory + "\\" + name; }
  std::string SettingsFile() const { return File("curlin.dat"); }
  // Names of every file in Directory(), sorted.
  std::vector<std::string> FileNames() const { return FileNamesIn(m_directory); }

  // Copies the program at exe (a Windows path) into Directory() as name.
  ::testing::AssertionResult Add(const std::string& exe, const std::string& name) const;
  // Writes curlin.dat with exactly these bytes.
  ::testing::AssertionResult WriteSettings(const std::string& bytes) const;

 private:
  ScratchDirectory m_scratch;
  std::string m_directory;
};
