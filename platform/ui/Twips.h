#pragma once
// Places and sizes of forms and controls are twips: 1440 to the inch at the
// screen's logical resolution, so 15 twips to a pixel at 96 DPI.

#include <QColor>
#include <QRect>

#include "runtime/Types.h"

namespace ui {

// One factor serves both directions for places and sizes given in twips.
double twipsPerPixel();
// The screen's own factors, horizontal for left and width, vertical for top
// and height, as window calls in pixels need them.
double twipsPerPixelX();
double twipsPerPixelY();
int toPixels(double twips);
rt::Long toTwips(int pixels);
QRect toPixels(double left, double top, double width, double height);

// Colours are 0x00BBGGRR; 0x80000000 + n names system colour n.
QColor toQColor(std::uint32_t oleColor);
std::uint32_t toOleColor(const QColor& color);
constexpr std::uint32_t rgb(int r, int g, int b) {
  return static_cast<std::uint32_t>(r & 0xFF) | (static_cast<std::uint32_t>(g & 0xFF) << 8) |
         (static_cast<std::uint32_t>(b & 0xFF) << 16);
}

namespace syscolor {
constexpr std::uint32_t ScrollBars = 0x80000000u;
constexpr std::uint32_t Desktop = 0x80000001u;
constexpr std::uint32_t Window = 0x80000005u;
constexpr std::uint32_t WindowText = 0x80000008u;
constexpr std::uint32_t Highlight = 0x8000000Du;
constexpr std::uint32_t HighlightText = 0x8000000Eu;
constexpr std::uint32_t ButtonFace = 0x8000000Fu;
constexpr std::uint32_t ButtonShadow = 0x80000010u;
constexpr std::uint32_t GrayText = 0x80000011u;
constexpr std::uint32_t ButtonText = 0x80000012u;
constexpr std::uint32_t InfoText = 0x80000017u;
constexpr std::uint32_t InfoBackground = 0x80000018u;
}  // namespace syscolor

}  // namespace ui
