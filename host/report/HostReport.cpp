#include "report/HostReport.h"

#include "services/LanguageService.h"

namespace host {

// Placeholder rendering: records the calls; the PDF renderer replaces it.
struct HostReport::Impl {
  QString file;
  rt::Long currentY = 1440;
  rt::Long alignment = 0;
  ReportFontPtr font = std::make_shared<ReportFont>();
};

ReportFont::~ReportFont() = default;
ReportCanvas::~ReportCanvas() = default;

HostReport::HostReport(const QString& pdfFile) : impl_(std::make_unique<Impl>()) { impl_->file = pdfFile; }
HostReport::~HostReport() = default;

void HostReport::record(const QString& name, const QVariantList& args) { calls_.append(ReportCall{name, args}); }

QStringList HostReport::callNames() const {
  QStringList names;
  for (const ReportCall& call : calls_) names.append(call.name);
  return names;
}

QPainter* HostReport::painter() { return nullptr; }

QString HostReport::Translate(const QString& product, const QString& textKey, const QVariantList& paramList) {
  record(QStringLiteral("Translate"), {product, textKey});
  return LanguageService::instance()->Translate(product, textKey, paramList);
}

rt::Long HostReport::PageWidth(rt::Long shape) {
  record(QStringLiteral("PageWidth"), {shape});
  return pageWidthOverride_ ? pageWidthOverride_ : 9760;
}

void HostReport::TableFontSize(rt::Long points) { record(QStringLiteral("TableFontSize"), {points}); }
void HostReport::TableGrid(bool grid) { record(QStringLiteral("TableGrid"), {grid}); }
void HostReport::TableHeaderRows(rt::Long rows) { record(QStringLiteral("TableHeaderRows"), {rows}); }

void HostReport::AddTable(const QString& format, const QString& header, const QString& rows, rt::Long a,
                          rt::Long b, rt::Long c) {
  record(QStringLiteral("AddTable"), {format, header, rows, a, b, c});
}

void HostReport::Text(const QString& text) { record(QStringLiteral("Text"), {text}); }
rt::Long HostReport::CurrentY() { return impl_->currentY; }
void HostReport::SetCurrentY(rt::Long y) {
  record(QStringLiteral("SetCurrentY"), {y});
  impl_->currentY = y;
}
rt::Long HostReport::PrintableLeft(bool) { return 1134; }
rt::Long HostReport::PrintableRight(bool) { return 1134 + 9760; }
rt::Long HostReport::PrintableBottom(bool) { return 16838 - 1134; }
void HostReport::NewPage() {
  record(QStringLiteral("NewPage"), {});
  ++pages_;
  impl_->currentY = 1134;
}
ReportFontPtr HostReport::Font() { return impl_->font; }
void HostReport::SetTextAlignment(rt::Long alignment) {
  record(QStringLiteral("SetTextAlignment"), {alignment});
  impl_->alignment = alignment;
}
rt::Long HostReport::TextWidth(const QString& text) { return static_cast<rt::Long>(text.size() * 100); }
rt::Long HostReport::TextHeight(const QString&) { return 200; }
void HostReport::Line(rt::Long x1, rt::Long y1, rt::Long x2, rt::Long y2) {
  record(QStringLiteral("Line"), {x1, y1, x2, y2});
}
void HostReport::finish() {}

CanvasReport::CanvasReport(const QString& pdfFile) : HostReport(pdfFile) {}
CanvasReport::~CanvasReport() = default;
void CanvasReport::SetFillStyle(rt::Long style) {
  record(QStringLiteral("SetFillStyle"), {style});
  fillStyle_ = style;
}
void CanvasReport::SetFillColor(std::uint32_t rgb) {
  record(QStringLiteral("SetFillColor"), {rgb});
  fillColor_ = rgb;
}
void CanvasReport::FilledRectangle(rt::Long x1, rt::Long y1, rt::Long x2, rt::Long y2, rt::Long a, rt::Long b) {
  record(QStringLiteral("FilledRectangle"), {x1, y1, x2, y2, a, b});
}
void CanvasReport::Line(rt::Long x1, rt::Long y1, rt::Long x2, rt::Long y2) { HostReport::Line(x1, y1, x2, y2); }
void CanvasReport::TextBox(const QString& text, rt::Long x, rt::Long y, rt::Long width, rt::Long height, bool wrap,
                           rt::Long a, rt::Long b) {
  record(QStringLiteral("TextBox"), {text, x, y, width, height, wrap, a, b});
}
void CanvasReport::SetRotation(rt::Long tenths) {
  record(QStringLiteral("SetRotation"), {tenths});
  rotation_ = tenths;
}
void CanvasReport::SetCurrentY(rt::Long y) { HostReport::SetCurrentY(y); }

}  // namespace host
