#include "dialogs/HostDialogWindow.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "records/RunObjects.h"
#include "runtime/ErrorHandling.h"
#include "ui/Twips.h"
#include "ui/WindowHandles.h"

namespace host {

namespace {

const QString kChange = QStringLiteral("Change");
// The room given to a dialog that hosts no control.
constexpr double kEmptyPaneWidth = 4800;
constexpr double kEmptyPaneHeight = 2400;

// The size of the window docked into the pane, in twips.
QSizeF dockedSize(QWidget* pane) {
  const QList<QWidget*> docked = pane->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  if (docked.isEmpty()) return QSizeF(kEmptyPaneWidth, kEmptyPaneHeight);
  const QSize pixels = docked.first()->size();
  return QSizeF(ui::toTwips(pixels.width()), ui::toTwips(pixels.height()));
}

}  // namespace

HostDialogWindow::HostDialogWindow(const IDialogPtr& dialog, const QString& title, Buttons buttons,
                                   QSizeF paneTwips)
    : dialog_(dialog), callBack_(std::make_shared<DefaultCallBack>()) {
  setObjectName(QStringLiteral("hostDialog"));
  setWindowTitle(title);
  auto* layout = new QVBoxLayout(this);
  pane_ = new QWidget(this);
  pane_->setObjectName(QStringLiteral("hostDock"));
  layout->addWidget(pane_);
  auto* box = new QDialogButtonBox(this);
  if (buttons == Buttons::OkCancel) {
    accept_ = box->addButton(QDialogButtonBox::Ok);
    box->addButton(QDialogButtonBox::Cancel);
  } else {
    box->addButton(QDialogButtonBox::Close);
  }
  connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(box);

  rt::ignoreErrorsEach([&] { com::must(dialog_).SetCallBack(callBack_); },
                       [&] { com::must(dialog_).Dock(ui::handleOf(pane_)); });
  if (paneTwips.isEmpty()) paneTwips = dockedSize(pane_);
  pane_->setFixedSize(ui::toPixels(paneTwips.width()), ui::toPixels(paneTwips.height()));
  rt::ignoreErrorsEach(
      [&] {
        com::must(dialog_).Move(0, 0, static_cast<rt::Long>(paneTwips.width()),
                                static_cast<rt::Long>(paneTwips.height()));
      },
      [&] { com::must(dialog_).Show(0); });
}

HostDialogWindow::~HostDialogWindow() {
  rt::ignoreErrors([&] { com::must(dialog_).Unload(); });
}

bool HostDialogWindow::Changed() const {
  return callBack_->events().contains(kChange);
}

void HostDialogWindow::done(int result) {
  // An input being edited is left first, so that it takes or refuses what
  // was typed before the settings are taken.
  if (result == Accepted && accept_ && focusWidget() != accept_) {
    accept_->setFocus(Qt::OtherFocusReason);
    // An entry refused keeps the window open for the operator to see.
    if (isActiveWindow() && focusWidget() != accept_) return;
  }
  QDialog::done(result);
}

void HostDialogWindow::keyPressEvent(QKeyEvent* event) {
  // Enter belongs to the dialog's own inputs (a list's choice, a typed
  // number), never to a default button of the host's; on a button it
  // presses that button.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return;
  QDialog::keyPressEvent(event);
}

bool HostDialogWindow::SavePicture(const QString& path) {
  setAttribute(Qt::WA_DontShowOnScreen);
  show();
  QApplication::processEvents();
  const bool saved = grab().save(path, "PNG");
  hide();
  return saved;
}

}  // namespace host
