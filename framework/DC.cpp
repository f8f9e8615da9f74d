#include "DC.h"

#include "Wnd.h"

COLORREF CDC::SetBkColor(COLORREF color) { return ::SetBkColor(m_hDC, color); }

COLORREF CDC::SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }

int CDC::GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hDC, index); }

BOOL CDC::DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }

CClientDC::CClientDC(CWnd* window) : m_window(window != nullptr ? window->m_hWnd : nullptr) {
  m_hDC = ::GetDC(m_window);
}

CClientDC::~CClientDC() {
  if (m_hDC != nullptr) ::ReleaseDC(m_window, m_hDC);
}

CPaintDC::CPaintDC(CWnd* window) : m_ps(), m_window(window->m_hWnd) {
  m_hDC = ::BeginPaint(m_window, &m_ps);
}

CPaintDC::~CPaintDC() { ::EndPaint(m_window, &m_ps); }
