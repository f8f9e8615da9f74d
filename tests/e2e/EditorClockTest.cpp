// The editor with the real clock beside it: a change applied in the editor
// shows in the running clock's box without restarting it.
#include "EditorDriver.h"
#include "EditorRecords.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

using namespace editor_driver;

namespace {

const std::string kEditorExe = CURSET_EXE;
const std::string kClockExe = CURLIN_EXE;

constexpr UINT kExitCommand = 32773;  // the clock's "終了"

// The clock started from the editor's directory, ended through its own Exit
// command so that its tray icon goes with it.
class RunningClock {
 public:
  bool Start(const EditorHome& home) {
    const std::string exe = home.Directory() + "\\curlin.exe";
    if (!m_process.Start(exe, "", home.Directory())) return false;
    return WaitUntil(
        [this] {
          for (HWND window : DialogsOf(m_process.Id())) {
            RECT rect;
            if (IsWindowVisible(window) && GetWindowRect(window, &rect) && rect.right > rect.left) {
              m_box = window;
              return true;
            }
          }
          return false;
        },
        kDeadlineMs);
  }
  ~RunningClock() {
    if (m_box != nullptr) PostMessageW(m_box, WM_COMMAND, kExitCommand, 0);
    m_process.WaitForExit(kDeadlineMs);
  }

  HWND Box() const { return m_box; }
  LONG BoxWidth() const {
    RECT rect = {};
    GetWindowRect(m_box, &rect);
    return rect.right - rect.left;
  }
  DWORD Id() const { return m_process.Id(); }
  // 8 pixels right of and 4 pixels above the pointer, where every tick puts it.
  bool BesideThePointer() const {
    POINT pointer;
    RECT rect;
    return GetCursorPos(&pointer) && GetWindowRect(m_box, &rect) && rect.left == pointer.x + 8 &&
           rect.top == pointer.y - 4;
  }

 private:
  ChildProcess m_process;
  HWND m_box = nullptr;
};

TEST(EditorWithClock, AnAppliedChangeShowsInTheRunningClocksBox) {
  EditorHome home(kEditorExe, "with-clock");
  ASSERT_TRUE(home.Ready());
  ASSERT_TRUE(home.Add(kClockExe, "curlin.exe"));
  WriteBytes(home.SettingsFile(), BytesOf(DefaultRecord()));  // time only

  RunningClock clock;
  ASSERT_TRUE(clock.Start(home));
  const std::vector<HWND> hosts = WindowsTitled("curlin");
  ASSERT_EQ(hosts.size(), 1u) << "the clock's host window, which the editor looks for";
  DWORD hostProcess = 0;
  GetWindowThreadProcessId(hosts[0], &hostProcess);
  ASSERT_EQ(hostProcess, clock.Id());
  // Sized to its text once a tick has placed it beside the pointer.
  ASSERT_TRUE(WaitUntil([&] { return clock.BesideThePointer(); }, kDeadlineMs));
  const LONG timeOnly = clock.BoxWidth();

  Editor editor;
  ASSERT_TRUE(editor.Open(home));
  editor.Click(1002);  // show the date as well
  EXPECT_EQ(clock.BoxWidth(), timeOnly) << "nothing reaches the clock before Apply";
  editor.Click(1001);
  // The clock reloaded while Apply waited; the next tick shows the date.
  EXPECT_TRUE(WaitUntil([&] { return clock.BoxWidth() > timeOnly; }, kDeadlineMs));

  editor.PostClick(2);
  EXPECT_TRUE(editor.WaitForExit());
}

}  // namespace
