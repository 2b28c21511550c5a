#pragma once
// Key codes, shift states and mouse buttons as the controls' key and mouse
// events pass them: the platform's virtual-key numbers (Enter 13, Escape 27,
// Up 38, ...), not Qt's key values.

#include <QKeyEvent>
#include <QMouseEvent>

#include "runtime/Types.h"

namespace ui {

namespace key {
constexpr rt::Integer Back = 8, Tab = 9, Return = 13, Escape = 27, Space = 32, PageUp = 33,
                      PageDown = 34, End = 35, Home = 36, Left = 37, Up = 38, Right = 39, Down = 40,
                      Delete = 46, F1 = 112, F4 = 115;
}  // namespace key

// Shift states: 1 Shift, 2 Ctrl, 4 Alt, added together.
namespace shift {
constexpr rt::Integer Shift = 1, Ctrl = 2, Alt = 4;
}  // namespace shift

// Mouse buttons: 1 left, 2 right, 4 middle.
namespace button {
constexpr rt::Integer Left = 1, Right = 2, Middle = 4;
}  // namespace button

// The key code of a key event; 0 for a key the platform has no code for.
rt::Integer keyCodeOf(const QKeyEvent& event);
rt::Integer shiftOf(Qt::KeyboardModifiers modifiers);
rt::Integer buttonOf(Qt::MouseButton button);

}  // namespace ui
