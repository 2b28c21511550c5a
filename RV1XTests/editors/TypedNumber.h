#pragma once
// The number at the start of a text the operator typed or the editor wrote
// ("360 J", "1,5 mV" in a German locale, "12.5"), blanks before it skipped:
// "." is a decimal point in every locale, and so is the user's locale's
// decimal separator; a unit or any other tail is ignored. Nothing when the
// text does not start with a number.

#include <QString>
#include <optional>

namespace orvanRV1Xtst {

std::optional<double> typedNumber(const QString& text);

}  // namespace orvanRV1Xtst
