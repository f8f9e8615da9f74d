// Drives the clock's own tick and reload in this process, many times over,
// and reports the live GDI objects before and after: any growth is a leak.
//   gdi_soak [TICKS] [RELOADS]
#include "ClockProcess.h"
#include "FollowingDisplay.h"
#include "LiveGdiObjects.h"
#include "SettingsFile.h"
#include "TextFields.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  const long ticks = argc > 1 ? std::atol(argv[1]) : 100000;
  const long reloads = argc > 2 ? std::atol(argv[2]) : 10000;

  // A full line, date with weekday and time with seconds, in the settings
  // file beside this program, which is what the clock's reload reads.
  ClockSettings record;
  LoadSettings(record);
  record.showDate = 1;
  CopyText(record.datePicture, kTextFieldSize, "yyyy'/'MM'/'dd (ddd) ");
  CopyText(record.timePicture, kTextFieldSize, "HH':'mm':'ss");
  if (!SaveSettings(nullptr, record)) return 2;

  // A borderless popup stands in for the clock's box.
  PopupWindow = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 10,
                                10, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (PopupWindow == nullptr) return 2;
  LoadDisplayState();
  ClockTick(nullptr, 0, 0, 0);  // first use fills the platform's caches
  const size_t before = LiveGdiObjects();

  const long ticksPerReload = reloads > 0 ? ticks / reloads : ticks + 1;
  const ULONGLONG start = GetTickCount64();
  long reloaded = 0;
  for (long tick = 1; tick <= ticks; ++tick) {
    ClockTick(nullptr, 0, 0, 0);
    if (reloaded < reloads && tick % ticksPerReload == 0) {
      LoadDisplayState();
      ++reloaded;
    }
  }
  const ULONGLONG elapsed = GetTickCount64() - start;
  const size_t after = LiveGdiObjects();

  ReleaseBackBrush();
  const size_t released = LiveGdiObjects();
  DestroyWindow(PopupWindow);
  std::printf("ticks=%ld reloads=%ld live_before=%zu live_after=%zu growth=%lld "
              "after_release=%zu elapsed_ms=%llu\n",
              ticks, reloaded, before, after,
              static_cast<long long>(after) - static_cast<long long>(before), released, elapsed);
  return after == before ? 0 : 1;
}
