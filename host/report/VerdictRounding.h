#pragma once
// The digits a judged number needs in print. A value and the bounds that
// judged it print in their row's display pattern, unless that rounding would
// set the value on a bound it lies beyond, or across one it stays within: a
// failed 115.04 J beside its high limit of 115 would read "115.0" against
// "115.0", and pass to anyone reading the page. Then the value takes the
// fewest more decimals that put it on its side of every bound. A bound keeps
// its pattern where that shows it whole; one the pattern rounds (5.75 as
// "5.8") takes as many more as it needs, up to the value's, so that it is not
// the bound's own rounding that decides. A value on a bound passes.

#include <QString>
#include <QVariant>
#include <optional>

#include "runtime/Types.h"

namespace host {

struct JudgedTexts {
  QString value;
  QString low;
  QString high;
};

// The texts of the value and of its bounds (none where a bound is not
// enabled or has no number) in the pattern, widened where the verdict needs
// it. A value that is no number, or an empty pattern (the general text
// shows every digit), prints as the pattern has it.
JudgedTexts judgedTexts(const QVariant& value, std::optional<rt::Single> low,
                        std::optional<rt::Single> high, const QString& pattern);

// The pattern with more decimals: "0.0" and 1 give "0.00", "0" and 1 "0.0".
QString widenedPattern(const QString& pattern, int moreDecimals);

}  // namespace host
