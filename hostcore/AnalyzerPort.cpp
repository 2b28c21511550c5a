#include "AnalyzerPort.h"

#include "com/CreateObject.h"
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

}  // namespace hostapp
