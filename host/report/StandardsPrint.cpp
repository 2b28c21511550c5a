// How a standards collection prints itself: for each standard a bold heading
// with its names, then one table row per measurement of the measurement
// table (MeasurementTable.h), in its order, followed by the standard's limits
// that no row names:
//
//   Measurement | Low limit | High limit | Value | Unit | Verdict
//
// A bound that is not enabled prints empty. A relative bound prints as the
// value it takes for the measurement's preset, or as its formula ("X + 15 %",
// "X - 1.5") when there is no preset. Value and bounds take the row's
// display pattern. The verdict is the standard's check of the value against
// its limits of that key; a row without a value or without enabled limits
// has none.

#include <cmath>

#include "limits/Limit.h"
#include "limits/Standard.h"
#include "limits/StandardsCollection.h"
#include "report/HostReport.h"
#include "report/MeasurementTable.h"
#include "report/ReportMarkup.h"
#include "report/VerdictRounding.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "runtime/NumberDisplay.h"
#include "typelib/IMeasurement.h"

namespace host {

namespace {

const QString kIndent = QStringLiteral("      ");

struct Captions {
  QString measurement, low, high, value, unit, verdict, passed, failed;
};

Captions translateCaptions(HostReport& report) {
  auto t = [&report](const char* key) { return report.Translate(kProduct, QLatin1String(key)); };
  return Captions{t("230::Measurement"), t("233::Low limit"), t("232::High limit"),
                  t("231::Value"),       t("234::Unit"),      t("235::Verdict"),
                  t("236::Passed"),      t("237::Failed")};
}

struct FontFields {
  QString name;
  double size = 0;
  bool bold = false;
  bool italic = false;

