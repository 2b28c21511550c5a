#include "report/ReportDocument.h"

#include <QBuffer>
#include <QDir>
#include <QFontDatabase>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

#include "report/PdfMemory.h"
#include "runtime/ErrorHandling.h"
#include "runtime/WholeFile.h"

namespace host::report {

namespace {

constexpr int kTwipsPerInch = 1440;
constexpr double kMarginMillimetres = 20.0;
// Lines are half a point wide.
constexpr double kPenWidth = 10.0;

// A machine without any font still gets readable text and true metrics when
// the fonts the project installs are there but not yet known to Qt.
void ensureSomeFont() {
  static const bool once = [] {
    if (!QFontDatabase::families().isEmpty()) return true;
    const QDir dejavu(QStringLiteral("/usr/share/fonts/truetype/dejavu"));
    for (const QString& name : dejavu.entryList({QStringLiteral("DejaVuSans*.ttf")}, QDir::Files))
      QFontDatabase::addApplicationFont(dejavu.filePath(name));
    return true;
  }();
  (void)once;
}

}  // namespace

ReportDocument::ReportDocument(const QString& file) : file_(file), fileWritten_(file.isEmpty()) {
  ensureSomeFont();
  keepPdfBuffers();
  // Drawn in memory and written at the end, so that the file is replaced
  // only by a finished PDF.
  auto buffer = std::make_unique<QBuffer>();
  buffer->open(QIODevice::WriteOnly);
  output_ = std::move(buffer);
  writer_ = std::make_unique<QPdfWriter>(output_.get());
  writer_->setResolution(kTwipsPerInch);
  writer_->setPageSize(QPageSize(QPageSize::A4));
  writer_->setPageMargins(QMarginsF(0, 0, 0, 0));
  writer_->setCreator(QStringLiteral("rv1x-host"));
  writer_->setTitle(QStringLiteral("RV-1X report"));
  laidTexts_ = std::make_unique<LaidTextCache>(writer_.get());
  paper_ = QRect(0, 0, writer_->width(), writer_->height());
  const int margin = qRound(kMarginMillimetres / 25.4 * kTwipsPerInch);
  printable_ = paper_.adjusted(margin, margin, -margin, -margin);
  painter_ = std::make_unique<QPainter>();
  if (painter_->begin(writer_.get())) {
    painter_->setRenderHint(QPainter::Antialiasing);
    painter_->setPen(QPen(Qt::black, kPenWidth));
  }
}

ReportDocument::~ReportDocument() {
  finish();
}

bool ReportDocument::drawing() const {
  return !finished_ && painter_->isActive();
}

void ReportDocument::newPage() {
  if (finished_ || ending_) return;
  pages_[current_].shrink();
  pages_.emplace_back();
  current_ = pages_.size() - 1;
}

void ReportDocument::finish() {
  if (finished_) return;
  if (painter_->isActive()) {
    ending_ = true;
    const int count = pageCount();
    for (size_t page = 0; page < pages_.size(); ++page) {
      current_ = page;
      // A foot that cannot be made leaves its page without it, not the
      // document unfinished.
      if (pageEnd_) rt::ignoreErrors([&] { pageEnd_(static_cast<int>(page) + 1, count); });
      if (page > 0) writer_->newPage();
      pages_[page].draw(*painter_, glyphs_);
      // What a page showed is in the PDF now.
      pages_[page] = PageContent();
    }
    painter_->end();
  }
  finished_ = true;
  output_->close();
  if (!file_.isEmpty()) fileWritten_ = !rt::replaceFileWhole(file_, data());
}

QByteArray ReportDocument::data() const {
  auto* buffer = qobject_cast<QBuffer*>(output_.get());
  return buffer ? buffer->data() : QByteArray();
}

QFont ReportDocument::font(const QString& family, double points, const TextStyle& style) const {
  QFont font(family.isEmpty() ? QStringLiteral("Arial") : family);
  // Sizes a printed page can hold; a size of nothing would have no metrics.
  font.setPointSizeF(std::clamp(points > 0 ? points : 10.0, 1.0, 400.0));
  font.setBold(style.bold);
  font.setItalic(style.italic);
  font.setUnderline(style.underline);
  // Whole-unit hinting would round metrics to device units that are twips.
  font.setHintingPreference(QFont::PreferNoHinting);
  return QFont(font, writer_.get());
}

QPaintDevice* ReportDocument::device() const {
  return writer_.get();
}

std::shared_ptr<const LaidText> ReportDocument::lay(const QList<StyledRun>& runs, const QFont& font,
                                                    double width, Qt::Alignment alignment,
                                                    bool wrap) {
  return laidTexts_->lay(runs, font, width, alignment, wrap);
}

void ReportDocument::text(const LaidText& text, QPointF topLeft, const QRectF& clip,
                          double rotation) {
  if (drawing()) pages_[current_].addText(glyphs_, text.glyphsIn(glyphs_), topLeft, clip, rotation);
}

void ReportDocument::textLine(const LaidText& text, int line, QPointF lineTopLeft) {
  if (!drawing() || line < 0 || line >= text.lineCount()) return;
  pages_[current_].addText(glyphs_, text.lineGlyphsIn(glyphs_, line),
                           lineTopLeft - QPointF(0, text.line(line).y()), QRectF(), 0);
}

void ReportDocument::line(double x1, double y1, double x2, double y2) {
  if (drawing()) pages_[current_].addLine(QLineF(x1, y1, x2, y2));
}

void ReportDocument::frame(const QRectF& rect) {
  if (drawing()) pages_[current_].addRectangle(rect, QBrush());
}

void ReportDocument::filledRectangle(const QRectF& rect, const QColor& fill, Qt::BrushStyle style) {
  if (drawing()) pages_[current_].addRectangle(rect.normalized(), QBrush(fill, style));
}

}  // namespace host::report
