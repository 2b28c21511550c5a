#pragma once
// Raising and reporting errors. Raise throws the numbered run-time error into
// the caller's handler; its pass-on form (empty product, number 0, empty
// source, severity 1) re-raises the pending error unchanged. Report records
// the error, prints it once ("error: <text>" on standard error) and shows it
// through the message-box service, then returns. The host may give advice
// with some errors (what to do about a class that is not registered): it
// follows the report's text.

#include <QList>
#include <functional>

#include "runtime/RuntimeError.h"
#include "typelib/HostTypes.h"

namespace host {

struct ErrorEntry {
  QString product;
  rt::Long number = 0;
  QString source;
  QString description;
  rt::Long severity = 0;
  bool reported = false;  // false: raised
};

class ReportCapture;

class ErrorService : public virtual com::Object {
 public:
  ~ErrorService() override;
  static std::shared_ptr<ErrorService> instance();

  // Never returns, except for the pass-on form without a pending error.
  // The description, when given, says what exactly failed (a file's path).
  virtual void RaiseError(const QString& product, rt::Long number, const QString& source,
                          rt::Long severity, const QString& description = QString());
  // Inside an error handler: hands the pending error on to the caller
  // unchanged, through RaiseError's pass-on form. Outside one it returns.
  void PassOnPendingError() { RaiseError(QString(), 0, QString(), 1); }
  virtual void ReportError(const rt::RuntimeError& error, const QString& source);

  // What was raised and reported, in order (tests and the host's log).
  const QList<ErrorEntry>& entries() const { return entries_; }
  QList<ErrorEntry> reported() const;
  void clear() { entries_.clear(); }

  // The text a report shows: "Error -2147179582 (0x8004A3C2) in <source>: ...".
  static QString reportText(const rt::RuntimeError& error, const QString& source);

  // What to tell the user beside an error; an empty text for none.
  using Advice = std::function<QString(const rt::RuntimeError& error)>;
  void setAdvice(Advice advice) { advice_ = std::move(advice); }
  QString adviceFor(const rt::RuntimeError& error) const;

 private:
  friend class ReportCapture;
  QList<ErrorEntry> entries_;
  Advice advice_;
  QList<ReportCapture*> captures_;
};

// Every error reported while it lives, in order: how a caller learns
// whether a step it called reported something on the way (a step that
// reports goes on). Captures nest; each sees every report of its life.
class ReportCapture {
 public:
  ReportCapture();
  ~ReportCapture();
  ReportCapture(const ReportCapture&) = delete;
  ReportCapture& operator=(const ReportCapture&) = delete;

  const QList<rt::RuntimeError>& reported() const { return reported_; }
  bool isEmpty() const { return reported_.isEmpty(); }

 private:
  friend class ErrorService;
  ErrorService& service_;
  QList<rt::RuntimeError> reported_;
};

// The error service as its callers reach it: when there is none, the call
// fails with run-time error 91 instead of crashing.
ErrorService& errors();

}  // namespace host
