#pragma once
// What a serial control of the analyzer link or the port query carries its
// bytes over: the nine members by role that the link relies on. The product
// opens the serial device of a port number (serial::SerialControl); a
// program may put a factory of its own in place before the controls are
// made, so that a port is answered in-process (the simulated analyzer of
// the tests and of rv1x-host --simulate). The link never knows which.

#include <QString>
#include <QVariant>
#include <functional>
#include <memory>

#include "runtime/Types.h"

namespace serial {

namespace err {
constexpr rt::Long PortNotFound = 8002;
constexpr rt::Long PortUnavailable = 8005;
constexpr rt::Long PortNotOpen = 8018;
constexpr rt::Long PortError = 8020;
}  // namespace err

namespace status {
inline const QString Connected = QStringLiteral("Connected");
inline const QString NotFound = QStringLiteral("Port not found");
inline const QString Unavailable = QStringLiteral("Port unavailable");
inline const QString Closed = QStringLiteral("Port closed");
inline const QString Gone = QStringLiteral("Device unavailable");
}  // namespace status

class Transport {
 public:
  virtual ~Transport();

  // Line settings, "9600,N,8,1".
  virtual QString Settings() const = 0;
  virtual void SetSettings(const QString& settings) = 0;
  virtual rt::Integer CommPort() const = 0;
  virtual void SetCommPort(rt::Integer port) = 0;
  virtual QString PortStatus() const = 0;
  // Received bytes not yet read; writing 0 discards them.
  virtual rt::Long InBufferCount() = 0;
  virtual void SetInBufferCount(rt::Long count) = 0;
  // Characters one read returns; 0 = all waiting.
  virtual rt::Integer InputLen() const = 0;
  virtual void SetInputLen(rt::Integer length) = 0;
  // Writes text (Latin-1) or bytes.
  virtual void SetOutput(const QVariant& data) = 0;
  virtual bool PortOpen() const = 0;
  virtual void SetPortOpen(bool open) = 0;
  // Text in text mode, a byte array in binary mode.
  virtual QVariant Input() = 0;
  // 0 text, 1 binary.
  virtual rt::Integer InputMode() const = 0;
  virtual void SetInputMode(rt::Integer mode) = 0;
};

using TransportFactory = std::function<std::unique_ptr<Transport>()>;

// A transport from the factory in place, by default a SerialControl.
std::unique_ptr<Transport> newTransport();
// Puts a factory in place (an empty one restores the serial device's);
// returns the one it replaces.
TransportFactory setTransportFactory(TransportFactory factory);

}  // namespace serial
