// Small move-only owners for the GDI and USER objects the clock makes, so
// each is released exactly once by the code that made it.
#pragma once

#include <windows.h>

#include <utility>

// Owns a font, brush or other GDI object and deletes it when it goes.
template <typename Handle>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(Handle handle) : m_handle(handle) {}
  GdiObject(GdiObject&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.m_handle, nullptr));
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  ~GdiObject() { Reset(); }

  Handle Get() const { return m_handle; }
  explicit operator bool() const { return m_handle != nullptr; }

  // Takes ownership of handle, deleting the object held so far.
  void Reset(Handle handle = nullptr) {
    if (m_handle != nullptr) DeleteObject(m_handle);
    m_handle = handle;
  }

 private:
  Handle m_handle = nullptr;
};

// A window's device context from GetDC, given back with ReleaseDC.
class WindowDC {
 public:
  explicit WindowDC(HWND window) : m_window(window), m_dc(GetDC(window)) {}
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  ~WindowDC() {
    if (m_dc != nullptr) ReleaseDC(m_window, m_dc);
  }

  HDC Get() const { return m_dc; }
  explicit operator bool() const { return m_dc != nullptr; }

 private:
  HWND m_window;
  HDC m_dc;
};

// Selects an object into a device context and selects the one it replaced
// back when it goes, so the object can then be deleted safely. Declare it
// after the owner of the selected object.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object)
      : m_dc(dc), m_previous(object != nullptr ? SelectObject(dc, object) : nullptr) {}
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() {
    if (m_previous != nullptr && m_previous != HGDI_ERROR) SelectObject(m_dc, m_previous);
  }

 private:
  HDC m_dc;
  HGDIOBJ m_previous;
};

// A menu loaded from the resources, destroyed when it goes.
class LoadedMenu {
 public:
  explicit LoadedMenu(HMENU menu) : m_menu(menu) {}
  LoadedMenu(const LoadedMenu&) = delete;
  LoadedMenu& operator=(const LoadedMenu&) = delete;
  ~LoadedMenu() {
    if (m_menu != nullptr) DestroyMenu(m_menu);
  }

  HMENU Get() const { return m_menu; }
  explicit operator bool() const { return m_menu != nullptr; }

 private:
  HMENU m_menu;
};
