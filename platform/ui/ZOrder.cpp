#include "ui/ZOrder.h"

#include "com/Object.h"

namespace ui {

void ZOrder(QWidget* control, int position) {
  QWidget& widget = com::must(control);
  if (position == zorder::Back)
    widget.lower();
  else
    widget.raise();
}

}  // namespace ui
