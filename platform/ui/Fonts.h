#pragma once
// Fonts of forms and controls by the family names of their design ("Arial",
// "MS Sans Serif") and a size in points. Where the design's family is not
// installed, a family of about the same widths stands in, so that captions
// fit the places they were designed for.

#include <QFont>
#include <QString>

namespace ui {

QFont designFont(const QString& family, double points, bool bold = false, bool italic = false);

// The font of a control that sets none of its own.
QFont defaultControlFont();

}  // namespace ui
