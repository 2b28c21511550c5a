#include "ui/Fonts.h"

#include <QStringList>

namespace ui {

namespace {

// Families of the designs, and the narrower installed families that stand in
// for them before the platform's own choice (usually a wide sans serif).
void insertSubstitutes() {
  static const bool inserted = [] {
    const QStringList narrow{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                             QStringLiteral("DejaVu Sans Condensed")};
    for (const char* family : {"Arial", "MS Sans Serif", "Microsoft Sans Serif", "Tahoma"})
      QFont::insertSubstitutions(QLatin1String(family), narrow);
    return true;
  }();
  (void)inserted;
}

}  // namespace

QFont designFont(const QString& family, double points, bool bold, bool italic) {
  insertSubstitutes();
  QFont font(family);
  font.setPointSizeF(points);
  font.setBold(bold);
  font.setItalic(italic);
  return font;
}

QFont defaultControlFont() {
  return designFont(QStringLiteral("MS Sans Serif"), 8.25);
}

}  // namespace ui
