#pragma once
// Which device file a port number opens: the one the environment variable
// RV1X_PORT_<N> names when it is set, else the one the registry value
// "COM<N>" under HKEY_LOCAL_MACHINE\Hardware\SerialPorts names, else
// /dev/ttyS<N-1>; and what chose it, for a technician who must find out why
// port N is not the device meant.

#include <QList>
#include <QString>

namespace serial {

struct PortDevice {
  enum Source { Environment, Registry, Default };
  QString path;
  Source source = Default;
  int port = 0;

  // "RV1X_PORT_3", "the registry value COM3 under HKEY_LOCAL_MACHINE\..."
  // or "the default for port 3".
  QString chosenBy() const;
};

PortDevice portDevice(int port);
QString deviceForPort(int port);

// The port numbers the environment or the registry names a device for, in
// ascending order.
QList<int> namedPorts();

}  // namespace serial
