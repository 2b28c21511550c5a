#include "serial/PortDevices.h"

#include <QProcessEnvironment>
#include <QRegularExpression>
#include <algorithm>

#include "registry/RegistryStore.h"

namespace serial {

namespace {

const QString kPortsKey = QStringLiteral("Hardware\\SerialPorts");
const QString kRegistryKeyName = QStringLiteral("HKEY_LOCAL_MACHINE\\Hardware\\SerialPorts");

QString environmentName(int port) {
  return QStringLiteral("RV1X_PORT_%1").arg(port);
}

QString registryName(int port) {
  return QStringLiteral("COM%1").arg(port);
}

// The number after the prefix of a name such as "RV1X_PORT_3" or "com3";
// 0 when there is none.
int numberAfter(const QString& name, const QString& prefix) {
  if (!name.startsWith(prefix, Qt::CaseInsensitive)) return 0;
  bool ok = false;
  const int number = name.mid(prefix.size()).toInt(&ok);
  return ok && number > 0 ? number : 0;
}

}  // namespace

QString PortDevice::chosenBy() const {
  switch (source) {
    case Environment:
      return environmentName(port);
    case Registry:
      return QStringLiteral("the registry value %1 under %2")
          .arg(registryName(port), kRegistryKeyName);
    case Default:
      break;
  }
  return QStringLiteral("the default for port %1").arg(port);
}

PortDevice portDevice(int port) {
  const QString fromEnvironment = qEnvironmentVariable(qPrintable(environmentName(port)));
  if (!fromEnvironment.isEmpty()) return {fromEnvironment, PortDevice::Environment, port};
  const QString fromRegistry =
      platform::RegistryStore::instance()
          .readValue(platform::hive::LocalMachine, kPortsKey, registryName(port))
          .toString();
  if (!fromRegistry.isEmpty()) return {fromRegistry, PortDevice::Registry, port};
  return {QStringLiteral("/dev/ttyS%1").arg(port - 1), PortDevice::Default, port};
}

QString deviceForPort(int port) {
  return portDevice(port).path;
}

QList<int> namedPorts() {
  QList<int> ports;
  for (const QString& name : QProcessEnvironment::systemEnvironment().keys())
    if (const int port = numberAfter(name, QStringLiteral("RV1X_PORT_")))
      if (!qEnvironmentVariableIsEmpty(qPrintable(name))) ports.append(port);
  for (const QString& name :
       platform::RegistryStore::instance().valueNames(platform::hive::LocalMachine, kPortsKey))
    if (const int port = numberAfter(name, QStringLiteral("COM"))) ports.append(port);
  std::sort(ports.begin(), ports.end());
  ports.erase(std::unique(ports.begin(), ports.end()), ports.end());
  return ports;
}

}  // namespace serial
