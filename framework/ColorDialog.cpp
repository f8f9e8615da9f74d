#include "ColorDialog.h"

#include "PickerLibrary.h"
#include "Wnd.h"

namespace {

// The picker's sixteen custom colours, kept for the whole run so a colour
// the user mixed is still there the next time the picker opens.
COLORREF customColors[16] = {
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
};

}  // namespace

CColorDialog::CColorDialog(COLORREF initial, DWORD flags, CWnd* parent)
    : m_cc(), m_pParentWnd(parent) {
  m_cc.lStructSize = sizeof m_cc;
  m_cc.rgbResult = initial;
  m_cc.lpCustColors = customColors;
  m_cc.Flags = flags;
}

INT_PTR CColorDialog::DoModal() {
  m_cc.hwndOwner = CWnd::GetSafeOwner(m_pParentWnd);
  return PickColor(&m_cc) ? IDOK : IDCANCEL;
}
