#include "ui/UserControl.h"

#include "ui/Twips.h"

namespace ui {

UserControl::UserControl(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(true);
}

UserControl::~UserControl() = default;

rt::Long UserControl::ScaleWidth() const {
  return toTwips(width());
}
rt::Long UserControl::ScaleHeight() const {
  return toTwips(height());
}

void UserControl::SetBackColor(std::uint32_t oleColor) {
  backColor_ = oleColor;
  QPalette p = palette();
  p.setColor(QPalette::Window, toQColor(oleColor));
  setPalette(p);
}

void UserControl::RaiseEvent(const QString& name, const QVariantList& parameters) {
  Q_EMIT EventRaised(name, parameters);
}

}  // namespace ui
