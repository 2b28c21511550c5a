#pragma once
// The report being printed: it lays the report out into the pages of an A4
// PDF as the calls come, drawn when it is finished (ReportDocument.h).
// Report units are twips; coordinates are page coordinates from the paper's
// top-left corner, y growing downwards.
//
// Tables: TableFontSize, TableGrid and TableHeaderRows set up the tables
// that follow (font size in points, whether every cell is framed, how many
// header rows repeat on every page); AddTable prints one table at the
// current position. The format, header and rows texts and the emphasis
// "{\i\b text}" are described in ReportTable.h and ReportMarkup.h: in short,
// a format cell is an alignment ("<" left, ">" right, "^" centred), "+" for
// a column that gives up width when the table is wider than the page width,
// "!" for a rule on the column's right edge, and the width in twips (which
// may be negative: the column is then empty). Tables break across pages
// and repeat their header rows. AddTable's last three arguments are
// reserved (0).
//
// Text prints a paragraph across the printable width with the report's font
// and alignment; tables and texts move the current position below them and
// start a new page when they do not fit.

#include <QFontMetricsF>
#include <QList>
#include <QVariantList>
#include <functional>
#include <memory>
#include <optional>

#include "typelib/HostTypes.h"

namespace host {

namespace report {
class ReportDocument;
}

// What the foot of one page shows, in the bottom margin below the printable
// area: a text at the left edge and one at the right.
struct PageFoot {
  QString left;
  QString right;
};

// The left text of a page foot as it is drawn in a line of that width: cut
// short with "…" where it would run into the right text.
QString footLeftText(const PageFoot& foot, const QFontMetricsF& metrics, double width);

// The report's font: setting a field changes the font of what follows.
class ReportFont : public virtual com::Object {
 public:
  ~ReportFont() override;
  QString Name() const { return name_; }
  void SetName(const QString& name);
  double Size() const { return size_; }
  void SetSize(double points);
  bool Bold() const { return bold_; }
  void SetBold(bool bold);
  bool Italic() const { return italic_; }
  void SetItalic(bool italic);

  // Host side: told of every change.
  void setObserver(std::function<void(const QString&, const QVariant&)> observer) {
    observer_ = std::move(observer);
  }

 private:
  void changed(const QString& field, const QVariant& value);
  QString name_ = QStringLiteral("Arial");
  double size_ = 10;
  bool bold_ = false;
  bool italic_ = false;
  std::function<void(const QString&, const QVariant&)> observer_;
};
using ReportFontPtr = std::shared_ptr<ReportFont>;

// The report's drawing surface.
class ReportCanvas : public virtual com::Object {
 public:
  ~ReportCanvas() override;
  // 0 solid, 1 transparent, 2 horizontal, 3 vertical, 4 upward diagonal,
  // 5 downward diagonal, 6 cross, 7 diagonal cross hatching.
  virtual void SetFillStyle(rt::Long style) = 0;
  virtual void SetFillColor(std::uint32_t rgb) = 0;  // 0x00BBGGRR
  // The rectangle filled by the fill style and colour, framed by a thin
  // black line; the last two arguments are reserved (0).
  virtual void FilledRectangle(rt::Long x1, rt::Long y1, rt::Long x2, rt::Long y2, rt::Long a,
                               rt::Long b) = 0;
  virtual void Line(rt::Long x1, rt::Long y1, rt::Long x2, rt::Long y2) = 0;
  // The text from the box's top edge down, in the report's font, aligned
  // across the width by the report's text alignment, broken into lines at
  // the width when wrap is set. The height does not cut the text off. A box
  // without width takes the text's own. The box turns about its top-left
  // corner by the rotation. The last two arguments are reserved (0).
  virtual void TextBox(const QString& text, rt::Long x, rt::Long y, rt::Long width, rt::Long height,
                       bool wrap, rt::Long a, rt::Long b) = 0;
  // Tenths of a degree, anticlockwise: 900 reads upwards.
  virtual rt::Long Rotation() = 0;
  virtual void SetRotation(rt::Long tenths) = 0;
  virtual void SetCurrentY(rt::Long y) = 0;
};

class HostReport : public virtual com::Object {
 public:
  // A report rendered into file (PDF); without a file it is rendered into
  // memory, so metrics and page breaks are the same. The file is written
  // whole when the report is finished; until then, and when it could not be
  // written, fileWritten() is false and the report is in memory.
  explicit HostReport(const QString& pdfFile = QString());
  ~HostReport() override;

