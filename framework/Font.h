// An owned font: deleted when the object goes or is given another font.
// Move-only, so each font is deleted exactly once.
#pragma once

#include "GdiOwners.h"

#include <windows.h>

class CFont {
 public:
  // Makes a font from the description, replacing (and deleting) the one
  // held; FALSE, holding none, when the platform makes none.
  BOOL CreateFontIndirect(const LOGFONTA* description) {
    m_font.Reset(::CreateFontIndirectA(description));
    return m_font ? TRUE : FALSE;
  }

  void DeleteObject() { m_font.Reset(); }

  HFONT GetSafeHandle() const { return m_font.Get(); }

 private:
  GdiObject<HFONT> m_font;
};
