#include "ui/MessageBoxes.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <cstdio>

namespace ui {

MessageBoxes& MessageBoxes::instance() {
  static MessageBoxes service;
  return service;
}

bool MessageBoxes::unattended() const {
  if (unattended_) return true;
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return true;
  const QString platform = QGuiApplication::platformName();
  return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

int defaultAnswer(int style) {
  switch (style & 0x0F) {
    case mb::OkCancel:
    case mb::YesNoCancel:
    case mb::RetryCancel:
      return mb::Cancel;
    case mb::YesNo:
      return mb::No;
    case mb::AbortRetryIgnore:
      return mb::Abort;
    default:
      return mb::Ok;
  }
}

int MessageBoxes::show(const QString& text, int style, const QString& caption) {
  return showMessage(text, style, caption, true);
}

int MessageBoxes::showPrinted(const QString& text, int style, const QString& caption) {
  return showMessage(text, style, caption, false);
}

int MessageBoxes::showMessage(const QString& text, int style, const QString& caption, bool print) {
  ShownMessage message{caption.isEmpty() ? applicationTitle() : caption, text, style, 0};
  if (unattended()) {
    if (responder_) message.answer = responder_(message);
    if (message.answer == 0)
      message.answer = answers_.isEmpty() ? defaultAnswer(style) : answers_.takeFirst();
    if (print) {
      std::fprintf(stderr, "message: %s: %s\n", qPrintable(message.caption), qPrintable(text));
      std::fflush(stderr);
    }
  } else {
    message.answer = showInteractive(text, style, message.caption);
  }
  shown_.append(message);
  return message.answer;
}

int MessageBoxes::showInteractive(const QString& text, int style, const QString& caption) {
  using B = QMessageBox::StandardButton;
  static const QMessageBox::StandardButtons table[] = {B::Ok,
                                                       B::Ok | B::Cancel,
                                                       B::Abort | B::Retry | B::Ignore,
                                                       B::Yes | B::No | B::Cancel,
                                                       B::Yes | B::No,
                                                       B::Retry | B::Cancel};
  const int kind = style & 0x0F;
  QMessageBox box;
  box.setWindowTitle(caption);
  box.setText(text);
  box.setStandardButtons(kind < 6 ? table[kind] : QMessageBox::StandardButtons(B::Ok));
  switch (style & 0x70) {
    case mb::Critical:
      box.setIcon(QMessageBox::Critical);
      break;
    case mb::Question:
      box.setIcon(QMessageBox::Question);
      break;
    case mb::Exclamation:
      box.setIcon(QMessageBox::Warning);
      break;
    case mb::Information:
      box.setIcon(QMessageBox::Information);
      break;
    default:
      break;
  }
  switch (box.exec()) {
    case B::Ok:
      return mb::Ok;
    case B::Cancel:
      return mb::Cancel;
    case B::Abort:
      return mb::Abort;
    case B::Retry:
      return mb::Retry;
    case B::Ignore:
      return mb::Ignore;
    case B::Yes:
      return mb::Yes;
    case B::No:
      return mb::No;
    default:
      return defaultAnswer(style);
  }
}

QString applicationTitle() {
  const QString name = QCoreApplication::applicationName();
  return name.isEmpty() ? QStringLiteral("RV-1X") : name;
}

}  // namespace ui
