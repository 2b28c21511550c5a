#pragma once
// Messages of the instrument link: translated for the product "RV-1X" and
// shown with the deliverable's title.

#include <QString>
#include <QVariantList>

#include "runtime/Types.h"

namespace orvanRV1Xvti {

// Shows the translation of a text key; returns the answer.
int showMessage(const QString& textKey, int style, const QVariantList& parameters = {});
// Shows a text as it is.
int showPlainMessage(const QString& text, int style);

// Reads a whole number of milliseconds from "CommTimeOut"; fallback when
// the value is missing, unreadable or outside 1..maximum.
rt::Long readCommTimeOut(rt::Long fallback, rt::Long maximum);

}  // namespace orvanRV1Xvti
