// Device contexts. A CDC only borrows its HDC; CClientDC and CPaintDC get
// theirs from the platform and give it back when they go.
#pragma once

#include <windows.h>

class CWnd;

class CDC {
 public:
  explicit CDC(HDC dc = nullptr) : m_hDC(dc) {}
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;
  virtual ~CDC() = default;

  HDC GetSafeHdc() const { return m_hDC; }

  virtual COLORREF SetBkColor(COLORREF color);
  virtual COLORREF SetTextColor(COLORREF color);
  int GetDeviceCaps(int index) const;
  BOOL DrawIcon(int x, int y, HICON icon);

  HDC m_hDC;
};

// The client area of a window; with no window, the whole screen.
class CClientDC : public CDC {
 public:
  explicit CClientDC(CWnd* window);
  ~CClientDC() override;

 private:
  HWND m_window;
};

// The device context of a WM_PAINT: BeginPaint when made, EndPaint when gone.
class CPaintDC : public CDC {
 public:
  explicit CPaintDC(CWnd* window);
  ~CPaintDC() override;

  PAINTSTRUCT m_ps;

 private:
  HWND m_window;
};
