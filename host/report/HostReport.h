#pragma once
// The report being printed. It records every call it receives, in order, so
// a test can assert on the sequence, and renders the report into a PDF as
// the calls come: tables (format text, header, rows), text, lines, new pages
// and the drawing operations of ReportCanvas. Report units are twips.
//
// Table format language: cells separated by "|", ended by ";". Each cell of
// the format is an alignment ("<" left, ">" right, "^" centred), an optional
// "+" (the column follows the one before it), the width in twips, and an
// optional "!" (a rule is drawn on the column's right edge). Header and row
// cells are separated by "|" and each row ends with ";". "{\i\b text}" prints
// text bold italic.

#include "typelib/HostTypes.h"

#include <QList>
#include <QVariantList>
#include <memory>

class QPainter;
class QPdfWriter;
class QBuffer;

namespace host {

struct ReportCall {
  QString name;
  QVariantList args;
};

// The report's font: setting a field changes the font of what follows.
class ReportFont : public virtual com::Object {
 public:
  ~ReportFont() override;
  QString Name() const { return name_; }
  void SetName(const QString& name) { name_ = name; }
  double Size() const { return size_; }
  void SetSize(double points) { size_ = points; }
  bool Bold() const { return bold_; }
  void SetBold(bool bold) { bold_ = bold; }
  bool Italic() const { return italic_; }
  void SetItalic(bool italic) { italic_ = italic; }

 private:
  QString name_ = QStringLiteral("Arial");
  double size_ = 10;
  bool bold_ = false;
  bool italic_ = false;
};
using ReportFontPtr = std::shared_ptr<ReportFont>;

// The report's drawing surface.
class ReportCanvas : public virtual com::Object {
 public:
  ~ReportCanvas() override;
  virtual void SetFillStyle(rt::Long style) = 0;       // 0 solid
  virtual void SetFillColor(std::uint32_t rgb) = 0;   // 0x00BBGGRR
  virtual void FilledRectangle(rt::Long x1, rt::Long y1, rt::Long x2, rt::Long y2, rt::Long a,
                               rt::Long b) = 0;
  virtual void Line(rt::Long x1, rt::Long y1, rt::Long x2, rt::Long y2) = 0;
  virtual void TextBox(const QString& text, rt::Long x, rt::Long y, rt::Long width,
                       rt::Long height, bool wrap, rt::Long a, rt::Long b) = 0;
  virtual rt::Long Rotation() = 0;                     // tenths of a degree
  virtual void SetRotation(rt::Long tenths) = 0;
  virtual void SetCurrentY(rt::Long y) = 0;
};

class HostReport : public virtual com::Object {
 public:
  // A report rendered into file (PDF); without a file it is rendered into
  // memory, so metrics and page breaks are the same.
  explicit HostReport(const QString& pdfFile = QString());
  ~HostReport() override;

  virtual QString Translate(const QString& product, const QString& textKey,
                            const QVariantList& paramList = {});
  // The usable width for a table shape (7 narrow, 10 wide).
  virtual rt::Long PageWidth(rt::Long shape);
  // The three table set-up calls: the table's font size in points, whether
  // grid lines are drawn, and how many header rows the table has.
  virtual void TableFontSize(rt::Long points);
  virtual void TableGrid(bool grid);
  virtual void TableHeaderRows(rt::Long rows);
  virtual void AddTable(const QString& format, const QString& header, const QString& rows,
                        rt::Long a, rt::Long b, rt::Long c);
  virtual void Text(const QString& text);

  virtual rt::Long OutputKind() { return outputKind_; }
  virtual rt::Long OptionFlags() { return optionFlags_; }

  virtual rt::Long CurrentY();
  virtual void SetCurrentY(rt::Long y);
  virtual rt::Long PrintableLeft(bool printable);
  virtual rt::Long PrintableRight(bool printable);
  virtual rt::Long PrintableBottom(bool printable);
  virtual void NewPage();
  virtual ReportFontPtr Font();
  virtual void SetTextAlignment(rt::Long alignment);  // 0 left, 1 centre, 2 right
  virtual rt::Long TextWidth(const QString& text);
  virtual rt::Long TextHeight(const QString& text);
  virtual void Line(rt::Long x1, rt::Long y1, rt::Long x2, rt::Long y2);

  // Host side.
  const QList<ReportCall>& calls() const { return calls_; }
  QStringList callNames() const;
  void setPageWidth(rt::Long width) { pageWidthOverride_ = width; }
  void setOutputKind(rt::Long kind) { outputKind_ = kind; }
  void setOptionFlags(rt::Long flags) { optionFlags_ = flags; }
  // Ends the document (writes the PDF); later calls are recorded only.
  void finish();
  int pageCount() const { return pages_; }

 protected:
  void record(const QString& name, const QVariantList& args);
  QPainter* painter();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
  QList<ReportCall> calls_;
  rt::Long pageWidthOverride_ = 0;
  rt::Long outputKind_ = 0;
  rt::Long optionFlags_ = 0;
  int pages_ = 1;
};

// A report that also offers its drawing surface (the host's printed report).
class CanvasReport : public HostReport, public ReportCanvas {
 public:
  explicit CanvasReport(const QString& pdfFile = QString());
  ~CanvasReport() override;
  void SetFillStyle(rt::Long style) override;
  void SetFillColor(std::uint32_t rgb) override;
  void FilledRectangle(rt::Long x1, rt::Long y1, rt::Long x2, rt::Long y2, rt::Long a,
                       rt::Long b) override;
  void Line(rt::Long x1, rt::Long y1, rt::Long x2, rt::Long y2) override;
  void TextBox(const QString& text, rt::Long x, rt::Long y, rt::Long width, rt::Long height,
               bool wrap, rt::Long a, rt::Long b) override;
  rt::Long Rotation() override { return rotation_; }
  void SetRotation(rt::Long tenths) override;
  void SetCurrentY(rt::Long y) override;

 private:
  rt::Long fillStyle_ = 1;
  std::uint32_t fillColor_ = 0xFFFFFF;
  rt::Long rotation_ = 0;
};

}  // namespace host
