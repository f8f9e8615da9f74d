#include "Processes.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

std::string ModuleDirectory() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string text = path;
  return text.substr(0, text.find_last_of('\\'));
}

// The program that process id runs, or "" when it cannot be asked.
std::string ImageOf(DWORD id) {
  char path[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
  if (process == nullptr || !QueryFullProcessImageNameA(process, 0, path, &size)) size = 0;
  if (process != nullptr) CloseHandle(process);
  return std::string(path, size);
}

// Every test that ctest gave a lane starts with no program of ours running
// there: one left by an earlier test, whose test program was ended from
// outside or lost track of it, would meet this test's programs (a second
// editor hands over to the first and ends). Ours is every process but this
// one whose program does not lie in the Windows folder, where Wine's own
// (explorer.exe, services.exe) live. Each found is named in the test output
// and ended. (Without a lane, tests share the session's prefix with each
// other and with what they start: there nothing is this test's alone.)
// Nor does it start with the pointer where an earlier test left it: over a
// control of this test's window, that would draw it hot, with paint buffers of
// its own. It starts in the display's top-left corner.
class LeftoverPrograms : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo& test) override {
    if (std::getenv("CTEST_RESOURCE_GROUP_0_LANES") == nullptr) return;
    SetCursorPos(0, 0);
    char windows[MAX_PATH] = {};
    const std::string system(windows, GetWindowsDirectoryA(windows, MAX_PATH));
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more;
         more = Process32Next(snapshot, &entry)) {
      const std::string image = ImageOf(entry.th32ProcessID);
      if (entry.th32ProcessID == GetCurrentProcessId() || image.empty() ||
          _strnicmp(image.c_str(), system.c_str(), system.size()) == 0) {
        continue;
      }
      const DWORD id = entry.th32ProcessID;
      const HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
      const bool ended = process != nullptr && TerminateProcess(process, 99) &&
                         WaitForSingleObject(process, kDeadlineMs) == WAIT_OBJECT_0;
      if (process != nullptr) CloseHandle(process);
      std::printf("before %s.%s: %s (process %lu), a program of ours, was left running in this "
                  "Wine session; %s\n", test.test_suite_name(), test.name(), image.c_str(),
                  id, ended ? "ended it" : "could not end it");
      std::fflush(stdout);
    }
    if (snapshot != INVALID_HANDLE_VALUE) CloseHandle(snapshot);
  }
};

// Registered before main runs: every test program that starts programs links
// this file.
const bool kLeftoversWatched = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new LeftoverPrograms);
  return true;
}();

// A directory path below base exactly length bytes long, made of levels of
// 1 to 60 'd's (not created); empty when no such path exists (length shorter
// than base, or one byte longer).
std::string DirectoryOfLength(const std::string& base, size_t length) {
  // Each level is a backslash and 1 to 60 'd's, so every level takes 2 to 61
  // bytes: the rest is shared out evenly over as few levels as hold it. A
  // single byte left over cannot be a level (it would be an empty name).
  if (length < base.size()) return "";
  const size_t rest = length - base.size();
  if (rest == 1) return "";
  const size_t levels = (rest + 60) / 61;
  std::string directory = base;
  for (size_t level = 0; level < levels; ++level) {
    const size_t size = rest / levels + (level < rest % levels ? 1 : 0);
    directory += "\\" + std::string(size - 1, 'd');
  }
  return directory;
}

}  // namespace

std::string WindowsPathOf(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

ScratchDirectory::ScratchDirectory(const std::string& name) {
  // Process ids come back in later runs: a directory of the same name that
  // an earlier run could not remove is passed over, so that every test
  // starts in an empty directory of its own.
  static int counter = 0;
  do {
    char unique[64];
    std::snprintf(unique, sizeof unique, "%lu-%d", GetCurrentProcessId(), ++counter);
    m_path = ModuleDirectory() + "\\scratch\\" + name + "-" + unique;
  } while (FileExists(m_path) && !RemoveDirectoryTree(m_path));
  CreateDirectoryTree(m_path);
}

ScratchDirectory::~ScratchDirectory() {
  // Wine keeps the file of a running program: a program the test started
  // that is still ending holds the directory until it has ended.
  if (!WaitUntil([this] { return RemoveDirectoryTree(m_path); })) {
    ADD_FAILURE() << m_path << " is left behind: a program started from it is still running";
  }
  // The last scratch directory of a test program takes the empty parent along.
  RemoveDirectoryA(m_path.substr(0, m_path.find_last_of('\\')).c_str());
}

bool CreateDirectoryTree(const std::string& path) {
  for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1)) {
    CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
  }
  return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

std::string ProgramDirectoryOfLength(const std::string& base, size_t length,
                                     const std::string& exe, const std::string& name) {
  const std::string directory = DirectoryOfLength(base, length);
  if (directory.size() != length || FileExists(directory) || !CreateDirectoryTree(directory) ||
      !CopyFileA(exe.c_str(), (directory + "\\" + name).c_str(), FALSE)) {
    return "";
  }
  return directory;
}

