// Twips and colours.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <cstdio>

#include "QtPrinters.h"
#include "ui/Twips.h"

namespace {

TEST(Twips, FifteenToAPixelOnTheOffscreenScreen) {
  QScreen* screen = QGuiApplication::primaryScreen();
  ASSERT_TRUE(screen);
  std::printf("[ figure ] offscreen screen: %dx%d, logical %.0f x %.0f DPI\n",
              screen->size().width(), screen->size().height(), screen->logicalDotsPerInchX(),
              screen->logicalDotsPerInchY());
  EXPECT_DOUBLE_EQ(screen->logicalDotsPerInchX(), 96.0);
  EXPECT_DOUBLE_EQ(ui::twipsPerPixel(), 15.0);
  const struct {
    double twips;
    int pixels;
  } cases[] = {{0, 0}, {15, 1},   {1440, 96},  {120, 8},   {7, 0},
               {8, 1}, {22.5, 2}, {-150, -10}, {2475, 165}};
  for (const auto& c : cases) EXPECT_EQ(ui::toPixels(c.twips), c.pixels) << c.twips;
  EXPECT_EQ(ui::toTwips(96), 1440);
  EXPECT_EQ(ui::toTwips(-2), -30);
  EXPECT_EQ(ui::toPixels(120, 360, 1500, 240), QRect(8, 24, 100, 16));
}

TEST(Twips, ColoursAreBlueGreenRed) {
  EXPECT_EQ(ui::rgb(255, 0, 0), 0x0000FFu);
  EXPECT_EQ(ui::rgb(192, 192, 192), 0xC0C0C0u);
  EXPECT_EQ(ui::rgb(1, 2, 3), 0x030201u);
  EXPECT_EQ(ui::toQColor(0x0000FF), QColor(255, 0, 0));
  EXPECT_EQ(ui::toQColor(0xFF0000), QColor(0, 0, 255));
  EXPECT_EQ(ui::toQColor(0x00C0C0C0), QColor(192, 192, 192));
  EXPECT_EQ(ui::toOleColor(QColor(10, 20, 30)), ui::rgb(10, 20, 30));
  for (std::uint32_t c : {0x000000u, 0xFFFFFFu, 0x123456u})
    EXPECT_EQ(ui::toOleColor(ui::toQColor(c)), c);
}

TEST(Twips, SystemColoursComeFromThePalette) {
  const QPalette palette = QGuiApplication::palette();
  const struct {
    std::uint32_t colour;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
  } cases[] = {
      {ui::syscolor::Window, QPalette::Active, QPalette::Base},
      {0x80000005u, QPalette::Active, QPalette::Base},
      {ui::syscolor::WindowText, QPalette::Active, QPalette::Text},
      {ui::syscolor::ButtonFace, QPalette::Active, QPalette::Button},
      {ui::syscolor::ButtonText, QPalette::Active, QPalette::ButtonText},
      {ui::syscolor::Highlight, QPalette::Active, QPalette::Highlight},
      {ui::syscolor::GrayText, QPalette::Disabled, QPalette::Text},
      {ui::syscolor::InfoBackground, QPalette::Active, QPalette::ToolTipBase},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ui::toQColor(c.colour), palette.color(c.group, c.role)) << std::hex << c.colour;
  EXPECT_TRUE(ui::toQColor(0x800000FFu).isValid()) << "an unknown index still gives a colour";
}

}  // namespace
