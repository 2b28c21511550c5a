#include "settings/ErrorHandOn.h"

#include "services/ErrorService.h"

namespace orvanRV1Xtst {

void handOnOrReport(const rt::RuntimeError& error, rt::Long ownNumber, const QString& source) {
  if (error.Number() == ownNumber)
    host::errors().PassOnPendingError();
  else
    host::errors().ReportError(error, source);
}

}  // namespace orvanRV1Xtst
