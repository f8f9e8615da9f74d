// The bottom layer for tests that drive real programs: private scratch
// directories, file bytes, processes, and polling with one deadline instead
// of fixed sleeps.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// How long a test waits for anything a program does on its own. The first
// program of a fresh Wine prefix starts in a few seconds; ticks come every
// 300 ms, so this only runs out when something is wrong.
constexpr DWORD kDeadlineMs = 20000;

// The Windows path of a file given by its build-tree (Unix) path.
std::string WindowsPathOf(const std::string& unixPath);

// A fresh directory below the running test program's own directory, removed
// with everything in it when the object goes; the test fails when a program
// it started from there keeps it from going.
class ScratchDirectory {
 public:
  explicit ScratchDirectory(const std::string& name);
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::string& Path() const { return m_path; }
  std::string File(const std::string& name) const { return m_path + "\\" + name; }

 private:
  std::string m_path;
};

bool CreateDirectoryTree(const std::string& path);
// A new directory below base exactly length bytes long, made of levels of 1
// to 60 'd's, holding a copy of the program at exe named name; empty when it
// cannot be made (length shorter than base, or one byte longer) or was there
// before.
std::string ProgramDirectoryOfLength(const std::string& base, size_t length,
                                     const std::string& exe, const std::string& name);
// Removes path with everything in it; true when it is gone.
bool RemoveDirectoryTree(const std::string& path);

void WriteBytes(const std::string& path, const std::string& bytes);
// The whole file, or nullopt-like "missing" reported through exists.
std::string ReadBytes(const std::string& path, bool* exists = nullptr);
bool FileExists(const std::string& path);
// The lines of text that end with '\n', without it; empty lines left out.
std::vector<std::string> LinesOf(const std::string& text);
// The names of the files and folders in directory, sorted.
std::vector<std::string> FileNamesIn(const std::string& directory);

// An owned child process; the handle is closed, and a child still running
// is ended, when the object goes.
class ChildProcess {
 public:
  ChildProcess() = default;
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ~ChildProcess();

  // Starts exe (quoted on the command line) with args, in directory cwd
  // (empty: the test's own). A failure names GetLastError(). Wine sometimes
  // loses a new process while it is still starting (ERROR_INTERNAL_ERROR,
  // 1359, at once): that one error is retried once, and the retry is said
  // in the test output; every other error fails at once.
  ::testing::AssertionResult Start(const std::string& exe, const std::string& args = "",
                                   const std::string& cwd = "");
  // Takes over the running process id that another program started, as if
  // this object had started it.
  ::testing::AssertionResult Adopt(DWORD id);
  // Waits up to timeoutMs, serving this thread's messages meanwhile; true when
  // the process has ended, with its exit code in *exitCode.
  bool WaitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr);
  // Waits until the process ends with exit code 0; a failure calls it what
  // ("the clock").
  ::testing::AssertionResult EndsWithCodeZero(const std::string& what);
  bool Running() const;
  void Terminate();
  DWORD Id() const { return m_id; }
  HANDLE Handle() const { return m_process; }

 private:
  HANDLE m_process = nullptr;
  DWORD m_id = 0;
};

// Has the running process processId call LoadLibraryA(name) on a thread of
// its own, as its own code would; false when no such thread ran to its end.
bool LoadLibraryInside(DWORD processId, const std::string& name);

// Runs exe to its end (at most timeoutMs) and returns its exit code, or
// 0xFFFFFFFF when it cannot start or does not end in time.
DWORD RunToExit(const std::string& exe, const std::string& args = "", DWORD timeoutMs = 60000);

// Polls condition every 20 ms, serving this thread's messages, until it holds
// or the deadline has passed; returns its last value.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kDeadlineMs);

// Serves this thread's pending messages.
void PumpMessages();
