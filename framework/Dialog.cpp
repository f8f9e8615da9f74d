#include "Dialog.h"

#include "DataExchange.h"
#include "WinApp.h"

#include <iterator>

const MessageMapEntry CDialog::messageEntries[] = {
    CommandEntry<&CDialog::OnCancel>(BN_CLICKED, IDCANCEL),
};

const MessageMap CDialog::messageMap = {nullptr, messageEntries, std::size(messageEntries)};

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_pParentWnd(parent) {}

const MessageMap* CDialog::GetMessageMap() const { return &messageMap; }

INT_PTR CDialog::DoModal() {
  // With no parent the dialog belongs to the main window, unless it is the
  // main window itself (not yet made, so no owner).
  const HWND owner = GetSafeOwner(m_pParentWnd);
  const INT_PTR result =
      DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_templateId), owner,
                      &CDialog::DialogProcedure, reinterpret_cast<LPARAM>(this));
  DestroyWindow();
  return result;
}

void CDialog::EndDialog(int result) { ::EndDialog(m_hWnd, result); }

BOOL CDialog::OnInitDialog() {
  CDataExchange exchange(this);
  DoDataExchange(&exchange);
  return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::OnPaint() { Default(); }

HBRUSH CDialog::OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }

bool CDialog::HandleMessage(const Message& message, LRESULT* result) {
  if (message.message == WM_INITDIALOG) {
    *result = OnInitDialog();
    return true;
  }
  if (DispatchMessageMap(*this, message, result)) return true;
  // A command that the dialog does not handle goes on to the application.
  CWinApp* app = AfxGetApp();
  return message.message == WM_COMMAND && app != nullptr &&
         DispatchMessageMap(*app, message, result);
}

namespace {

// Messages whose result a dialog procedure returns itself; for all others it
// returns TRUE for "handled" and leaves the result in DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message) {
  switch (message) {
    case WM_INITDIALOG:
    case WM_QUERYDRAGICON:
      return true;
    default:
      return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
  }
}

}  // namespace

INT_PTR CALLBACK CDialog::DialogProcedure(HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam) {
  CDialog* dialog = nullptr;
  if (message == WM_INITDIALOG) {
    dialog = reinterpret_cast<CDialog*>(lParam);
    dialog->m_hWnd = window;
    SetWindowLongPtrA(window, DWLP_USER, lParam);
  } else {
    dialog = reinterpret_cast<CDialog*>(GetWindowLongPtrA(window, DWLP_USER));
  }
  if (dialog == nullptr) return FALSE;  // messages before WM_INITDIALOG

  LRESULT result = 0;
  const bool handled = dialog->OnWndMsg({message, wParam, lParam}, &result);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, DWLP_USER, 0);
    dialog->m_hWnd = nullptr;
  }
  if (!handled) return FALSE;
  if (ReturnsResultDirectly(message)) return static_cast<INT_PTR>(result);
  SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
  return TRUE;
}
