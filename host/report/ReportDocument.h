#pragma once
// The printed pages of a report: an A4 PDF drawn at 1440 dots per inch, so
// one device unit is one twip and page coordinates are twips from the
// paper's top-left corner, y growing downwards. The printable area keeps a
// margin of 20 mm on every side.
//
// The document is laid out as the report's calls come: each page keeps what
// it shows, its texts shaped once into glyphs, and finish() draws every page
// into the PDF once the number of pages is known, so a page's foot can say
// "page N of M". Once finished, drawing does nothing while the metrics still
// answer.

#include <QFont>
#include <QRect>
#include <functional>
#include <memory>
#include <vector>

#include "report/GlyphStore.h"
#include "report/LaidText.h"
#include "report/PageContent.h"
#include "report/ReportMarkup.h"

class QIODevice;
class QPainter;
class QPdfWriter;

namespace host::report {

class ReportDocument {
 public:
  // Drawn into memory; finish() writes it as the file, whole or not at all
  // (runtime/WholeFile.h), unless file is empty. fileWritten() is true
  // once the file holds the finished document (always without a file).
  explicit ReportDocument(const QString& file);
  ~ReportDocument();
  ReportDocument(const ReportDocument&) = delete;
  ReportDocument& operator=(const ReportDocument&) = delete;

  QRect paper() const { return paper_; }
  QRect printable() const { return printable_; }
  int pageCount() const { return static_cast<int>(pages_.size()); }
  bool drawing() const;

  // Called for each page in turn when the document is finished, with the
  // page's number (from 1) and the number of pages, while that page is the
  // current one: what it draws goes onto that page, above what it holds.
  void setPageEnd(std::function<void(int page, int pages)> pageEnd) {
    pageEnd_ = std::move(pageEnd);
  }

  void newPage();
  void finish();
  bool fileWritten() const { return fileWritten_; }
  // The PDF drawn into memory (complete once finished).
  QByteArray data() const;

  // The document's font of a family and style; the font names the paper's
  // resolution, so its metrics are twips.
  QFont font(const QString& family, double points, const TextStyle& style = {}) const;
  QPaintDevice* device() const;
  // The text laid out in the document's font, the same object for the same
  // text, font, width, alignment and wrapping as an earlier one.
  std::shared_ptr<const LaidText> lay(const QList<StyledRun>& runs, const QFont& font, double width,
                                      Qt::Alignment alignment, bool wrap);

  // What the current page shows, drawn in this order. Lines and frames are
  // half a point wide and black; texts take the glyphs laid out for them.
  // A text turns about its top-left corner by the rotation (degrees,
  // clockwise as y grows downwards) and is cut off at the clip, in page
  // coordinates, unless that is empty.
  void text(const LaidText& text, QPointF topLeft, const QRectF& clip = {}, double rotation = 0);
  // One line of the text (none for a line it does not have), its top-left
  // corner where given.
  void textLine(const LaidText& text, int line, QPointF lineTopLeft);
  void line(double x1, double y1, double x2, double y2);
  void frame(const QRectF& rect);
  void filledRectangle(const QRectF& rect, const QColor& fill, Qt::BrushStyle style);

 private:
  QString file_;
  std::unique_ptr<QIODevice> output_;
  std::unique_ptr<QPdfWriter> writer_;
  std::unique_ptr<QPainter> painter_;
  std::unique_ptr<LaidTextCache> laidTexts_;
  GlyphStore glyphs_;
  QRect paper_;
  QRect printable_;
  std::function<void(int page, int pages)> pageEnd_;
  std::vector<PageContent> pages_ = std::vector<PageContent>(1);
  size_t current_ = 0;
  bool ending_ = false;
  bool finished_ = false;
  bool fileWritten_ = true;
};

}  // namespace host::report
