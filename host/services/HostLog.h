#pragma once
// The progress log handed to every load: steps with a begin and an end, and
// numbered messages, kept in order.

#include <QList>
#include <QVariantList>

#include "typelib/HostTypes.h"

namespace host {

struct LogEntry {
  enum Kind { Begin, End, Message } kind = Message;
  rt::Long step = 0;
  QString text;
  QString text2;
  rt::Long number = 0;
  rt::Long severity = 0;
};

class HostLog : public virtual com::Object {
 public:
  ~HostLog() override;

  virtual rt::Long BeginStep(const QString& text, const QString& text2);
  virtual void EndStep(rt::Long stepNo);
  virtual void Message(rt::Long number, rt::Long severity, const QString& text,
                       const QVariantList& paramList);

  const QList<LogEntry>& entries() const { return entries_; }
  // Steps begun and not yet ended.
  QList<rt::Long> openSteps() const;

 private:
  QList<LogEntry> entries_;
  rt::Long nextStep_ = 1;
};

}  // namespace host
