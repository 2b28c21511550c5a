#include "controls/Label.h"

namespace controls {

Label::Label(QWidget* parent) : QLabel(parent) {}

Label::~Label() = default;

void Label::SetCaption(const QString& caption) {
  if (caption == text()) return;
  setText(caption);
  Q_EMIT Change();
}

}  // namespace controls
