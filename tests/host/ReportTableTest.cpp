// The texts of report tables: the format language, the placing of the
// columns in a page width, the rows and cells, and the emphasis markup.

#include <gtest/gtest.h>

#include "report/ReportMarkup.h"
#include "report/ReportTable.h"

namespace {

using namespace host::report;

// The three table formats the configurations and results print with.
QString narrowFormat(rt::Long w) {
  return QStringLiteral("<+560|<2240|>+%1|>+%1|>+%1|>+%1!|<+560;").arg((w - 2240) / 4);
}
QString wideFormat(rt::Long w) {
  return QStringLiteral(">+560|<2240|>+%1|>+%1|>+%1|>+!%1|<+560;").arg((w - 3360) / 4);
}
QString resultFormat(rt::Long w) {
  return QStringLiteral("<+560|<2240|>+%1|>+%1|^+%1|<+!%1|<+560;").arg((w - 3360) / 4);
}

TEST(ReportTableFormat, ReadsAlignmentFlexibilityRuleAndWidthInAnyOrder) {
  const QList<TableColumn> narrow = parseTableFormat(narrowFormat(9760));
  const QList<TableColumn> expected{
      {CellAlignment::Left, true, false, 560},   {CellAlignment::Left, false, false, 2240},
      {CellAlignment::Right, true, false, 1880}, {CellAlignment::Right, true, false, 1880},
      {CellAlignment::Right, true, false, 1880}, {CellAlignment::Right, true, true, 1880},
      {CellAlignment::Left, true, false, 560}};
  EXPECT_EQ(narrow, expected);

  const QList<TableColumn> wide = parseTableFormat(wideFormat(2000));
  ASSERT_EQ(wide.size(), 7);
  EXPECT_EQ(wide[0].alignment, CellAlignment::Right);
  EXPECT_EQ(wide[5], (TableColumn{CellAlignment::Right, true, true, -340}));

  const QList<TableColumn> result = parseTableFormat(resultFormat(9760));
  EXPECT_EQ(result[4], (TableColumn{CellAlignment::Centre, true, false, 1600}));
  EXPECT_EQ(result[5], (TableColumn{CellAlignment::Left, true, true, 1600}));
}

TEST(ReportTableFormat, ToleratesMalformedFormats) {
  EXPECT_TRUE(parseTableFormat(QString()).isEmpty());
  EXPECT_TRUE(parseTableFormat(QStringLiteral(";")).isEmpty());
  // No width, stray characters, a lone minus, text after the end.
  const QList<TableColumn> odd = parseTableFormat(QStringLiteral("<|x>7y|-|99999999999;<5"));
  ASSERT_EQ(odd.size(), 4);
  EXPECT_EQ(odd[0].width, 0);
  EXPECT_EQ(odd[1], (TableColumn{CellAlignment::Right, false, false, 7}));
  EXPECT_EQ(odd[2].width, 0);
  EXPECT_EQ(odd[3].width, 1000000);
  // A format without columns prints one column of the page width.
  EXPECT_EQ(printedColumns({}, 9760),
            (QList<TableColumn>{{CellAlignment::Left, true, false, 9760}}));
}

struct EdgeCase {
  const char* name;
  QString format;
  rt::Long pageWidth;
  QList<rt::Long> edges;
};

TEST(ReportTableLayout, PlacesTheColumnsOfEachFormatInThePageWidth) {
  // 9760: the wide and result formats fill the width exactly; the narrow one
  // is 1120 wider, so its flexible columns give up width in proportion
  // (round(running flexible sum * 7520 / 8640)) while the label column keeps
  // its 2240. Non-positive widths make empty columns and never pull edges back.
  const QList<EdgeCase> cases{
      {"narrow 9760", narrowFormat(9760), 9760, {0, 487, 2727, 4364, 6000, 7636, 9273, 9760}},
      {"wide 9760", wideFormat(9760), 9760, {0, 560, 2800, 4400, 6000, 7600, 9200, 9760}},
      {"result 9760", resultFormat(9760), 9760, {0, 560, 2800, 4400, 6000, 7600, 9200, 9760}},
      {"narrow 2239", narrowFormat(2239), 2239, {0, 0, 2240, 2240, 2240, 2240, 2240, 2240}},
      {"narrow 2000", narrowFormat(2000), 2000, {0, 0, 2240, 2240, 2240, 2240, 2240, 2240}},
      {"wide 2239", wideFormat(2239), 2239, {0, 0, 2240, 2240, 2240, 2240, 2240, 2240}},
      {"result 2000", resultFormat(2000), 2000, {0, 0, 2240, 2240, 2240, 2240, 2240, 2240}},
      {"result 3363", resultFormat(3363), 3363, {0, 560, 2800, 2800, 2800, 2800, 2800, 3360}},
      {"narrow 2000 on a wide page",
       narrowFormat(2000),
       9760,
       {0, 560, 2800, 2800, 2800, 2800, 2800, 3360}},
      {"never widened", QStringLiteral("<+100|>200;"), 9760, {0, 100, 300}},
      {"negative fixed", QStringLiteral("<-500|>+300;"), 100, {0, 0, 100}},
  };
  for (const EdgeCase& c : cases)
    EXPECT_EQ(columnEdges(parseTableFormat(c.format), c.pageWidth), c.edges) << c.name;
}

TEST(ReportTableRows, SplitsRowsAndCellsWithTheLeadingBarOpeningTheFirstCell) {
  const QList<QStringList> rows =
      parseTableRows(QStringLiteral("|      Load|50 Ohm|;|      Preset energy|200|J;"));
  EXPECT_EQ(rows, (QList<QStringList>{{"", "      Load", "50 Ohm", ""},
                                      {"", "      Preset energy", "200", "J"}}));
  const QList<QStringList> header =
      parseTableRows(QStringLiteral("|{\\i\\b Configuration}|{\\i\\b Value}|{\\i\\b Unit};"));
  EXPECT_EQ(
      header,
      (QList<QStringList>{{"", "{\\i\\b Configuration}", "{\\i\\b Value}", "{\\i\\b Unit}"}}));
}

TEST(ReportTableRows, ReadsMalformedTextsSensibly) {
  // The last row without its ";", blank rows, line breaks between rows.
  EXPECT_EQ(parseTableRows(QStringLiteral("|a|b;;  ;\n|c|d")),
            (QList<QStringList>{{"", "a", "b"}, {"", "c", "d"}}));
  // Quoted separators stay in the cell for the markup reader.
  EXPECT_EQ(parseTableRows(QStringLiteral("|a\\|b|c\\;d;")),
            (QList<QStringList>{{"", "a\\|b", "c\\;d"}}));
  EXPECT_TRUE(parseTableRows(QString()).isEmpty());
  EXPECT_TRUE(parseTableRows(QStringLiteral(";;\n")).isEmpty());
  // The first rows alone, blank rows not counted, the last without its ";".
  EXPECT_EQ(parseTableRows(QStringLiteral(";|a|b;;|c|d;|e"), 2),
            (QList<QStringList>{{"", "a", "b"}, {"", "c", "d"}}));
  EXPECT_EQ(parseTableRows(QStringLiteral("|a;|b"), 5), (QList<QStringList>{{"", "a"}, {"", "b"}}));
  // More cells than columns go into the last column; fewer leave it empty.
  EXPECT_EQ(cellsForColumns({"", "a", "b", "c", "d"}, 3), (QStringList{"", "a", "b c d"}));
  EXPECT_EQ(cellsForColumns({"", "a"}, 3), (QStringList{"", "a", ""}));
  EXPECT_TRUE(cellsForColumns({"a"}, 0).isEmpty());
}

TEST(ReportMarkup, ReadsEmphasisGroupsAndKeepsWhatItCannotRead) {
  struct Case {
    QString text;
    QList<StyledRun> runs;
  };
  const TextStyle plain;
  const TextStyle bold{true, false, false};
  const TextStyle boldItalic{true, true, false};
  const QList<Case> cases{
      {"{\\i\\b Configuration}", {{"Configuration", boldItalic}}},
      {"a{\\b b}c", {{"a", plain}, {"b", bold}, {"c", plain}}},
      {"\\b x\\b0 y", {{"x", bold}, {"y", plain}}},
      {"{\\b open", {{"open", bold}}},            // a group left open ends with the text
      {"close} here", {{"close here", plain}}},   // a "}" without "{" is dropped
      {"\\foo bar", {{"\\foo bar", plain}}},      // an unknown control word is printed
      {"C:\\data\\x", {{"C:\\data\\x", plain}}},  // so is a path
      {"1\\line 2", {{"1\n2", plain}}},
      {"\\{\\}\\|\\;\\\\", {{"{}|;\\", plain}}},
      {"end\\", {{"end\\", plain}}},
      {"{}", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(parseMarkup(c.text), c.runs) << c.text.toStdString();
}

}  // namespace
