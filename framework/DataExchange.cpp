#include "DataExchange.h"

#include "Wnd.h"

void DDX_Control(CDataExchange* exchange, int id, CWnd& control) {
  control.Attach(GetDlgItem(exchange->m_pDlgWnd->m_hWnd, id));
}
