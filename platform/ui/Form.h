#pragma once
// The base of a form: a top-level window that is loaded, shown (modeless or
// modally), hidden and unloaded by its owner, with the form's own handlers
// Form_Load, Form_Activate, Form_Resize, Form_QueryUnload and Form_Unload.
//
// A modal display runs a message loop of its own and returns once the form
// is hidden or unloaded. Hiding the form from inside an event handler ends
// the display only after that handler (and every handler below it on the
// stack) has returned, so whatever the handler does after the hide is in
// place when the code that showed the form goes on.
//
// Observers of modal displays (the host's scripted operator) are told as
// each modal display starts, before its loop runs; they act from the loop
// (timers, queued calls), never from inside the notice.

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <functional>

#include "runtime/Types.h"
#include "ui/Controls.h"

class QEventLoop;

namespace ui {

namespace form {
constexpr int Modeless = 0;
constexpr int Modal = 1;
}  // namespace form

class Form : public QWidget {
  Q_OBJECT
 public:
  explicit Form(QWidget* parent = nullptr);
  ~Form() override;

  // Runs Form_Load unless the form is loaded already; its errors reach the
  // caller, and the form then stays unloaded.
  void Load();
  bool Loaded() const { return loaded_; }
  // Form_Unload (errors ignored), hides the form, ends a modal display and
  // marks the form unloaded; an unloaded form is left alone.
  void Unload();

  // Loads the form when needed and shows it. Modal: returns once the form
  // is hidden or unloaded; showing a form modally while it is shown modally
  // raises error 400.
  void Show(int modal = form::Modeless);
  void Hide();
  bool Visible() const { return isVisible(); }
  // True while a modal display of this form runs.
  bool IsModal() const { return loop_ != nullptr; }

  QString Caption() const { return windowTitle(); }
  void SetCaption(const QString& caption);
  QImage Icon() const { return icon_; }
  void SetIcon(const QImage& icon);

  // Inner (client) size in twips, and the designed client size.
  rt::Long ScaleWidth() const;
  rt::Long ScaleHeight() const;
  void SetClientSize(double widthTwips, double heightTwips);

  // The controls added at run time.
  ui::Controls& Controls() { return controls_; }

  // Told of every modal display as it starts; answers a number to remove
  // the observer with.
  using ModalObserver = std::function<void(Form& form)>;
  static int addModalObserver(ModalObserver observer);
  static void removeModalObserver(int id);
  // The innermost form in a modal display, or null.
  static Form* activeModal();

 Q_SIGNALS:
  void ModalEnded();

 protected:
  virtual void Form_Load() {}
  // Every time the form is shown.
  virtual void Form_Activate() {}
  virtual void Form_Resize() {}
  // A close request from the window itself (its close button or system
  // menu); cancel keeps the form. Not cancelled, the form is unloaded.
  virtual void Form_QueryUnload(bool& /*cancel*/) {}
  virtual void Form_Unload() {}

  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void endModal();

  ui::Controls controls_{this};
  bool loaded_ = false;
  QImage icon_;
  QEventLoop* loop_ = nullptr;
};

}  // namespace ui
