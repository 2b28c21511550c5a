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

// One run of a text, its glyphs placed from at.
void drawRun(QPainter& painter, const GlyphStore& store, const GlyphStore::Run& run, QPointF at) {
  QVarLengthArray<QPointF, 64> positions(run.count);
  const GlyphStore::Point* from = store.positions(run);
  for (std::uint32_t g = 0; g < run.count; ++g) positions[g] = QPointF(from[g].x, from[g].y);
  QGlyphRun glyphs;
  glyphs.setRawFont(store.font(run.font));
  glyphs.setFlags(run.flags);
  glyphs.setRawData(store.glyphs(run), positions.data(), static_cast<int>(run.count));
  painter.drawGlyphRun(at, glyphs);
}

}  // namespace

void PageContent::add(Kind kind) {
  if (order_.empty() || order_.back().kind != kind)
    order_.push_back({kind, 1});
  else
    ++order_.back().count;
}

void PageContent::addText(const GlyphStore& store, GlyphStore::Block glyphs, QPointF at,
                          const QRectF& clip, double rotation) {
  if (store.runs(glyphs).empty()) return;
  std::uint32_t placing = 0;
  if (!clip.isEmpty() || rotation != 0) {
    placings_.push_back({clip, rotation});
    placing = sizeOf(placings_);
  }
  add(Kind::Text);
  texts_.push_back({glyphs, placing, at});
}

void PageContent::addLine(const QLineF& line) {
  const Point from{single(line.x1()), single(line.y1())};
  const Point to{single(line.x2()), single(line.y2())};
  const bool afterLine =
      !order_.empty() && (order_.back().kind == Kind::Line || order_.back().kind == Kind::Joined);
  if (afterLine && points_.back().x == from.x && points_.back().y == from.y) {
    add(Kind::Joined);
  } else {
    add(Kind::Line);
    points_.push_back(from);
  }
  points_.push_back(to);
}

void PageContent::addRectangle(const QRectF& rect, const QBrush& brush) {
  add(Kind::Rectangle);
  rectangles_.push_back({rect, brush});
}

void PageContent::shrink() {
  order_.shrink_to_fit();
  texts_.shrink_to_fit();
  placings_.shrink_to_fit();
  points_.shrink_to_fit();
  rectangles_.shrink_to_fit();
}

void PageContent::draw(QPainter& painter, const GlyphStore& store) const {
  std::uint32_t text = 0, point = 0, rectangle = 0;
  const auto drawLine = [&](const Point& from, const Point& to) {
    painter.drawLine(QLineF(from.x, from.y, to.x, to.y));
  };
  for (const Stretch& stretch : order_) {
    switch (stretch.kind) {
      case Kind::Text:
        drawTexts(painter, store, texts_.data() + text, stretch.count);
        text += stretch.count;
        break;
      case Kind::Line:
        for (std::uint32_t i = 0; i < stretch.count; ++i, point += 2)
          drawLine(points_[point], points_[point + 1]);
        break;
      case Kind::Joined:
        for (std::uint32_t i = 0; i < stretch.count; ++i, ++point)
          drawLine(points_[point - 1], points_[point]);
        break;
      case Kind::Rectangle:
        for (std::uint32_t i = rectangle; i < rectangle + stretch.count; ++i) {
          painter.save();
          painter.setBrush(rectangles_[i].brush);
          painter.drawRect(rectangles_[i].rect);
          painter.restore();
        }
        rectangle += stretch.count;
        break;
    }
  }
}

void PageContent::drawTexts(QPainter& painter, const GlyphStore& store, const Text* texts,
                            std::uint32_t count) const {
  for (const Text* text = texts; text != texts + count; ++text) {
    if (text->placing != 0) {
      drawPlaced(painter, store, *text);
      continue;
    }
    for (const GlyphStore::Run& run : store.runs(text->glyphs))
      drawRun(painter, store, run, text->at);
  }
}

void PageContent::drawPlaced(QPainter& painter, const GlyphStore& store, const Text& text) const {
  const Placing& placing = placings_[text.placing - 1];
  QPointF at = text.at;
  painter.save();
  if (!placing.clip.isEmpty()) painter.setClipRect(placing.clip);
  if (placing.rotation != 0) {
    painter.translate(at);
    painter.rotate(placing.rotation);
    at = QPointF();
  }
  for (const GlyphStore::Run& run : store.runs(text.glyphs)) drawRun(painter, store, run, at);
  painter.restore();
}

}  // namespace host::report
