#include "report/GlyphStore.h"

#include <algorithm>
#include <atomic>

namespace host::report {

namespace {

std::uint32_t sizeOf(const auto& array) {
  return static_cast<std::uint32_t>(array.size());
}

}  // namespace

GlyphStore::GlyphStore() {
  static std::atomic<std::uint64_t> made{0};
  identity_ = ++made;
}

GlyphStore::Block GlyphStore::add(const QList<QGlyphRun>& runs) {
  const Block block = sizeOf(blocks_);
  blocks_.push_back({sizeOf(runs_), sizeOf(runs)});
  for (const QGlyphRun& run : runs) {
    const QList<quint32> glyphs = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    const qsizetype count = std::min(glyphs.size(), positions.size());
    runs_.push_back({fontIndex(run.rawFont()), run.flags(), sizeOf(glyphs_),
                     static_cast<std::uint32_t>(count)});
    glyphs_.insert(glyphs_.end(), glyphs.begin(), glyphs.begin() + count);
    for (qsizetype i = 0; i < count; ++i)
      positions_.push_back(
          {static_cast<float>(positions[i].x()), static_cast<float>(positions[i].y())});
  }
  return block;
}

std::span<const GlyphStore::Run> GlyphStore::runs(Block block) const {
  const Extent& extent = blocks_[block];
  return {runs_.data() + extent.firstRun, extent.runCount};
}

std::uint32_t GlyphStore::fontIndex(const QRawFont& font) {
  const auto found = std::find(fonts_.begin(), fonts_.end(), font);
  if (found != fonts_.end()) return static_cast<std::uint32_t>(found - fonts_.begin());
  fonts_.push_back(font);
  return sizeOf(fonts_) - 1;
}

}  // namespace host::report
