#include "controls/Toolbar.h"

#include <QBoxLayout>
#include <QIcon>
#include <QMenu>
#include <QToolButton>

namespace controls {

Toolbar::Toolbar(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), orientation_(orientation) {
  layout_ = new QBoxLayout(
      orientation == Qt::Horizontal ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom, this);
  layout_->setContentsMargins(0, 0, 0, 0);
  layout_->setSpacing(0);
  layout_->addStretch(1);
}

Toolbar::~Toolbar() = default;

void Toolbar::SetImageList(std::shared_ptr<const ImageList> images) {
  normal_ = std::move(images);
  UpdateIcons();
}

void Toolbar::SetDisabledImageList(std::shared_ptr<const ImageList> images) {
  disabled_ = std::move(images);
  UpdateIcons();
}

void Toolbar::SetHotImageList(std::shared_ptr<const ImageList> images) {
  hot_ = std::move(images);
  UpdateIcons();
}

QSize Toolbar::ButtonSize() const {
  const QSize image = normal_ ? normal_->ImageSize() : QSize(16, 16);
  return image + QSize(2, 2);
}

void Toolbar::AddButton(const QString& key, const QString& toolTip, const QString& imageKey) {
  auto* button = new QToolButton(this);
  button->setObjectName(key);
  button->setToolTip(toolTip);
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  layout_->insertWidget(layout_->count() - 1, button);
  buttons_.append({key, imageKey, button});
  connect(button, &QToolButton::clicked, this, [this, key] { Q_EMIT ButtonClick(key); });
  UpdateIcons();
}

void Toolbar::AddButtonMenu(const QString& buttonKey, const QString& entryKey,
                            const QString& text) {
  QToolButton* button = Button(buttonKey);
  if (!button) return;
  if (!button->menu()) {
    button->setMenu(new QMenu(button));
    button->setPopupMode(QToolButton::MenuButtonPopup);
  }
  QAction* entry = button->menu()->addAction(text);
  entry->setObjectName(entryKey);
  connect(entry, &QAction::triggered, this, [this, entryKey] { Q_EMIT ButtonMenuClick(entryKey); });
}

QToolButton* Toolbar::Button(const QString& key) const {
  for (const Entry& entry : buttons_)
    if (entry.key.compare(key, Qt::CaseInsensitive) == 0) return entry.button;
  return nullptr;
}

void Toolbar::SetButtonEnabled(const QString& key, bool enabled) {
  if (QToolButton* button = Button(key)) button->setEnabled(enabled);
}

void Toolbar::UpdateIcons() {
  const QSize size = ButtonSize();
  for (const Entry& entry : buttons_) {
    QIcon icon;
    const auto add = [&](const std::shared_ptr<const ImageList>& list, QIcon::Mode mode) {
      if (!list) return;
      const QPixmap picture = list->Picture(entry.imageKey);
      if (!picture.isNull()) icon.addPixmap(picture, mode);
    };
    add(normal_, QIcon::Normal);
    add(disabled_, QIcon::Disabled);
    add(hot_, QIcon::Active);
    entry.button->setIcon(icon);
    entry.button->setIconSize(size - QSize(2, 2));
    entry.button->setFixedSize(size);
  }
}

}  // namespace controls
