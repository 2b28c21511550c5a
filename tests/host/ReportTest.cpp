// The host's report: the calls it records, its page geometry and metrics,
// tables over page breaks, the drawing surface, and the PDF it writes.

#include <gtest/gtest.h>

#include <QFile>
#include <QFontDatabase>
#include <QTemporaryDir>

#include "RecordingReport.h"
#include "elements/TestElementBase.h"
#include "elements/TestInfo.h"
#include "report/HostReport.h"
#include "report/ReportDocument.h"
#include "report/TablePrinter.h"

namespace {

using host::HostReport;
using host::ReportCanvas;
using testsupport::RecordingCanvasReport;
using testsupport::RecordingReport;
using testsupport::ReportCall;
using testsupport::ReportCalls;

const QString kConfigHeader =
    QStringLiteral("|{\\i\\b Configuration}|{\\i\\b Value}|{\\i\\b Unit};");
const QString kNarrow9760 = QStringLiteral("<+560|<2240|>+1880|>+1880|>+1880|>+1880!|<+560;");

int pdfPages(const QByteArray& pdf) {
  int pages = 0;
  for (qsizetype at = pdf.indexOf("/Type /Page"); at >= 0; at = pdf.indexOf("/Type /Page", at + 1))
    if (pdf.mid(at + 11, 1) != "s") ++pages;
  return pages;
}

QString manyRows(int count) {
  QString rows;
  for (int i = 1; i <= count; ++i) rows += QStringLiteral("|      Row %1|%1|ms;").arg(i);
  return rows;
}

TEST(Report, RecordsEveryCallInOrderWithItsArguments) {
  RecordingReport report;
  report.setPageWidth(9760);
  const QString caption = report.Translate(host::kProduct, QStringLiteral("310::Configuration"));
  const rt::Long width = report.PageWidth(7);
  report.TableFontSize(7);
  report.TableGrid(false);
  report.TableHeaderRows(1);
  report.AddTable(kNarrow9760, kConfigHeader, QStringLiteral("|      Load|50 Ohm|;"), 0, 0, 0);
  report.Font()->SetBold(true);
  (void)report.CurrentY();
  report.Line(1, 2, 3, 4);

  EXPECT_EQ(caption, QStringLiteral("Configuration"));
  EXPECT_EQ(width, 9760);
  EXPECT_EQ(report.callNames(),
            (QStringList{"Translate", "PageWidth", "TableFontSize", "TableGrid", "TableHeaderRows",
                         "AddTable", "Font", "Font.Bold", "CurrentY", "Line"}));
  const QList<ReportCall>& calls = report.calls();
  EXPECT_EQ(calls[0].args,
            (QVariantList{host::kProduct, QStringLiteral("310::Configuration"), QVariantList()}));
  EXPECT_EQ(calls[1].args, QVariantList{7});
  EXPECT_EQ(calls[3].args, QVariantList{false});
  EXPECT_EQ(calls[5].args, (QVariantList{kNarrow9760, kConfigHeader,
                                         QStringLiteral("|      Load|50 Ohm|;"), 0, 0, 0}));
  EXPECT_EQ(calls[7].args, QVariantList{true});
  EXPECT_EQ(calls[9].args, (QVariantList{1, 2, 3, 4}));
}

TEST(Report, OutputKindOptionFlagsAndPageWidthAreTheHostsToSet) {
  RecordingReport report;
  EXPECT_EQ(report.PageWidth(7), report.PrintableRight(true) - report.PrintableLeft(true));
  EXPECT_EQ(report.PageWidth(10), report.PageWidth(7));
  EXPECT_GT(report.PrintableLeft(true), 0);
  EXPECT_EQ(report.PrintableLeft(false), 0);
  EXPECT_GT(report.PrintableBottom(false), report.PrintableBottom(true));
  for (rt::Long width : {9760, 2239, 2000, 0, -5}) {
    report.setPageWidth(width);
    EXPECT_EQ(report.PageWidth(10), width);
  }
  EXPECT_EQ(report.OutputKind(), 0);
  EXPECT_EQ(report.OptionFlags(), 0);
  report.setOutputKind(3);
  report.setOptionFlags(16 | 8);
  EXPECT_EQ(report.OutputKind(), 3);
  EXPECT_EQ(report.OptionFlags(), 24);
}

TEST(Report, OnlyTheCanvasReportOffersADrawingSurface) {
  host::HostReportPtr plain = std::make_shared<RecordingReport>();
  EXPECT_FALSE(com::queryInterface<ReportCanvas>(plain));

  auto printed = std::make_shared<RecordingCanvasReport>();
  host::HostReportPtr asReport = printed;
  std::shared_ptr<ReportCanvas> canvas = com::queryInterface<ReportCanvas>(asReport);
  ASSERT_TRUE(canvas);
  canvas->SetFillStyle(0);
  canvas->SetFillColor(0xC0C0C0);
  canvas->FilledRectangle(100, 200, 300, 400, 0, 0);
  const rt::Long before = canvas->Rotation();
  canvas->SetRotation(900);
  canvas->TextBox(QStringLiteral("Peak I [A]"), 10, 20, 30, 200, true, 0, 0);
  canvas->SetRotation(before);
  canvas->Line(5, 6, 7, 8);
  canvas->SetCurrentY(4000);

  EXPECT_EQ(before, 0);
  EXPECT_EQ(asReport->CurrentY(), 4000);
  EXPECT_EQ(printed->callNames(), (QStringList{"SetFillStyle", "SetFillColor", "FilledRectangle",
                                               "Rotation", "SetRotation", "TextBox", "SetRotation",
                                               "Line", "SetCurrentY", "CurrentY"}));
  EXPECT_EQ(printed->calls()[2].args, (QVariantList{100, 200, 300, 400, 0, 0}));
  EXPECT_EQ(printed->calls()[5].args,
            (QVariantList{QStringLiteral("Peak I [A]"), 10, 20, 30, 200, true, 0, 0}));
}

TEST(Report, MeasuresTextWithTheCurrentFontInTwips) {
  ASSERT_FALSE(QFontDatabase::families().isEmpty()) << "no font to measure with";
  RecordingReport report;
  auto font = report.Font();
  font->SetName(QStringLiteral("Arial"));
  font->SetSize(7);
  const rt::Long two = report.TextWidth(QStringLiteral("00"));
  const rt::Long four = report.TextWidth(QStringLiteral("0000"));
  const rt::Long line = report.TextHeight(QStringLiteral("0"));
  // A 7-point line is about 7 / 72 inch high, some 140 to 200 twips.
  EXPECT_GT(line, 120);
  EXPECT_LT(line, 220);
  EXPECT_NEAR(four, 2 * two, 2);
  EXPECT_NEAR(report.TextHeight(QStringLiteral("0\n0")), 2 * line, 2);
  EXPECT_EQ(report.TextWidth(QString()), 0);
  EXPECT_NEAR(report.TextHeight(QString()), line, 2);
  // Bold is measured with the bold face. Digits will not show it: in
  // Helvetica's metrics, which many fonts standing in for "Arial" share,
  // bold and regular digits are equally wide. A lower-case "m" is wider in
  // bold in every common sans face.
  const rt::Long regularM = report.TextWidth(QStringLiteral("mmmm"));
  font->SetBold(true);
  EXPECT_GT(report.TextWidth(QStringLiteral("mmmm")), regularM);
  font->SetBold(false);
  font->SetSize(14);
  EXPECT_NEAR(report.TextWidth(QStringLiteral("0000")), 2 * four, 8);
}

TEST(Report, TablesAndTextsMoveThePositionDownAndOntoNewPages) {
  RecordingReport report;
  report.setPageWidth(9760);
  const rt::Long top = report.CurrentY();
  report.TableFontSize(7);
  report.TableGrid(false);
  report.TableHeaderRows(1);
  report.AddTable(kNarrow9760, kConfigHeader, QStringLiteral("|      Load|50 Ohm|;"), 0, 0, 0);
  const rt::Long afterTable = report.CurrentY();
  EXPECT_GT(afterTable, top + 300);  // header and one row
  report.Text(QStringLiteral("A line of text."));
  EXPECT_GT(report.CurrentY(), afterTable);
  EXPECT_EQ(report.pageCount(), 1);

  report.AddTable(kNarrow9760, kConfigHeader, manyRows(150), 0, 0, 0);
  EXPECT_EQ(report.pageCount(), 3);
  report.NewPage();
  EXPECT_EQ(report.pageCount(), 4);
  EXPECT_EQ(report.CurrentY(), top);

  // Text that does not fit the rest of the page starts the next one.
  report.SetCurrentY(report.PrintableBottom(true) - 10);
  report.Text(QStringLiteral("Overflow"));
  EXPECT_EQ(report.pageCount(), 5);
  EXPECT_LT(report.CurrentY(), top + 400);
}

// The shock advisory's heading once stood at the foot of a page with its
// section on the next: a heading goes over with its section unless the
// section's first lines fit under it.
TEST(Report, ATestsHeadingNeverStandsAloneAtThePageFoot) {
  auto info = std::make_shared<host::TestInfo>();
  info->SetName(QStringLiteral("Shock advisory test"));
  info->SetTypeAndParameter(QStringLiteral("Shock advisory"), QStringLiteral("AED"));
  const struct {
    const char* room;
    rt::Long twips;
    int pages;
  } cases[] = {
      {"for the name alone", 300, 2},
      {"for the heading, not its section", 700, 2},
      {"for the heading and the section's first lines", 2000, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.room);
    RecordingReport report;
    report.Text(QStringLiteral("The section before."));
    report.SetCurrentY(report.PrintableBottom(true) - c.twips);
    host::printTestHeading(report, info, 700);
    EXPECT_EQ(report.pageCount(), c.pages);
    report.Text(QStringLiteral("The first line of the section."));
    EXPECT_EQ(report.pageCount(), c.pages) << "the section starts on its heading's page";
  }
  // At the top of a page nothing moves, however little room the page has.
  RecordingReport top;
  host::printTestHeading(top, info, 700);
  EXPECT_EQ(top.pageCount(), 1);
}

TEST(Report, MalformedTablesPrintSomethingAndNeverCrash) {
  struct Case {
    const char* name;
    QString format, header, rows;
    bool prints;
  };
  const QList<Case> cases{
      {"no semicolons", "<560|>1000", "|{\\b A}|B", "|a|b", true},
      {"more cells than columns", "<560|>1000;", kConfigHeader, "|a|b|c|d|e|f|g;", true},
      {"unbalanced braces", kNarrow9760, "|{\\i\\b Open|Closed}};", "|{{{x|}y;", true},
      {"negative and zero widths", "<-60|>0|^-99999;", kConfigHeader, "|a|b|c;", true},
      {"empty format", "", kConfigHeader, "|a|b;", true},
      {"huge widths", "<2147483647|>99999999999999;", kConfigHeader, "|a|b;", true},
      {"header only", kNarrow9760, kConfigHeader, "", true},
      {"nothing at all", "", "", "", false},
      {"only separators", ";;;", ";;", ";\n;", false},
  };
  for (const Case& c : cases) {
    RecordingReport report;
    const rt::Long before = report.CurrentY();
    report.AddTable(c.format, c.header, c.rows, 0, 0, 0);
    report.finish();
    EXPECT_EQ(report.CurrentY() > before, c.prints) << c.name;
    EXPECT_EQ(report.pageCount(), 1) << c.name;
    EXPECT_TRUE(report.pdfData().startsWith("%PDF-")) << c.name;
  }
}

TEST(ReportTablePrinter, BreaksLongTablesAcrossPagesAndRepeatsTheHeader) {
  host::report::ReportDocument document{QString()};
  const host::report::TableSettings settings;  // 7 points, no grid, one header row
  const QRect page = document.printable();
  const double bottom = page.y() + page.height();
  const host::report::PlacedTable placed = host::report::printTable(
      document, settings, {kNarrow9760, kConfigHeader, manyRows(150)}, 9760, page.x(), page.y());

  ASSERT_EQ(document.pageCount(), 3);
  int body = 0;
  for (int p = 1; p <= 3; ++p) {
    QList<host::report::PlacedRow> rows;
    for (const auto& row : placed.rows)
      if (row.page == p) rows.append(row);
    ASSERT_FALSE(rows.isEmpty());
    EXPECT_TRUE(rows.first().header) << "page " << p;
    EXPECT_EQ(rows.first().top, page.y());
    for (qsizetype i = 1; i < rows.size(); ++i) {
      EXPECT_FALSE(rows[i].header);
      EXPECT_EQ(rows[i].index, body++) << "body rows follow each other over the pages";
      EXPECT_DOUBLE_EQ(rows[i].top, rows[i - 1].top + rows[i - 1].height);
      EXPECT_LE(rows[i].top + rows[i].height, bottom);
    }
  }
  EXPECT_EQ(body, 150);
  EXPECT_DOUBLE_EQ(placed.bottom, placed.rows.last().top + placed.rows.last().height);
}

TEST(ReportTablePrinter, KeepsTheHeaderWithTheFirstRow) {
  host::report::ReportDocument document{QString()};
  const QRect page = document.printable();
  const double nearBottom = page.y() + page.height() - 300;  // room for the header alone
  const host::report::PlacedTable placed = host::report::printTable(
      document, {}, {kNarrow9760, kConfigHeader, manyRows(2)}, 9760, page.x(), nearBottom);
  ASSERT_EQ(placed.rows.size(), 3);
  EXPECT_EQ(placed.rows[0].page, 2);
  EXPECT_EQ(placed.rows[0].top, page.y());

  // Without header rows to repeat, a continued table goes on with its rows.
  host::report::TableSettings noRepeat;
  noRepeat.headerRows = 0;
  const host::report::PlacedTable continued = host::report::printTable(
      document, noRepeat, {kNarrow9760, kConfigHeader, manyRows(150)}, 9760, page.x(), page.y());
  int headers = 0;
  for (const auto& row : continued.rows) headers += row.header;
  EXPECT_EQ(headers, 1);
}

TEST(Report, WritesAPdfFileWithItsPages) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("report.pdf"));
  {
    RecordingCanvasReport report(file);
    report.Text(QStringLiteral("First page"));
    report.NewPage();
    report.Text(QStringLiteral("Second page"));
    report.NewPage();
    report.Line(1000, 1000, 5000, 5000);
    report.finish();
    EXPECT_TRUE(report.fileWritten());
    EXPECT_EQ(report.pageCount(), 3);
    // After the end calls are still recorded; nothing more is drawn.
    report.NewPage();
    report.Text(QStringLiteral("late"));
    EXPECT_EQ(report.pageCount(), 3);
    EXPECT_EQ(report.callNames().last(), QStringLiteral("Text"));
  }
  QFile pdf(file);
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  const QByteArray bytes = pdf.readAll();
  EXPECT_TRUE(bytes.startsWith("%PDF-"));
  EXPECT_EQ(pdfPages(bytes), 3);
}

