#pragma once
// Whether an element written anew keeps everything a stored one holds, so
// that what was read from a file can be written back without losing any of
// it: the same name, every attribute with its value, its own text, and
// each child element and comment of the stored one (child elements in any
// order, each kept by a child of its own). The written element may hold
// more. An empty attribute or text counts as absent, since a reader cannot
// tell them apart, and text is compared without the blanks around it. A
// number written in another form of the same value ("1.50" as "1.5") is
// kept.
//
// Two kinds of difference are no loss:
//   - a conversion that a stored form makes on purpose (an older layout
//     rewritten, a value it passes over), registered by the part that
//     makes it;
//   - content that the written element does not name at all (an attribute,
//     a child element of a name it does not write, a comment): keepUnnamed
//     carries it into the written element in its place.

#include <QString>
#include <functional>
#include <vector>

#include "xml/XmlTree.h"

namespace host::xmltree {

// A difference between a stored element and the same element written anew
// that the reader of its part makes on purpose.
struct Conversion {
  enum class Of { Attribute, Child };
  QString element;  // the stored element's name
  Of of;
  QString name;  // the attribute's, or the child element's
  // Whether this stored one is converted (parent: the stored element;
  // child: the child element, or nullptr for an attribute; value: the
  // attribute's value or the child's text). Empty: always.
  std::function<bool(const Node& parent, const Node* child, const QString& value)> when;
};

// Adds conversions; each reader registers its own once.
void addConversions(const std::vector<Conversion>& conversions);

// Empty when written keeps everything of stored; else the first thing it
// would lose, in words for a report ("<Value Kind="Single"> (line 12): the
// text "4e38" would be written "inf"").
QString lostFrom(const Node& stored, const Node& written);

// Carries into written, in its place, what of stored it does not name: an
// attribute it does not write, a child element of a name it holds none of,
// a comment or instruction it lacks; the same for each child element that
// it writes in place of a stored one. Conversions are not carried. named,
// when given, is the element as it was written right after the load: what
// it names is never carried, so that a child the element wrote then and
// no longer writes (a step since removed) stays removed.
void keepUnnamed(const Node& stored, Node& written, const Node* named = nullptr);

// Whether keepUnnamed would carry anything into written: when it would
// not, written is already what it would make of it.
bool carriesUnnamed(const Node& stored, const Node& written, const Node* named = nullptr);

}  // namespace host::xmltree
