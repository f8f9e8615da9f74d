#include "ScreenPixels.h"

#include "GdiOwners.h"

#include <algorithm>

std::vector<COLORREF> ScreenPixels(const RECT& rect) {
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return {};

  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const WindowDC screen(nullptr);
  const MemoryDC memory;
  const GdiObject<HBITMAP> bitmap(
      CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!screen || memory.Get() == nullptr || !bitmap) return {};
  const SelectedObject selected(memory.Get(), bitmap.Get());
  if (!BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), rect.left, rect.top, SRCCOPY)) {
    return {};
  }
  GdiFlush();
  std::vector<COLORREF> pixels;
  pixels.reserve(static_cast<size_t>(width) * height);
  const auto* bgra = static_cast<const unsigned char*>(bits);
  for (int i = 0; i < width * height; ++i) {
    pixels.push_back(RGB(bgra[4 * i + 2], bgra[4 * i + 1], bgra[4 * i]));
  }
  return pixels;
}

size_t CountOf(const std::vector<COLORREF>& pixels, COLORREF colour) {
  return static_cast<size_t>(std::count(pixels.begin(), pixels.end(), colour));
}

int RowsHolding(const std::vector<COLORREF>& pixels, int width, COLORREF colour) {
  int rows = 0;
  for (size_t row = 0; width > 0 && (row + 1) * width <= pixels.size(); ++row) {
    const auto begin = pixels.begin() + row * width;
    if (std::find(begin, begin + width, colour) != begin + width) ++rows;
  }
  return rows;
}
