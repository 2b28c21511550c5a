#include "controls/KeyCodes.h"

namespace controls {

namespace {

struct KeyEntry {
  int qtKey;
  rt::Integer code;
};

// Keys whose codes do not follow from a range below.
constexpr KeyEntry kKeys[] = {
    {Qt::Key_Backspace, key::Back},
    {Qt::Key_Tab, key::Tab},
    {Qt::Key_Backtab, key::Tab},
    {Qt::Key_Return, key::Return},
    {Qt::Key_Enter, key::Return},
    {Qt::Key_Escape, key::Escape},
    {Qt::Key_Space, key::Space},
    {Qt::Key_PageUp, key::PageUp},
    {Qt::Key_PageDown, key::PageDown},
    {Qt::Key_End, key::End},
    {Qt::Key_Home, key::Home},
    {Qt::Key_Left, key::Left},
    {Qt::Key_Up, key::Up},
    {Qt::Key_Right, key::Right},
    {Qt::Key_Down, key::Down},
    {Qt::Key_Delete, key::Delete},
    {Qt::Key_Insert, 45},
    {Qt::Key_Shift, 16},
    {Qt::Key_Control, 17},
    {Qt::Key_Alt, 18},
};

}  // namespace

rt::Integer keyCodeOf(const QKeyEvent& event) {
  const int k = event.key();
  for (const KeyEntry& entry : kKeys)
    if (entry.qtKey == k) return entry.code;
  // Letters and digits are their upper-case character codes.
  if ((k >= Qt::Key_A && k <= Qt::Key_Z) || (k >= Qt::Key_0 && k <= Qt::Key_9))
    return static_cast<rt::Integer>(k);
  if (k >= Qt::Key_F1 && k <= Qt::Key_F24)
    return static_cast<rt::Integer>(key::F1 + (k - Qt::Key_F1));
  return 0;
}

}  // namespace controls
