#pragma once
// The handler that loading and saving share: the operation's own error
// number goes on to the caller unchanged (the error service's pass-on form);
// any other error is reported with the class's source and ends the
// operation there.

#include <QString>

#include "runtime/RuntimeError.h"

namespace orvanRV1Xtst {

void handOnOrReport(const rt::RuntimeError& error, rt::Long ownNumber, const QString& source);

}  // namespace orvanRV1Xtst
