#include "settings/ErrorHandOn.h"

#include "services/ErrorService.h"

namespace orvanRV1Xtst {

void handOnOrReport(const rt::RuntimeError& error, rt::Long ownNumber, const QString& source) {
  if (error.Number() == ownNumber)
    host::errors().RaiseError(QString(), 0, QString(), 1);
  else
    host::errors().ReportError(error, source);
}

}  // namespace orvanRV1Xtst
