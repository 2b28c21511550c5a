#include "sequence/StoredCopies.h"

#include <QHash>
#include <QSet>
#include <algorithm>

#include "runtime/ErrorHandling.h"
#include "sequence/SequenceDocument.h"
#include "services/LanguageService.h"
#include "typelib/IResultData.h"
#include "xml/XmlDocument.h"

namespace host {

namespace {

const QString kResult = QStringLiteral("ResultItem");
const QString kMeasurement = QStringLiteral("Measurement");

const char kCopyFailed[] = "295::stored twice, and a copy failed";
const char kCopiesDisagree[] = "296::stored twice, and the copies disagree";
const char kHeading[] = "297::Stored more than once; every copy as stored:";
const char kCopyAt[] = "298::result %%1, line %%2";
const char kCopy[] = "299::Copy";
const char kMeasurementWord[] = "230::Measurement";
const char kValueWord[] = "231::Value";
const char kVerdictWord[] = "235::Verdict";

QList<XmlElementPtr> childrenNamed(XmlElement& node, const QString& name) {
  QList<XmlElementPtr> found;
  const XmlNodeListPtr list = node.ChildNodes();
  for (rt::Long i = 0; i < list->Length(); ++i) {
    const XmlElementPtr child = list->Item(i);
    if (child && child->TagName() == name) found.append(child);
  }
  return found;
}

QString childText(XmlElement& node, const QString& name) {
  const XmlElementPtr child = node.SelectChild(name, 0);
  return child ? child->Text().trimmed() : QString();
}

// A status that cannot be read counts as not evaluated, as the result's
// own load has it.
rt::Long statusOf(XmlElement& node) {
  const XmlElementPtr status = node.SelectChild(QStringLiteral("Status"), 0);
  if (!status) return resultstatus::NotEvaluated;
  bool whole = false;
  const rt::Long code = status->Attribute(QStringLiteral("Code")).trimmed().toLong(&whole);
  return whole ? code : resultstatus::NotEvaluated;
}

// The row of the sequence that holds the element.
int rowOf(const SequenceDocument& sequence, int index) {
  for (int row = 0; row < sequence.RowCount(); ++row)
    if (sequence.ElementIndexOf(row) == index) return row;
  return -1;
}

QString said(const StoredMeasurementCopy& copy) {
  return copy.value + u'\x1f' + QString::number(copy.status);
}

}  // namespace

bool StoredCopies::twice() const {
  if (resultStatuses.size() > 1) return true;
  QSet<QString> keys;
  for (const StoredMeasurementCopy& copy : measurements) {
    const QString key = QString::number(copy.resultCopy) + u'/' + copy.key;
    if (keys.contains(key)) return true;
    keys.insert(key);
  }
  return false;
}

bool StoredCopies::disagree() const {
  for (const rt::Long status : resultStatuses)
    if (status != resultStatuses.first()) return true;
  // Each key as every result holds it: the same words in each.
  QHash<QString, QSet<QString>> byKey;
  QHash<QString, QSet<int>> heldBy;
  for (const StoredMeasurementCopy& copy : measurements) {
    byKey[copy.key].insert(said(copy));
    heldBy[copy.key].insert(copy.resultCopy);
  }
  for (auto it = byKey.cbegin(); it != byKey.cend(); ++it)
    if (it.value().size() > 1 || heldBy.value(it.key()).size() != resultStatuses.size())
      return true;
  return false;
}

bool StoredCopies::anyFailed() const {
  if (resultStatuses.contains(resultstatus::Failed)) return true;
  return std::any_of(
      measurements.begin(), measurements.end(),
      [](const StoredMeasurementCopy& copy) { return copy.status == resultstatus::Failed; });
}

StoredCopies storedCopies(const SequenceDocument& sequence, int index) {
  // Only a result kept as stored can differ from what the element holds.
  if (!sequence.KeptAsStored(index, kResult)) return {};
  const XmlElementPtr entry = sequence.StoredEntry(rowOf(sequence, index));
  if (!entry) return {};
  return rt::orDefault(
      [&] {
        StoredCopies copies;
        const QList<XmlElementPtr> results = childrenNamed(*entry, kResult);
        for (int r = 0; r < results.size(); ++r) {
          XmlElement& result = *results.at(r);
          copies.resultStatuses.append(statusOf(result));
          for (const XmlElementPtr& measurement : childrenNamed(result, kMeasurement)) {
            StoredMeasurementCopy copy;
            copy.resultCopy = r + 1;
            copy.line = measurement->lineNumber();
            copy.key = measurement->Attribute(QStringLiteral("Key"));
            copy.description = translated(childText(*measurement, QStringLiteral("Description")));
            copy.value = childText(*measurement, QStringLiteral("Value"));
            copy.unit = childText(*measurement, QStringLiteral("Unit"));
            copy.status = statusOf(*measurement);
            copies.measurements.append(copy);
          }
        }
        return copies.twice() ? copies : StoredCopies{};
      },
      StoredCopies{});
}

bool holdsResultsStoredTwice(const SequenceDocument& sequence) {
  for (int i = 0; i < sequence.Count(); ++i)
    if (storedCopies(sequence, i).twice()) return true;
  return false;
}

TestVerdict judgedWithCopies(const StoredCopies& copies, const TestVerdict& verdict) {
  if (!copies.twice() || !copies.disagree()) return verdict;
  if (copies.anyFailed()) return {Verdict::Failed, translated(QLatin1String(kCopyFailed))};
  return {Verdict::NotJudged, translated(QLatin1String(kCopiesDisagree))};
}

Verdict copyVerdict(const StoredMeasurementCopy& copy) {
  return measurementVerdict(!copy.value.isEmpty(), copy.status);
}

QStringList storedCopiesCaptions() {
  return {translated(QLatin1String(kCopy)), translated(QLatin1String(kMeasurementWord)),
          translated(QLatin1String(kValueWord)), translated(QLatin1String(kVerdictWord))};
}

QList<QStringList> storedCopiesRows(const StoredCopies& copies) {
  QList<QStringList> rows;
  for (const StoredMeasurementCopy& copy : copies.measurements)
    rows.append({translated(QLatin1String(kCopyAt), {copy.resultCopy, copy.line}),
                 QStringLiteral("%1 %2").arg(copy.key, copy.description).trimmed(),
                 QStringLiteral("%1 %2").arg(copy.value, copy.unit).trimmed(),
                 verdictWords(copyVerdict(copy))});
  return rows;
}

QString storedCopiesHeading() {
  return translated(QLatin1String(kHeading));
}

}  // namespace host