TEST(Report, RendersIntoMemoryWithoutAFileOrWhenTheFileCannotBeWritten) {
  RecordingReport inMemory;
  inMemory.NewPage();
  inMemory.finish();
  EXPECT_EQ(pdfPages(inMemory.pdfData()), 2);

  RecordingReport unwritable(QStringLiteral("/nonexistent/folder/report.pdf"));
  EXPECT_FALSE(unwritable.fileWritten());
  unwritable.Text(QStringLiteral("still laid out"));
  unwritable.finish();
  EXPECT_EQ(pdfPages(unwritable.pdfData()), 1);
}

TEST(Report, TheFontOutlivesItsReportSafely) {
  host::ReportFontPtr font;
  {
    RecordingReport report;
    font = report.Font();
  }
  font->SetBold(true);  // no report left to record it
  EXPECT_TRUE(font->Bold());
}

}  // namespace

namespace {

TEST(Report, EachPageEndsWithItsFootAskedForWithTheSameNumberAsThePageCount) {
  RecordingReport report;
  QList<int> asked;
  QList<int> counts;
  report.setPageFoot([&asked, &counts](int page, int pages) {
    asked.append(page);
    counts.append(pages);
    return host::PageFoot{QStringLiteral("D200-0815"), QStringLiteral("page %1").arg(page)};
  });
  report.Text(QStringLiteral("first"));
  report.NewPage();
  // A table that runs over its page starts the third from inside the table.
  QString rows;
  for (int i = 0; i < 120; ++i) rows += QStringLiteral("|row %1|x;").arg(i);
  report.AddTable(kNarrow9760, kConfigHeader, rows, 0, 0, 0);
  report.finish();
  ASSERT_GE(report.pageCount(), 3);
  QList<int> pages;
  for (int page = 1; page <= report.pageCount(); ++page) pages.append(page);
  EXPECT_EQ(asked, pages);
  EXPECT_EQ(counts, QList<int>(report.pageCount(), report.pageCount()))
      << "each foot knows the number of pages";
  // The foot is drawn, not a call of the report.
  EXPECT_FALSE(report.callNames().contains(QStringLiteral("PageFoot")));
  EXPECT_EQ(pdfPages(report.pdfData()), report.pageCount());
}

TEST(Report, AFootTooLongForItsLineStopsShortOfThePageNumber) {
  const QFontMetricsF metrics(QFont(QStringLiteral("DejaVu Sans"), 8));
  const QString page = QStringLiteral("page 1 of 4");
  const double width = metrics.horizontalAdvance(QString(60, u'x'));
  const QString serial = QStringLiteral("Serial number: D200-0815");
  EXPECT_EQ(host::footLeftText({serial, page}, metrics, width), serial);
  EXPECT_EQ(host::footLeftText({serial, QString()}, metrics, width), serial);

  const QString longSerial = QStringLiteral("Serial number: ") + QString(80, u'7');
  const QString drawn = host::footLeftText({longSerial, page}, metrics, width);
  EXPECT_TRUE(drawn.startsWith(QStringLiteral("Serial number: 777"))) << qPrintable(drawn);
  EXPECT_TRUE(drawn.endsWith(QChar(0x2026))) << qPrintable(drawn);
  EXPECT_LT(metrics.horizontalAdvance(drawn) + metrics.horizontalAdvance(page), width);
}

}  // namespace
