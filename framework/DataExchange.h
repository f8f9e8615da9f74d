// Dialog data exchange: binding member controls to the dialog's controls.
#pragma once

#include <windows.h>

class CWnd;

class CDataExchange {
 public:
  CDataExchange(CWnd* dialog, BOOL saveAndValidate)
      : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

  BOOL m_bSaveAndValidate;  // TRUE: controls to members; FALSE: members to controls
  CWnd* m_pDlgWnd;
};

// Makes control address the dialog's control id, the first time the
// dialog's controls are set up. The control's window stays the dialog's.
void DDX_Control(CDataExchange* exchange, int id, CWnd& control);
