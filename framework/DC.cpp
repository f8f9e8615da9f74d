#include "DC.h"

#include "Wnd.h"

COLORREF CDC::SetBkColor(COLORREF color) { return ::SetBkColor(GetSafeHdc(), color); }

COLORREF CDC::SetTextColor(COLORREF color) { return ::SetTextColor(GetSafeHdc(), color); }

int CDC::GetDeviceCaps(int index) const { return ::GetDeviceCaps(GetSafeHdc(), index); }

BOOL CDC::DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(GetSafeHdc(), x, y, icon); }

// The base is made before the owner it borrows from, so the handle is lent
// to it once the owner has it.
CClientDC::CClientDC(CWnd* window) : m_owned(window != nullptr ? window->m_hWnd : nullptr) {
  m_hDC = Borrowed<HDC>(m_owned.Get());
}

CPaintDC::CPaintDC(CWnd* window) : m_owned(window->m_hWnd) { m_hDC = Borrowed<HDC>(m_owned.Get()); }
