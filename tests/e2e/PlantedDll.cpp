// A DLL that only notes that a program loaded it: its file name, one line in
// planted-dlls.log beside it. Copies of it under system DLLs' names lie
// beside the programs in a test, as a web page can leave files in a
// downloads folder.
#include <windows.h>

#include <cstring>

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(self, path, MAX_PATH);
  char* name = std::strrchr(path, '\\');
  if (length == 0 || length >= MAX_PATH || name == nullptr) return TRUE;
  ++name;
  char line[MAX_PATH + 2] = {};
  std::strcpy(line, name);
  std::strcat(line, "\r\n");
  if (name - path + sizeof "planted-dlls.log" > MAX_PATH) return TRUE;
  std::strcpy(name, "planted-dlls.log");
  const HANDLE log = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (log != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    WriteFile(log, line, static_cast<DWORD>(std::strlen(line)), &written, nullptr);
    CloseHandle(log);
  }
  // Loaded, it stays, as a planted DLL with the real one's functions would.
  return TRUE;
}
