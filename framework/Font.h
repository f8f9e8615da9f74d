// An owned font: deleted when the object goes or is given another font.
// Move-only, so each font is deleted exactly once.
#pragma once

#include <windows.h>

#include <utility>

class CFont {
 public:
  CFont() = default;
  CFont(CFont&& other) noexcept : m_hObject(std::exchange(other.m_hObject, nullptr)) {}
  CFont& operator=(CFont&& other) noexcept {
    if (this != &other) {
      DeleteObject();
      m_hObject = std::exchange(other.m_hObject, nullptr);
    }
    return *this;
  }
  CFont(const CFont&) = delete;
  CFont& operator=(const CFont&) = delete;
  ~CFont() { DeleteObject(); }

  // Makes a font from the description, replacing (and deleting) the one held.
  BOOL CreateFontIndirect(const LOGFONTA* description) {
    DeleteObject();
    m_hObject = ::CreateFontIndirectA(description);
    return m_hObject != nullptr;
  }

  BOOL DeleteObject() {
    if (m_hObject == nullptr) return FALSE;
    return ::DeleteObject(std::exchange(m_hObject, nullptr));
  }

  HFONT GetSafeHandle() const { return m_hObject; }

 private:
  HFONT m_hObject = nullptr;
};
