#pragma once
// Every message box goes through this one service. Interactive, it shows a
// QMessageBox. Unattended (tests, the host program's unattended mode, any
// run without a display) it records the message, prints
// "message: <caption>: <text>" to stderr and answers from a queue the caller
// filled; with the queue empty it takes the answer that ends the question:
// OK for an OK box, Cancel wherever Cancel is offered (so an unattended run
// never loops on Retry), No for Yes/No, Abort for Abort/Retry/Ignore.

#include <QList>
#include <QString>
#include <functional>

#include "runtime/Types.h"

namespace ui {

// Styles: the buttons plus one icon.
namespace mb {
constexpr int OkOnly = 0, OkCancel = 1, AbortRetryIgnore = 2, YesNoCancel = 3, YesNo = 4,
              RetryCancel = 5;
constexpr int Critical = 16, Question = 32, Exclamation = 48, Information = 64;
// Answers.
constexpr int Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7;
}  // namespace mb

struct ShownMessage {
  QString caption;
  QString text;
  int style = 0;
  int answer = 0;
};

class MessageBoxes {
 public:
  static MessageBoxes& instance();

  int show(const QString& text, int style, const QString& caption);
  // A message whose text the caller has printed itself: unattended, it is
  // recorded and answered as any other, but not printed again.
  int showPrinted(const QString& text, int style, const QString& caption);

  bool unattended() const;
  void setUnattended(bool unattended) { unattended_ = unattended; }

  // Asked first for every unattended message: answers it, or 0 to leave it
  // to the queue (the host's scripted operator answers its own questions).
  using Responder = std::function<int(const ShownMessage& message)>;
  void setResponder(Responder responder) { responder_ = std::move(responder); }

  // Answers for the next unattended questions, in order.
  void queueAnswers(const QList<int>& answers) { answers_ += answers; }
  const QList<ShownMessage>& shown() const { return shown_; }
  void clear() {
    shown_.clear();
    answers_.clear();
  }

 private:
  MessageBoxes() = default;
  int showMessage(const QString& text, int style, const QString& caption, bool print);
  int showInteractive(const QString& text, int style, const QString& caption);

  QList<ShownMessage> shown_;
  QList<int> answers_;
  Responder responder_;
  bool unattended_ = false;
};

int defaultAnswer(int style);

// The title of the running program, used as a message caption by default.
QString applicationTitle();

}  // namespace ui
