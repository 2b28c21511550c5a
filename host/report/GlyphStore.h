#pragma once
// The glyphs of the texts a report shows, each text's kept once however
// often it is shown: a report repeats its captions, units and verdicts on
// every page, and a long report's pages would otherwise hold the same glyphs
// many thousand times over. A page keeps only where each text goes.
//
// Positions are in single precision, from the text's top-left corner: they
// lie on 1/64 of a twip, which single precision holds exactly across any
// page.

#include <QGlyphRun>
#include <QRawFont>
#include <cstdint>
#include <span>
#include <vector>

namespace host::report {

class GlyphStore {
 public:
  using Block = std::uint32_t;

  struct Point {
    float x;
    float y;
  };
  struct Run {
    std::uint32_t font;  // font(i)
    QGlyphRun::GlyphRunFlags flags;
    std::uint32_t first;  // into glyphs and positions
    std::uint32_t count;
  };

  GlyphStore();
  // Told apart from every other store of the process, even one that comes
  // where a store was before.
  std::uint64_t identity() const { return identity_; }

  // The runs' glyphs, kept as a block that shows them again.
  Block add(const QList<QGlyphRun>& runs);

  std::span<const Run> runs(Block block) const;
  const QRawFont& font(std::uint32_t index) const { return fonts_[index]; }
  const quint32* glyphs(const Run& run) const { return glyphs_.data() + run.first; }
  const Point* positions(const Run& run) const { return positions_.data() + run.first; }

 private:
  std::uint32_t fontIndex(const QRawFont& font);

  struct Extent {
    std::uint32_t firstRun;
    std::uint32_t runCount;
  };
  std::uint64_t identity_;
  std::vector<Extent> blocks_;
  std::vector<Run> runs_;
  // A report sets its texts in a handful of fonts.
  std::vector<QRawFont> fonts_;
  std::vector<quint32> glyphs_;
  std::vector<Point> positions_;
};

}  // namespace host::report
