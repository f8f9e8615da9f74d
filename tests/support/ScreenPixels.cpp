#include "ScreenPixels.h"

#include "GdiOwners.h"

#include <algorithm>

namespace {

// A top-down 32-bit bitmap for a picture of width x height pixels; *bits
// points at its pixels.
HBITMAP TopDownBitmap(int width, int height, void** bits) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return CreateDIBSection(WindowDC(nullptr).Get(), &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

// A top-down 32-bit picture selected into a memory device context.
class Picture {
 public:
  Picture(int width, int height)
      : m_width(width), m_height(height), m_bitmap(TopDownBitmap(width, height, &m_bits)),
        m_selected(m_dc.Get(), m_bitmap.Get()) {}

  bool Ready() const { return m_dc && m_bitmap; }
  HDC Dc() const { return m_dc.Get(); }

  std::vector<COLORREF> Pixels() const {
    GdiFlush();
    std::vector<COLORREF> pixels;
    pixels.reserve(static_cast<size_t>(m_width) * m_height);
    const auto* bgra = static_cast<const unsigned char*>(m_bits);
    for (int i = 0; i < m_width * m_height; ++i) {
      pixels.push_back(RGB(bgra[4 * i + 2], bgra[4 * i + 1], bgra[4 * i]));
    }
    return pixels;
  }

 private:
  int m_width;
  int m_height;
  void* m_bits = nullptr;
  MemoryDC m_dc;
  GdiObject<HBITMAP> m_bitmap;
  SelectedObject m_selected;
};

}  // namespace

std::vector<COLORREF> ScreenPixels(const RECT& rect) {
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return {};
  const WindowDC screen(nullptr);
  const Picture picture(width, height);
  if (!screen || !picture.Ready()) return {};
  if (!BitBlt(picture.Dc(), 0, 0, width, height, screen.Get(), rect.left, rect.top, SRCCOPY)) {
    return {};
  }
  return picture.Pixels();
}

std::vector<COLORREF> DrawnTextPixels(const std::string& text, const LOGFONTA& description,
                                      COLORREF textColour, COLORREF backColour, int width,
                                      int height) {
  if (width <= 0 || height <= 0) return {};
  const Picture picture(width, height);
  const GdiObject<HFONT> font(CreateFontIndirectA(&description));
  const GdiObject<HBRUSH> back(CreateSolidBrush(backColour));
  if (!picture.Ready() || !font || !back) return {};
  const SelectedObject selected(picture.Dc(), font.Get());
  RECT rect = {0, 0, width, height};
  FillRect(picture.Dc(), &rect, back.Get());
  SetBkMode(picture.Dc(), OPAQUE);
  SetBkColor(picture.Dc(), backColour);
  SetTextColor(picture.Dc(), textColour);
  // A left-aligned static control's own format.
  DrawTextA(picture.Dc(), text.c_str(), -1, &rect, DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK);
  return picture.Pixels();
}

SIZE TextExtent(HDC dc, const LOGFONTA& description, const std::string& text) {
  SIZE size = {};
  const GdiObject<HFONT> font(CreateFontIndirectA(&description));
  if (!font) return size;
  const SelectedObject selected(dc, font.Get());
  GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
  return size;
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
