#include "sequence/SequenceExport.h"

#include "limits/Limit.h"
#include "limits/Standard.h"
#include "limits/StandardsCollection.h"
#include "records/RunObjects.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "runtime/NumberDisplay.h"
#include "runtime/WholeFile.h"
#include "sequence/SequenceDocument.h"
#include "sequence/StoredCopies.h"
#include "sequence/TestVerdict.h"
#include "typelib/IMeasurement.h"
#include "typelib/IResultData.h"
#include "typelib/ITestElement.h"
#include "xml/XmlDocument.h"

namespace host {

namespace {

const QString kSource = QStringLiteral("SequenceExport");

// The columns in their order; a number column holds numbers only where
// there is one to write.
struct Column {
  const char* caption;
  bool number;
};
constexpr Column kColumns[] = {{"Device model", false},
                               {"Device serial number", false},
                               {"Asset number", false},
                               {"Technician", false},
                               {"Date", false},
                               {"Test ID", true},
                               {"Test name", false},
                               {"Measurement key", false},
                               {"Measurement name", false},
                               {"Value", true},
                               {"Unit", false},
                               {"Low limit", true},
                               {"High limit", true},
                               {"Measurement verdict", false},
                               {"Test verdict", false},
                               {"Analyzer type", false},
                               {"Analyzer serial number", false},
                               {"Simulated", false},
                               {"Verdict by", false}};

// A spreadsheet takes a cell that starts with one of these for a formula.
bool startsLikeAFormula(const QString& text) {
  static const QString kFormulaStarts = QStringLiteral("=+-@\t\r");
  return !text.isEmpty() && kFormulaStarts.contains(text.front());
}

// The text as a spreadsheet shows it: one that would start a formula gets
// a leading apostrophe, unless it is a number in a number column.
QString spreadsheetSafe(const QString& text, bool numberColumn) {
  if (!startsLikeAFormula(text)) return text;
  if (numberColumn) {
    bool isNumber = false;
    text.toDouble(&isNumber);
    if (isNumber) return text;
  }
  return u'\'' + text;
}

// The field as a cell of the line: quoted where it holds what separates
// cells or lines.
void appendField(QString& csv, const QString& text) {
  if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\r') &&
      !text.contains(u'\n')) {
    csv += text;
    return;
  }
  QString quoted = text;
  quoted.replace(u'"', QStringLiteral("\"\""));
  csv += u'"';
  csv += quoted;
  csv += u'"';
}

// The fields as the next line, each cell written straight into the text.
void appendLine(QString& csv, const QStringList& fields) {
  for (qsizetype i = 0; i < fields.size(); ++i) {
    const bool number = i < qsizetype(std::size(kColumns)) && kColumns[i].number;
    if (i > 0) csv += u',';
    appendField(csv, spreadsheetSafe(fields.at(i), number));
  }
  csv += u"\r\n";
}

// A stored value as a program reads it: numbers with ".", flags "True" or
// "False", texts as they are.
QString valueText(const QVariant& value) {
  if (rt::isEmpty(value)) return QString();
  if (value.typeId() == QMetaType::QString) return value.toString();
  return rt::orDefault([&] { return rt::numberText(value); }, value.toString());
}

std::optional<rt::Single> numeric(const QVariant& value) {
  if (rt::isEmpty(value)) return std::nullopt;
  return rt::orDefault([&]() -> std::optional<rt::Single> { return rt::toSingle(value); },
                       std::optional<rt::Single>());
}

// One bound of the first judging standard that limits the key: empty when
// it is not enabled, or relative and the measurement has no preset.
QString bound(const StandardsCollectionPtr& standards, const QString& key,
              const QVariant& presetValue, rt::Integer index) {
  return rt::orDefault(
      [&]() -> QString {
        for (const StandardPtr& standard : *standards) {
          const LimitPtr limit = standard->FindLimit(key);
          if (!limit) continue;
          if (!limit->Enabled(index)) return QString();
          const QString op = limit->Operator(0);
          if (op.isEmpty() || op == QLatin1String("Y")) return rt::numberText(limit->Value(index));
          const std::optional<rt::Single> preset = numeric(presetValue);
          return preset ? rt::numberText(limit->ValueForPreset(*preset, index)) : QString();
        }
        return QString();
      },
      QString());
}

struct Analyzer {
  QString type;
  QString serialNumber;
};

// The analyzer that measured the element's result, as the document knows it.
Analyzer analyzerOf(const SequenceDocument& sequence, int index) {
  const MtiEntryPtr analyzer = sequence.AnalyzerOf(index);
  if (!analyzer) return {};
  return rt::orDefault(
      [&] {
        return Analyzer{analyzer->MtiType(), analyzer->Serial()};
      },
      Analyzer{});
}

}  // namespace

