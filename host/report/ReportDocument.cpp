#include "report/ReportDocument.h"

#include <QBuffer>
#include <QDir>
#include <QFontDatabase>
#include <QPainter>
#include <QPdfWriter>
#include <QTextOption>
#include <algorithm>
#include <type_traits>

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

QString withLineSeparators(QString text) {
  text.replace(u'\n', QChar::LineSeparator);
  return text;
}

}  // namespace

LaidText::LaidText(const QList<StyledRun>& runs, const QFont& font, QPaintDevice* device,
                   double width, Qt::Alignment alignment, bool wrap)
    : layout_(withLineSeparators(plainText(runs)), font, device) {
  QList<QTextLayout::FormatRange> formats;
  int start = 0;
  for (const StyledRun& run : runs) {
    QTextLayout::FormatRange range;
    range.start = start;
    range.length = static_cast<int>(run.text.size());
    range.format.setFontWeight(run.style.bold ? QFont::Bold : QFont::Normal);
    range.format.setFontItalic(run.style.italic);
    range.format.setFontUnderline(run.style.underline);
    formats.append(range);
    start += range.length;
  }
  layout_.setFormats(formats);
  QTextOption option(alignment);
  option.setWrapMode(wrap && width > 0 ? QTextOption::WrapAtWordBoundaryOrAnywhere
                                       : QTextOption::NoWrap);
  layout_.setTextOption(option);
  layout_.setCacheEnabled(true);

  auto layOut = [this](double lineWidth) {
    height_ = 0;
    naturalWidth_ = 0;
    layout_.beginLayout();
    for (QTextLine line = layout_.createLine(); line.isValid(); line = layout_.createLine()) {
      line.setLineWidth(lineWidth);
      line.setPosition(QPointF(0, height_));
      height_ += line.height();
      naturalWidth_ = std::max(naturalWidth_, line.naturalTextWidth());
    }
    layout_.endLayout();
  };
  if (width > 0) {
    layOut(width);
  } else {
    // Without a width the text keeps its own, and aligns within that.
    layOut(1e9);
    layout_.clearLayout();
    layOut(std::max(naturalWidth_, 1.0));
  }
  if (layout_.lineCount() == 0) height_ = QFontMetricsF(font, device).height();
}

QList<QGlyphRun> LaidText::lineGlyphs(int i) const {
  const QTextLine line = layout_.lineAt(i);
  QList<QGlyphRun> runs = line.glyphRuns();
  const QPointF up(0, line.y());
  for (QGlyphRun& run : runs) {
    QList<QPointF> positions = run.positions();
    for (QPointF& position : positions) position -= up;
    run.setPositions(positions);
  }
  return runs;
}

ReportDocument::ReportDocument(const QString& file) : file_(file), fileWritten_(file.isEmpty()) {
  ensureSomeFont();
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
      if (pageEnd_) pageEnd_(static_cast<int>(page) + 1, count);
      if (page > 0) writer_->newPage();
      draw(pages_[page]);
      // What a page showed is in the PDF now.
      Page().swap(pages_[page]);
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

void ReportDocument::add(Item item) {
  if (drawing()) pages_[current_].push_back(std::move(item));
}

void ReportDocument::text(const LaidText& text, QPointF topLeft, const QRectF& clip,
                          double rotation) {
  if (drawing()) add(Glyphs{text.glyphs(), topLeft, clip, rotation});
}

void ReportDocument::textLine(const LaidText& text, int line, QPointF lineTopLeft) {
  if (drawing()) add(Glyphs{text.lineGlyphs(line), lineTopLeft, QRectF(), 0});
}

void ReportDocument::line(double x1, double y1, double x2, double y2) {
  add(QLineF(x1, y1, x2, y2));
}

void ReportDocument::frame(const QRectF& rect) {
  add(Rectangle{rect, QBrush()});
}

void ReportDocument::filledRectangle(const QRectF& rect, const QColor& fill, Qt::BrushStyle style) {
  add(Rectangle{rect.normalized(), QBrush(fill, style)});
}

void ReportDocument::draw(const Page& page) {
  QPainter& p = *painter_;
  const auto drawItem = [&p](const auto& item) {
    using T = std::decay_t<decltype(item)>;
    if constexpr (std::is_same_v<T, Glyphs>) {
      const bool placed = !item.clip.isEmpty() || item.rotation != 0;
      QPointF at = item.at;
      if (placed) {
        p.save();
        if (!item.clip.isEmpty()) p.setClipRect(item.clip);
        if (item.rotation != 0) {
          p.translate(at);
          p.rotate(item.rotation);
          at = QPointF();
        }
      }
      for (const QGlyphRun& run : item.runs) p.drawGlyphRun(at, run);
      if (placed) p.restore();
    } else if constexpr (std::is_same_v<T, QLineF>) {
      p.drawLine(item);
    } else {
      p.save();
      p.setBrush(item.brush);
      p.drawRect(item.rect);
      p.restore();
    }
  };
  for (const Item& item : page) std::visit(drawItem, item);
}

}  // namespace host::report
