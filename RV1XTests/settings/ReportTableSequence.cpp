#include "settings/ReportTableSequence.h"

#include "report/HostReport.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"

namespace orvanRV1Xtst::reporttable {

namespace {
constexpr rt::Long kTableFontSize = 7;
constexpr rt::Long kHeaderRows = 1;
}  // namespace

rt::Long shapeNumber(Shape shape) {
  return shape == Shape::WideFirstColumn ? 10 : 7;
}

QString columnFormat(Shape shape, rt::Long pageWidth) {
  if (shape == Shape::WideFirstColumn) {
    const QString n = QString::number(rt::intDiv(pageWidth - 3360, 4));
    return QStringLiteral(">+560|<2240|>+%1|>+%1|>+%1|>+!%1|<+560;").arg(n);
  }
  const QString n = QString::number(rt::intDiv(pageWidth - 2240, 4));
  return QStringLiteral("<+560|<2240|>+%1|>+%1|>+%1|>+%1!|<+560;").arg(n);
}

QString header(const QStringList& captions) {
  QString text;
  for (const QString& caption : captions) text += QStringLiteral("|{\\i\\b ") + caption + u'}';
  return text + u';';
}

QString row(const QStringList& cells) {
  return u'|' + cells.join(u'|') + u';';
}

QString indented(const QString& label) {
  return QStringLiteral("      ") + label;
}

QString translate(host::HostReport& report, const QString& textKey) {
  return rt::orDefault([&] { return report.Translate(host::kProduct, textKey, {}); }, QString());
}

rt::Long pageWidth(host::HostReport& report, rt::Long shapeNumber) {
  return rt::orDefault([&] { return report.PageWidth(shapeNumber); }, rt::Long(0));
}

void addTable(host::HostReport& report, const QString& format, const QString& header,
              const QString& rows) {
  rt::ignoreErrorsEach([&] { report.TableFontSize(kTableFontSize); },
                       [&] { report.TableGrid(false); },
                       [&] { report.TableHeaderRows(kHeaderRows); },
                       [&] { report.AddTable(format, header, rows, 0, 0, 0); });
}

}  // namespace orvanRV1Xtst::reporttable