QByteArray measurementsCsv(const SequenceDocument& sequence) {
  QString csv;
  QStringList header;
  for (const Column& column : kColumns) header.append(QLatin1String(column.caption));
  appendLine(csv, header);
  const SequenceRecord record = sequence.Record();
  const QStringList run{record.device.model, record.device.serialNumber, record.device.assetNumber,
                        record.technician, record.started};
  for (int row = 0; row < sequence.RowCount(); ++row) {
    const int i = sequence.ElementIndexOf(row);
    if (i < 0) {
      // A test the host cannot read stays in the record, never judged.
      const XmlElementPtr stored = sequence.StoredEntry(row);
      const auto attribute = [&](const char* name) {
        return stored ? rt::orDefault([&] { return stored->Attribute(QLatin1String(name)); },
                                      QString())
                      : QString();
      };
      appendLine(csv, run + QStringList{attribute("TestID"), attribute("ClassName"), QString(),
                                        QString(), QString(), QString(), QString(), QString(),
                                        QString(), verdictEnglish(Verdict::NotJudged), QString(),
                                        QString(), QString(), QString()});
      continue;
    }
    const ITestElementPtr element = sequence.Element(i);
    const IResultDataPtr result =
        rt::orDefault([&] { return com::must(element).Result(); }, IResultDataPtr());
    const QString testVerdict = verdictEnglish(verdictOf(sequence, i).verdict);
    const StandardsCollectionPtr standards = sequence.JudgedBy(i);
    const Analyzer analyzer = analyzerOf(sequence, i);
    // Who judged, and on what: the record's marks as stored.
    const ResultMarks marks = sequence.Marks(i);
    const QStringList judged{marks.isSimulated() ? kSimulatedMark : QString(), marks.verdictBy};
    const QStringList test{
        record.device.model,
        record.device.serialNumber,
        record.device.assetNumber,
        record.technician,
        record.started,
        QString::number(rt::orDefault([&] { return element->TestID(); }, rt::Long{0})),
        testName(element)};
    // A part stored twice: every copy as stored, not the one the element kept.
    const StoredCopies copies = storedCopies(sequence, i);
    const rt::Long count =
        result && !copies.twice()
            ? rt::orDefault([&] { return result->MeasurementCount(); }, rt::Long{0})
            : 0;
    int rows = 0;
    for (const StoredMeasurementCopy& copy : copies.measurements) {
      QString limitKey = copy.key;
      QVariant preset;
      if (const IMeasurementPtr held =
              result
                  ? rt::orDefault([&] { return result->Measurement(copy.key); }, IMeasurementPtr())
                  : nullptr)
        rt::ignoreErrorsEach([&] { limitKey = held->LimitKey(); },
                             [&] { preset = held->PresetValue(); });
      if (limitKey.isEmpty()) limitKey = copy.key;
      appendLine(csv, test +
                          QStringList{copy.key, copy.description, copy.value, copy.unit,
                                      bound(standards, limitKey, preset, limitindex::Low),
                                      bound(standards, limitKey, preset, limitindex::High),
                                      verdictEnglish(copyVerdict(copy)), testVerdict, analyzer.type,
                                      analyzer.serialNumber} +
                          judged);
      ++rows;
    }
    for (rt::Long m = 1; m <= count; ++m) {
      const IMeasurementPtr measurement =
          rt::orDefault([&] { return result->Measurement(m); }, IMeasurementPtr());
      if (!measurement) continue;
      QString key, name, unit, limitKey;
      QVariant value, preset;
      rt::ignoreErrorsEach(
          [&] { key = measurement->Key(); }, [&] { name = measurement->Description(); },
          [&] { unit = measurement->Unit(); }, [&] { limitKey = measurement->LimitKey(); },
          [&] { value = measurement->Value(); }, [&] { preset = measurement->PresetValue(); });
      if (limitKey.isEmpty()) limitKey = key;
      appendLine(csv, test +
                          QStringList{key, name, valueText(value), unit,
                                      bound(standards, limitKey, preset, limitindex::Low),
                                      bound(standards, limitKey, preset, limitindex::High),
                                      verdictEnglish(measurementVerdict(measurement)), testVerdict,
                                      analyzer.type, analyzer.serialNumber} +
                          judged);
      ++rows;
    }
    if (rows == 0)
      appendLine(csv,
                 test +
                     QStringList{QString(), QString(), QString(), QString(), QString(), QString(),
                                 QString(), testVerdict, analyzer.type, analyzer.serialNumber} +
                     judged);
  }
  return csv.toUtf8();
}

void exportMeasurements(const SequenceDocument& sequence, const QString& path) {
  rt::writeFileWhole(path, measurementsCsv(sequence), kSource);
}

}  // namespace host
