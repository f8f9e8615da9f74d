// A stand-in program for the settings store: it lives in a test's private
// directory, so the settings file it loads and saves is the one beside it.
//   settings_probe load OUTFILE        writes the loaded record to OUTFILE
//                                      and ExeDirectory to OUTFILE.dir
//   settings_probe save INFILE [HWND]  saves the 156 bytes of INFILE, sending
//                                      the reload request to HWND; exit code
//                                      is SaveSettings' result
#include "SettingsFile.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool WriteFileBytes(const std::string& path, const void* data, size_t size) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(data, 1, size, file) == size;
  return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "load") == 0) {
    ClockSettings record;
    std::memset(&record, 0xCD, sizeof record);
    LoadSettings(record);
    const std::string out = argv[2];
    if (!WriteFileBytes(out, &record, sizeof record)) return 3;
    if (!WriteFileBytes(out + ".dir", ExeDirectory, std::strlen(ExeDirectory))) return 3;
    return 0;
  }
  if (argc >= 3 && std::strcmp(argv[1], "save") == 0) {
    ClockSettings ignored;
    LoadSettings(ignored);  // the editor's order: load first, which finds ExeDirectory
    ClockSettings record;
    std::FILE* in = std::fopen(argv[2], "rb");
    if (in == nullptr) return 3;
    const size_t items = std::fread(&record, sizeof record, 1, in);
    std::fclose(in);
    if (items != 1) return 3;
    HWND window = argc >= 4 ? reinterpret_cast<HWND>(std::strtoull(argv[3], nullptr, 10)) : nullptr;
    return SaveSettings(window, record);
  }
  return 2;
}
