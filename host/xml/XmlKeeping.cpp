#include "xml/XmlKeeping.h"

#include <QRegularExpression>
#include <algorithm>
#include <type_traits>
#include <vector>

namespace host::xmltree {

namespace {

std::vector<Conversion>& conversions() {
  static std::vector<Conversion> registered;
  return registered;
}

bool converted(const Node& parent, Conversion::Of of, const QString& name, const Node* child,
               const QString& value) {
  for (const Conversion& c : conversions())
    if (c.of == of && c.name == name && c.element == parent.name &&
        (!c.when || c.when(parent, child, value)))
      return true;
  return false;
}

// Two texts of the same number, each wholly one number ("1.50" and "1.5").
bool sameNumber(const QString& a, const QString& b) {
  static const QRegularExpression number(
      QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));
  const QString x = a.trimmed();
  const QString y = b.trimmed();
  if (!number.match(x).hasMatch() || !number.match(y).hasMatch()) return false;
  return x.toDouble() == y.toDouble();
}

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

namespace {

bool convertedChild(const Node& parent, const Node& child) {
  return converted(parent, Conversion::Of::Child, child.name, &child, ownText(child));
}

// Where written holds, not yet used, the same comment or instruction as
// child; written's size when it holds none.
std::size_t sameMarkupAt(const Node& child, const Node& written, const std::vector<bool>& used) {
  for (std::size_t w = 0; w < written.children.size(); ++w) {
    const Node& candidate = *written.children[w];
    if (!used[w] && candidate.kind == child.kind && candidate.name == child.name &&
        candidate.text == child.text)
      return w;
  }
  return written.children.size();
}

// The written element's child that stands for the stored one: of the same
// name and, when the stored one has a "Key", of the same key; the first one
// not yet taken.
// Its position, or the number of children when there is none.
std::size_t counterpartAt(const Node& child, const Node& written, const std::vector<bool>& used) {
  const QString* key = child.attribute(QStringLiteral("Key"));
  for (std::size_t w = 0; w < written.children.size(); ++w) {
    const Node& candidate = *written.children[w];
    if (used[w] || candidate.kind != Node::Kind::Element || candidate.name != child.name) continue;
    const QString* candidateKey = candidate.attribute(QStringLiteral("Key"));
    if (key && (!candidateKey || *candidateKey != *key)) continue;
    return w;
  }
  return written.children.size();
}

bool holdsElementNamed(const Node& element, const QString& name) {
  return std::any_of(element.children.begin(), element.children.end(), [&](const NodePtr& n) {
    return n->kind == Node::Kind::Element && n->name == name;
  });
}

}  // namespace

void addConversions(const std::vector<Conversion>& added) {
  conversions().insert(conversions().end(), added.begin(), added.end());
}

namespace {

// The walk keepUnnamed makes. Carrying, it puts into written what it finds
// to carry; else it stops at the first such thing and answers true, having
// changed nothing.
template <bool kCarry>
bool walkUnnamed(const Node& stored, std::conditional_t<kCarry, Node&, const Node&> written,
                 const Node* named) {
  for (const auto& [name, value] : stored.attributes) {
    if (value.isEmpty() || written.attribute(name) || (named && named->attribute(name)) ||
        converted(stored, Conversion::Of::Attribute, name, nullptr, value))
      continue;
    if constexpr (!kCarry)
      return true;
    else
      written.attributes.append({name, value});
  }
  const std::vector<bool> noneUsed(named ? named->children.size() : 0, false);
  // The child of named that stands for a stored one, or nullptr.
  const auto namedChild = [&](const Node& child) -> const Node* {
    if (!named) return nullptr;
    const std::size_t at = counterpartAt(child, *named, noneUsed);
    return at < named->children.size() ? named->children[at].get() : nullptr;
  };
  std::vector<bool> used(written.children.size(), false);
  // Where the next stored child goes: after the written one of the stored
  // child before it.
  std::size_t place = 0;
  // Whether the walk stops at a child to carry.
  const auto carry = [&](const Node& child) {
    if constexpr (!kCarry) {
      return true;
    } else {
      const NodePtr copy = child.deepCopy();
      copy->parent = written.weak_from_this();
      written.children.insert(written.children.begin() + static_cast<std::ptrdiff_t>(place), copy);
      used.insert(used.begin() + static_cast<std::ptrdiff_t>(place), true);
      ++place;
      return false;
    }
  };
  for (const NodePtr& node : stored.children) {
    const Node& child = *node;
    if (child.isText()) continue;
    if (isMarkup(child)) {
      const std::size_t w = sameMarkupAt(child, written, used);
      if (w < written.children.size()) {
        used[w] = true;
        place = std::max(place, w + 1);
      } else if (carry(child)) {
        return true;
      }
      continue;
    }
    if (child.kind != Node::Kind::Element) continue;
    // A converted child the element writes anew keeps what it holds besides
    // its value; one it does not write is dropped on purpose.
    const std::size_t at = counterpartAt(child, written, used);
    const bool writesIt = at < written.children.size();
    if (!writesIt && convertedChild(stored, child)) continue;
    if (writesIt) {
      used[at] = true;
      place = std::max(place, at + 1);
      if (walkUnnamed<kCarry>(child, *written.children[at], namedChild(child))) return true;
    } else if (!holdsElementNamed(written, child.name) &&
               !(named && holdsElementNamed(*named, child.name)) && carry(child)) {
      return true;
    }
  }
  return false;
}

}  // namespace

void keepUnnamed(const Node& stored, Node& written, const Node* named) {
  walkUnnamed<true>(stored, written, named);
}

bool carriesUnnamed(const Node& stored, const Node& written, const Node* named) {
  return walkUnnamed<false>(stored, written, named);
}

namespace {

// textConverted: the element's own text is a value its reader converts.
QString lost(const Node& stored, const Node& written, bool textConverted) {
  if (stored.name != written.name)
    return QStringLiteral("%1 would be written as <%2>").arg(described(stored), written.name);
  const QString text = ownText(stored);
  const QString keptText = ownText(written);
  if (text != keptText && !sameNumber(text, keptText) && !textConverted)
    return text.isEmpty() ? QStringLiteral("%1: no text would be written \"%2\"")
                                .arg(described(stored), keptText)
           : keptText.isEmpty() ? QStringLiteral("%1: the text \"%2\" would not be written")
                                      .arg(described(stored), text)
                                : QStringLiteral("%1: the text \"%2\" would be written \"%3\"")
                                      .arg(described(stored), text, keptText);

  for (const auto& [name, value] : stored.attributes) {
    if (value.isEmpty()) continue;
    const QString* kept = written.attribute(name);
    if ((!kept || *kept != value) &&
        converted(stored, Conversion::Of::Attribute, name, nullptr, value))
      continue;
    if (!kept)
      return QStringLiteral("%1: the attribute %2=\"%3\" would not be written")
          .arg(described(stored), name, value);
    if (*kept != value && !sameNumber(*kept, value))
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
    if (child.kind == Node::Kind::Element && convertedChild(stored, child)) {
      // Its value is converted; what else it holds is kept by the child of
      // that name written in its place, if the element writes one.
      const std::size_t at = counterpartAt(child, written, used);
      if (at < written.children.size()) {
        used[at] = true;
        const QString loss = lost(child, *written.children[at], true);
        if (!loss.isEmpty()) return loss;
      }
      continue;
    }
    if (isMarkup(child)) {
      const std::size_t w = sameMarkupAt(child, written, used);
      const bool kept = w < written.children.size();
      if (kept) used[w] = true;
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
      const QString loss = lost(child, candidate, false);
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

}  // namespace

QString lostFrom(const Node& stored, const Node& written) {
  return lost(stored, written, false);
}

}  // namespace host::xmltree
