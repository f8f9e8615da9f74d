// The application object: one static instance per program, whose
// InitInstance the program's entry point runs.
#pragma once

#include "MessageMap.h"

#include <windows.h>

class CWnd;

class CWinApp {
 public:
  // The application's map holds entries for a CWinApp.
  using MessageMapTarget = CWinApp;

  CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;
  virtual ~CWinApp();

  // The commands that the application handles; none of its own.
  virtual const MessageMapOf<CWinApp>* GetMessageMap() const { return nullptr; }

  // Runs the program, which ends when this returns, whatever it returns:
  // the framework has no message loop of its own to go on to.
  virtual BOOL InitInstance();

  // The framework's help command. No help content belongs to these
  // programs, so it shows nothing.
  void OnHelp();

  // Owner of windows made without a parent; null while there is none.
  CWnd* m_pMainWnd = nullptr;
};

using AppMessageMapEntry = MessageMapEntryOf<CWinApp>;
using AppMessageMap = MessageMapOf<CWinApp>;

// The application object, or null before it is constructed.
CWinApp* AfxGetApp();

// The program's entry point: runs the application object.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show);
