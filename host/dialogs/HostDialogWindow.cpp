#include "dialogs/HostDialogWindow.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
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

namespace {

// The inputs that leave Enter to the window: a typed entry, a spin box, a
// closed drop-down list, a check box. Lists, grids and the editors' own
// drop-down cells take Enter as their choice or commit.
bool leavesEnterToTheWindow(QWidget* focused) {
  if (auto* list = qobject_cast<QComboBox*>(focused)) return !list->view()->isVisible();
  return qobject_cast<QLineEdit*>(focused) || qobject_cast<QAbstractSpinBox*>(focused) ||
         qobject_cast<QCheckBox*>(focused) || qobject_cast<QRadioButton*>(focused);
}

}  // namespace

void HostDialogWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
    QDialog::keyPressEvent(event);
    return;
  }
  // On a button Enter presses that button; in an entry it presses OK, as
  // Escape presses Cancel. done() takes what was typed first.
  QWidget* focused = focusWidget();
  if (auto* button = qobject_cast<QPushButton*>(focused); button && button->isEnabled())
    button->click();
  else if (accept_ && accept_->isEnabled() && leavesEnterToTheWindow(focused))
    accept_->click();
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
