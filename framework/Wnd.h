// A window object: a borrowed window handle with the calls the editor makes
// on it, and the entry through which the window's procedure hands it
// messages. A CWnd never destroys its window when the object goes.
#pragma once

#include "DC.h"
#include "MessageMap.h"

#include <windows.h>

class CWnd {
 public:
  // Window classes' maps hold entries for a CWnd.
  using MessageMapTarget = CWnd;

  CWnd() = default;
  explicit CWnd(HWND window) : m_hWnd(window) {}
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;
  virtual ~CWnd() = default;

  // The class's message map; a plain window has none.
  virtual const MessageMap* GetMessageMap() const { return nullptr; }

  void Attach(HWND window) { m_hWnd = window; }

  virtual BOOL DestroyWindow();

  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  void SetWindowText(const char* text);
  int MessageBox(const char* text, const char* caption, UINT type);
  HICON SetIcon(HICON icon, BOOL big);
  UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC procedure);
  BOOL IsIconic() const;
  void GetClientRect(RECT* rect) const;

  // Handles one message for the window's procedure: true when a handler took
  // it, with its result in *result. An exception thrown by a handler ends
  // here and counts as not handled, so none reaches the platform.
  bool OnWndMsg(const Message& message, LRESULT* result) noexcept;

  // The platform's own handling of the message being handled now.
  LRESULT Default();

  // The window that a picker or box made for parent belongs to: parent, or,
  // with none, the application's main window (which is then disabled while
  // the picker is open).
  static HWND GetSafeOwner(CWnd* parent);

  HWND m_hWnd = nullptr;

 protected:
  virtual bool HandleMessage(const Message& message, LRESULT* result);

 private:
  const Message* m_currentMessage = nullptr;
};

namespace message_map_detail {

// A control-colour query: the device context and the control are lent to
// the handler for the length of the call.
template <typename T>
LRESULT Call(T& target, HBRUSH (T::*handler)(CDC*, CWnd*, UINT), const Message& message) {
  CDC dc(reinterpret_cast<HDC>(message.wParam));
  CWnd control(reinterpret_cast<HWND>(message.lParam));
  const UINT kind = message.message - WM_CTLCOLORMSGBOX;  // CTLCOLOR_MSGBOX .. CTLCOLOR_STATIC
  return reinterpret_cast<LRESULT>((target.*handler)(&dc, &control, kind));
}

}  // namespace message_map_detail
