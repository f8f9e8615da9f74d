// Dialog data exchange: binding member controls to the dialog's controls.
#pragma once

#include <windows.h>

class CWnd;

class CDataExchange {
 public:
  explicit CDataExchange(CWnd* dialog) : m_pDlgWnd(dialog) {}

  CWnd* m_pDlgWnd;
};

// Makes control address the dialog's control id. The control's window stays
// the dialog's.
void DDX_Control(CDataExchange* exchange, int id, CWnd& control);
