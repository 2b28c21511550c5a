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
#include "serial/Transport.h"

namespace serial {

class SerialControl : public QObject, public Transport {
  Q_OBJECT
 public:
  explicit SerialControl(QObject* parent = nullptr);
  ~SerialControl() override;

  // Line settings, "9600,N,8,1" (baud, parity N/E/O/M/S, data bits, stop
  // bits); error 380 when malformed.
  QString Settings() const override { return settings_; }
  void SetSettings(const QString& settings) override;

  rt::Integer CommPort() const override { return port_; }
  void SetCommPort(rt::Integer port) override;  // another number while open: error 8005

  // Handshaking: 0 none (the only mode the analyzer uses).
  rt::Integer Handshaking() const { return handshaking_; }
  void SetHandshaking(rt::Integer mode) { handshaking_ = mode; }

  QString PortStatus() const override { return status_; }

  // Received bytes not yet read; writing 0 discards them.
  rt::Long InBufferCount() override;
  void SetInBufferCount(rt::Long count) override;

  // Characters one read returns; 0 = all waiting.
  rt::Integer InputLen() const override { return inputLen_; }
  void SetInputLen(rt::Integer length) override { inputLen_ = length < 0 ? 0 : length; }

  // Writes text (Latin-1) or bytes.
  void SetOutput(const QVariant& data) override;

  bool PortOpen() const override;
  void SetPortOpen(bool open) override;

  // Text in text mode, a byte array in binary mode.
  QVariant Input() override;

  // 0 text, 1 binary.
  rt::Integer InputMode() const override { return inputMode_; }
  void SetInputMode(rt::Integer mode) override { inputMode_ = mode; }

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
