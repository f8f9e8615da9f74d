#include "DataExchange.h"

#include "Wnd.h"

void DDX_Control(CDataExchange* exchange, int id, CWnd& control) {
  if (exchange->m_bSaveAndValidate || control.m_hWnd != nullptr) return;
  control.Attach(GetDlgItem(exchange->m_pDlgWnd->m_hWnd, id));
}
