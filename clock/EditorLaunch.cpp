#include "EditorLaunch.h"

#include "SettingsFile.h"

#include <cstdio>

BOOL LaunchEditor(const char* fileName) {
  char path[kPathSize];
  if (!ComposeExePath(path, fileName)) return FALSE;

  // The program is named exactly, and its path is quoted on the command line:
  // an unquoted "C:\my dir\curset.exe" would first try to start C:\my.exe.
  char commandLine[kPathSize + 2];
  std::snprintf(commandLine, sizeof commandLine, "\"%s\"", path);

  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(path, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return FALSE;
  }
  // The editor lives on its own; the clock keeps nothing of it.
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return TRUE;
}
