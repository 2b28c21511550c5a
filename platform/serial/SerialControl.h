#pragma once
// The serial-port control: nine members by role over QSerialPort.
//
// Port number N opens the device that deviceForPort names (PortDevices.h).
//
// Switching the open flag on raises, and leaves the status text:
//   no such device                    8002 "Port not found"    "Port not found"
//   device busy or already open       8005 "Port unavailable"  "Port unavailable"
//   no permission to read and write   70   "Permission denied" "Port unavailable"
//   any other failure                 8020 <Qt's reason>        <Qt's reason>
// Switching it on while open, or setting the port number it has, changes
// nothing. Writing or reading a closed port raises 8018; a failed write 57.
//
// A device that has gone while open (an unplugged USB adapter, a closed
// pseudo-terminal) is let go at once, so that it no longer wakes the message
// loop; its status text becomes "Device unavailable" and, once the bytes
// received before are read, every read, count, discard and write raises 68
// ("Device unavailable") until the open flag is switched off. The open flag
// stays on meanwhile, as the program set it.

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>
#include <QVariant>

#include "runtime/Types.h"
#include "serial/PortDevices.h"

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

class SerialControl : public QObject {
  Q_OBJECT
 public:
  explicit SerialControl(QObject* parent = nullptr);
  ~SerialControl() override;

  // Line settings, "9600,N,8,1" (baud, parity N/E/O/M/S, data bits, stop
  // bits); error 380 when malformed.
  QString Settings() const { return settings_; }
  void SetSettings(const QString& settings);

  rt::Integer CommPort() const { return port_; }
  void SetCommPort(rt::Integer port);  // another number while open: error 8005

  // Handshaking: 0 none (the only mode the analyzer uses).
  rt::Integer Handshaking() const { return handshaking_; }
  void SetHandshaking(rt::Integer mode) { handshaking_ = mode; }

  QString PortStatus() const { return status_; }

  // Received bytes not yet read; writing 0 discards them.
  rt::Long InBufferCount();
  void SetInBufferCount(rt::Long count);

  // Characters one read returns; 0 = all waiting.
  rt::Integer InputLen() const { return inputLen_; }
  void SetInputLen(rt::Integer length) { inputLen_ = length < 0 ? 0 : length; }

  // Writes text (Latin-1) or bytes.
  void SetOutput(const QVariant& data);

  bool PortOpen() const;
  void SetPortOpen(bool open);

  // Text in text mode, a byte array in binary mode.
  QVariant Input();

  // 0 text, 1 binary.
  rt::Integer InputMode() const { return inputMode_; }
  void SetInputMode(rt::Integer mode) { inputMode_ = mode; }

  QString deviceName() const { return device_; }

 private:
  void open();
  void pump();
  bool hungUp();
  void letGo();
  void requireDevice();

  QSerialPort serial_;
  // Bytes taken from the device and not yet read; they outlive a device
  // that has gone.
  QByteArray received_;
  bool gone_ = false;
  QString settings_ = QStringLiteral("9600,N,8,1");
  QString status_ = status::Closed;
  QString device_;
  rt::Integer port_ = 1;
  rt::Integer handshaking_ = 0;
  rt::Integer inputLen_ = 0;
  rt::Integer inputMode_ = 0;
};

}  // namespace serial
