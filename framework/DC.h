// Device contexts. A CDC only borrows its HDC; CClientDC and CPaintDC own
// theirs through the shared owners and lend it to the CDC they are.
#pragma once

#include "GdiOwners.h"

#include <windows.h>

class CWnd;

class CDC {
 public:
  explicit CDC(HDC dc = nullptr) : m_hDC(dc) {}
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;
  virtual ~CDC() = default;

  HDC GetSafeHdc() const { return m_hDC.Get(); }

  virtual COLORREF SetBkColor(COLORREF color);
  virtual COLORREF SetTextColor(COLORREF color);
  int GetDeviceCaps(int index) const;
  BOOL DrawIcon(int x, int y, HICON icon);

 protected:
  Borrowed<HDC> m_hDC;
};

// The client area of a window; with no window, the whole screen.
class CClientDC : public CDC {
 public:
  explicit CClientDC(CWnd* window);

 private:
  WindowDC m_owned;
};

// The device context of a WM_PAINT.
class CPaintDC : public CDC {
 public:
  explicit CPaintDC(CWnd* window);

 private:
  PaintDC m_owned;
};
