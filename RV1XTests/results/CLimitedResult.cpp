#include "results/CLimitedResult.h"

#include <QRegularExpression>
#include <cmath>

#include "limits/Limit.h"
#include "limits/Standard.h"
#include "limits/StandardsCollection.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "services/ErrorService.h"
#include "typelib/ILimitData.h"
#include "typelib/ITestElement.h"

namespace orvanRV1Xtst {

namespace {

// A field's text once its blanks, tabs and line feeds are gone: one number
// and nothing else.
bool isWholeNumber(const QString& text) {
  static const QRegularExpression number(
      QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eEdD][+-]?[0-9]+)?$"));
  return number.match(text).hasMatch();
}

// Whether a character next to a field carries on a number that stands at
// the field's edge: the line is shifted against its columns, and the field
// holds only part of the number (" 15.5" one place to the right reads 15).
// The columns of a well-formed line are parted by blanks.
bool continuesBefore(QChar c) {
  return c.isDigit() || c == u'.' || c == u'+' || c == u'-';
}
bool continuesAfter(QChar c) {
  return c.isDigit() || c == u'.' || c == u'e' || c == u'E';
}

QString withoutBlanks(QString text) {
  text.remove(u' ');
  text.remove(u'\t');
  text.remove(u'\n');
  return text;
}

// The selected standards that the limit set holds, as its own objects, in
// the order of the selection.
QList<host::StandardPtr> judgingStandards(const host::ILimitDataPtr& limits,
                                          const host::StandardsCollectionPtr& selected) {
  QList<host::StandardPtr> judging;
  rt::ignoreErrors([&] {
    const host::StandardsCollectionPtr own = com::must(limits).Standards();
    if (!own || !selected) return;
    for (const host::StandardPtr& chosen : *selected) {
      const host::StandardPtr found = own->Find(0, chosen->AlphaName(), chosen->CompleteName());
      if (found && !judging.contains(found)) judging.append(found);
    }
  });
  return judging;
}

// Whether one of the standards enables a bound of a limit of that key.
bool limited(const QList<host::StandardPtr>& standards, const QString& key) {
  for (const host::StandardPtr& standard : standards) {
    for (const host::LimitPtr& limit : standard->Limits()) {
      if (limit->Key().compare(key, Qt::CaseInsensitive) != 0) continue;
      if (limit->Enabled(host::limitindex::High) || limit->Enabled(host::limitindex::Low))
        return true;
    }
  }
  return false;
}

// The names of the standards, without their limits.
host::StandardsCollectionPtr namesOf(const QList<host::StandardPtr>& standards) {
  if (standards.isEmpty()) return nullptr;
  auto names = std::make_shared<host::StandardsCollection>();
  for (const host::StandardPtr& standard : standards) {
    auto named = std::make_shared<host::Standard>();
    named->Init(standard->AlphaName(), standard->CompleteName(), standard->Flags());
    names->Add(named);
  }
  return names;
}

}  // namespace

double replyNumber(const QString& reply, int first, int length) {
  return rt::val(reply.mid(first - 1, length));
}

FieldReading readReplyField(const QString& reply, const ReplyField& field) {
  const int last = field.first + field.length - 1;
  const QString text = reply.mid(field.first - 1, field.length);
  const QString where = QStringLiteral("characters %1 to %2").arg(field.first).arg(last);
  if (reply.size() < last)
    return {
        std::nullopt,
        QStringLiteral("the reply of %1 characters ends before %2").arg(reply.size()).arg(where)};
  const QString number = withoutBlanks(text);
  const QString fault = QStringLiteral("%1 hold \"%2\", which is no number").arg(where, text);
  if (!isWholeNumber(number)) return {std::nullopt, fault};
  const bool runsIn =
      field.first > 1 && !text.front().isSpace() && continuesBefore(reply.at(field.first - 2));
  const bool runsOn =
      reply.size() > last && !text.back().isSpace() && continuesAfter(reply.at(last));
  if (runsIn || runsOn)
    return {
        std::nullopt,
        QStringLiteral("the number in %1 (\"%2\") runs on beyond them: the reply is not aligned "
                       "to its columns")
            .arg(where, text)};
  const double value = rt::orDefault([&] { return rt::val(number); }, HUGE_VAL);
  if (!std::isfinite(value)) return {std::nullopt, fault};
  if (value == 0 && field.zeroIsNone) return {std::nullopt, QString()};
  return {value, QString()};
}

