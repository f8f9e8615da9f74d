// The settings editor driven from a test the way a user meets it: a copy of
// curset.exe in a private directory with a prepared curlin.dat, its dialog,
// controls, pickers and message boxes, read and operated through Win32.
#pragma once

#include "Processes.h"

#include <windows.h>

#include <string>
#include <vector>

namespace editor_driver {

// How long a test waits for something the editor does on its own. The first
// program of a fresh Wine prefix takes a few seconds to start.
constexpr DWORD kDeadlineMs = 20000;

// A private directory holding a copy of curset.exe and what the test puts
// beside it.
class EditorHome {
 public:
  EditorHome(const std::string& editorExe, const std::string& name);

  bool Ready() const { return m_ready; }
  const std::string& Directory() const { return m_scratch.Path(); }
  std::string Editor() const { return m_scratch.File("curset.exe"); }
  std::string SettingsFile() const { return m_scratch.File("curlin.dat"); }
  // Copies a program into the directory under name.
  bool Add(const std::string& exe, const std::string& name);
  // Names of every file in the directory.
  std::vector<std::string> FileNames() const;

 private:
  ScratchDirectory m_scratch;
  bool m_ready = false;
};

// One running editor, ended when the object goes.
class Editor {
 public:
  // Starts the editor of home and waits until its dialog shows with all its
  // controls. False when it does not.
  bool Open(const EditorHome& home, DWORD timeoutMs = kDeadlineMs);
  // The same for a copy of the editor at editorPath, started in its directory.
  bool Open(const std::string& editorPath, const std::string& directory,
            DWORD timeoutMs = kDeadlineMs);

  HWND Dialog() const { return m_dialog; }
  HWND Control(int id) const { return GetDlgItem(m_dialog, id); }
  ChildProcess& Process() { return m_process; }
  DWORD ProcessId() const { return m_process.Id(); }

  // Texts in the program's code page (Shift-JIS), as the program wrote them.
  std::string Text(int id) const;
  std::string Title() const;
  std::vector<std::string> ListItems(int id) const;
  int Selection(int id) const;
  bool Checked(int id) const;

  // A click that returns when the editor has handled it.
  void Click(int id) const;
  // A click for buttons that open a modal window: returns at once.
  void PostClick(int id) const;
  // Selects an item as the user does, with the change notification.
  void Select(int id, int index) const;

  // A visible dialog of the editor's process other than the settings dialog
  // (a picker or a message box), titled title (wide text); null on timeout.
  HWND WaitForModal(const std::wstring& title, DWORD timeoutMs = kDeadlineMs) const;
  // True when the editor's process has ended within timeoutMs.
  bool WaitForExit(DWORD timeoutMs = kDeadlineMs, DWORD* exitCode = nullptr);

 private:
  ChildProcess m_process;
  HWND m_dialog = nullptr;
};

// Top-level windows of any process whose title is exactly title (8-bit).
std::vector<HWND> WindowsTitled(const char* title);
// Top-level "#32770" windows of a process.
std::vector<HWND> DialogsOf(DWORD processId);
// A window's text, read with the wide message so that it crosses processes
// intact, converted to code page 932.
std::string WindowText(HWND window);
std::wstring WideWindowText(HWND window);
// Texts of the child windows of a window, of the given class.
std::vector<std::wstring> ChildTexts(HWND window, const char* className);

}  // namespace editor_driver
