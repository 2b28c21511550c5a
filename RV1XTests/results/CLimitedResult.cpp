#include "results/CLimitedResult.h"

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

QList<std::optional<double>> CLimitedResult::MeasuredFields(const QString& reply,
                                                            const ReplyLayout& layout,
                                                            std::span<const ReplyField> fields) {
  const ReplyLine line(reply, layout);
  if (!line.fault().isEmpty())
    ReportLineFault(QStringLiteral("The analyzer's reply is no %1 line: %2. None of its values is "
                                   "taken; the measurements stay empty and are not judged.")
                        .arg(QLatin1String(layout.name), line.fault()));
  QList<std::optional<double>> values;
  for (const ReplyField& field : fields) {
    const FieldReading reading = line.field(field);
    if (line.fault().isEmpty() && !reading.fault.isEmpty())
      ReportFieldFault(QLatin1String(field.key), reading.fault);
    values.append(reading.value);
  }
  return values;
}

void CLimitedResult::ReportFieldFault(const QString& key, const QString& fault) {
  ReportOnce(key, QStringLiteral("The analyzer's reply gives no %1: %2. The measurement stays "
                                 "empty and is not judged.")
                      .arg(key, fault));
}

void CLimitedResult::ReportLineFault(const QString& description) {
  // Under a name no measurement has.
  ReportOnce(QStringLiteral(" line"), description);
}

void CLimitedResult::ReportOnce(const QString& what, const QString& description) {
  if (reportedFaults_.contains(what)) return;
  reportedFaults_.insert(what);
  rt::ignoreErrors([&] {
    host::errors().ReportError(rt::RuntimeError(rt::err::TypeMismatch, kind().source, description),
                               kind().source);
  });
}

void CLimitedResult::StoreReplyFields(const QString& reply, const ReplyLayout& layout,
                                      std::span<const ReplyField> fields) {
  if (!reply.isEmpty()) {
    const QList<std::optional<double>> values = MeasuredFields(reply, layout, fields);
    for (qsizetype i = 0; i < values.size(); ++i) {
      rt::ignoreErrors([&] {
        com::must(MeasurementByKey(QLatin1String(fields[i].key)))
            .SetValue(values[i] ? QVariant(*values[i]) : QVariant());
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
