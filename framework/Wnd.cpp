#include "Wnd.h"

#include "WinApp.h"

#include <utility>

BOOL CWnd::DestroyWindow() {
  if (m_hWnd == nullptr) return FALSE;
  return ::DestroyWindow(std::exchange(m_hWnd, nullptr));
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

void CWnd::SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text); }

int CWnd::MessageBox(const char* text, const char* caption, UINT type) {
  return ::MessageBoxA(m_hWnd, text, caption, type);
}

HICON CWnd::SetIcon(HICON icon, BOOL big) {
  return reinterpret_cast<HICON>(
      SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse, TIMERPROC procedure) {
  return ::SetTimer(m_hWnd, id, elapse, procedure);
}

BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }

void CWnd::GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }

bool CWnd::OnWndMsg(const Message& message, LRESULT* result) noexcept {
  // Handlers may run nested modal loops that bring further messages here.
  const Message* outer = std::exchange(m_currentMessage, &message);
  bool handled = false;
  try {
    handled = HandleMessage(message, result);
  } catch (...) {
    handled = false;
  }
  m_currentMessage = outer;
  return handled;
}

bool CWnd::HandleMessage(const Message& message, LRESULT* result) {
  return DispatchMessageMap(*this, message, result);
}

LRESULT CWnd::Default() {
  if (m_currentMessage == nullptr || m_hWnd == nullptr) return 0;
  // DefWindowProc, not DefDlgProc: for a dialog the latter would call the
  // dialog procedure, and so this handler, again.
  return ::DefWindowProcA(m_hWnd, m_currentMessage->message, m_currentMessage->wParam,
                          m_currentMessage->lParam);
}

HWND CWnd::GetSafeOwner(CWnd* parent) {
  if (parent != nullptr) return parent->m_hWnd;
  CWinApp* app = AfxGetApp();
  if (app != nullptr && app->m_pMainWnd != nullptr) return app->m_pMainWnd->m_hWnd;
  return nullptr;
}
