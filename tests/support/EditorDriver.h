// The settings editor driven from a test the way a user meets it: a copy of
// curset.exe in a private folder, opened on a given record; its dialog,
// controls, pickers and message boxes read and operated through Win32; the
// record it saved.
#pragma once

#include "ClockSettings.h"
#include "ProgramHome.h"
#include "Processes.h"
#include "ShiftJis.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// The editor's controls.
enum EditorControl : int {
  kCancelButton = IDCANCEL,
  kPreview = 1000,
  kApplyButton = 1001,
  kShowDate = 1002,
  kDateFormatList = 1003,
  kBackColourButton = 1004,
  kOkButton = 1005,
  kShowWeekday = 1006,
  kShowTime = 1007,
  kShowAmPm = 1008,
  kTimeFormatList = 1009,
  kWeekdayStyleList = 1015,
  kDateSeparatorList = 1017,
  kTimeSeparatorList = 1018,
  kFontButton = 1023,
};

// The title of the editor's dialog, in the program's code page.
inline const std::string kEditorTitle = ToShiftJis(L"Rovatick環境設定");

// Selects item index of the list listId of dialog (the editor's or a
// picker's) as the user does, with the change notification; false when the
// list has no such item.
bool ChooseListItem(HWND dialog, int listId, int index);

// The built curset.exe, as a Windows path.
std::string EditorExe();

// The editor as a ProgramHome holds it: a copy of EditorExe() named curset.exe.
HomeProgram EditorCopy();

// One running editor, ended when the object goes.
class Editor {
 public:
  // Starts the editor of home and waits until its dialog shows with all its
  // controls.
  ::testing::AssertionResult Open(const ProgramHome& home);
  // The same with curlin.dat written first with record.
  ::testing::AssertionResult OpenOn(const ProgramHome& home, const ClockSettings& record);
  // A copy of the editor at editorPath, started in directory.
  ::testing::AssertionResult Open(const std::string& editorPath, const std::string& directory);
  // The editor another program started: waits until a dialog titled
  // Rovatick環境設定 shows, then drives that one.
  ::testing::AssertionResult OpenStarted();
  // Only starts the editor of home: for a start that is meant to end at once.
  ::testing::AssertionResult Launch(const ProgramHome& home);

  HWND Dialog() const { return m_dialog; }
  HWND Control(int id) const { return GetDlgItem(m_dialog, id); }
  bool Running() const { return m_process.Running(); }
  DWORD ProcessId() const { return m_process.Id(); }

  // Texts in the program's code page (Shift-JIS), as the program wrote them.
  std::string Text(int id) const;
  std::vector<std::string> ListItems(int id) const;
  // The five lists' selections in the order of the stored choices (date
  // format, date separator, weekday style, time format, time separator).
  std::vector<int> Selections() const;
  // The four check boxes: date, weekday, time, AM/PM.
  std::vector<bool> Ticks() const;

  // A click that returns when the editor has handled it.
  void Click(int id) const;
  // A click for buttons that open a modal window: returns at once.
  void PostClick(int id) const;
  // Selects an item as the user does, with the change notification.
  void Choose(int id, int index) const { ChooseListItem(m_dialog, id, index); }
  // Presses a button of a modal window of the editor (a picker) and waits
  // until the window has gone and the dialog is enabled again.
  bool Press(HWND modal, int buttonId) const;
  // Clicks kFontButton or kBackColourButton and waits for the picker it opens
  // (the font picker, titled フォントの指定, or the colour picker, titled 色);
  // *picker is that window.
  ::testing::AssertionResult OpenPicker(int button, HWND* picker) const;
  // Opens the picker of button, makes a choice in it with choose (none when
  // empty; false when the choice could not be made) and presses closeButton,
  // waiting until the picker has gone.
  ::testing::AssertionResult Pick(int button, const std::function<bool(HWND)>& choose = {},
                                  int closeButton = IDOK) const;
  // Apply: returns when the editor has saved (and told the clock).
  void Apply() const { Click(kApplyButton); }

  // Waits until the preview shows a non-empty line (the first tick) or text.
  ::testing::AssertionResult PreviewShown(const std::string& text = "") const;
  // A visible dialog of the editor's process other than the settings dialog
  // (a picker or a message box), titled title (wide text); null on timeout.
  HWND WaitForModal(const std::wstring& title, DWORD timeoutMs = kDeadlineMs) const;
  // The window (a picker or a message box) belongs to the settings dialog,
  // which waits disabled behind it.
  ::testing::AssertionResult ModalToTheDialog(HWND window) const;
  // Clicks button, which saves (OK or Apply), and waits for the error box of a
  // failed save (titled エラー, saying 環境設定の保存に失敗しました。 with one
  // OK, modal to the dialog), closes it with its OK and checks that the
  // dialog stays open.
  ::testing::AssertionResult SaveFailsWithTheErrorBox(int button) const;
  // Waits until the editor's process ends with exit code 0.
  ::testing::AssertionResult EndsWithCodeZero() { return m_process.EndsWithCodeZero("the editor"); }
  // Clicks button (OK or Cancel) and waits until the editor ends with code 0.
  ::testing::AssertionResult ClosesWith(int button) {
    PostClick(button);
    return EndsWithCodeZero();
  }

 private:
  // Waits until the dialog of the editor's process shows with all its controls.
  ::testing::AssertionResult WaitForDialog();

  ChildProcess m_process;
  HWND m_dialog = nullptr;
};

// A test with an editor in a private folder called after the test.
class EditorTest : public ::testing::Test {
 protected:
  EditorTest();
  void SetUp() override { ASSERT_TRUE(home.Ready()); }
  // Writes record as curlin.dat and opens the editor on it.
  ::testing::AssertionResult OpenOn(const ClockSettings& record) {
    return editor.OpenOn(home, record);
  }

  ProgramHome home;
  Editor editor;
};
