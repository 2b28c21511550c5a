// The report's lay-out: texts shaped once and found again, their glyphs
// kept once however often they are shown, and pages that are drawn only
// when the document is finished.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <functional>
#include <memory>

#include "report/PageContent.h"
#include "report/ReportDocument.h"
#include "runtime/RuntimeError.h"

namespace {

using host::report::GlyphStore;
using host::report::LaidText;
using host::report::PageContent;
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

// The glyphs and positions a block of the store shows.
std::pair<QList<quint32>, QList<QPointF>> shown(const GlyphStore& store, GlyphStore::Block block) {
  std::pair<QList<quint32>, QList<QPointF>> glyphs;
  for (const GlyphStore::Run& run : store.runs(block))
    for (std::uint32_t i = 0; i < run.count; ++i) {
      glyphs.first.append(store.glyphs(run)[i]);
      glyphs.second.append(QPointF(store.positions(run)[i].x, store.positions(run)[i].y));
    }
  return glyphs;
}

std::pair<QList<quint32>, QList<QPointF>> laidOut(const QList<QGlyphRun>& runs) {
  std::pair<QList<quint32>, QList<QPointF>> glyphs;
  for (const QGlyphRun& run : runs) {
    glyphs.first.append(run.glyphIndexes());
    glyphs.second.append(run.positions());
  }
  return glyphs;
}

TEST(ReportLayout, ATextShownAgainAndAgainKeepsItsGlyphsOnceInEachStore) {
  ReportDocument document{QString()};
  const auto laid = document.lay(runs(QStringLiteral("Energy within 15 % of the set")),
                                 document.font({}, 9), 900, Qt::AlignLeft, true);
  ASSERT_GT(laid->lineCount(), 1);
  GlyphStore store;
  const GlyphStore::Block whole = laid->glyphsIn(store);
  const GlyphStore::Block second = laid->lineGlyphsIn(store, 1);
  EXPECT_EQ(laid->glyphsIn(store), whole);
  EXPECT_EQ(laid->lineGlyphsIn(store, 1), second);
  EXPECT_EQ(shown(store, whole), laidOut(laid->glyphs()));
  EXPECT_EQ(shown(store, second), laidOut(laid->line(1).glyphRuns()));

  // A store that comes after another, even where it was, has none of its
  // blocks: the text is kept there anew.
  auto gone = std::make_unique<GlyphStore>();
  laid->glyphsIn(*gone);
  gone.reset();
  auto next = std::make_unique<GlyphStore>();
  EXPECT_EQ(shown(*next, laid->lineGlyphsIn(*next, 1)), laidOut(laid->line(1).glyphRuns()));
  EXPECT_EQ(shown(*next, laid->glyphsIn(*next)), laidOut(laid->glyphs()));
}

TEST(ReportLayout, APageDrawsWhatItKeepsInTheOrderItCameAsIfDrawnThen) {
  ReportDocument document{QString()};
  const QFont font = document.font({}, 9);
  const auto energy = document.lay(runs(QStringLiteral("Energy")), font, 0, Qt::AlignLeft, false);
  const auto paragraph = document.lay(runs(QStringLiteral("Charge time at most 15 s at maximum")),
                                      font, 1500, Qt::AlignLeft, true);
  const auto bold = document.lay(runs(QStringLiteral("Load"), {true, false, true}), font, 0,
                                 Qt::AlignLeft, false);
  const QRectF clip(300, 1500, 400, 300);
  const QRectF cover(250, 250, 600, 120);

  GlyphStore store;
  PageContent page;
  page.addText(store, energy->glyphsIn(store), QPointF(200, 200), {}, 0);
  page.addText(store, energy->glyphsIn(store), QPointF(200, 600), {}, 0);
  // Drawn over the first text, so the order shows.
  page.addRectangle(cover, QBrush(Qt::gray, Qt::SolidPattern));
  page.addLine(QLineF(100, 900, 2000, 900));
  page.addLine(QLineF(100, 950, 2000, 1200.5));
  // A curve's segments, each from where the last one ended.
  page.addLine(QLineF(2000, 1200.5, 2200, 1000));
  page.addLine(QLineF(2200, 1000, 2300, 1100.25));
  page.addLine(QLineF(2300, 1100, 2400, 1000));
  page.addText(store, paragraph->lineGlyphsIn(store, 1), QPointF(200, 1000), {}, 0);
  page.addText(store, bold->glyphsIn(store), QPointF(300, 1500), clip, 0);
  page.addText(store, bold->glyphsIn(store), QPointF(1800, 1500), {}, -90);
  page.addRectangle(QRectF(100, 2000, 500, 200), QBrush());
  page.shrink();

  const auto picture = [](const std::function<void(QPainter&)>& draw) {
    QImage image(300, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(0.12, 0.12);
    painter.setPen(QPen(Qt::black, 10));
    draw(painter);
    return image;
  };
  const QImage kept = picture([&](QPainter& painter) { page.draw(painter, store); });
  const QImage direct = picture([&](QPainter& painter) {
    const auto glyphs = [&](const QList<QGlyphRun>& runs, QPointF at) {
      for (const QGlyphRun& run : runs) painter.drawGlyphRun(at, run);
    };
    glyphs(energy->glyphs(), QPointF(200, 200));
    glyphs(energy->glyphs(), QPointF(200, 600));
    painter.save();
    painter.setBrush(QBrush(Qt::gray, Qt::SolidPattern));
    painter.drawRect(cover);
    painter.restore();
    painter.drawLine(QLineF(100, 900, 2000, 900));
    painter.drawLine(QLineF(100, 950, 2000, 1200.5));
    painter.drawLine(QLineF(2000, 1200.5, 2200, 1000));
    painter.drawLine(QLineF(2200, 1000, 2300, 1100.25));
    painter.drawLine(QLineF(2300, 1100, 2400, 1000));
    glyphs(paragraph->line(1).glyphRuns(), QPointF(200, 1000));
    painter.save();
    painter.setClipRect(clip);
    glyphs(bold->glyphs(), QPointF(300, 1500));
    painter.restore();
    painter.save();
    painter.translate(1800, 1500);
    painter.rotate(-90);
    glyphs(bold->glyphs(), QPointF());
    painter.restore();
    painter.drawRect(QRectF(100, 2000, 500, 200));
  });
  EXPECT_EQ(kept, direct);
  EXPECT_NE(kept, picture([](QPainter&) {})) << "the page shows something";
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
  for (int beyond : {-1, 1}) document.textLine(*text, beyond, QPointF(1000, 1200));
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
