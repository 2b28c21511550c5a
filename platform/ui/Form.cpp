#include "ui/Form.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QIcon>
#include <QPixmap>
#include <map>

#include "runtime/ErrorHandling.h"
#include "ui/Twips.h"

namespace ui {

namespace {

constexpr rt::Long kAlreadyModal = 400;

std::map<int, Form::ModalObserver>& observers() {
  static std::map<int, Form::ModalObserver> table;
  return table;
}

QList<QPointer<Form>>& modalStack() {
  static QList<QPointer<Form>> stack;
  return stack;
}

}  // namespace

Form::Form(QWidget* parent) : QWidget(parent, Qt::Window) {}

Form::~Form() {
  // A form destroyed during its own modal display ends the display; the
  // loop then returns into code that no longer touches the form.
  endModal();
}

void Form::Load() {
  if (loaded_) return;
  loaded_ = true;
  try {
    Form_Load();
  } catch (...) {
    loaded_ = false;
    throw;
  }
}

void Form::Unload() {
  if (!loaded_) return;
  rt::ignoreErrors([&] { Form_Unload(); });
  loaded_ = false;
  hide();
  endModal();
}

void Form::Show(int modal) {
  Load();
  if (modal != form::Modal) {
    show();
    rt::ignoreErrors([&] { Form_Activate(); });
    return;
  }
  if (loop_)
    rt::raise(kAlreadyModal, QStringLiteral("Form"),
              QStringLiteral("Form already displayed; can't show modally"));
  QEventLoop loop;
  loop_ = &loop;
  QPointer<Form> self(this);
  modalStack().append(self);
  setWindowModality(Qt::ApplicationModal);
  show();
  rt::ignoreErrors([&] { Form_Activate(); });
  // Observers may add or remove observers; they work on a copy.
  const auto current = observers();
  for (const auto& entry : current) {
    const ModalObserver& observer = entry.second;
    if (self && isVisible()) rt::ignoreErrors([&] { observer(*this); });
  }
  if (self && isVisible() && loop_ == &loop) loop.exec();
  modalStack().removeAll(self);
  modalStack().removeAll(nullptr);
  if (!self) return;
  if (loop_ == &loop) loop_ = nullptr;
  setWindowModality(Qt::NonModal);
  Q_EMIT ModalEnded();
}

void Form::Hide() {
  hide();
  endModal();
}

void Form::endModal() {
  if (loop_) {
    loop_->exit();
    loop_ = nullptr;
  }
}

void Form::SetCaption(const QString& caption) {
  setWindowTitle(caption);
}

void Form::SetIcon(const QImage& icon) {
  icon_ = icon;
  setWindowIcon(icon.isNull() ? QIcon() : QIcon(QPixmap::fromImage(icon)));
}

rt::Long Form::ScaleWidth() const {
  return toTwips(width());
}

rt::Long Form::ScaleHeight() const {
  return toTwips(height());
}

void Form::SetClientSize(double widthTwips, double heightTwips) {
  resize(toPixels(widthTwips), toPixels(heightTwips));
}

int Form::addModalObserver(ModalObserver observer) {
  static int nextId = 1;
  const int id = nextId++;
  observers().emplace(id, std::move(observer));
  return id;
}

void Form::removeModalObserver(int id) {
  observers().erase(id);
}

Form* Form::activeModal() {
  const auto& stack = modalStack();
  for (auto it = stack.rbegin(); it != stack.rend(); ++it)
    if (*it) return it->data();
  return nullptr;
}

void Form::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  rt::ignoreErrors([&] { Form_Resize(); });
}

void Form::closeEvent(QCloseEvent* event) {
  // The form decides its own life: Qt never closes it behind its back.
  event->ignore();
  bool cancel = false;
  rt::ignoreErrors([&] { Form_QueryUnload(cancel); });
  if (!cancel) Unload();
}

void Form::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  // Hidden by any road (Hide, Unload, QWidget::hide): a modal display ends.
  if (!isVisible()) endModal();
}

}  // namespace ui
