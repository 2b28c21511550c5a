#pragma once
// Key codes as the controls' key events pass them: the platform's
// virtual-key numbers (Enter 13, Escape 27, Up 38, ...), not Qt's key values.
// The shift state beside them is MouseCodes.h's shiftCode.

#include <QKeyEvent>

#include "runtime/Types.h"

namespace controls {

namespace key {
constexpr rt::Integer Back = 8, Tab = 9, Return = 13, Escape = 27, Space = 32, PageUp = 33,
                      PageDown = 34, End = 35, Home = 36, Left = 37, Up = 38, Right = 39, Down = 40,
                      Delete = 46, F1 = 112, F4 = 115;
}  // namespace key

// The key code of a key event; 0 for a key the platform has no code for.
rt::Integer keyCodeOf(const QKeyEvent& event);

}  // namespace controls
