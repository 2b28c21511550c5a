// A sample report with every kind of output the system prints: the tables of
// the configurations and results in three page widths, a long table over a
// page break, text, and a chart frame drawn on the canvas. Set
// RV1X_REPORT_SAMPLE to a file name to keep the PDF for a look.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <cmath>

#include "limits/Limit.h"
#include "limits/Standard.h"
#include "limits/StandardsCollection.h"
#include "report/HostReport.h"

namespace {

using host::CanvasReport;

const QString kConfigHeader =
    QStringLiteral("|{\\i\\b Configuration}|{\\i\\b Value}|{\\i\\b Unit};");
const QString kResultHeader =
    QStringLiteral("|{\\i\\b Result:}|{\\i\\b Preset Value}|{\\i\\b Value}|{\\i\\b Unit};");

void table(CanvasReport& report, const QString& format, const QString& header,
           const QString& rows) {
  report.TableFontSize(7);
  report.TableGrid(false);
  report.TableHeaderRows(1);
  report.AddTable(format, header, rows, 0, 0, 0);
}

QString narrow(rt::Long w) {
  const rt::Long n = (w - 2240) / 4;
  return QStringLiteral("<+560|<2240|>+%1|>+%1|>+%1|>+%1!|<+560;").arg(n);
}
QString wide(rt::Long w) {
  const rt::Long n = (w - 3360) / 4;
  return QStringLiteral(">+560|<2240|>+%1|>+%1|>+%1|>+!%1|<+560;").arg(n);
}
QString result(rt::Long w) {
  const rt::Long n = (w - 3360) / 4;
  return QStringLiteral("<+560|<2240|>+%1|>+%1|^+%1|<+!%1|<+560;").arg(n);
}

const QString kConfigRows = QStringLiteral(
    "|      Load|50 Ohm|;|      Trigger wave|Square wave 40 ms|;|      Preset energy|200|J;");
const QString kResultRows =
    QStringLiteral("|      Energy|200.0|198.7|J;|      Delay||12.0|ms;|      Peak I||43.1|A;");

// The chart frame as the discharge curve draws it.
void chart(CanvasReport& report) {
  const rt::Long y0 = report.CurrentY();
  if (y0 + 3920 > report.PrintableBottom(true)) report.NewPage();
  const rt::Long l = report.PrintableLeft(true), r = report.PrintableRight(true);
  const rt::Long y = report.CurrentY();
  const rt::Long left = l + 560, right = r - 1120, top = y + 280, bottom = top + 3360;
  report.SetFillStyle(0);
  report.SetFillColor(0xC0C0C0);
  report.FilledRectangle(left + 70, top + 70, right + 70, bottom + 70, 0, 0);
  report.SetFillColor(0xFFFFFF);
  report.FilledRectangle(left, top, right, bottom, 0, 0);
  auto font = report.Font();
  font->SetName(QStringLiteral("Arial"));
  font->SetBold(true);
  font->SetItalic(false);
  font->SetSize(8);
  report.SetTextAlignment(1);
  report.TextBox(QStringLiteral("Discharge waveform"), left + 140, top + 140, right - (left + 140),
                 top + 560, true, 0, 0);
  const rt::Long pl = left + 980, pt = top + 560, pr = right - 560, pb = bottom - 700;
  font->SetSize(7);
  report.TextBox(QStringLiteral("Time [ms]"), pl, pb + 400, pr - pl, 200, true, 0, 0);
  font->SetBold(false);
  report.Line(pl, pb, pr, pb);
  const rt::Long h = report.TextWidth(QStringLiteral("00:00:00"));
  for (int i = 0; i <= 10; ++i) {
    const rt::Long px = pl + (pr - pl) * i / 10;
    report.TextBox(QString::number(i * 1.5, 'f', 1), px - h, pb + 150, 2 * h, 200, true, 0, 0);
    report.Line(px, pb - 60, px, pb + 60);
  }
  report.Line(pl, pt, pl, pb);
  font->SetBold(true);
  report.SetTextAlignment(0);
  const QString title = QStringLiteral("Peak I [A]");
  const rt::Long tw = report.TextWidth(title);
  const rt::Long rotation = report.Rotation();
  report.SetRotation(900);
  report.TextBox(title, pl - 900, pt + ((pb - pt) + tw + 200) / 2, tw + 200, 200, true, 0, 0);
  report.SetRotation(rotation);
  font->SetBold(false);
  report.SetTextAlignment(2);
  const rt::Long h0 = report.TextHeight(QStringLiteral("0"));
  for (int i = 0; i <= 5; ++i) {
    const rt::Long py = pb - (pb - pt) * i / 5;
    report.Line(pl - 60, py, pl + 60, py);
    report.TextBox(QString::number(i * 10), pl - 750, py - h0 / 2, 550, 200, true, 0, 0);
  }
  rt::Long px0 = 0, py0 = 0;
  for (int i = 0; i <= 200; ++i) {
    const double t = i / 200.0;
    const rt::Long px = pl + static_cast<rt::Long>((pr - pl) * t);
    const rt::Long py =
        pb - static_cast<rt::Long>((pb - pt) * 0.9 * std::exp(-t * 4) * std::sin(t * 9 + 0.3));
    if (px0) report.Line(px0, py0, px, py);
    px0 = px;
    py0 = py;
  }
  report.SetCurrentY(pb + 700);
}

host::StandardsCollectionPtr standards() {
  auto collection = std::make_shared<host::StandardsCollection>();
  auto standard = std::make_shared<host::Standard>();
  standard->Init(QStringLiteral("IEC"), QStringLiteral("IEC 60601-2-4"), 1);
  auto energy = std::make_shared<host::Limit>();
  energy->Init(QStringLiteral("ENGY"), QStringLiteral("J"), QString(), QString());
  energy->SetOperator(0, QStringLiteral("X+(X*Y%)"));
  energy->SetValue(0, 15);
  energy->SetEnabled(0, true);
  energy->SetValue(1, -15);
  energy->SetEnabled(1, true);
  standard->AddLimit(energy);
  collection->Add(standard);
  return collection;
}

TEST(ReportSample, PrintsEveryKindOfOutputIntoAPdf) {
  QTemporaryDir dir;
  const QString kept = qEnvironmentVariable("RV1X_REPORT_SAMPLE");
  const QString file = kept.isEmpty() ? dir.filePath(QStringLiteral("sample.pdf")) : kept;
  {
    CanvasReport report(file);
    report.Font()->SetBold(true);
    report.Text(QStringLiteral("Sample report"));
    report.Font()->SetBold(false);
    for (rt::Long w : {9760, 2239, 2000}) {
      report.setPageWidth(w);
      report.Text(QStringLiteral("Page width %1").arg(w));
      table(report, narrow(w), kConfigHeader, kConfigRows);
      table(report, wide(w), kConfigHeader, kConfigRows);
      table(report, result(w), kResultHeader, kResultRows);
    }
    report.setPageWidth(report.PrintableRight(true) - report.PrintableLeft(true));
    report.Text(
        QStringLiteral("A long paragraph of text that runs over more than one line of the "
                       "printed page, so that its lines break at the printable width and "
                       "the position moves below the last of them."));
    chart(report);
    QString many;
    for (int i = 1; i <= 120; ++i)
      many += QStringLiteral("|      Step %1|%2|%3|s;").arg(i).arg(i * 3).arg(i * 0.5);
    table(report, result(9760), kResultHeader, many);
    report.Text(QStringLiteral("After the long table."));
    standards()->Print(std::shared_ptr<CanvasReport>(&report, [](CanvasReport*) {}), nullptr,
                       QVariantList());
    chart(report);
    report.finish();
    EXPECT_TRUE(report.fileWritten());
    EXPECT_GE(report.pageCount(), 3);
  }
  QFile pdf(file);
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.readAll().startsWith("%PDF-"));
}

}  // namespace
