#pragma once
// What one page of a report shows, kept from its lay-out until it is drawn:
// where each text goes (its glyphs are the document's, GlyphStore.h), lines
// and rectangles, drawn in the order they were added. A page holds many
// hundred texts and lines, so they sit in arrays of the page rather than in
// an object each, and what comes in a row of one kind is one entry of the
// order: a table's texts, a waveform's lines.

#include <QBrush>
#include <QLineF>
#include <QRectF>
#include <cstdint>
#include <vector>

#include "report/GlyphStore.h"

class QPainter;

namespace host::report {

class PageContent {
 public:
  // The text turns about at by the rotation (degrees, clockwise on the
  // page) and is cut off at the clip, in page coordinates, unless that is
  // empty.
  void addText(const GlyphStore& store, GlyphStore::Block glyphs, QPointF at, const QRectF& clip,
               double rotation);
  // Line coordinates are kept in single precision: lines lie on whole
  // twips or on 1/64 of one, which it holds exactly across any page.
  // A line that starts where the one before it ended keeps only its end.
  void addLine(const QLineF& line);
  void addRectangle(const QRectF& rect, const QBrush& brush);

  // Gives back the room the arrays keep for more, once the page is done.
  void shrink();

  // Lines and frames in the painter's pen, texts in its colour.
  void draw(QPainter& painter, const GlyphStore& store) const;

 private:
  // Joined: a line from where the line before it ended, as a curve's
  // segments come, kept as its end alone.
  enum class Kind : std::uint8_t { Text, Line, Joined, Rectangle };
  struct Stretch {
    Kind kind;
    std::uint32_t count;  // items of the kind, next in their array
  };
  struct Text {
    GlyphStore::Block glyphs;
    std::uint32_t placing;  // 1 + index into placings_, 0 when upright and uncut
    QPointF at;
  };
  struct Placing {
    QRectF clip;
    double rotation;
  };
  struct Point {
    float x;
    float y;
  };
  struct Rectangle {
    QRectF rect;
    QBrush brush;
  };

  void add(Kind kind);
  void drawTexts(QPainter& painter, const GlyphStore& store, const Text* texts,
                 std::uint32_t count) const;
  void drawPlaced(QPainter& painter, const GlyphStore& store, const Text& text) const;

  std::vector<Stretch> order_;
  std::vector<Text> texts_;
  std::vector<Placing> placings_;
  std::vector<Point> points_;  // two for a line, one for a joined one
  std::vector<Rectangle> rectangles_;
};

}  // namespace host::report
