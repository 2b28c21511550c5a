#include "ui/Twips.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <cmath>

namespace ui {

namespace {

double twipsPerPixelOf(double (QScreen::*logicalDpi)() const) {
  if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    if (QScreen* screen = app->primaryScreen()) {
      const double dpi = (screen->*logicalDpi)();
      if (dpi > 0) return 1440.0 / dpi;
    }
  }
  return 15.0;
}

}  // namespace

double twipsPerPixel() {
  return twipsPerPixelX();
}

double twipsPerPixelX() {
  return twipsPerPixelOf(&QScreen::logicalDotsPerInchX);
}

double twipsPerPixelY() {
  return twipsPerPixelOf(&QScreen::logicalDotsPerInchY);
}

int toPixels(double twips) {
  return static_cast<int>(std::lround(twips / twipsPerPixel()));
}

rt::Long toTwips(int pixels) {
  return static_cast<rt::Long>(std::lround(pixels * twipsPerPixel()));
}

QRect toPixels(double left, double top, double width, double height) {
  return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

namespace {

// The system colours by index, as the palette of the running style has them.
QColor systemColour(unsigned index) {
  const QPalette palette = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                               ? QGuiApplication::palette()
                               : QPalette();
  struct Entry {
    unsigned index;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
  };
  static const Entry table[] = {
      {0, QPalette::Active, QPalette::Mid},              // scroll bars
      {1, QPalette::Active, QPalette::Dark},             // desktop
      {2, QPalette::Active, QPalette::Highlight},        // active title bar
      {3, QPalette::Inactive, QPalette::Highlight},      // inactive title bar
      {4, QPalette::Active, QPalette::Window},           // menu bar
      {5, QPalette::Active, QPalette::Base},             // window background
      {6, QPalette::Active, QPalette::Shadow},           // window frame
      {7, QPalette::Active, QPalette::WindowText},       // menu text
      {8, QPalette::Active, QPalette::Text},             // window text
      {9, QPalette::Active, QPalette::HighlightedText},  // title bar text
      {13, QPalette::Active, QPalette::Highlight},
      {14, QPalette::Active, QPalette::HighlightedText},
      {15, QPalette::Active, QPalette::Button},  // button face
      {16, QPalette::Active, QPalette::Dark},    // button shadow
      {17, QPalette::Disabled, QPalette::Text},  // grey text
      {18, QPalette::Active, QPalette::ButtonText},
      {20, QPalette::Active, QPalette::Light},     // 3-D highlight
      {21, QPalette::Active, QPalette::Shadow},    // 3-D dark shadow
      {22, QPalette::Active, QPalette::Midlight},  // 3-D light
      {23, QPalette::Active, QPalette::ToolTipText},
      {24, QPalette::Active, QPalette::ToolTipBase},
  };
  for (const Entry& e : table)
    if (e.index == index) return palette.color(e.group, e.role);
  return palette.color(QPalette::Active, QPalette::Window);
}

}  // namespace

QColor toQColor(std::uint32_t oleColor) {
  if (oleColor & 0x80000000u) return systemColour(oleColor & 0xFFu);
  return QColor(oleColor & 0xFF, (oleColor >> 8) & 0xFF, (oleColor >> 16) & 0xFF);
}

std::uint32_t toOleColor(const QColor& color) {
  return rgb(color.red(), color.green(), color.blue());
}

}  // namespace ui
