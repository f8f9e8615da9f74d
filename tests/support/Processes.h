// Helpers for tests that drive real programs: private scratch directories,
// file bytes, processes, and polling with a deadline instead of fixed sleeps.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// The Windows path of a file given by its build-tree (Unix) path.
std::string WindowsPathOf(const std::string& unixPath);

// A fresh directory below the running test program's own directory, removed
// with everything in it when the object goes.
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
void RemoveDirectoryTree(const std::string& path);

void WriteBytes(const std::string& path, const std::string& bytes);
// The whole file, or nullopt-like "missing" reported through exists.
std::string ReadBytes(const std::string& path, bool* exists = nullptr);
bool FileExists(const std::string& path);
// The names of the files and folders in directory, sorted.
std::vector<std::string> FileNamesIn(const std::string& directory);

// An owned child process; the handle is closed, and a child still running
// is ended, when the object goes.
class ChildProcess {
 public:
  ChildProcess() = default;
  ChildProcess(ChildProcess&& other) noexcept;
  ChildProcess& operator=(ChildProcess&& other) noexcept;
  ~ChildProcess();

  // Starts exe (quoted on the command line) with args, in directory cwd
  // (empty: the test's own). False when the process cannot be created.
  bool Start(const std::string& exe, const std::string& args = "", const std::string& cwd = "");
  // Waits up to timeoutMs, serving this thread's messages meanwhile; true when
  // the process has ended, with its exit code in *exitCode.
  bool WaitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr);
  bool Running() const;
  void Terminate();
  DWORD Id() const { return m_id; }
  HANDLE Handle() const { return m_process; }

 private:
  HANDLE m_process = nullptr;
  DWORD m_id = 0;
};

// Runs exe to its end (at most timeoutMs) and returns its exit code, or
// 0xFFFFFFFF when it cannot start or does not end in time.
DWORD RunToExit(const std::string& exe, const std::string& args = "", DWORD timeoutMs = 60000);

// Polls condition every 20 ms, serving this thread's messages, until it holds
// or timeoutMs has passed; returns its last value.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

// A window's class name, and the process that owns it.
std::string ClassOf(HWND window);
DWORD ProcessOf(HWND window);

// Serves this thread's pending messages.
void PumpMessages();
