#pragma once
// The place of a control among its siblings: in front of them all or
// behind them all.

#include <QWidget>

namespace ui {

namespace zorder {
constexpr int Front = 0;
constexpr int Back = 1;
}  // namespace zorder

// Error 91 for no control.
void ZOrder(QWidget* control, int position = zorder::Front);

}  // namespace ui
