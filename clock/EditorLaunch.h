// Starting the settings editor from the clock's own directory.
#pragma once

#include <windows.h>

constexpr char kEditorFileName[] = "curset.exe";

// Starts fileName from ExeDirectory with no arguments and lets it run on its
// own. TRUE when a process was started; FALSE, starting nothing, when the
// directory is unknown, the path would not fit or the program cannot start.
BOOL LaunchEditor(const char* fileName);
