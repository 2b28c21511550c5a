#include "RunCompanion.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include "Guarded.h"
#include "WorkbenchWords.h"
#include "ui/Form.h"

namespace workbench {

RunCompanion::RunCompanion(QWidget* over, std::function<void()> stop)
    : over_(over), stop_(std::move(stop)) {
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
  // Pressed, it stays down and says that the run stops.
  stopButton_->setCheckable(true);
  connect(stopButton_, &QPushButton::clicked, this, [this] {
    if (stop_) guarded(stop_, nullptr);
    ShowStopping();
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
  stopButton_->setChecked(true);
  stopButton_->setText(words::text(words::StoppingAfter));
  adjustSize();
}

void RunCompanion::Attach(ui::Form& guide) {
  guide_ = &guide;
  disconnect(ended_);
  ended_ = connect(&guide, &ui::Form::ModalEnded, this, [this] { hide(); });
  winId();
  if (over_) {
    const QRect frame = guide.frameGeometry();
    const QPoint centre = over_->frameGeometry().center();
    guide.move(centre.x() - frame.width() / 2, centre.y() - frame.height() / 2);
  }
  // Beside the guide at its right, on the screen; under it where the screen
  // has no room at the right.
  adjustSize();
  const QRect frame = guide.frameGeometry();
  QPoint at(frame.right() + 8, frame.top());
  if (const QScreen* screen = guide.screen();
      screen && at.x() + frameGeometry().width() > screen->availableGeometry().right())
    at = QPoint(frame.left(), frame.bottom() + 4);
  move(at);
  show();
  // The guide's modality lets its transient windows through.
  if (QWindow* own = windowHandle()) own->setTransientParent(guide.windowHandle());
  raise();
}

}  // namespace workbench
