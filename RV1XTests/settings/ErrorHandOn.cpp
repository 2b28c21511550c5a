#include "settings/ErrorHandOn.h"

#include "services/ErrorService.h"

namespace orvanRV1Xtst {

void handOnOrReport(const rt::RuntimeError& error, rt::Long ownNumber, const QString& source) {
  const auto errors = host::ErrorService::instance();
  if (error.Number() == ownNumber)
    errors->RaiseError(QString(), 0, QString(), 1);
  else
    errors->ReportError(error, source);
}

}  // namespace orvanRV1Xtst
