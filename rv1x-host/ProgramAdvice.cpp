#include "ProgramAdvice.h"

#include <QFileInfo>

#include "registry/RegistryStore.h"
#include "services/ErrorService.h"

namespace hostapp {

QString programAdvice(const rt::RuntimeError& error) {
  if (error.Number() != rt::err::CannotCreateObject) return {};
  return QStringLiteral("run rv1x-host register first (the registry store is %1)")
      .arg(QFileInfo(platform::RegistryStore::path()).absoluteFilePath());
}

void installProgramAdvice() {
  host::errors().setAdvice(programAdvice);
}

}  // namespace hostapp
