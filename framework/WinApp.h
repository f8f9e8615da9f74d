// The application object: one static instance per program, whose
// InitInstance the program's entry point runs.
#pragma once

#include "CmdTarget.h"

#include <windows.h>

class CWnd;

class CWinApp : public CCmdTarget {
 public:
  explicit CWinApp(const char* appName = nullptr);
  ~CWinApp() override;

  const MessageMap* GetMessageMap() const override;

  // Prepares the program; FALSE ends it at once, TRUE runs the message loop.
  virtual BOOL InitInstance();
  // The message loop; returns the quit message's code.
  virtual int Run();

  // The framework's help command. No help content belongs to these
  // programs, so it shows nothing.
  void OnHelp();

  const char* m_pszAppName;
  // Owner of windows made without a parent; null while there is none.
  CWnd* m_pMainWnd = nullptr;

  static const MessageMap messageMap;
};

// The application object, or null before it is constructed.
CWinApp* AfxGetApp();

// The program's entry point: runs the application object.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show);
