#pragma once
// The run time's comparison and logical negation of variants, as stored
// verdicts and expected advice meet them.
//
// Equality ("="): Empty equals Empty, 0, False and ""; numbers and Booleans
// compare by value, a Boolean counting as -1 or 0; texts compare exactly; a
// text meets a number as the number it holds, and is unequal to it when it
// holds none.
// Negation ("Not"): a Boolean gives its opposite; Empty gives -1 (True as a
// number); anything else is taken as a 32-bit whole number (rounded; error
// 6 beyond the range, error 13 for a text without a number) and gives its
// bitwise complement.

#include <QVariant>

namespace rt {

bool equals(const QVariant& a, const QVariant& b);
QVariant logicalNot(const QVariant& value);

}  // namespace rt
