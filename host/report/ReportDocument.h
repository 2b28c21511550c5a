#pragma once
// The printed pages of a report: an A4 PDF drawn at 1440 dots per inch, so
// one device unit is one twip and page coordinates are twips from the
// paper's top-left corner, y growing downwards. The printable area keeps a
// margin of 20 mm on every side.
//
// The document is drawn as the report's calls come; finish() ends it. Once
// finished, drawing does nothing while the metrics still answer.

#include <QFont>
#include <QRect>
#include <QTextLayout>
#include <functional>
#include <memory>

#include "report/ReportMarkup.h"

class QIODevice;
class QPainter;
class QPdfWriter;

namespace host::report {

// A text laid out for the page: lines broken to a width, with its extent.
class LaidText {
 public:
  LaidText(const QList<StyledRun>& runs, const QFont& font, QPaintDevice* device, double width,
           Qt::Alignment alignment, bool wrap);
  double height() const { return height_; }
  double naturalWidth() const { return naturalWidth_; }
  int lineCount() const { return layout_.lineCount(); }
  QTextLine line(int i) const { return layout_.lineAt(i); }
  void draw(QPainter& painter, QPointF topLeft) const;
  void drawLine(QPainter& painter, int i, QPointF lineTopLeft) const;

 private:
  QTextLayout layout_;
  double height_ = 0;
  double naturalWidth_ = 0;
};

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
  int pageCount() const { return pages_; }
  bool drawing() const;

  // Called while each page is still the current one, just before the next
  // page starts and when the document is finished, with the page's number
  // (from 1): what it draws goes onto that page.
  void setPageEnd(std::function<void(int page)> pageEnd) { pageEnd_ = std::move(pageEnd); }

  void newPage();
  void finish();
  bool fileWritten() const { return fileWritten_; }
  // The PDF drawn into memory (complete once finished).
  QByteArray data() const;

  // The document's font of a family and style; the font names the paper's
  // resolution, so its metrics are twips.
  QFont font(const QString& family, double points, const TextStyle& style = {}) const;
  QPaintDevice* device() const;
  QPainter* painter();

  // Pen and brush of the drawing operations.
  void line(double x1, double y1, double x2, double y2);
  void filledRectangle(const QRectF& rect, const QColor& fill, Qt::BrushStyle style);

 private:
  QString file_;
  std::unique_ptr<QIODevice> output_;
  std::unique_ptr<QPdfWriter> writer_;
  std::unique_ptr<QPainter> painter_;
  QRect paper_;
  QRect printable_;
  std::function<void(int page)> pageEnd_;
  int pages_ = 1;
  bool finished_ = false;
  bool fileWritten_ = true;
};

}  // namespace host::report
