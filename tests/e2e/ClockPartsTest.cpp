// The clock's parts in the test's own process, against the real platform:
// the background brush that the display state owns across reloads, the live
// GDI objects over thousands of ticks, the tray icon's add and remove while
// its window lives, and the editor launch at the edge of the 260-byte path.
#include "ClockDriver.h"
#include "ClockProcess.h"
#include "EditorLaunch.h"
#include "FollowingDisplay.h"
#include "GdiOwners.h"
#include "LiveGdiObjects.h"
#include "PopupDialog.h"
#include "ProgramResources.h"
#include "ScreenPixels.h"
#include "SettingsFile.h"
#include "SettingsRecords.h"
#include "TextFields.h"
#include "TopWindows.h"
#include "TrayIcon.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

const std::string kClockExe = ClockExe();
const std::string kStandInExe = WindowsPathOf(STAND_IN_EXE);

// The clock's parts in this process, with a settings file beside this test
// program, which LoadSettings reads, and a hidden window for the popup. Each
// test ends with the background brush released, no popup or instance set and
// no settings file.
class ClockParts : public ::testing::Test {
 protected:
  ClockParts() : m_settingsPath(BesideThisProgram(kSettingsFileName)) {}
  void TearDown() override {
    ReleaseBackBrush();
    PopupWindow = nullptr;
    ClockInstance = nullptr;
    DeleteFileA(m_settingsPath.c_str());
  }

  void WriteSettings(COLORREF backColor) {
    ClockSettings record = DefaultRecord();
    record.backColor = backColor;
    WriteSettings(record);
  }
  void WriteSettings(const ClockSettings& record) { WriteBytes(m_settingsPath, BytesOf(record)); }

  // Hidden, so that a tick spends no time drawing on the display; it makes
  // and releases the same objects.
  const TestWindow popup{"", {0, 0, 10, 10}, false, /*visible=*/false};
  std::string m_settingsPath;
};
using BackBrush = ClockParts;
using ClockTickParts = ClockParts;
using TrayIconParts = ClockParts;

COLORREF BrushColour(HBRUSH brush) {
  LOGBRUSH description = {};
  GetObjectA(brush, sizeof description, &description);
  return description.lbColor;
}

// ::BackBrush() is the display state's brush; BackBrush alone names the suite.
TEST_F(BackBrush, EveryReloadReplacesTheOneBrushAndTheEndReleasesIt) {
  WriteSettings(RGB(10, 20, 30));
  LoadDisplayState();
  const HBRUSH first = ::BackBrush();
  ASSERT_EQ(GetObjectType(first), static_cast<DWORD>(OBJ_BRUSH));
  EXPECT_EQ(BrushColour(first), RGB(10, 20, 30));

  WriteSettings(RGB(40, 50, 60));
  LoadDisplayState();
  const HBRUSH second = ::BackBrush();
  EXPECT_NE(second, first);
  EXPECT_EQ(GetObjectType(first), 0u) << "the replaced brush is deleted";
  EXPECT_EQ(BrushColour(second), RGB(40, 50, 60));
  // The brush the popup paints its background with, when the platform asks.
  EXPECT_EQ(PopupDialogProc(popup.Get(), WM_CTLCOLORDLG, 0, reinterpret_cast<LPARAM>(popup.Get())),
            reinterpret_cast<INT_PTR>(second));
  // Another window's colour query, which any program may send, is left to the platform.
  EXPECT_EQ(PopupDialogProc(popup.Get(), WM_CTLCOLORDLG, 0, reinterpret_cast<LPARAM>(GetDesktopWindow())), FALSE);

  std::vector<HBRUSH> held;
  for (int reload = 0; reload < 50; ++reload) {
    held.push_back(::BackBrush());
    LoadDisplayState();
  }
  for (HBRUSH brush : held) EXPECT_EQ(GetObjectType(brush), 0u);
  const HBRUSH last = ::BackBrush();
  EXPECT_EQ(GetObjectType(last), static_cast<DWORD>(OBJ_BRUSH));

  ReleaseBackBrush();
  EXPECT_EQ(::BackBrush(), nullptr);
  EXPECT_EQ(GetObjectType(last), 0u);
}

TEST_F(ClockTickParts, DrawsNothingWithoutItsPopup) {
  const COLORREF magenta = RGB(255, 0, 255);
  WriteSettings(magenta);
  LoadDisplayState();
  PopupWindow = nullptr;
  ClockTick(nullptr, WM_TIMER, 0, 0);
  // A context for no window is the whole screen: the line would stand in its
  // top-left corner, on the magenta background.
  const std::vector<COLORREF> corner = ScreenPixels({0, 0, 40, 20});
  ASSERT_FALSE(corner.empty());
  EXPECT_EQ(CountOf(corner, magenta), 0u);
}

