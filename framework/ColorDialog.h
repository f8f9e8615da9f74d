// The platform's colour picker (ChooseColorA), run modally.
#pragma once

#include <windows.h>

#include <commdlg.h>

class CWnd;

class CColorDialog {
 public:
  // The picker opens on a colour of its own choosing: initial is taken as
  // the starting colour only when flags ask for it (CC_RGBINIT). Without a
  // parent the picker belongs to the main window.
  CColorDialog(COLORREF initial, DWORD flags, CWnd* parent);
  CColorDialog(const CColorDialog&) = delete;
  CColorDialog& operator=(const CColorDialog&) = delete;

  // IDOK when the user confirms a colour, IDCANCEL otherwise.
  INT_PTR DoModal();
  COLORREF GetColor() const { return m_cc.rgbResult; }

 private:
  CHOOSECOLORA m_cc;
  CWnd* m_pParentWnd;
};
