#include "report/LaidText.h"

#include <QFontMetricsF>
#include <QTextOption>
#include <algorithm>

namespace host::report {

namespace {

// Enough for every caption, unit and verdict of a report many times over.
constexpr qsizetype kCachedTexts = 4096;

QString withLineSeparators(QString text) {
  text.replace(u'\n', QChar::LineSeparator);
  return text;
}

}  // namespace

LaidText::LaidText(const QList<StyledRun>& runs, const QFont& font, QPaintDevice* device,
                   double width, Qt::Alignment alignment, bool wrap)
    : layout_(withLineSeparators(plainText(runs)), font, device) {
  QList<QTextLayout::FormatRange> formats;
  int start = 0;
  for (const StyledRun& run : runs) {
    QTextLayout::FormatRange range;
    range.start = start;
    range.length = static_cast<int>(run.text.size());
    range.format.setFontWeight(run.style.bold ? QFont::Bold : QFont::Normal);
    range.format.setFontItalic(run.style.italic);
    range.format.setFontUnderline(run.style.underline);
    formats.append(range);
    start += range.length;
  }
  layout_.setFormats(formats);
  QTextOption option(alignment);
  option.setWrapMode(wrap && width > 0 ? QTextOption::WrapAtWordBoundaryOrAnywhere
                                       : QTextOption::NoWrap);
  layout_.setTextOption(option);
  layout_.setCacheEnabled(true);

  auto layOut = [this](double lineWidth) {
    height_ = 0;
    naturalWidth_ = 0;
    layout_.beginLayout();
    for (QTextLine line = layout_.createLine(); line.isValid(); line = layout_.createLine()) {
      line.setLineWidth(lineWidth);
      line.setPosition(QPointF(0, height_));
      height_ += line.height();
      naturalWidth_ = std::max(naturalWidth_, line.naturalTextWidth());
    }
    layout_.endLayout();
  };
  if (width > 0) {
    layOut(width);
  } else {
    // Without a width the text keeps its own, and aligns within that.
    layOut(1e9);
    layout_.clearLayout();
    layOut(std::max(naturalWidth_, 1.0));
  }
  if (layout_.lineCount() == 0) height_ = QFontMetricsF(font, device).height();
}

std::optional<GlyphStore::Block>& LaidText::blockIn(const GlyphStore& store, int slot) const {
  if (store_ != store.identity()) {
    store_ = store.identity();
    blocks_.assign(layout_.lineCount() + 1, std::nullopt);
  }
  return blocks_[slot];
}

GlyphStore::Block LaidText::glyphsIn(GlyphStore& store) const {
  std::optional<GlyphStore::Block>& block = blockIn(store, 0);
  if (!block) block = store.add(layout_.glyphRuns());
  return *block;
}

GlyphStore::Block LaidText::lineGlyphsIn(GlyphStore& store, int i) const {
  std::optional<GlyphStore::Block>& block = blockIn(store, i + 1);
  if (!block) block = store.add(layout_.lineAt(i).glyphRuns());
  return *block;
}

std::shared_ptr<const LaidText> LaidTextCache::lay(const QList<StyledRun>& runs, const QFont& font,
                                                   double width, Qt::Alignment alignment,
                                                   bool wrap) {
  Key key{runs, font, width, static_cast<int>(alignment), wrap};
  if (const auto found = texts_.constFind(key); found != texts_.constEnd()) return found.value();
  if (texts_.size() >= kCachedTexts) texts_.clear();
  auto text = std::make_shared<const LaidText>(runs, font, device_, width, alignment, wrap);
  texts_.insert(std::move(key), text);
  return text;
}

size_t qHash(const LaidTextCache::Key& key, size_t seed) {
  size_t hash = qHashMulti(seed, key.font, key.width, key.alignment, key.wrap);
  for (const StyledRun& run : key.runs)
    hash = qHashMulti(hash, run.text, run.style.bold, run.style.italic, run.style.underline);
  return hash;
}

}  // namespace host::report
