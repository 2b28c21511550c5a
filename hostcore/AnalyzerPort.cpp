#include "AnalyzerPort.h"

#include <unistd.h>

#include <QFile>
#include <QFileInfo>

#include "SimulatedAnalyzer.h"
#include "com/CreateObject.h"
#include "serial/PortDevices.h"
#include "services/HostServices.h"
#include "typelib/HostTypes.h"

namespace hostapp {

namespace {
const QString kQueryProgId = QStringLiteral("SelkamRV1XVTI.CRV1XQuery");
const QString kOldHostVersion = QStringLiteral("2.1.1");
const QString kPortAssigningHostVersion = QStringLiteral("2.1.2");
}  // namespace

void assignAnalyzerPort(const CommonOptions& options, int port) {
  com::must(host::VersionService::instance())
      .setHostVersion(options.scan ? kOldHostVersion : kPortAssigningHostVersion);
  com::must(com::must(host::PortAssignmentService::instance()).Assignment())
      .assign(host::kProduct, port);
}

host::OrvanQelMti queryAnalyzer(int port) {
  auto query = com::createObjectAs<host::IOrvanQelQuery>(kQueryProgId);
  return com::must(query).QueryMTI(port);
}

QString portDeviceProblem(int port) {
  if (isSimulatedPort(port)) return {};
  const serial::PortDevice device = serial::portDevice(port);
  QString problem;
  if (!QFileInfo::exists(device.path))
    problem = QStringLiteral("which does not exist");
  else if (::access(QFile::encodeName(device.path).constData(), R_OK | W_OK) != 0)
    problem = QStringLiteral("which you may not read and write (on Debian: the group dialout)");
  if (problem.isEmpty()) return {};
  return QStringLiteral("port %1 is %2 (%3), %4")
      .arg(port)
      .arg(device.path, device.chosenBy(), problem);
}

}  // namespace hostapp
