#include "SerialDevices.h"

#include <QFileInfo>
#include <QSerialPortInfo>
#include <algorithm>

#include "AnalyzerPort.h"
#include "serial/PortDevices.h"

namespace hostapp {

namespace {

// The file a device name stands for, links followed.
QString identity(const QString& device) {
  const QString canonical = QFileInfo(device).canonicalFilePath();
  return canonical.isEmpty() ? QFileInfo(device).absoluteFilePath() : canonical;
}

// The numbers that might open the device: those the environment or the
// registry name, and N for /dev/ttyS<N-1>.
QList<int> candidatePorts(const QString& device, const QList<int>& named) {
  QList<int> candidates = named;
  static const QString kDefaultPrefix = QStringLiteral("/dev/ttyS");
  bool ok = false;
  const int number =
      device.startsWith(kDefaultPrefix) ? device.mid(kDefaultPrefix.size()).toInt(&ok) : -1;
  if (ok && number >= 0 && !candidates.contains(number + 1)) candidates.append(number + 1);
  std::sort(candidates.begin(), candidates.end());
  return candidates;
}

// A port number no variable or registry value names, mapped to a device for
// one probe: the port query reaches devices by number only.
class ProbePort {
 public:
  ProbePort(const QString& device, const QList<int>& named)
      : port_(std::max(named.isEmpty() ? 0 : named.last(), kFirstFree) + 1),
        name_(QStringLiteral("RV1X_PORT_%1").arg(port_).toLocal8Bit()) {
    qputenv(name_.constData(), device.toLocal8Bit());
  }
  ~ProbePort() { qunsetenv(name_.constData()); }
  ProbePort(const ProbePort&) = delete;
  ProbePort& operator=(const ProbePort&) = delete;
  int port() const { return port_; }

 private:
  static constexpr int kFirstFree = 1000;
  int port_;
  QByteArray name_;
};

void probe(SerialDevice& entry, const QList<int>& named) {
  if (!entry.exists) return;
  const auto ask = [&](int port) {
    const host::OrvanQelMti found = queryAnalyzer(port);
    entry.model = found.MtiType;
    entry.present = !found.isEmpty();
  };
  if (!entry.ports.isEmpty()) {
    ask(entry.ports.first());
    return;
  }
  const ProbePort mapped(entry.device, named);
  ask(mapped.port());
}

// The devices, each once whatever names lead to it, with what Qt's serial
// port info tells of them.
QList<SerialDevice> collect(const QStringList& names) {
  QList<SerialDevice> devices;
  for (const QString& name : names) {
    const QString file = identity(name);
    if (std::any_of(devices.begin(), devices.end(),
                    [&](const SerialDevice& known) { return identity(known.device) == file; }))
      continue;
    SerialDevice entry;
    entry.device = name;
    devices.append(entry);
  }
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    const QString file = identity(info.systemLocation());
    for (SerialDevice& entry : devices) {
      if (identity(entry.device) != file) continue;
      entry.description = info.description();
      entry.manufacturer = info.manufacturer();
      entry.serialNumber = info.serialNumber();
    }
  }
  return devices;
}

QList<SerialDevice> numberedAndProbed(QList<SerialDevice> devices, const QList<int>& named,
                                      Probing probing) {
  for (SerialDevice& entry : devices) {
    entry.exists = QFileInfo::exists(entry.device);
    const QString file = identity(entry.device);
    for (int port : candidatePorts(entry.device, named)) {
      const serial::PortDevice opened = serial::portDevice(port);
      if (identity(opened.path) != file) continue;
      if (entry.ports.isEmpty()) entry.chosenBy = opened.chosenBy();
      entry.ports.append(port);
    }
  }
  std::sort(devices.begin(), devices.end(), [](const SerialDevice& a, const SerialDevice& b) {
    if (a.ports.isEmpty() != b.ports.isEmpty()) return b.ports.isEmpty();
    if (!a.ports.isEmpty() && a.ports.first() != b.ports.first())
      return a.ports.first() < b.ports.first();
    return a.device < b.device;
  });
  if (probing == Probing::Each)
    for (SerialDevice& entry : devices) probe(entry, named);
  return devices;
}

}  // namespace

QList<SerialDevice> listSerialDevices(Probing probing) {
  const QList<int> named = serial::namedPorts();
  QStringList names;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
    names.append(info.systemLocation());
  for (int port : named) names.append(serial::portDevice(port).path);
  return numberedAndProbed(collect(names), named, probing);
}

QList<SerialDevice> listSerialDevices(const QStringList& devices, Probing probing) {
  return numberedAndProbed(collect(devices), serial::namedPorts(), probing);
}

}  // namespace hostapp
