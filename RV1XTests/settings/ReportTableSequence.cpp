#include "settings/ReportTableSequence.h"

#include "report/HostReport.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"

namespace orvanRV1Xtst::reporttable {

namespace {
constexpr rt::Long kTableFontSize = 7;
constexpr rt::Long kHeaderRows = 1;

// Each layout's shape number, the width of its fixed columns, and its
// column codes with %1 for each of its four value columns.
struct Layout {
  Shape shape;
  rt::Long number;
  rt::Long fixedWidth;
  const char* columns;
};

constexpr Layout kLayouts[] = {
    {Shape::NarrowFirstColumn, 7, 2240, "<+560|<2240|>+%1|>+%1|>+%1|>+%1!|<+560;"},
    {Shape::WideFirstColumn, 10, 3360, ">+560|<2240|>+%1|>+%1|>+%1|>+!%1|<+560;"},
    {Shape::ResultTable, 10, 3360, "<+560|<2240|>+%1|>+%1|^+%1|<+!%1|<+560;"},
};

const Layout& layoutOf(Shape shape) {
  for (const Layout& layout : kLayouts)
    if (layout.shape == shape) return layout;
  return kLayouts[0];
}

}  // namespace

rt::Long shapeNumber(Shape shape) {
  return layoutOf(shape).number;
}

QString columnFormat(Shape shape, rt::Long pageWidth) {
  const Layout& layout = layoutOf(shape);
  const QString n = QString::number(rt::intDiv(pageWidth - layout.fixedWidth, 4));
  return QString::fromLatin1(layout.columns).arg(n);
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
