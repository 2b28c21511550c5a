#pragma once
// Conversions with the run time's rules: nearest integer with halves to even,
// overflow as error 6, integer division and remainder towards zero, and the
// leading-number parse used for stored texts and analyzer replies.

#include <QString>
#include <QVariant>

#include "runtime/Types.h"

namespace rt {

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double value);
// Nearest integer, halves away from zero (the display patterns' rounding).
double roundHalfAway(double value);

Integer toInteger(double value);  // error 6 outside -32768..32767
Long toLong(double value);        // error 6 outside the 32-bit range
Single toSingle(double value);    // error 6 beyond the single range

// Variant conversions: Empty is 0 (or "" / False); a Boolean is -1 or 0; a
// text must hold a number (error 13 otherwise). Objects give error 13.
Integer toInteger(const QVariant& value);
Long toLong(const QVariant& value);
Single toSingle(const QVariant& value);
Double toDouble(const QVariant& value);
Boolean toBoolean(const QVariant& value);

// A number as a comparison with single-precision bounds sees it: one beyond
// the single range becomes infinite of its sign instead of overflowing, so
// that it still lies on the right side of every bound.
Single toSingleSaturated(const QVariant& value);

// Empty (invalid) or null: the run time's IsEmpty / IsNull taken together.
bool isEmpty(const QVariant& value);

// Integer division ("\") and remainder ("Mod"): operands are rounded to
// whole numbers first, the quotient truncates towards zero; a zero divisor
// raises error 11.
Long intDiv(double dividend, double divisor);
Long intMod(double dividend, double divisor);

// The leading-number parse: "." is the decimal point whatever the locale,
// blanks, tabs and line feeds are skipped anywhere, an optional sign and
// exponent are taken, and the parse stops at the first character that cannot
// continue the number; 0 when there is none.
double val(const QString& text);
double val(QStringView text);

// General text of a number as the user's locale writes it: the shortest form
// (15 significant digits for Double, 7 for Single), the locale's decimal
// separator, no grouping.
QString cstr(Double value);
QString cstr(Single value);
// General text of any variant: Empty gives "", Booleans "True"/"False".
QString cstr(const QVariant& value);

}  // namespace rt
