#pragma once
// What one page of a report shows, kept from its lay-out until it is drawn:
// texts as the glyphs they were shaped into, lines and rectangles, drawn in
// the order they were added. A page holds many thousand glyphs and lines,
// so they sit in arrays of the page rather than in an object each, their
// coordinates in single precision: a text's glyphs lie on 1/64 of a twip
// from its corner and lines on whole twips, which single precision holds
// exactly across any page.

#include <QBrush>
#include <QGlyphRun>
#include <QLineF>
#include <QRawFont>
#include <QRectF>
#include <cstdint>
#include <vector>

class QPainter;

namespace host::report {

class PageContent {
 public:
  // Glyph positions are taken from at. The text turns about at by the
  // rotation (degrees, clockwise on the page) and is cut off at the clip,
  // in page coordinates, unless that is empty.
  void addText(const QList<QGlyphRun>& runs, QPointF at, const QRectF& clip, double rotation);
  void addLine(const QLineF& line);
  void addRectangle(const QRectF& rect, const QBrush& brush);

  // Gives back the room the arrays keep for more, once the page is done.
  void shrink();

  // Lines and frames in the painter's pen, texts in its colour.
  void draw(QPainter& painter) const;

 private:
  enum class Kind : std::uint8_t { Text, Line, Rectangle };
  struct Item {
    Kind kind;
    std::uint32_t index;  // into the array of its kind
  };
  struct Run {
    QRawFont font;
    QGlyphRun::GlyphRunFlags flags;
    std::uint32_t first;  // into glyphs_ and positions_
    std::uint32_t count;
  };
  struct Text {
    std::uint32_t firstRun;
    std::uint32_t runCount;
    QPointF at;
    QRectF clip;
    double rotation;
  };
  struct Rectangle {
    QRectF rect;
    QBrush brush;
  };

  void drawText(QPainter& painter, const Text& text) const;

  std::vector<Item> items_;
  std::vector<Text> texts_;
  std::vector<Run> runs_;
  struct Point {
    float x;
    float y;
  };
  struct Line {
    Point from;
    Point to;
  };

  std::vector<quint32> glyphs_;
  std::vector<Point> positions_;
  std::vector<Line> lines_;
  std::vector<Rectangle> rectangles_;
};

}  // namespace host::report
