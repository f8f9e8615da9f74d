// The platform's colour picker (ChooseColorA), run modally.
#pragma once

#include <windows.h>

#include <commdlg.h>

class CWnd;

class CColorDialog {
 public:
  // A non-zero initial colour is preselected; with 0 the picker opens on its
  // own choice. Without a parent the picker belongs to the main window.
  explicit CColorDialog(COLORREF initial = 0, DWORD flags = 0, CWnd* parent = nullptr);
  CColorDialog(const CColorDialog&) = delete;
  CColorDialog& operator=(const CColorDialog&) = delete;

  // IDOK when the user confirms a colour, IDCANCEL otherwise.
  INT_PTR DoModal();
  COLORREF GetColor() const { return m_cc.rgbResult; }

  CHOOSECOLORA m_cc;

 private:
  CWnd* m_pParentWnd;
};
