#include "ui/ControlPlacement.h"

#include "runtime/RuntimeError.h"
#include "ui/Twips.h"

namespace ui {

void moveControl(QWidget& control, double left, double top, std::optional<double> width,
                 std::optional<double> height) {
  if ((width && *width < 0) || (height && *height < 0)) rt::raise(rt::err::InvalidPropertyValue);
  const int w = width ? toPixels(*width) : control.width();
  const int h = height ? toPixels(*height) : control.height();
  control.setGeometry(toPixels(left), toPixels(top), w, h);
}

}  // namespace ui
