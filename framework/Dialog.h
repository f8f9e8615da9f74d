// A modal dialog on a dialog template of the program's resources, run with
// the platform's modal dialog loop. Controls are bound in OnInitDialog
// through DoDataExchange; the cancel command (Cancel button, Escape, close
// box) ends the dialog with IDCANCEL.
#pragma once

#include "Wnd.h"

class CDataExchange;

class CDialog : public CWnd {
 public:
  explicit CDialog(UINT templateId, CWnd* parent = nullptr);

  const MessageMap* GetMessageMap() const override;

  // Runs the dialog until EndDialog or cancel and returns the value passed
  // there, or -1 when the dialog cannot be made. The window is gone when it
  // returns; DestroyWindow is then called so the dialog can release what it
  // kept for it.
  virtual INT_PTR DoModal();
  void EndDialog(int result);

  static const MessageMap messageMap;

 protected:
  // Binds the controls through DoDataExchange; TRUE puts the focus on the
  // first tab stop.
  virtual BOOL OnInitDialog();
  virtual void DoDataExchange(CDataExchange* exchange);

  virtual void OnCancel();
  // The platform's own painting and colours, for handlers that add to them.
  void OnPaint();
  HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind);

  bool HandleMessage(const Message& message, LRESULT* result) override;

 private:
  static INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam);

  static const MessageMapEntry messageEntries[];

  UINT m_templateId;
  CWnd* m_pParentWnd;
};
