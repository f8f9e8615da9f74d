// Times what a user waits for: from starting curlin to its first tick beside
// the pointer, and from a save to the box showing the change.
//   latency CURLIN_EXE WORK_DIRECTORY
#include "SettingsFile.h"
#include "TextFields.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct FindPopup {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK FindVisibleDialog(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<FindPopup*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  if (owner == search->processId && IsWindowVisible(window) &&
      std::string(className) == "#32770") {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

HWND PopupOf(DWORD processId) {
  FindPopup search = {processId, nullptr};
  EnumWindows(FindVisibleDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / frequency.QuadPart;
}

LARGE_INTEGER Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now;
}

bool WriteRecord(const std::string& path, const ClockSettings& record) {
  const std::string temporary = path + ".new";
  HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  WriteFile(file, &record, sizeof record, &written, nullptr);
  CloseHandle(file);
  return written == sizeof record &&
         MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const std::string directory = argv[2];
  const std::string clock = directory + "\\curlin.exe";
  const std::string settingsFile = directory + "\\curlin.dat";
  CreateDirectoryA(directory.c_str(), nullptr);
  if (!CopyFileA(argv[1], clock.c_str(), FALSE)) return 3;

  ClockSettings timeOnly;
  SetDefaultSettings(timeOnly);
  ClockSettings dateAndTime = timeOnly;
  dateAndTime.showDate = 1;
  CopyText(dateAndTime.datePicture, kTextFieldSize, "yyyy'/'MM'/'dd (ddd) ");
  if (!WriteRecord(settingsFile, timeOnly)) return 3;

  const POINT pointer = {400, 300};
  // Under Wine a process moves the pointer only once it has a window of its own.
  HWND anchor = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  for (int attempt = 0; attempt < 500; ++attempt) {
    POINT now = {};
    SetCursorPos(pointer.x, pointer.y);
    if (GetCursorPos(&now) && now.x == pointer.x && now.y == pointer.y) break;
    Sleep(10);
  }
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  std::string commandLine = "\"" + clock + "\"";
  const LARGE_INTEGER started = Now();
  if (!CreateProcessA(clock.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      directory.c_str(), &startup, &process)) {
    return 3;
  }
  HWND popup = nullptr;
  RECT box = {};
  double firstTick = -1;
  for (int attempt = 0; attempt < 20000 && firstTick < 0; ++attempt) {
    if (popup == nullptr) popup = PopupOf(process.dwProcessId);
    if (popup != nullptr && GetWindowRect(popup, &box) && box.left == pointer.x + 8 &&
        box.top == pointer.y - 4) {
      firstTick = Milliseconds(started, Now());
    }
    Sleep(1);
  }
  std::printf("first_tick_ms=%.0f\n", firstTick);

  HWND host = FindWindowA(nullptr, "curlin");
  std::vector<double> waits;
  for (int round = 0; round < 20 && host != nullptr && popup != nullptr; ++round) {
    // Saves come at every phase of the tick, as a user's would.
    Sleep(static_cast<DWORD>(round * 37 % 300));
    GetWindowRect(popup, &box);
    const LONG widthBefore = box.right - box.left;
    const LARGE_INTEGER saved = Now();
    WriteRecord(settingsFile, round % 2 == 0 ? dateAndTime : timeOnly);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(host, WM_RELOADSETTINGS, 0, 0, SMTO_ABORTIFHUNG, 3000, &ignored);
    for (int attempt = 0; attempt < 5000; ++attempt) {
      if (GetWindowRect(popup, &box) && box.right - box.left != widthBefore) {
        waits.push_back(Milliseconds(saved, Now()));
        break;
      }
      Sleep(1);
    }
  }
  if (!waits.empty()) {
    std::sort(waits.begin(), waits.end());
    std::printf("save_to_box_ms median=%.0f max=%.0f rounds=%zu\n", waits[waits.size() / 2],
                waits.back(), waits.size());
  }

  DestroyWindow(anchor);
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, 5000);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return firstTick >= 0 && waits.size() == 20 ? 0 : 1;
}
