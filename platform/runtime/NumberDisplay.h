#pragma once
// Display patterns ("# ##0.00", "0.0", "00", ...): "0" a digit always shown,
// "#" a digit shown only when significant, a blank among the integer digits
// groups them by three, "." the user's locale's decimal point. Halves round
// away from zero, as the run time's Format does.

#include <QString>
#include <QVariant>

#include "runtime/Types.h"

namespace rt {

QString formatNumber(Double value, const QString& pattern);
QString formatNumber(Single value, const QString& pattern);

// Format of a variant: numbers and numeric texts are formatted, any other
// text comes back unchanged, Empty gives "". An empty pattern gives the
// general text (cstr).
QString format(const QVariant& value, const QString& pattern);

// The locale-independent text of a number that stored documents carry: "."
// as the decimal point, no grouping, the shortest text that reads back as
// the same value (Single values as Single). Booleans give "True"/"False".
QString numberText(const QVariant& value);
QString numberText(Double value);
QString numberText(Single value);
// Appends numberText(value) to text, the same characters, written straight
// into it: a long run of samples makes no text of its own for each.
void appendNumberText(QString& text, Single value);

}  // namespace rt
