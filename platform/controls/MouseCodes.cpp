#include "controls/MouseCodes.h"

namespace controls {

rt::Integer mouseButtonCode(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return mousebutton::Left;
    case Qt::RightButton:
      return mousebutton::Right;
    case Qt::MiddleButton:
      return mousebutton::Middle;
    default:
      return 0;
  }
}

rt::Integer shiftCode(Qt::KeyboardModifiers modifiers) {
  rt::Integer code = 0;
  if (modifiers & Qt::ShiftModifier) code |= 1;
  if (modifiers & Qt::ControlModifier) code |= 2;
  if (modifiers & Qt::AltModifier) code |= 4;
  return code;
}

}  // namespace controls
