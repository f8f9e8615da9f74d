#include "SettingsFile.h"

#include "TextFields.h"

#include <cstdio>
#include <cstring>
#include <io.h>

char ExeDirectory[kPathSize];

bool ComposeExePath(char (&path)[kPathSize], const char* fileName) {
  path[0] = '\0';
  if (ExeDirectory[0] == '\0') return false;  // never fall back to a drive root
  const int length = std::snprintf(path, kPathSize, "%s\\%s", ExeDirectory, fileName);
  if (length < 0 || length >= kPathSize) {
    path[0] = '\0';
    return false;
  }
  return true;
}

namespace {

// GetModuleFileNameA fills the whole buffer when the path is cut: that result
// is as much a failure as 0.
bool UpdateExeDirectory() {
  char path[kPathSize] = {};
  const DWORD length = GetModuleFileNameA(GetModuleHandleA(nullptr), path, kPathSize);
  if (length == 0 || length >= kPathSize) return false;
  StripFileName(path);
  CopyText(ExeDirectory, kPathSize, path);
  return true;
}

bool ReadRecord(const char* path, ClockSettings& record) {
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return false;
  ClockSettings read;
  const size_t items = std::fread(&read, sizeof read, 1, file);
  std::fclose(file);
  if (items != 1) return false;
  record = read;
  return true;
}

// Writes the record into a new file and makes sure it reached the disk.
bool WriteWholeFile(const char* path, const ClockSettings& record) {
  std::FILE* file = std::fopen(path, "wb");
  if (file == nullptr) return false;
  bool written = std::fwrite(&record, sizeof record, 1, file) == 1;
  written = std::fflush(file) == 0 && written;
  written = _commit(_fileno(file)) == 0 && written;
  const bool closed = std::fclose(file) == 0;
  return written && closed;
}

// True when nothing, or a plain file that may be replaced, stands at path. A
// folder can never be replaced by a file, and a read-only file was marked by
// the user to stay as it is, although the directory would allow replacing it
// whole.
bool IsReplaceable(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  return attributes == INVALID_FILE_ATTRIBUTES ||
         (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) == 0;
}

// Replaces the settings file with the complete new one in one step. Another
// program that is reading the old file at this very moment keeps it from
// being replaced; such reads are brief, so the replace is tried again for a
// short while. Wine reports a held file and a folder in the file's place
// alike, as access denied: only a denial over a plain file is worth waiting
// for.
bool ReplaceSettingsFile(const char* newFile, const char* settingsFile) {
  constexpr int kAttempts = 25;
  constexpr DWORD kPauseMs = 20;
  for (int attempt = 1;; ++attempt) {
    if (MoveFileExA(newFile, settingsFile, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return true;
    }
    const DWORD error = GetLastError();
    const bool mayClear = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
                          (error == ERROR_ACCESS_DENIED && IsReplaceable(settingsFile));
    if (attempt == kAttempts || !mayClear) return false;
    Sleep(kPauseMs);
  }
}

}  // namespace

void LoadSettings(ClockSettings& record) {
  char path[kPathSize];
  if (UpdateExeDirectory() && ComposeExePath(path, kSettingsFileName) &&
      ReadRecord(path, record)) {
    return;
  }
  SetDefaultSettings(record);
}

int SaveSettings(HWND window, ClockSettings record) {
  char path[kPathSize];
  char newPath[kPathSize];
  if (!ComposeExePath(path, kSettingsFileName) || !ComposeExePath(newPath, kNewSettingsFileName)) {
    return 0;
  }
  // Whatever an earlier save left behind (it may have been ended between
  // writing and replacing) goes first.
  DeleteFileA(newPath);
  if (!IsReplaceable(path)) return 0;

  // The record goes to a new file beside the old one, which is replaced in
  // one step only when the new one is complete: a failed save never leaves a
  // short or torn curlin.dat behind.
  if (!WriteWholeFile(newPath, record) || !ReplaceSettingsFile(newPath, path)) {
    DeleteFileA(newPath);
    return 0;
  }

  if (window != nullptr) {
    // Synchronous, so the clock has reloaded when the save returns, but a
    // clock that has stopped responding cannot freeze the editor.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(window, WM_RELOADSETTINGS, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                        kReloadTimeoutMs, &ignored);
  }
  return 1;
}
