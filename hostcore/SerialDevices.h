#pragma once
// The serial devices a technician may find the analyzer on: those Qt's
// serial port info lists, and those a port number names (RV1X_PORT_<N>, the
// registry's COM<N>) whether Qt lists them or not (a pseudo-terminal, a
// /dev/serial/by-id/ name). Each comes with the port numbers under which
// run, link and query-port reach it, and what the port query found there.

#include <QList>
#include <QString>

namespace hostapp {

struct SerialDevice {
  QString device;  // the device file, as listed or named
  QString description;
  QString manufacturer;
  QString serialNumber;
  QList<int> ports;  // the port numbers that open it; none: no number does
  QString chosenBy;  // what named it for its first port ("RV1X_PORT_3", ...)
  bool exists = true;
  QString model;  // the analyzer that answered, as query-port names it
  bool present = false;
};

// Whether each device is asked for an analyzer (about 400 ms a device), or
// only listed.
enum class Probing { Each, None };

// Lists and probes the devices, in the order of their first port number
// (those without one last, by device). A device that does not exist is
// listed, not probed. Error 429 when the port query is not registered.
QList<SerialDevice> listSerialDevices(Probing probing = Probing::Each);
// The same for these devices only.
QList<SerialDevice> listSerialDevices(const QStringList& devices, Probing probing = Probing::Each);

}  // namespace hostapp
