#pragma once
// The codes with which the controls report a mouse button (1 left, 2 right,
// 4 middle) and the keyboard's modifiers (1 Shift, 2 Ctrl, 4 Alt).

#include <Qt>

#include "runtime/Types.h"

namespace controls {

namespace mousebutton {
constexpr rt::Integer Left = 1;
constexpr rt::Integer Right = 2;
constexpr rt::Integer Middle = 4;
}  // namespace mousebutton

rt::Integer mouseButtonCode(Qt::MouseButton button);
rt::Integer shiftCode(Qt::KeyboardModifiers modifiers);

}  // namespace controls
