// Who releases a GDI or USER handle, said by its type: small move-only owners
// for the objects the programs and their tests make, each released exactly
// once by the code that made it, and a borrowed form for a handle that is only
// lent and must not be released by whoever holds it.
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

// A handle lent by someone else (a shared resource icon, the device context
// of a control-colour query): never released through this.
template <typename Handle>
class Borrowed {
 public:
  Borrowed() = default;
  explicit Borrowed(Handle handle) : m_handle(handle) {}

  Handle Get() const { return m_handle; }
  explicit operator bool() const { return m_handle != nullptr; }

 private:
  Handle m_handle = nullptr;
};

// A window's device context from GetDC, given back with ReleaseDC. With no
// window it is the whole screen's.
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

// The device context of one WM_PAINT: BeginPaint when made, EndPaint when gone.
class PaintDC {
 public:
  explicit PaintDC(HWND window) : m_window(window), m_paint(), m_dc(BeginPaint(window, &m_paint)) {}
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  ~PaintDC() {
    if (m_dc != nullptr) EndPaint(m_window, &m_paint);
  }

  HDC Get() const { return m_dc; }

 private:
  HWND m_window;
  PAINTSTRUCT m_paint;
  HDC m_dc;
};

// A memory device context compatible with the screen, deleted when it goes.
class MemoryDC {
 public:
  MemoryDC() : m_dc(CreateCompatibleDC(nullptr)) {}
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  ~MemoryDC() {
    if (m_dc != nullptr) DeleteDC(m_dc);
  }

  HDC Get() const { return m_dc; }
  explicit operator bool() const { return m_dc != nullptr; }

 private:
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