bool RemoveDirectoryTree(const std::string& path) {
  for (const std::string& name : FileNamesIn(path)) {
    const std::string child = path + "\\" + name;
    const DWORD attributes = GetFileAttributesA(child.c_str());
    SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      RemoveDirectoryTree(child);
    } else {
      DeleteFileA(child.c_str());
    }
  }
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  return RemoveDirectoryA(path.c_str()) || !FileExists(path);
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

std::string ReadBytes(const std::string& path, bool* exists) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE |
                            FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (exists != nullptr) *exists = file != INVALID_HANDLE_VALUE;
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
    bytes.append(buffer, read);
  }
  CloseHandle(file);
  return bytes;
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  size_t begin = 0;
  for (size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', begin)) {
    if (end > begin) lines.push_back(text.substr(begin, end - begin));
    begin = end + 1;
  }
  return lines;
}

std::vector<std::string> FileNamesIn(const std::string& directory) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((directory + "\\*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = entry.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &entry));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

ChildProcess::~ChildProcess() { Terminate(); }

::testing::AssertionResult ChildProcess::Start(const std::string& exe, const std::string& args,
                                               const std::string& cwd) {
  Terminate();
  std::string commandLine = "\"" + exe + "\"";
  if (!args.empty()) commandLine += " " + args;
  for (int attempt = 1;; ++attempt) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    std::string line = commandLine;  // CreateProcessA may write to it
    if (CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       cwd.empty() ? nullptr : cwd.c_str(), &startup, &info)) {
      CloseHandle(info.hThread);
      m_process = info.hProcess;
      m_id = info.dwProcessId;
      return ::testing::AssertionSuccess();
    }
    const DWORD error = GetLastError();
    if (error == ERROR_INTERNAL_ERROR && attempt == 1) {
      std::printf("CreateProcessA(%s) failed with GetLastError() %lu; starting it once more\n",
                  exe.c_str(), error);
      std::fflush(stdout);
      continue;
    }
    return ::testing::AssertionFailure() << "CreateProcessA(" << exe << ") failed, attempt "
                                         << attempt << ", GetLastError() " << error;
  }
}

::testing::AssertionResult ChildProcess::Adopt(DWORD id) {
  Terminate();
  m_process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, id);
  if (m_process == nullptr) {
    return ::testing::AssertionFailure() << "OpenProcess(" << id << ") failed, GetLastError() "
                                         << GetLastError();
  }
  m_id = id;
  return ::testing::AssertionSuccess();
}

bool ChildProcess::WaitForExit(DWORD timeoutMs, DWORD* exitCode) {
  if (m_process == nullptr) return false;
  const bool ended = WaitUntil(
      [this] { return WaitForSingleObject(m_process, 0) == WAIT_OBJECT_0; }, timeoutMs);
  if (ended && exitCode != nullptr) GetExitCodeProcess(m_process, exitCode);
  return ended;
}

::testing::AssertionResult ChildProcess::EndsWithCodeZero(const std::string& what) {
  DWORD code = 0xFFFF;
  if (!WaitForExit(kDeadlineMs, &code)) {
    return ::testing::AssertionFailure() << what << " did not end";
  }
  if (code != 0) return ::testing::AssertionFailure() << what << " ended with code " << code;
  return ::testing::AssertionSuccess();
}

bool ChildProcess::Running() const {
  return m_process != nullptr && WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT;
}

void ChildProcess::Terminate() {
  if (m_process == nullptr) return;
  if (Running()) {
    TerminateProcess(m_process, 99);
    WaitForSingleObject(m_process, 5000);
  }
  CloseHandle(m_process);
  m_process = nullptr;
  m_id = 0;
}

bool LoadLibraryInside(DWORD processId, const std::string& name) {
  const HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId);
  void* text = process == nullptr ? nullptr
                                  : VirtualAllocEx(process, nullptr, name.size() + 1,
                                                   MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  HANDLE thread = nullptr;
  if (text != nullptr && WriteProcessMemory(process, text, name.c_str(), name.size() + 1, nullptr)) {
    // kernel32 lies at the same address in every process.
    const auto loadLibrary = reinterpret_cast<LPTHREAD_START_ROUTINE>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryA")));
    thread = CreateRemoteThread(process, nullptr, 0, loadLibrary, text, 0, nullptr);
  }
  const bool ended = thread != nullptr && WaitForSingleObject(thread, kDeadlineMs) == WAIT_OBJECT_0;
  if (thread != nullptr) CloseHandle(thread);
  if (process != nullptr) CloseHandle(process);
  return ended;
}

DWORD RunToExit(const std::string& exe, const std::string& args, DWORD timeoutMs) {
  ChildProcess child;
  const ::testing::AssertionResult started = child.Start(exe, args);
  if (!started) {
    ADD_FAILURE() << started.message();
    return 0xFFFFFFFF;
  }
  DWORD code = 0xFFFFFFFF;
  if (!child.WaitForExit(timeoutMs, &code)) return 0xFFFFFFFF;
  return code;
}

void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= deadline) return condition();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    PumpMessages();
  }
}
