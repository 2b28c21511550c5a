#pragma once
// Moving a control, in twips, as every container does it: a width or height
// left out keeps the current one, and a negative one is an invalid property
// value (error 380) that leaves the control where it was, so a layout that
// runs out of room keeps the last place that fitted.

#include <QWidget>
#include <optional>

namespace ui {

void moveControl(QWidget& control, double left, double top,
                 std::optional<double> width = std::nullopt,
                 std::optional<double> height = std::nullopt);

}  // namespace ui
