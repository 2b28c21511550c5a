#pragma once
// Reports that record every call they receive, in order and with its
// arguments, and then do what the report itself does: a test asserts on
// what an element asked of the report while the report still lays it out
// and prints it. The font's setters are recorded too, as "Font.Name",
// "Font.Size", "Font.Bold" and "Font.Italic". Calls the report makes of
// itself (a table that starts a new page) reach the recording as they do
// any caller's.

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include "report/HostReport.h"

namespace testsupport {

struct ReportCall {
  QString name;
  QVariantList args;
};

// The recording of one report's calls.
class ReportCalls {
 public:
  const QList<ReportCall>& calls() const { return calls_; }
  QStringList callNames() const {
    QStringList names;
    for (const ReportCall& call : calls_) names.append(call.name);
    return names;
  }

 protected:
  void record(const QString& name, const QVariantList& args = {}) {
    calls_.append(ReportCall{name, args});
  }

 private:
  QList<ReportCall> calls_;
};

// The report calls of Report (host::HostReport or a report derived from
// it), recorded.
template <class Report>
class RecordingReportOf : public Report, public ReportCalls {
 public:
  explicit RecordingReportOf(const QString& pdfFile = QString()) : Report(pdfFile) {
    Report::Font()->setObserver(
        [this](const QString& name, const QVariant& value) { record(name, {value}); });
  }
  ~RecordingReportOf() override {
    // The font may outlive the report in a caller's hands.
    Report::Font()->setObserver(nullptr);
  }

  QString Translate(const QString& product, const QString& textKey,
                    const QVariantList& paramList = {}) override {
    record(QStringLiteral("Translate"), {product, textKey, paramList});
    return Report::Translate(product, textKey, paramList);
  }
  rt::Long PageWidth(rt::Long shape) override {
    record(QStringLiteral("PageWidth"), {shape});
    return Report::PageWidth(shape);
  }
  void TableFontSize(rt::Long points) override {
    record(QStringLiteral("TableFontSize"), {points});
    Report::TableFontSize(points);
  }
  void TableGrid(bool grid) override {
    record(QStringLiteral("TableGrid"), {grid});
    Report::TableGrid(grid);
  }
  void TableHeaderRows(rt::Long rows) override {
    record(QStringLiteral("TableHeaderRows"), {rows});
    Report::TableHeaderRows(rows);
  }
  void AddTable(const QString& format, const QString& header, const QString& rows, rt::Long a,
                rt::Long b, rt::Long c) override {
    record(QStringLiteral("AddTable"), {format, header, rows, a, b, c});
    Report::AddTable(format, header, rows, a, b, c);
  }
  void Text(const QString& text) override {
    record(QStringLiteral("Text"), {text});
    Report::Text(text);
  }
  rt::Long OutputKind() override {
    record(QStringLiteral("OutputKind"));
    return Report::OutputKind();
  }
  rt::Long OptionFlags() override {
    record(QStringLiteral("OptionFlags"));
    return Report::OptionFlags();
  }
  rt::Long CurrentY() override {
    record(QStringLiteral("CurrentY"));
    return Report::CurrentY();
  }
  void SetCurrentY(rt::Long y) override {
    record(QStringLiteral("SetCurrentY"), {y});
    Report::SetCurrentY(y);
  }
  rt::Long PrintableLeft(bool printable) override {
    record(QStringLiteral("PrintableLeft"), {printable});
    return Report::PrintableLeft(printable);
  }
  rt::Long PrintableRight(bool printable) override {
    record(QStringLiteral("PrintableRight"), {printable});
    return Report::PrintableRight(printable);
  }
  rt::Long PrintableBottom(bool printable) override {
    record(QStringLiteral("PrintableBottom"), {printable});
    return Report::PrintableBottom(printable);
  }
  void NewPage() override {
    record(QStringLiteral("NewPage"));
    Report::NewPage();
  }
  host::ReportFontPtr Font() override {
    record(QStringLiteral("Font"));
    return Report::Font();
  }
  void SetTextAlignment(rt::Long alignment) override {
    record(QStringLiteral("SetTextAlignment"), {alignment});
    Report::SetTextAlignment(alignment);
  }
  rt::Long TextWidth(const QString& text) override {
    record(QStringLiteral("TextWidth"), {text});
    return Report::TextWidth(text);
  }
  rt::Long TextHeight(const QString& text) override {
    record(QStringLiteral("TextHeight"), {text});
    return Report::TextHeight(text);
  }
  void Line(rt::Long x1, rt::Long y1, rt::Long x2, rt::Long y2) override {
    record(QStringLiteral("Line"), {x1, y1, x2, y2});
    Report::Line(x1, y1, x2, y2);
  }
};

using RecordingReport = RecordingReportOf<host::HostReport>;

// The printed report with its drawing surface, recorded.
class RecordingCanvasReport : public RecordingReportOf<host::CanvasReport> {
 public:
  using RecordingReportOf::RecordingReportOf;

  void SetFillStyle(rt::Long style) override {
    record(QStringLiteral("SetFillStyle"), {style});
    CanvasReport::SetFillStyle(style);
  }
  void SetFillColor(std::uint32_t rgb) override {
    record(QStringLiteral("SetFillColor"), {rgb});
    CanvasReport::SetFillColor(rgb);
  }
  void FilledRectangle(rt::Long x1, rt::Long y1, rt::Long x2, rt::Long y2, rt::Long a,
                       rt::Long b) override {
    record(QStringLiteral("FilledRectangle"), {x1, y1, x2, y2, a, b});
    CanvasReport::FilledRectangle(x1, y1, x2, y2, a, b);
  }
  void TextBox(const QString& text, rt::Long x, rt::Long y, rt::Long width, rt::Long height,
               bool wrap, rt::Long a, rt::Long b) override {
    record(QStringLiteral("TextBox"), {text, x, y, width, height, wrap, a, b});
    CanvasReport::TextBox(text, x, y, width, height, wrap, a, b);
  }
  rt::Long Rotation() override {
    record(QStringLiteral("Rotation"));
    return CanvasReport::Rotation();
  }
  void SetRotation(rt::Long tenths) override {
    record(QStringLiteral("SetRotation"), {tenths});
    CanvasReport::SetRotation(tenths);
  }
};

}  // namespace testsupport
