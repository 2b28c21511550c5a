// rv1x-host ports [DEVICE...]: lists the serial devices (SerialDevices.h),
// or only the devices given, one line each on standard output,
//   port=<N[,N...]|-> device=<file> model=<model> present=<0|1>
//       description="..." manufacturer="..." serial="..."
// ("-": no port number opens it), with a note on standard error for each
// device that no port number opens or that a port number names but is not
// there. Exit status 0 when an RV-1X answers on a device, 1 when none does,
// 2 when the port query cannot be created; 64 for wrong arguments.

#include <algorithm>
#include <cstdio>

#include "AnalyzerPort.h"
#include "HostProgram.h"
#include "SerialDevices.h"
#include "runtime/ErrorHandling.h"
#include "services/ErrorService.h"

namespace hostapp {

namespace {

constexpr int kFound = 0;
constexpr int kNoneFound = 1;
constexpr int kFailed = 2;

QString quoted(QString text) {
  return u'"' + text.replace(u'"', u'\'') + u'"';
}

QString portsText(const QList<int>& ports) {
  if (ports.isEmpty()) return QStringLiteral("-");
  QStringList numbers;
  for (int port : ports) numbers.append(QString::number(port));
  return numbers.join(u',');
}

void print(const SerialDevice& entry) {
  std::printf("port=%s device=%s model=%s present=%d description=%s manufacturer=%s serial=%s\n",
              qPrintable(portsText(entry.ports)), qPrintable(entry.device), qPrintable(entry.model),
              entry.present ? 1 : 0, qPrintable(quoted(entry.description)),
              qPrintable(quoted(entry.manufacturer)), qPrintable(quoted(entry.serialNumber)));
  if (entry.ports.isEmpty())
    std::fprintf(stderr, "rv1x-host: no port number opens %s; RV1X_PORT_<N>=%s makes it port N\n",
                 qPrintable(entry.device), qPrintable(entry.device));
  else if (!entry.exists)
    std::fprintf(stderr, "rv1x-host: %s\n", qPrintable(portDeviceProblem(entry.ports.first())));
}

}  // namespace

int portsCommand(const QStringList& arguments, const CommonOptions&) {
  if (std::any_of(arguments.begin(), arguments.end(),
                  [](const QString& argument) { return argument.startsWith(u'-'); }))
    return usageOf("ports");
  return rt::onError(
      [&] {
        const QList<SerialDevice> devices =
            arguments.isEmpty() ? listSerialDevices() : listSerialDevices(arguments);
        bool found = false;
        for (const SerialDevice& entry : devices) {
          print(entry);
          found = found || entry.present;
        }
        std::fflush(stdout);
        return found ? kFound : kNoneFound;
      },
      [](const rt::RuntimeError& error) {
        host::errors().ReportError(error, QStringLiteral("rv1x-host"));
        return kFailed;
      });
}

}  // namespace hostapp
