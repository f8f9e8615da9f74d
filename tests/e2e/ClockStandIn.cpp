// A stand-in for a program the clock may start: copied as curset.exe (the
// editor the clock should start) and as decoys it must never start. Each
// start appends its command line and how it was asked to show its window
// (" show N", N the SW_ value, -1 when the starter left that to the program)
// to "<own path>" with ".log" in place of ".exe" (as long as the program's
// own path, so it fits wherever the program does); then it waits for
// the test's gate to open, so that the test sees it among the running
// processes for as long as it needs.
#include <windows.h>

#include <cstdio>
#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char record[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, record, MAX_PATH);
  if (length > 4 && length < MAX_PATH) std::memcpy(record + length - 4, ".log", 4);
  if (std::FILE* file = std::fopen(record, "ab")) {
    STARTUPINFOA startup = {};
    GetStartupInfoA(&startup);
    std::fprintf(file, "%s show %d\n", GetCommandLineA(),
                 (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1);
    std::fclose(file);
  }

  char gate[128] = {};
  if (GetEnvironmentVariableA("CURLIN_TEST_STANDIN_GATE", gate, sizeof gate) > 0) {
    if (HANDLE event = OpenEventA(SYNCHRONIZE, FALSE, gate)) {
      WaitForSingleObject(event, 120000);
      CloseHandle(event);
    }
  }
  return 0;
}
