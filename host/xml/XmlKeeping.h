#pragma once
// Whether an element written anew keeps everything a stored one holds, so
// that what was read from a file can be written back without losing any of
// it: the same name, every attribute with its value, its own text, and
// each child element and comment of the stored one (child elements in any
// order, each kept by a child of its own). The written element may hold
// more. An empty attribute or text counts as absent, since a reader cannot
// tell them apart, and text is compared without the blanks around it.

#include <QString>

#include "xml/XmlTree.h"

namespace host::xmltree {

// Empty when written keeps everything of stored; else the first thing it
// would lose, in words for a report ("<Value Kind="Single"> (line 12): the
// text "4e38" would be written "inf"").
QString lostFrom(const Node& stored, const Node& written);

}  // namespace host::xmltree
