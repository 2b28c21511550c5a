#include "report/HostReport.h"

#include <QFontMetricsF>
#include <cmath>

#include "report/ReportDocument.h"
#include "report/TablePrinter.h"
#include "services/LanguageService.h"
#include "ui/Twips.h"

namespace host {

using report::LaidText;
using report::StyledRun;
using report::TextStyle;

namespace {

// Room between a table and what comes before and after it.
constexpr double kGapBeforeTable = 100;
constexpr double kGapAfterTable = 60;
// The page foot: its size in points, and its distance below the printable
// area.
constexpr double kFootPoints = 8;
constexpr double kFootGap = 240;

// Coordinates beyond any page are clamped into the 32-bit range.
rt::Long toUnits(double value) {
  if (!std::isfinite(value)) return 0;
  return static_cast<rt::Long>(std::clamp(std::llround(value), -2000000000LL, 2000000000LL));
}

Qt::Alignment textAlignment(rt::Long alignment) {
  switch (alignment) {
    case 1:
      return Qt::AlignHCenter;
    case 2:
      return Qt::AlignRight;
    default:
      return Qt::AlignLeft;
  }
}

Qt::BrushStyle brushStyle(rt::Long fillStyle) {
  static const Qt::BrushStyle styles[] = {Qt::SolidPattern, Qt::NoBrush,         Qt::HorPattern,
                                          Qt::VerPattern,   Qt::BDiagPattern,    Qt::FDiagPattern,
                                          Qt::CrossPattern, Qt::DiagCrossPattern};
  return fillStyle >= 0 && fillStyle < 8 ? styles[fillStyle] : Qt::NoBrush;
}

}  // namespace

struct HostReport::Impl {
  explicit Impl(const QString& file) : document(file) {}

  QFont currentFont() const {
    return document.font(font->Name(), font->Size(), TextStyle{font->Bold(), font->Italic()});
  }
  std::shared_ptr<const LaidText> lay(const QString& text, double width, bool wrap) {
    const TextStyle style{font->Bold(), font->Italic()};
    return document.lay(QList<StyledRun>{StyledRun{text, style}}, currentFont(), width,
                        textAlignment(alignment), wrap);
  }
  double pageTop() const { return document.printable().y(); }
  double pageBottom() const { return document.printable().y() + document.printable().height(); }

