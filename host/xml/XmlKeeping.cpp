#include "xml/XmlKeeping.h"

#include <algorithm>
#include <vector>

namespace host::xmltree {

namespace {

// "<Measurement Key="ENGY"> (line 12)": the name with its first attribute,
// and where it was read.
QString described(const Node& element) {
  QString text = u'<' + element.name;
  if (!element.attributes.isEmpty())
    text += QStringLiteral(" %1=\"%2\"")
                .arg(element.attributes.first().first, element.attributes.first().second);
  text += u'>';
  if (element.line > 0) text += QStringLiteral(" (line %1)").arg(element.line);
  return text;
}

QString ownText(const Node& element) {
  QString text;
  for (const NodePtr& child : element.children)
    if (child->isText()) text += child->text;
  return text.trimmed();
}

bool isMarkup(const Node& node) {
  return node.kind == Node::Kind::Comment || node.kind == Node::Kind::Instruction;
}

// A stored child that another child before it repeats: the same name and
// the same attributes.
bool repeatsAnEarlierSibling(const Node& parent, std::size_t position) {
  const Node& child = *parent.children[position];
  for (std::size_t i = 0; i < position; ++i) {
    const Node& earlier = *parent.children[i];
    if (earlier.kind == Node::Kind::Element && earlier.name == child.name &&
        earlier.attributes == child.attributes)
      return true;
  }
  return false;
}

}  // namespace

QString lostFrom(const Node& stored, const Node& written) {
  if (stored.name != written.name)
    return QStringLiteral("%1 would be written as <%2>").arg(described(stored), written.name);
  const QString text = ownText(stored);
  const QString keptText = ownText(written);
  if (text != keptText)
    return text.isEmpty() ? QStringLiteral("%1: no text would be written \"%2\"")
                                .arg(described(stored), keptText)
           : keptText.isEmpty() ? QStringLiteral("%1: the text \"%2\" would not be written")
                                      .arg(described(stored), text)
                                : QStringLiteral("%1: the text \"%2\" would be written \"%3\"")
                                      .arg(described(stored), text, keptText);

  for (const auto& [name, value] : stored.attributes) {
    if (value.isEmpty()) continue;
    const QString* kept = written.attribute(name);
    if (!kept)
      return QStringLiteral("%1: the attribute %2=\"%3\" would not be written")
          .arg(described(stored), name, value);
    if (*kept != value)
      return QStringLiteral("%1: the attribute %2=\"%3\" would be written \"%4\"")
          .arg(described(stored), name, value, *kept);
  }
  // A child there twice (the same name and attributes) that is written
  // once: which of the two the reader took cannot be told.
  for (std::size_t s = 0; s < stored.children.size(); ++s) {
    const Node& child = *stored.children[s];
    if (child.kind != Node::Kind::Element || !repeatsAnEarlierSibling(stored, s)) continue;
    const auto count = [&](const Node& parent) {
      return std::count_if(parent.children.begin(), parent.children.end(), [&](const NodePtr& n) {
        return n->kind == Node::Kind::Element && n->name == child.name &&
               n->attributes == child.attributes;
      });
    };
    if (count(written) < count(stored))
      return QStringLiteral("%1 holds %2 more than once, and would hold it once")
          .arg(described(stored), described(child));
  }
  std::vector<bool> used(written.children.size(), false);
  for (std::size_t s = 0; s < stored.children.size(); ++s) {
    const Node& child = *stored.children[s];
    if (child.isText()) continue;
    if (isMarkup(child)) {
      bool kept = false;
      for (std::size_t w = 0; w < written.children.size() && !kept; ++w) {
        const Node& candidate = *written.children[w];
        kept = !used[w] && candidate.kind == child.kind && candidate.name == child.name &&
               candidate.text == child.text;
        if (kept) used[w] = true;
      }
      if (!kept)
        return QStringLiteral("%1: the %2 \"%3\" would not be written")
            .arg(described(stored),
                 child.kind == Node::Kind::Comment ? QStringLiteral("comment")
                                                   : QStringLiteral("instruction"),
                 child.text.trimmed());
      continue;
    }
    // The first unused child of that name that keeps it; when none does,
    // what the first of that name would lose.
    QString firstLoss;
    bool kept = false;
    for (std::size_t w = 0; w < written.children.size() && !kept; ++w) {
      const Node& candidate = *written.children[w];
      if (used[w] || candidate.kind != Node::Kind::Element || candidate.name != child.name)
        continue;
      const QString loss = lostFrom(child, candidate);
      kept = loss.isEmpty();
      if (kept)
        used[w] = true;
      else if (firstLoss.isEmpty())
        firstLoss = loss;
    }
    if (kept) continue;
    if (!firstLoss.isEmpty()) return firstLoss;
    return QStringLiteral("%1%2 would not be written")
        .arg(repeatsAnEarlierSibling(stored, s) ? QStringLiteral("a second ") : QString(),
             described(child));
  }
  return QString();
}

}  // namespace host::xmltree
