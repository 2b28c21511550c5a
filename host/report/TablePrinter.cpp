#include "report/TablePrinter.h"

#include <QFontMetricsF>
#include <algorithm>
#include <vector>

#include "report/ReportTable.h"

namespace host::report {

namespace {

// The inner margin of a cell, so neighbouring texts never touch.
constexpr double kPaddingX = 60;
constexpr double kPaddingY = 25;

Qt::Alignment toQt(CellAlignment alignment) {
  switch (alignment) {
    case CellAlignment::Right:
      return Qt::AlignRight;
    case CellAlignment::Centre:
      return Qt::AlignHCenter;
    case CellAlignment::Left:
      break;
  }
  return Qt::AlignLeft;
}

struct LaidRow {
  std::vector<std::shared_ptr<const LaidText>> cells;  // none where nothing prints
  double height = 0;
};

class TableRun {
 public:
  // Lays out the header and the first bodyRows rows of the body (every row
  // when that is negative).
  TableRun(ReportDocument& document, const TableSettings& settings, const TableText& table,
           rt::Long pageWidth, double x, qsizetype bodyRows = -1)
      : document_(document), settings_(settings), x_(x) {
    columns_ = printedColumns(parseTableFormat(table.format), pageWidth);
    edges_ = columnEdges(columns_, pageWidth);
    font_ = document.font(settings.family, settings.points);
    emptyLine_ = QFontMetricsF(font_, document.device()).height();
    for (const QStringList& cells : parseTableRows(table.header)) header_.push_back(lay(cells));
    for (const QStringList& cells : parseTableRows(table.rows, bodyRows))
      body_.push_back(lay(cells));
  }

  PlacedTable print(double y) {
    placed_.bottom = y;
    if (header_.empty() && body_.empty()) return placed_;
    const QRect page = document_.printable();
    const size_t repeated = std::min<size_t>(std::max(settings_.headerRows, 0), header_.size());

    // A header is kept with the first row that follows it.
    if (y + opening() > pageBottom() && y > page.top()) y = nextPage();

    double segmentTop = y;
    for (size_t i = 0; i < header_.size(); ++i) y = drawRow(header_[i], y, true, i);
    if (!header_.empty()) drawHeaderRule(y);
    double contentTop = y;
    for (size_t index = 0; index < body_.size(); ++index) {
      const LaidRow& row = body_[index];
      if (y + row.height > pageBottom() && y > contentTop) {
        drawRules(segmentTop, y);
        y = segmentTop = nextPage();
        for (size_t i = 0; i < repeated; ++i) y = drawRow(header_[i], y, true, i);
        if (repeated > 0) drawHeaderRule(y);
        contentTop = y;
      }
      y = drawRow(row, y, false, index);
    }
    drawRules(segmentTop, y);
    placed_.bottom = y;
    return placed_;
  }

  double opening() const {
    double height = body_.empty() ? 0 : body_.front().height;
    for (const LaidRow& row : header_) height += row.height;
    return height;
  }

 private:
  LaidRow lay(const QStringList& texts) {
    LaidRow row;
    const QStringList cells = cellsForColumns(texts, static_cast<int>(columns_.size()));
    double tallest = emptyLine_;
    for (qsizetype i = 0; i < cells.size(); ++i) {
      const double inner = edges_[i + 1] - edges_[i] - 2 * kPaddingX;
      const QList<StyledRun> runs = parseMarkup(cells[i]);
      if (inner <= 0 || runs.isEmpty()) {
        row.cells.push_back(nullptr);
        continue;
      }
      auto text = document_.lay(runs, font_, inner, toQt(columns_[i].alignment), true);
      tallest = std::max(tallest, text->height());
      row.cells.push_back(std::move(text));
    }
    row.height = tallest + 2 * kPaddingY;
    return row;
  }

  double drawRow(const LaidRow& row, double y, bool header, size_t index) {
    placed_.rows.append(PlacedRow{document_.pageCount(), y, row.height, header, int(index)});
    for (size_t i = 0; i < row.cells.size(); ++i) {
      const QRectF cell(x_ + edges_[i], y, edges_[i + 1] - edges_[i], row.height);
      if (settings_.grid && cell.width() > 0) document_.frame(cell);
      if (!row.cells[i]) continue;
      const LaidText& text = *row.cells[i];
      // A text that fits its cell, as nearly every one does, needs no clip
      // to keep it there.
      const bool fits = text.naturalWidth() <= cell.width() - 2 * kPaddingX;
      document_.text(text, cell.topLeft() + QPointF(kPaddingX, kPaddingY), fits ? QRectF() : cell);
    }
    return y + row.height;
  }

  // The rule under the header ends at the table's rightmost vertical rule,
  // when it has one, so the empty margin column beyond stays clear.
  void drawHeaderRule(double y) {
    if (settings_.grid) return;
    double right = edges_.back();
    for (qsizetype i = columns_.size() - 1; i >= 0; --i)
      if (columns_[i].rule) {
        right = edges_[i + 1];
        break;
      }
    document_.line(x_ + edges_.front(), y, x_ + right, y);
  }

  void drawRules(double top, double bottom) {
    for (qsizetype i = 0; i < columns_.size(); ++i)
      if (columns_[i].rule) document_.line(x_ + edges_[i + 1], top, x_ + edges_[i + 1], bottom);
  }

  double pageBottom() const { return document_.printable().y() + document_.printable().height(); }

  double nextPage() {
    document_.newPage();
    return document_.printable().top();
  }

  ReportDocument& document_;
  const TableSettings& settings_;
  double x_;
  QList<TableColumn> columns_;
  QList<rt::Long> edges_;
  QFont font_;
  double emptyLine_ = 0;
  std::vector<LaidRow> header_;
  std::vector<LaidRow> body_;
  PlacedTable placed_;
};

}  // namespace

PlacedTable printTable(ReportDocument& document, const TableSettings& settings,
                       const TableText& table, rt::Long pageWidth, double x, double y) {
  return TableRun(document, settings, table, pageWidth, x).print(y);
}

double openingHeight(ReportDocument& document, const TableSettings& settings,
                     const TableText& table, rt::Long pageWidth) {
  return TableRun(document, settings, table, pageWidth, 0, 1).opening();
}

}  // namespace host::report