// An hour of ticking in a few seconds: the tick called directly, with a
// reload between two lines, fonts and colours every 30 ticks; neither GDI
// objects nor kernel handles grow.
TEST_F(ClockTickParts, ThousandsOfTicksAndReloadsLeaveTheLiveGdiObjectsAsTheyWere) {
  {
    const size_t live = LiveGdiObjects();
    const GdiObject<HBRUSH> probe(CreateSolidBrush(RGB(1, 2, 3)));
    ASSERT_EQ(LiveGdiObjects(), live + 1) << "the count sees one object more";
  }
  ClockSettings records[2] = {DefaultRecord(), DefaultRecord()};
  records[1].showDate = 1;
  SetText(records[1].datePicture, "yyyy'/'MM'/'dd (ddd) ");
  SetText(records[1].timePicture, "HH':'mm':'ss");
  records[1].font.lfHeight = 24;  // a cell height with a width is measured on each reload
  records[1].font.lfWidth = 12;
  records[1].font.lfWeight = FW_BOLD;
  records[1].backColor = RGB(0, 64, 128);
  PopupWindow = popup.Get();
  WriteSettings(records[1]);
  LoadDisplayState();
  ClockTick(nullptr, WM_TIMER, 0, 0);  // the first use fills the platform's caches

  const size_t before = LiveGdiObjects();
  const size_t handles = KernelHandlesOf(GetCurrentProcessId());
  ASSERT_GT(handles, 0u) << "the system's handle list is read";
  constexpr int kTicks = 3000;
  constexpr int kTicksPerReload = 30;
  for (int tick = 1; tick <= kTicks; ++tick) {
    ClockTick(nullptr, WM_TIMER, 0, 0);
    if (tick % kTicksPerReload == 0) {
      WriteSettings(records[tick / kTicksPerReload % 2]);
      LoadDisplayState();
    }
  }
  EXPECT_EQ(LiveGdiObjects(), before)
      << "live GDI objects after " << kTicks << " ticks and " << kTicks / kTicksPerReload << " reloads";
  EXPECT_LE(KernelHandlesOf(GetCurrentProcessId()), handles) << "kernel handles after as many";
}

// Run from the tray menu's own loop: notes which menu is open and closes it.
HMENU OpenTrayMenu = nullptr;
void CALLBACK CloseTrayMenu(HWND, UINT, UINT_PTR, DWORD) {
  const HWND menuWindow = FindWindowA("#32768", nullptr);
  if (menuWindow == nullptr || GetWindowThreadProcessId(menuWindow, nullptr) != GetCurrentThreadId()) {
    return;
  }
  OpenTrayMenu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
  EndMenu();
}

TEST_F(TrayIconParts, TheIconIsAddedAndTheEndOfThePopupRemovesItWhileItsWindowLives) {
  // The clock's resources, for the icon, loaded from curlin.exe as data.
  const ProgramResources resources(kClockExe);
  ASSERT_TRUE(resources.Loaded());
  ClockInstance = resources.Module();
  PopupWindow = popup.Get();

  AddTrayIcon();
  ASSERT_TRUE(TrayIconsShown(1));
  EXPECT_EQ(TrayIconTip(TrayIconWindows().front()), L"rovatick");

  // Each right-click loads the menu anew: once closed, it is destroyed.
  const UINT_PTR closer = SetTimer(nullptr, 0, 100, CloseTrayMenu);
  ShowTrayMenu();
  KillTimer(nullptr, closer);
  ASSERT_NE(OpenTrayMenu, nullptr) << "the menu opened";
  EXPECT_FALSE(IsMenu(OpenTrayMenu));

  // The popup's end deletes it while the window lives (Windows would show a
  // dead window's icon until the pointer passes); it is gone on return.
  PopupDialogProc(popup.Get(), WM_DESTROY, 0, 0);
  EXPECT_TRUE(TrayIconWindows().empty());
  EXPECT_TRUE(IsWindow(popup.Get()));
}

class ExeDirectoryOverride {
 public:
  ExeDirectoryOverride() { std::memcpy(m_saved, ExeDirectory, sizeof m_saved); }
  ~ExeDirectoryOverride() { std::memcpy(ExeDirectory, m_saved, sizeof m_saved); }
  void Set(const std::string& directory) {
    std::memset(ExeDirectory, 0, sizeof ExeDirectory);
    CopyText(ExeDirectory, sizeof ExeDirectory, directory.c_str());
  }

 private:
  char m_saved[kPathSize];
};

TEST(LaunchEditor, StartsTheEditorOnlyWhenItsWholePathFits) {
  ScratchDirectory base("launch");  // goes after the gate has let the stand-in end
  StandInGate gate;
  ExeDirectoryOverride directory;

  // "\curset.exe" is 11 bytes: a 248-byte directory makes a 259-byte path,
  // the longest that fits 260 bytes with its terminator.
  const std::string fits = ProgramDirectoryOfLength(base.Path(), 248, kStandInExe, "curset.exe");
  ASSERT_EQ(fits.size(), 248u);
  const std::string editor = fits + "\\curset.exe";
  directory.Set(fits);
  EXPECT_TRUE(LaunchEditor(kEditorFileName));
  EXPECT_TRUE(WaitUntil([&] { return StandInStarts(editor).size() == 1; }));
  EXPECT_EQ(StandInStarts(editor), std::vector<std::string>{"\"" + editor + "\" show 1"});

  // One byte more would be cut, here to a program that exists: nothing is
  // started.
  const std::string tooLong = ProgramDirectoryOfLength(base.Path(), 249, kStandInExe, "curset.ex");
  ASSERT_EQ(tooLong.size(), 249u);
  ASSERT_EQ((tooLong + "\\curset.ex").size(), 259u);
  directory.Set(tooLong);
  EXPECT_FALSE(LaunchEditor(kEditorFileName));
  EXPECT_EQ(ProgramsStartedBy(GetCurrentProcessId()), std::vector<std::string>{"curset.exe"})
      << "only the editor started before";

  // An unknown directory never falls back to the drive's root.
  directory.Set("");
  EXPECT_FALSE(LaunchEditor(kEditorFileName));
  char path[kPathSize];
  EXPECT_FALSE(ComposeExePath(path, kSettingsFileName)) << "nor is any other path composed";
  EXPECT_EQ(StandInStarts(editor).size(), 1u);
}

}  // namespace
