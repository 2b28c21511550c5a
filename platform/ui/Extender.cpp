#include "ui/Extender.h"

#include "ui/ControlPlacement.h"
#include "ui/Twips.h"
#include "ui/UserControl.h"

namespace ui {

Extender::Extender(QString name, com::ObjectPtr object, QWidget* container)
    : name_(std::move(name)), object_(std::move(object)), container_(container) {
  widget_ = dynamic_cast<QWidget*>(object_.get());
  if (widget_) {
    widget_->setObjectName(name_);
    widget_->setParent(container);
    widget_->show();
    // A container going first must not take the control with it: the
    // control's references own it.
    if (container) connect(container, &QObject::destroyed, this, &Extender::release);
  }
  if (auto* control = dynamic_cast<UserControl*>(object_.get())) {
    control->extender_ = this;
    connect(control, &UserControl::EventRaised, this, &Extender::ObjectEvent);
  }
}

Extender::~Extender() {
  release();
  if (auto* control = dynamic_cast<UserControl*>(object_.get())) {
    if (control->extender_ == this) control->extender_ = nullptr;
  }
}

rt::Long Extender::Left() const {
  return widget_ ? toTwips(widget_->x()) : 0;
}
rt::Long Extender::Top() const {
  return widget_ ? toTwips(widget_->y()) : 0;
}
rt::Long Extender::Width() const {
  return widget_ ? toTwips(widget_->width()) : 0;
}
rt::Long Extender::Height() const {
  return widget_ ? toTwips(widget_->height()) : 0;
}

void Extender::SetLeft(double twips) {
  Move(twips, Top());
}
void Extender::SetTop(double twips) {
  Move(Left(), twips);
}
void Extender::SetWidth(double twips) {
  Move(Left(), Top(), twips, Height());
}
void Extender::SetHeight(double twips) {
  Move(Left(), Top(), Width(), twips);
}

void Extender::Move(double left, double top, std::optional<double> width,
                    std::optional<double> height) {
  if (widget_) moveControl(*widget_, left, top, width, height);
}

bool Extender::Visible() const {
  return visible_;
}

void Extender::SetVisible(bool visible) {
  visible_ = visible;
  if (widget_) widget_->setVisible(visible);
}

void Extender::reclaim() {
  if (!widget_ || widget_->parentWidget() == container_.data()) return;
  widget_->setParent(container_.data());
  widget_->setVisible(visible_);
}

void Extender::release() {
  if (widget_ && widget_->parentWidget()) {
    widget_->hide();
    widget_->setParent(nullptr);
  }
}

}  // namespace ui
