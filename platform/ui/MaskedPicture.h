#pragma once
// A picture drawn with a mask colour: every pixel of exactly that colour is
// transparent (the corner colour of a tab or toolbar bitmap).

#include <QImage>
#include <cstdint>

namespace ui {

// maskColor is 0x00BBGGRR or a system colour; a null picture stays null.
QImage maskedPicture(const QImage& picture, std::uint32_t maskColor);

}  // namespace ui
