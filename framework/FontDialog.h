// The platform's font picker (ChooseFontA), run modally.
#pragma once

#include <windows.h>

#include <commdlg.h>

class CWnd;

class CFontDialog {
 public:
  // The picker starts from description (CF_INITTOLOGFONTSTRUCT is added to
  // flags) and writes the user's choice back into it. Without a parent the
  // picker belongs to the main window. m_cf.rgbColors is the colour it
  // starts from and, after IDOK, the colour chosen.
  CFontDialog(LOGFONTA* description, DWORD flags, HDC printer, CWnd* parent);
  CFontDialog(const CFontDialog&) = delete;
  CFontDialog& operator=(const CFontDialog&) = delete;

  // IDOK when the user confirms a font, IDCANCEL otherwise.
  INT_PTR DoModal();
  COLORREF GetColor() const { return m_cf.rgbColors; }

  CHOOSEFONTA m_cf;

 private:
  CWnd* m_pParentWnd;
};