std::optional<double> CLimitedResult::MeasuredField(const QString& reply, const ReplyField& field) {
  const FieldReading reading = readReplyField(reply, field);
  if (!reading.fault.isEmpty()) ReportFieldFault(QLatin1String(field.key), reading.fault);
  return reading.value;
}

void CLimitedResult::ReportFieldFault(const QString& key, const QString& fault) {
  if (reportedFaults_.contains(key)) return;
  reportedFaults_.insert(key);
  rt::ignoreErrors([&] {
    host::errors().ReportError(
        rt::RuntimeError(rt::err::TypeMismatch, kind().source,
                         QStringLiteral("The analyzer's reply gives no %1: %2. The measurement "
                                        "stays empty and is not judged.")
                             .arg(key, fault)),
        kind().source);
  });
}

void CLimitedResult::StoreReplyFields(const QString& reply, std::span<const ReplyField> fields) {
  if (!reply.isEmpty()) {
    for (const ReplyField& field : fields) {
      rt::ignoreErrors([&] {
        const std::optional<double> value = MeasuredField(reply, field);
        com::must(MeasurementByKey(QLatin1String(field.key)))
            .SetValue(value ? QVariant(*value) : QVariant());
      });
    }
  }
  MarkStored();
}

void CLimitedResult::UpdateStatus(const host::ITestElementPtr& test,
                                  const host::StandardsCollectionPtr& selected, bool skip) {
  if (skip) {
    SetVerdict(host::resultstatus::NotApplicable);
    SetJudgedBy(nullptr);
    BuildServiceRecordOf(test);
    return;
  }
  const host::ILimitDataPtr limits =
      rt::orDefault([&] { return com::must(test).Limits(); }, host::ILimitDataPtr());
  const QList<host::StandardPtr> judging = judgingStandards(limits, selected);
  SetJudgedBy(namesOf(judging));

  bool failed = false;
  bool judged = false;
  QString missing;  // the first limited measurement without a value
  for (const CMeasurementPtr& measurement : measurements_) {
    rt::ignoreErrors([&] {
      CMeasurement& m = com::must(measurement);
      if (!limited(judging, m.Key())) {
        m.SetNotJudged(notJudgedKey(NotJudged::NoLimit));
      } else if (!m.HasValue()) {
        m.SetNotJudged(notJudgedKey(NotJudged::NoValue, m.Key()));
        if (missing.isEmpty()) missing = m.Key();
      } else {
        m.CalculateStatus(limits, selected);
        judged = true;
        if (m.Status() == host::resultstatus::Failed) failed = true;
      }
    });
  }
  // One value outside a limit fails the result, whatever else is missing;
  // a pass needs every limited value measured and at least one judged.
  if (failed)
    SetVerdict(host::resultstatus::Failed);
  else if (!HasMeasuredValue())
    SetVerdict(host::resultstatus::NotEvaluated, notJudgedKey(NotJudged::NothingMeasured));
  else if (!missing.isEmpty())
    SetVerdict(host::resultstatus::NotEvaluated, notJudgedKey(NotJudged::NoValue, missing));
  else if (judged)
    SetVerdict(host::resultstatus::Passed);
  else if (judging.isEmpty())
    SetVerdict(host::resultstatus::NotEvaluated, notJudgedKey(NotJudged::NoStandard));
  else
    SetVerdict(host::resultstatus::NotEvaluated, notJudgedKey(NotJudged::NoLimit));
  BuildServiceRecordOf(test);
}

}  // namespace orvanRV1Xtst