  virtual QString Translate(const QString& product, const QString& textKey,
                            const QVariantList& paramList = {});
  // The usable width of a table: the printable width unless the host set
  // another; the shape (7 narrow, 10 wide) does not change it.
  virtual rt::Long PageWidth(rt::Long shape);
  virtual void TableFontSize(rt::Long points);
  virtual void TableGrid(bool grid);
  virtual void TableHeaderRows(rt::Long rows);
  virtual void AddTable(const QString& format, const QString& header, const QString& rows,
                        rt::Long a, rt::Long b, rt::Long c);
  virtual void Text(const QString& text);

  // 3: the printout may carry a waveform.
  virtual rt::Long OutputKind();
  // 16: failed measurements only; 8: the discharge curve.
  virtual rt::Long OptionFlags();

  virtual rt::Long CurrentY();
  virtual void SetCurrentY(rt::Long y);
  // The printable area's bounds with printable set, else the paper's.
  virtual rt::Long PrintableLeft(bool printable);
  virtual rt::Long PrintableRight(bool printable);
  virtual rt::Long PrintableBottom(bool printable);
  // The current position moves to the top of a fresh page.
  virtual void NewPage();
  virtual ReportFontPtr Font();
  virtual void SetTextAlignment(rt::Long alignment);  // 0 left, 1 centre, 2 right
  virtual rt::Long TextWidth(const QString& text);    // widest line, current font
  virtual rt::Long TextHeight(const QString& text);   // all lines, current font
  virtual void Line(rt::Long x1, rt::Long y1, rt::Long x2, rt::Long y2);

  // Host side.
  void setPageWidth(rt::Long width) { pageWidthOverride_ = width; }
  void setOutputKind(rt::Long kind) { outputKind_ = kind; }
  void setOptionFlags(rt::Long flags) { optionFlags_ = flags; }
  // The foot of every page, asked for with the page's number (from 1) and
  // the number of pages once the report is finished.
  void setPageFoot(std::function<PageFoot(int page, int pages)> foot);
  // Ends the document (writes the PDF); later calls draw nothing.
  void finish();
  int pageCount() const;
  bool fileWritten() const;
  // The PDF of a report rendered into memory, complete once finished.
  QByteArray pdfData() const;
  // The room that a table added now would take before its first row is
  // done: the gap above it, its header rows and its first row.
  rt::Long tableOpeningHeight(const QString& format, const QString& header, const QString& rows);
  // A new page, unless the height fits below the current position or the
  // position is at the top of a page already.
  void keepTogether(rt::Long height);
  // The height Text would give that paragraph in the report's font family
  // at that size and weight, without changing the font.
  rt::Long paragraphHeight(const QString& text, double points, bool bold);

 protected:
  void drawFilledRectangle(rt::Long x1, rt::Long y1, rt::Long x2, rt::Long y2, std::uint32_t rgb,
                           rt::Long style);
  void drawTextBox(const QString& text, rt::Long x, rt::Long y, rt::Long width, bool wrap,
                   rt::Long rotation);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
  std::optional<rt::Long> pageWidthOverride_;
  rt::Long outputKind_ = 0;
  rt::Long optionFlags_ = 0;
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
  rt::Long Rotation() override;
  void SetRotation(rt::Long tenths) override;
  void SetCurrentY(rt::Long y) override;

 private:
  rt::Long fillStyle_ = 1;
  std::uint32_t fillColor_ = 0xFFFFFF;
  rt::Long rotation_ = 0;
};

}  // namespace host
