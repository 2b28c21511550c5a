#include "RunCompanion.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QWindow>

#include "Guarded.h"
#include "WorkbenchWords.h"
#include "ui/Form.h"

namespace workbench {

RunCompanion::RunCompanion(std::function<void()> stop) : stop_(std::move(stop)) {
  setObjectName(QStringLiteral("runCompanion"));
  setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
  setWindowTitle(words::text(words::CompanionTitle));
  auto* layout = new QHBoxLayout(this);
  progress_ = new QLabel(this);
  progress_->setObjectName(QStringLiteral("runProgress"));
  stopButton_ = new QPushButton(words::text(words::StopAfter), this);
  stopButton_->setObjectName(QStringLiteral("companionStop"));
  layout->addWidget(progress_, 1);
  layout->addWidget(stopButton_);
  connect(stopButton_, &QPushButton::clicked, this, [this] {
    if (stop_) guarded(stop_, nullptr);
  });
  observer_ = ui::Form::addModalObserver([this](ui::Form& guide) { Attach(guide); });
}

RunCompanion::~RunCompanion() {
  ui::Form::removeModalObserver(observer_);
}

void RunCompanion::SetProgress(const QString& text) {
  progress_->setText(text);
  adjustSize();
}

void RunCompanion::ShowStopping() {
  stopButton_->setEnabled(false);
  stopButton_->setText(words::text(words::CompanionStopping));
  adjustSize();
}

void RunCompanion::Attach(ui::Form& guide) {
  guide_ = &guide;
  disconnect(ended_);
  ended_ = connect(&guide, &ui::Form::ModalEnded, this, [this] { hide(); });
  winId();
  // Beside the guide, not over its buttons.
  const QRect frame = guide.frameGeometry();
  move(frame.left(), frame.bottom() + 4);
  show();
  // The guide's modality lets its transient windows through.
  if (QWindow* own = windowHandle()) own->setTransientParent(guide.windowHandle());
  raise();
}

}  // namespace workbench