  static FontFields of(const ReportFont& font) {
    return {font.Name(), font.Size(), font.Bold(), font.Italic()};
  }
  void applyTo(ReportFont& font) const {
    font.SetName(name);
    font.SetSize(size);
    font.SetBold(bold);
    font.SetItalic(italic);
  }
};

// The heading's font: the report's own face and size, bold.
const FontFields kHeadingFont{QStringLiteral("Arial"), 10, true, false};

QString heading(Standard& standard) {
  const QString alpha = standard.AlphaName();
  const QString complete = standard.CompleteName();
  if (complete.isEmpty()) return alpha;
  if (alpha.isEmpty() || alpha.compare(complete, Qt::CaseInsensitive) == 0) return complete;
  // A complete name that already cites its short name would print it twice.
  if (complete.contains(QStringLiteral("(%1)").arg(alpha), Qt::CaseInsensitive)) return complete;
  return QStringLiteral("%1 (%2)").arg(complete, alpha);
}

QString number(double value, const QString& pattern) {
  return pattern.isEmpty() ? rt::cstr(value) : rt::formatNumber(value, pattern);
}

// "X + 15 %", "X - 1.5", "X - max(15 %, 3 J)": a relative bound without a
// preset to apply it to.
QString formula(const QString& op, double y, double z, const QString& unit,
                const QString& pattern) {
  const QString sign = y < 0 ? QStringLiteral("-") : QStringLiteral("+");
  const QString amount = number(std::fabs(y), pattern);
  if (op == QLatin1String("X+Y")) return QStringLiteral("X %1 %2").arg(sign, amount);
  if (op == kGreaterToleranceOperator) {
    const QString absolute = (number(std::fabs(z), pattern) + u' ' + unit).trimmed();
    return QStringLiteral("X %1 max(%2 %, %3)").arg(sign, amount, absolute);
  }
  return QStringLiteral("X %1 %2 %").arg(sign, amount);
}

// The number of an enabled bound for the row, none for one not enabled or
// relative without a preset.
std::optional<rt::Single> boundValue(Limit& limit, rt::Integer index,
                                     const std::optional<rt::Single>& preset) {
  return rt::orDefault(
      [&]() -> std::optional<rt::Single> {
        if (!limit.Enabled(index)) return std::nullopt;
        const QString op = limit.Operator(0);
        const bool relative = !op.isEmpty() && op != QLatin1String("Y");
        if (!relative) return limit.Value(index);
        if (preset) return limit.ValueForPreset(*preset, index);
        return std::nullopt;
      },
      std::optional<rt::Single>());
}

// A relative bound without a preset to apply it to prints as its formula.
QString formulaText(Limit& limit, rt::Integer index, const QString& pattern) {
  return rt::orDefault(
      [&]() -> QString {
        if (!limit.Enabled(index)) return QString();
        const QString op = limit.Operator(0);
        if (op.isEmpty() || op == QLatin1String("Y")) return QString();
        return formula(op, limit.Value(index), limit.Absolute(index), limit.Unit(), pattern);
      },
      QString());
}

struct Reading {
  QVariant value;
  QVariant preset;
  QString unit;
};

Reading read(const IMeasurementPtr& measurement) {
  Reading reading;
  if (!measurement) return reading;
  rt::ignoreErrorsEach([&] { reading.value = measurement->Value(); },
                       [&] { reading.preset = measurement->PresetValue(); },
                       [&] { reading.unit = measurement->Unit(); });
  return reading;
}

std::optional<rt::Single> numeric(const QVariant& value) {
  if (rt::isEmpty(value)) return std::nullopt;
  return rt::orDefault([&]() -> std::optional<rt::Single> { return rt::toSingle(value); },
                       std::optional<rt::Single>());
}

QString limitRow(Standard& standard, const Captions& captions, const QString& key,
                 const QString& caption, const QString& pattern, const Reading& reading) {
  const LimitPtr limit = rt::orDefault([&] { return standard.FindLimit(key); }, LimitPtr());
  const std::optional<rt::Single> value = numeric(reading.value);
  const std::optional<rt::Single> preset = numeric(reading.preset);
  std::optional<rt::Single> low, high;
  if (limit) {
    low = boundValue(*limit, limitindex::Low, preset);
    high = boundValue(*limit, limitindex::High, preset);
  }
  JudgedTexts texts = judgedTexts(reading.value, low, high, pattern);
  if (limit && !low) texts.low = formulaText(*limit, limitindex::Low, pattern);
  if (limit && !high) texts.high = formulaText(*limit, limitindex::High, pattern);
  QString verdict;
  if (value) {
    const rt::Long status = rt::orDefault(
        [&] { return standard.Check(key, *value, reading.preset); }, checkstatus::NotChecked);
    if (status == checkstatus::Passed) verdict = captions.passed;
    if (status == checkstatus::Failed) verdict = captions.failed;
  }
  return report::quotedRow({kIndent + caption, texts.low, texts.high, texts.value,
                            limit ? limit->Unit() : reading.unit, verdict});
}

void printStandard(HostReport& report, Standard& standard, const Captions& captions,
                   const QList<MeasurementRow>& table) {
  QString rows;
  QStringList keys;
  for (const MeasurementRow& entry : table) {
    keys.append(entry.key);
    rows += limitRow(standard, captions, entry.key, entry.caption, entry.pattern,
                     read(entry.measurement));
  }
  for (const LimitPtr& limit : standard.Limits()) {
    if (keys.contains(limit->Key(), Qt::CaseInsensitive)) continue;
    rows += limitRow(standard, captions, limit->Key(), limit->Key(), QString(), Reading{});
  }

  QString format;
  QString header;
  rt::Long opening = 0;
  if (!rows.isEmpty()) {
    const rt::Long n = (report.PageWidth(10) - 3360) / 5;
    format = QStringLiteral("<+560|<2240|>+%1|>+%1|>+%1|^+%1|^+%1|<+560;").arg(n);
    for (const QString& caption : {captions.measurement, captions.low, captions.high,
                                   captions.value, captions.unit, captions.verdict})
      header += QStringLiteral("|{\\i\\b %1}").arg(report::quotedText(caption));
    header += u';';
    report.TableFontSize(7);
    report.TableGrid(false);
    report.TableHeaderRows(1);
    opening = report.tableOpeningHeight(format, header, rows);
  }

  // The heading has a font of its own, whatever the caller left set, and
  // stays on the page of its table's header and first row.
  ReportFontPtr font = report.Font();
  const FontFields callers = FontFields::of(*font);
  kHeadingFont.applyTo(*font);
  const QString text = heading(standard);
  report.keepTogether(report.TextHeight(text) + opening);
  report.SetTextAlignment(0);
  report.Text(text);
  callers.applyTo(*font);
  if (!rows.isEmpty()) report.AddTable(format, header, rows, 0, 0, 0);
}

}  // namespace

void StandardsCollection::Print(const HostReportPtr& report, const StandardsCollectionPtr& selected,
                                const QVariant& measurementTable) {
  HostReport& out = com::must(report);
  const QList<MeasurementRow> table = readMeasurementTable(measurementTable);
  std::optional<Captions> captions;
  for (const StandardPtr& standard : standards_) {
    if (selected && !selected->Find(0, standard->AlphaName(), standard->CompleteName())) continue;
    if (!captions) captions = translateCaptions(out);
    printStandard(out, *standard, *captions, table);
  }
}

}  // namespace host
