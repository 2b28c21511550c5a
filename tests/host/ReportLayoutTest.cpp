// The report's lay-out: texts shaped once and found again, and pages that
// are drawn only when the document is finished.

#include <gtest/gtest.h>

#include "report/ReportDocument.h"
#include "runtime/RuntimeError.h"

namespace {

using host::report::LaidText;
using host::report::ReportDocument;
using host::report::StyledRun;
using host::report::TextStyle;

QList<StyledRun> runs(const QString& text, TextStyle style = {}) {
  return {StyledRun{text, style}};
}

TEST(ReportLayout, ATextLaidOutBeforeIsFoundAgainAndAnyDifferenceLaysItAnew) {
  ReportDocument document{QString()};
  const QFont font = document.font(QStringLiteral("Arial"), 9);
  const auto energy = document.lay(runs(QStringLiteral("Energy")), font, 2000, Qt::AlignLeft, true);
  EXPECT_EQ(document.lay(runs(QStringLiteral("Energy")), font, 2000, Qt::AlignLeft, true), energy);

  struct Case {
    const char* what;
    std::shared_ptr<const LaidText> laid;
  };
  const Case cases[] = {
      {"text", document.lay(runs(QStringLiteral("Energy ")), font, 2000, Qt::AlignLeft, true)},
      {"style", document.lay(runs(QStringLiteral("Energy"), {true, false, false}), font, 2000,
                             Qt::AlignLeft, true)},
      {"font", document.lay(runs(QStringLiteral("Energy")),
                            document.font(QStringLiteral("Arial"), 10), 2000, Qt::AlignLeft, true)},
      {"width", document.lay(runs(QStringLiteral("Energy")), font, 2001, Qt::AlignLeft, true)},
      {"alignment", document.lay(runs(QStringLiteral("Energy")), font, 2000, Qt::AlignRight, true)},
      {"wrapping", document.lay(runs(QStringLiteral("Energy")), font, 2000, Qt::AlignLeft, false)},
  };
  for (const Case& c : cases) EXPECT_NE(c.laid, energy) << c.what;
  // A lay-out found for another alignment would put the text in the wrong place.
  const auto right = document.lay(runs(QStringLiteral("Energy")), font, 2000, Qt::AlignRight, true);
  EXPECT_GT(right->glyphs().value(0).positions().value(0).x(),
            energy->glyphs().value(0).positions().value(0).x());
}

TEST(ReportLayout, AStoreOfTextsStaysBoundedOverALongReport) {
  ReportDocument document{QString()};
  const QFont font = document.font(QStringLiteral("Arial"), 9);
  const auto first = document.lay(runs(QStringLiteral("0")), font, 2000, Qt::AlignLeft, true);
  for (int i = 1; i <= 5000; ++i)
    document.lay(runs(QString::number(i)), font, 2000, Qt::AlignLeft, true);
  // Forgotten by the store, still whole in the hands of whoever holds it.
  EXPECT_NE(document.lay(runs(QStringLiteral("0")), font, 2000, Qt::AlignLeft, true), first);
  EXPECT_EQ(first->lineCount(), 1);
  EXPECT_FALSE(first->glyphs().isEmpty());
}

TEST(ReportLayout, PagesAreDrawnWhenTheDocumentIsFinishedEachWithTheCountKnown) {
  ReportDocument document{QString()};
  QList<std::pair<int, int>> ends;
  document.setPageEnd([&](int page, int pages) {
    ends.append({page, pages});
    // Drawn onto the page that ends; a new page asked for now is refused.
    document.line(0, 0, 100, 100);
    document.newPage();
  });
  const auto text =
      document.lay(runs(QStringLiteral("Energy")), document.font({}, 9), 2000, Qt::AlignLeft, true);
  document.text(*text, QPointF(1000, 1000));
  document.newPage();
  document.textLine(*text, 0, QPointF(1000, 1000));
  EXPECT_TRUE(ends.isEmpty()) << "nothing is drawn before the count is known";
  document.finish();
  EXPECT_EQ(ends, (QList<std::pair<int, int>>{{1, 2}, {2, 2}}));
  EXPECT_EQ(document.pageCount(), 2);
  EXPECT_TRUE(document.data().startsWith("%PDF-"));
  document.newPage();
  EXPECT_EQ(document.pageCount(), 2) << "finished";
}

TEST(ReportLayout, AFootThatFailsLeavesItsPageWithoutOneAndTheDocumentFinished) {
  ReportDocument document{QString()};
  QList<int> ends;
  document.setPageEnd([&](int page, int) {
    ends.append(page);
    if (page == 1) throw rt::RuntimeError(5, QStringLiteral("foot"));
  });
  document.newPage();
  document.finish();
  EXPECT_EQ(ends, (QList<int>{1, 2}));
  EXPECT_TRUE(document.data().endsWith("%%EOF\n"));
}

}  // namespace
