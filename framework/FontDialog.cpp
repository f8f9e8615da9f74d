#include "FontDialog.h"

#include "PickerLibrary.h"
#include "Wnd.h"

CFontDialog::CFontDialog(LOGFONTA* description, DWORD flags, HDC printer, CWnd* parent)
    : m_cf(), m_pParentWnd(parent) {
  m_cf.lStructSize = sizeof m_cf;
  m_cf.hDC = printer;
  m_cf.lpLogFont = description;
  m_cf.Flags = flags | CF_INITTOLOGFONTSTRUCT;
}

INT_PTR CFontDialog::DoModal() {
  m_cf.hwndOwner = CWnd::GetSafeOwner(m_pParentWnd);
  return PickFont(&m_cf) ? IDOK : IDCANCEL;
}
