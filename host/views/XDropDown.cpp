#include "XDropDown.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QToolButton>

#include "com/ServerModule.h"
#include "controls/KeyCodes.h"
#include "controls/MouseCodes.h"
#include "ui/Twips.h"

namespace orvanView {

XDropDown::XDropDown() {
  setObjectName(QStringLiteral("XDropDown"));
  setFocusPolicy(Qt::StrongFocus);
  SetBackColor(ui::syscolor::Window);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(3, 0, 0, 0);
  layout->setSpacing(0);
  text_ = new QLabel(this);
  text_->setObjectName(QStringLiteral("lblText"));
  drop_ = new QToolButton(this);
  drop_->setObjectName(QStringLiteral("cmdDrop"));
  drop_->setArrowType(Qt::DownArrow);
  drop_->setFocusPolicy(Qt::NoFocus);
  drop_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
  layout->addWidget(text_, 1);
  layout->addWidget(drop_);
  connect(drop_, &QToolButton::clicked, this, [this] {
    setFocus(Qt::MouseFocusReason);
    RaiseEvent(host::editorevent::DropButton);
  });
}

XDropDown::~XDropDown() = default;

QString XDropDown::Text() {
  return text_->text();
}

void XDropDown::SetText(const QString& text) {
  text_->setText(text);
}

void XDropDown::keyPressEvent(QKeyEvent* event) {
  RaiseEvent(host::editorevent::KeyDown,
             {QVariant::fromValue(controls::keyCodeOf(*event)),
              QVariant::fromValue(controls::shiftCode(event->modifiers()))});
  event->accept();
}

void XDropDown::mouseDoubleClickEvent(QMouseEvent* event) {
  RaiseEvent(host::editorevent::Commit);
  event->accept();
}

void XDropDown::focusInEvent(QFocusEvent* event) {
  ui::UserControl::focusInEvent(event);
  RaiseEvent(host::editorevent::GotFocus);
}

void XDropDown::focusOutEvent(QFocusEvent* event) {
  ui::UserControl::focusOutEvent(event);
  RaiseEvent(host::editorevent::LostFocus);
}

RV1X_CREATABLE_CLASS("orvanView", XDropDown)

}  // namespace orvanView
