#include "WorkbenchStore.h"

#include "registry/RegistryStore.h"

namespace workbench {

namespace {

const QString kKey = QStringLiteral("Software\\Tavrin\\orvan\\Workbench");
const QString kPort = QStringLiteral("Port");
const QString kTechnician = QStringLiteral("Technician");

platform::RegistryStore& registry() {
  return platform::RegistryStore::instance();
}

}  // namespace

int storedPort() {
  bool ok = false;
  const int port = registry().readValue(platform::hive::CurrentUser, kKey, kPort).toInt(&ok);
  return ok && port > 0 ? port : 0;
}

bool storePort(int port) {
  return registry().writeValue(platform::hive::CurrentUser, kKey, kPort, port);
}

QString lastTechnician() {
  return registry().readValue(platform::hive::CurrentUser, kKey, kTechnician).toString();
}

bool storeTechnician(const QString& name) {
  return registry().writeValue(platform::hive::CurrentUser, kKey, kTechnician, name);
}

}  // namespace workbench
