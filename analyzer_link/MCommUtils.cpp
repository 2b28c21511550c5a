#include "MCommUtils.h"

#include "LinkTexts.h"
#include "runtime/RuntimeError.h"
#include "serial/Transport.h"

namespace orvanRV1Xvti::MCommUtils {

void CheckPortStatus(const QString& portStatus) {
  struct Rule {
    const QString& status;
    rt::Long number;
  };
  static const Rule rules[] = {{serial::status::Connected, 0},
                               {serial::status::Unavailable, serial::err::PortUnavailable},
                               {serial::status::NotFound, serial::err::PortNotFound}};
  rt::Long number = serial::err::PortError;
  for (const Rule& rule : rules)
    if (portStatus == rule.status) number = rule.number;
  if (number != 0) rt::raise(number, kLibrary, QString());
}

}  // namespace orvanRV1Xvti::MCommUtils
