#include "FontForDrawing.h"

#include "ClockSettings.h"
#include "GdiOwners.h"

namespace {

// The em height in pixels of a font realised without any width scaling,
// which is safe for every height.
LONG UnscaledCharacterHeight(LOGFONTA description) {
  description.lfWidth = 0;
  MemoryDC dc;  // compatible with the screen: pixel units
  GdiObject<HFONT> font(CreateFontIndirectA(&description));
  if (!dc || !font) return 0;
  SelectedObject selected(dc.Get(), font.Get());
  TEXTMETRICA metrics;
  if (!GetTextMetricsA(dc.Get(), &metrics)) return 0;
  return metrics.tmHeight - metrics.tmInternalLeading;
}

LONG WithinLargestFont(LONG pixels) {
  if (pixels > kLargestFontPixels) return kLargestFontPixels;
  if (pixels < -kLargestFontPixels) return -kLargestFontPixels;
  return pixels;
}

}  // namespace

LOGFONTA FontForDrawing(const LOGFONTA& stored) {
  LOGFONTA description = TerminatedFont(stored);
  description.lfHeight = WithinLargestFont(description.lfHeight);
  description.lfWidth = WithinLargestFont(description.lfWidth);
  // A negative height is the character height itself: at least one pixel
  // whenever it is not 0. Only a small positive cell height can leave the
  // characters with no height at all.
  if (description.lfWidth != 0 && description.lfHeight > 0 &&
      UnscaledCharacterHeight(description) < 1) {
    description.lfWidth = 0;
  }
  return description;
}
