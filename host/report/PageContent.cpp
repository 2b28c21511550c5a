#include "report/PageContent.h"

#include <QPainter>
#include <QVarLengthArray>

namespace host::report {

namespace {

std::uint32_t sizeOf(const auto& array) {
  return static_cast<std::uint32_t>(array.size());
}

float single(double value) {
  return static_cast<float>(value);
}

}  // namespace

void PageContent::addText(const QList<QGlyphRun>& runs, QPointF at, const QRectF& clip,
                          double rotation) {
  if (runs.isEmpty()) return;
  items_.push_back({Kind::Text, sizeOf(texts_)});
  texts_.push_back({sizeOf(runs_), sizeOf(runs), at, clip, rotation});
  for (const QGlyphRun& run : runs) {
    const QList<quint32> glyphs = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    runs_.push_back({run.rawFont(), run.flags(), sizeOf(glyphs_), sizeOf(glyphs)});
    glyphs_.insert(glyphs_.end(), glyphs.begin(), glyphs.end());
    for (const QPointF& position : positions)
      positions_.push_back({single(position.x()), single(position.y())});
  }
}

void PageContent::addLine(const QLineF& line) {
  items_.push_back({Kind::Line, sizeOf(lines_)});
  lines_.push_back(
      {{single(line.x1()), single(line.y1())}, {single(line.x2()), single(line.y2())}});
}

void PageContent::addRectangle(const QRectF& rect, const QBrush& brush) {
  items_.push_back({Kind::Rectangle, sizeOf(rectangles_)});
  rectangles_.push_back({rect, brush});
}

void PageContent::shrink() {
  items_.shrink_to_fit();
  texts_.shrink_to_fit();
  runs_.shrink_to_fit();
  glyphs_.shrink_to_fit();
  positions_.shrink_to_fit();
  lines_.shrink_to_fit();
  rectangles_.shrink_to_fit();
}

void PageContent::draw(QPainter& painter) const {
  for (const Item& item : items_) {
    switch (item.kind) {
      case Kind::Text:
        drawText(painter, texts_[item.index]);
        break;
      case Kind::Line: {
        const Line& line = lines_[item.index];
        painter.drawLine(QLineF(line.from.x, line.from.y, line.to.x, line.to.y));
        break;
      }
      case Kind::Rectangle: {
        const Rectangle& rectangle = rectangles_[item.index];
        painter.save();
        painter.setBrush(rectangle.brush);
        painter.drawRect(rectangle.rect);
        painter.restore();
        break;
      }
    }
  }
}

void PageContent::drawText(QPainter& painter, const Text& text) const {
  const bool placed = !text.clip.isEmpty() || text.rotation != 0;
  QPointF at = text.at;
  if (placed) {
    painter.save();
    if (!text.clip.isEmpty()) painter.setClipRect(text.clip);
    if (text.rotation != 0) {
      painter.translate(at);
      painter.rotate(text.rotation);
      at = QPointF();
    }
  }
  QGlyphRun glyphs;
  QVarLengthArray<QPointF, 64> positions;
  for (std::uint32_t i = text.firstRun; i < text.firstRun + text.runCount; ++i) {
    const Run& run = runs_[i];
    positions.resize(run.count);
    for (std::uint32_t g = 0; g < run.count; ++g)
      positions[g] = QPointF(positions_[run.first + g].x, positions_[run.first + g].y);
    glyphs.setRawFont(run.font);
    glyphs.setFlags(run.flags);
    glyphs.setRawData(glyphs_.data() + run.first, positions.data(), static_cast<int>(run.count));
    painter.drawGlyphRun(at, glyphs);
  }
  if (placed) painter.restore();
}

}  // namespace host::report
