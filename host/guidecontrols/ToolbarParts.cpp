#include "ToolbarParts.h"

namespace orvanTGCL2 {

TgButton::TgButton(rt::Long id, QToolButton* widget, std::function<void()> changed)
    : id_(id), widget_(widget), changed_(std::move(changed)) {}

TgButton::~TgButton() = default;

void TgButton::SetEnabled(bool enabled) {
  guideEnabled_ = enabled;
  if (changed_) changed_();
}

void TgButton::show(bool shown, bool enabled, bool state) {
  enabled_ = shown && enabled;
  state_ = state;
  if (!widget_) return;
  widget_->setVisible(shown);
  widget_->setEnabled(enabled_);
  widget_->setChecked(state);
}

TgStatus::TgStatus(std::function<void()> changed) : changed_(std::move(changed)) {}
TgStatus::~TgStatus() = default;

void TgStatus::SetResultStatus(rt::Integer status) {
  resultStatus_ = status;
  if (changed_) changed_();
}

void TgStatus::SetText(const QString& text) {
  text_ = text;
  if (changed_) changed_();
}

void TgStatus::SetResultNote(const QString& note) {
  note_ = note;
  if (changed_) changed_();
}

TgSelection::TgSelection(QString alphaName, QString completeName, bool flag)
    : alphaName_(std::move(alphaName)), completeName_(std::move(completeName)), flag_(flag) {}
TgSelection::~TgSelection() = default;

}  // namespace orvanTGCL2
