// The settings file "curlin.dat" beside the running executable, and the
// reload request that tells a running clock to read it again.
#pragma once

#include "ClockSettings.h"
#include "ReloadRequest.h"

#include <windows.h>

constexpr int kPathSize = 260;  // every path buffer, terminator included
constexpr char kSettingsFileName[] = "curlin.dat";
// The complete new record is written here before it replaces curlin.dat. No
// longer than the settings file's name, so it fits wherever that file does.
constexpr char kNewSettingsFileName[] = "curlin.new";
static_assert(sizeof kNewSettingsFileName <= sizeof kSettingsFileName);

// The running executable's directory without a trailing backslash; empty
// until the first LoadSettings that can read the executable's path.
extern char ExeDirectory[kPathSize];

// Writes ExeDirectory, a backslash and fileName into path. Returns false,
// leaving path empty, when ExeDirectory is empty or the result would not fit:
// a cut path must never be used.
bool ComposeExePath(char (&path)[kPathSize], const char* fileName);

// Fills record from the file, or with the defaults when the executable's path
// is unknown or the file is missing, unreadable or shorter than 156 bytes.
// Sets ExeDirectory.
void LoadSettings(ClockSettings& record);

// Stores the whole record, then, when window is not null, sends it the reload
// request. Returns 1 only when all 156 bytes are in place; on any failure the
// old file is left byte for byte, nothing is sent and 0 is returned.
int SaveSettings(HWND window, ClockSettings record);