  report::ReportDocument document;
  ReportFontPtr font = std::make_shared<ReportFont>();
  report::TableSettings table;
  double currentY = 0;
  rt::Long alignment = 0;
};

ReportFont::~ReportFont() = default;
ReportCanvas::~ReportCanvas() = default;

void ReportFont::changed(const QString& field, const QVariant& value) {
  if (observer_) observer_(field, value);
}
void ReportFont::SetName(const QString& name) {
  name_ = name;
  changed(QStringLiteral("Font.Name"), name);
}
void ReportFont::SetSize(double points) {
  size_ = points;
  changed(QStringLiteral("Font.Size"), points);
}
void ReportFont::SetBold(bool bold) {
  bold_ = bold;
  changed(QStringLiteral("Font.Bold"), bold);
}
void ReportFont::SetItalic(bool italic) {
  italic_ = italic;
  changed(QStringLiteral("Font.Italic"), italic);
}

HostReport::HostReport(const QString& pdfFile) : impl_(std::make_unique<Impl>(pdfFile)) {
  impl_->currentY = impl_->pageTop();
}

HostReport::~HostReport() = default;

QString HostReport::Translate(const QString& product, const QString& textKey,
                              const QVariantList& paramList) {
  return LanguageService::instance()->Translate(product, textKey, paramList);
}

rt::Long HostReport::PageWidth(rt::Long shape) {
  return pageWidthOverride_.value_or(impl_->document.printable().width());
}

void HostReport::TableFontSize(rt::Long points) {
  impl_->table.points = points;
}

void HostReport::TableGrid(bool grid) {
  impl_->table.grid = grid;
}

void HostReport::TableHeaderRows(rt::Long rows) {
  impl_->table.headerRows = rows;
}

rt::Long HostReport::tableOpeningHeight(const QString& format, const QString& header,
                                        const QString& rows) {
  Impl& d = *impl_;
  d.table.family = d.font->Name();
  const rt::Long width = pageWidthOverride_.value_or(d.document.printable().width());
  return toUnits(kGapBeforeTable + report::openingHeight(d.document, d.table,
                                                         report::TableText{format, header, rows},
                                                         width));
}

void HostReport::keepTogether(rt::Long height) {
  Impl& d = *impl_;
  if (d.currentY + height <= d.pageBottom() || d.currentY <= d.pageTop()) return;
  d.document.newPage();
  d.currentY = d.pageTop();
}

rt::Long HostReport::paragraphHeight(const QString& text, double points, bool bold) {
  Impl& d = *impl_;
  const TextStyle style{bold, d.font->Italic()};
  return toUnits(d.document
                     .lay(QList<StyledRun>{StyledRun{text, style}},
                          d.document.font(d.font->Name(), points, style),
                          d.document.printable().width(), textAlignment(d.alignment), true)
                     ->height());
}

void HostReport::AddTable(const QString& format, const QString& header, const QString& rows,
                          rt::Long a, rt::Long b, rt::Long c) {
  Impl& d = *impl_;
  d.table.family = d.font->Name();
  const rt::Long width = pageWidthOverride_.value_or(d.document.printable().width());
  const double start = d.currentY > d.pageTop() ? d.currentY + kGapBeforeTable : d.currentY;
  const double below =
      report::printTable(d.document, d.table, report::TableText{format, header, rows}, width,
                         d.document.printable().x(), start)
          .bottom;
  if (below != start) d.currentY = below + kGapAfterTable;
}

void HostReport::Text(const QString& text) {
  Impl& d = *impl_;
  const QRect area = d.document.printable();
  const auto laid = d.lay(text, area.width(), true);
  for (int i = 0; i < laid->lineCount(); ++i) {
    const double height = laid->line(i).height();
    if (d.currentY + height > d.pageBottom() && d.currentY > d.pageTop()) {
      d.document.newPage();
      d.currentY = d.pageTop();
    }
    d.document.textLine(*laid, i, QPointF(area.x(), d.currentY));
    d.currentY += height;
  }
  if (laid->lineCount() == 0) d.currentY += laid->height();  // an empty line
}

rt::Long HostReport::OutputKind() {
  return outputKind_;
}

rt::Long HostReport::OptionFlags() {
  return optionFlags_;
}

rt::Long HostReport::CurrentY() {
  return toUnits(impl_->currentY);
}

void HostReport::SetCurrentY(rt::Long y) {
  impl_->currentY = y;
}

rt::Long HostReport::PrintableLeft(bool printable) {
  return printable ? impl_->document.printable().x() : 0;
}

rt::Long HostReport::PrintableRight(bool printable) {
  const QRect area = printable ? impl_->document.printable() : impl_->document.paper();
  return area.x() + area.width();
}

rt::Long HostReport::PrintableBottom(bool printable) {
  const QRect area = printable ? impl_->document.printable() : impl_->document.paper();
  return area.y() + area.height();
}

void HostReport::NewPage() {
  impl_->document.newPage();
  impl_->currentY = impl_->pageTop();
}

ReportFontPtr HostReport::Font() {
  return impl_->font;
}

void HostReport::SetTextAlignment(rt::Long alignment) {
  impl_->alignment = alignment;
}

rt::Long HostReport::TextWidth(const QString& text) {
  return toUnits(impl_->lay(text, 0, false)->naturalWidth());
}

rt::Long HostReport::TextHeight(const QString& text) {
  return toUnits(impl_->lay(text, 0, false)->height());
}

void HostReport::Line(rt::Long x1, rt::Long y1, rt::Long x2, rt::Long y2) {
  impl_->document.line(x1, y1, x2, y2);
}

QString footLeftText(const PageFoot& foot, const QFontMetricsF& metrics, double width) {
  const double right =
      foot.right.isEmpty() ? 0 : metrics.horizontalAdvance(foot.right + QStringLiteral("    "));
  return metrics.elidedText(foot.left, Qt::ElideRight, std::max(width - right, 0.0));
}

void HostReport::setPageFoot(std::function<PageFoot(int page, int pages)> foot) {
  report::ReportDocument& document = impl_->document;
  if (!foot) {
    document.setPageEnd(nullptr);
    return;
  }
  const QFont font = document.font(QStringLiteral("Arial"), kFootPoints);
  document.setPageEnd([&document, font, foot = std::move(foot)](int page, int pages) {
    const PageFoot texts = foot(page, pages);
    const QRect area = document.printable();
    const double top = area.y() + area.height() + kFootGap;
    const QList<StyledRun> left{StyledRun{
        footLeftText(texts, QFontMetricsF(font, document.device()), area.width()), TextStyle{}}};
    // The left text is the same on most pages and laid out once; the
    // right one, with its page number, on one page only.
    if (!left.front().text.isEmpty())
      document.text(*document.lay(left, font, area.width(), Qt::AlignLeft, false),
                    QPointF(area.x(), top));
    if (!texts.right.isEmpty()) {
      const LaidText right({StyledRun{texts.right, TextStyle{}}}, font, document.device(),
                           area.width(), Qt::AlignRight, false);
      document.text(right, QPointF(area.x(), top));
    }
  });
}

void HostReport::finish() {
  impl_->document.finish();
}
int HostReport::pageCount() const {
  return impl_->document.pageCount();
}
bool HostReport::fileWritten() const {
  return impl_->document.fileWritten();
}
QByteArray HostReport::pdfData() const {
  return impl_->document.data();
}

void HostReport::drawFilledRectangle(rt::Long x1, rt::Long y1, rt::Long x2, rt::Long y2,
                                     std::uint32_t rgb, rt::Long style) {
  impl_->document.filledRectangle(QRectF(QPointF(x1, y1), QPointF(x2, y2)), ui::toQColor(rgb),
                                  brushStyle(style));
}

void HostReport::drawTextBox(const QString& text, rt::Long x, rt::Long y, rt::Long width, bool wrap,
                             rt::Long rotation) {
  report::ReportDocument& document = impl_->document;
  if (!document.drawing()) return;
  document.text(*impl_->lay(text, width, wrap), QPointF(x, y), QRectF(), -rotation / 10.0);
}

CanvasReport::CanvasReport(const QString& pdfFile) : HostReport(pdfFile) {}
CanvasReport::~CanvasReport() = default;

void CanvasReport::SetFillStyle(rt::Long style) {
  fillStyle_ = style;
}

void CanvasReport::SetFillColor(std::uint32_t rgb) {
  fillColor_ = rgb;
}

void CanvasReport::FilledRectangle(rt::Long x1, rt::Long y1, rt::Long x2, rt::Long y2, rt::Long a,
                                   rt::Long b) {
  drawFilledRectangle(x1, y1, x2, y2, fillColor_, fillStyle_);
}

void CanvasReport::Line(rt::Long x1, rt::Long y1, rt::Long x2, rt::Long y2) {
  HostReport::Line(x1, y1, x2, y2);
}

void CanvasReport::TextBox(const QString& text, rt::Long x, rt::Long y, rt::Long width,
                           rt::Long height, bool wrap, rt::Long a, rt::Long b) {
  drawTextBox(text, x, y, width, wrap, rotation_);
}

rt::Long CanvasReport::Rotation() {
  return rotation_;
}

void CanvasReport::SetRotation(rt::Long tenths) {
  rotation_ = tenths;
}

void CanvasReport::SetCurrentY(rt::Long y) {
  HostReport::SetCurrentY(y);
}

}  // namespace host
