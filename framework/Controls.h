// Member controls: typed access to a dialog's child controls. They only
// address their windows, which belong to the dialog.
#pragma once

#include "Wnd.h"

// Check boxes are read and set by their ids (IsDlgButtonChecked,
// CheckDlgButton) on the dialog.
class CButton : public CWnd {};

class CComboBox : public CWnd {
 public:
  int AddString(const char* text) {
    return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
  }
  int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
  // -1 (CB_ERR) when no item is selected.
  int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
  // -1 removes the selection.
  int SetCurSel(int index) { return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index))); }
};

class CStatic : public CWnd {};
