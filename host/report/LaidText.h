#pragma once
// A text laid out for a report's page, and the document's store of texts
// laid out before: a report repeats its captions, units and verdicts many
// times, and shaping a text is what laying out a report costs most.

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QTextLayout>
#include <memory>
#include <optional>
#include <vector>

#include "report/GlyphStore.h"
#include "report/ReportMarkup.h"

namespace host::report {

// Lines broken to a width, with the text's extent.
class LaidText {
 public:
  LaidText(const QList<StyledRun>& runs, const QFont& font, QPaintDevice* device, double width,
           Qt::Alignment alignment, bool wrap);
  double height() const { return height_; }
  double naturalWidth() const { return naturalWidth_; }
  int lineCount() const { return layout_.lineCount(); }
  QTextLine line(int i) const { return layout_.lineAt(i); }
  // The glyphs of every line, placed from the text's top-left corner.
  QList<QGlyphRun> glyphs() const { return layout_.glyphRuns(); }
  // The same, kept in the store the first time the text is shown, and
  // found there each time after.
  GlyphStore::Block glyphsIn(GlyphStore& store) const;
  // The glyphs of line i, placed from the text's top-left corner, kept in
  // the store as those of the whole text are.
  GlyphStore::Block lineGlyphsIn(GlyphStore& store, int i) const;

 private:
  std::optional<GlyphStore::Block>& blockIn(const GlyphStore& store, int slot) const;

  QTextLayout layout_;
  double height_ = 0;
  double naturalWidth_ = 0;
  // Where the glyphs are kept, once shown: the whole text's first, then
  // each line's; a text shown in another store is kept there anew.
  mutable std::uint64_t store_ = 0;
  mutable std::vector<std::optional<GlyphStore::Block>> blocks_;
};

// Texts laid out on one paint device, each found again by its runs, font,
// width, alignment and wrapping. The store forgets everything when it is
// full, so a long report's single texts cannot make it grow without end.
class LaidTextCache {
 public:
  explicit LaidTextCache(QPaintDevice* device) : device_(device) {}
  std::shared_ptr<const LaidText> lay(const QList<StyledRun>& runs, const QFont& font, double width,
                                      Qt::Alignment alignment, bool wrap);

  struct Key {
    QList<StyledRun> runs;
    QFont font;
    double width;
    int alignment;
    bool wrap;
    friend bool operator==(const Key&, const Key&) = default;
  };

 private:
  QPaintDevice* device_;
  QHash<Key, std::shared_ptr<const LaidText>> texts_;
};

size_t qHash(const LaidTextCache::Key& key, size_t seed = 0);

}  // namespace host::report
