#include "serial/SerialControl.h"

#include <poll.h>
#include <unistd.h>

#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <cerrno>

#include "runtime/RuntimeError.h"

namespace serial {

namespace {

constexpr rt::Long kInvalidPropertyValue = 380;
const QString kSource = QStringLiteral("SerialControl");

struct LineSettings {
  qint32 baud = 9600;
  QSerialPort::Parity parity = QSerialPort::NoParity;
  QSerialPort::DataBits dataBits = QSerialPort::Data8;
  QSerialPort::StopBits stopBits = QSerialPort::OneStop;
};

bool parseSettings(const QString& text, LineSettings& out) {
  const QStringList parts = text.split(u',');
  if (parts.size() != 4) return false;
  bool ok = false;
  out.baud = parts[0].trimmed().toInt(&ok);
  if (!ok || out.baud <= 0) return false;
  static const QHash<QString, QSerialPort::Parity> parities{
      {QStringLiteral("N"), QSerialPort::NoParity},
      {QStringLiteral("E"), QSerialPort::EvenParity},
      {QStringLiteral("O"), QSerialPort::OddParity},
      {QStringLiteral("M"), QSerialPort::MarkParity},
      {QStringLiteral("S"), QSerialPort::SpaceParity}};
  const QString parity = parts[1].trimmed().toUpper();
  if (!parities.contains(parity)) return false;
  out.parity = parities.value(parity);
  const int bits = parts[2].trimmed().toInt(&ok);
  if (!ok || bits < 5 || bits > 8) return false;
  out.dataBits = static_cast<QSerialPort::DataBits>(bits);
  const QString stop = parts[3].trimmed();
  if (stop == QLatin1String("1"))
    out.stopBits = QSerialPort::OneStop;
  else if (stop == QLatin1String("1.5"))
    out.stopBits = QSerialPort::OneAndHalfStop;
  else if (stop == QLatin1String("2"))
    out.stopBits = QSerialPort::TwoStop;
  else
    return false;
  return true;
}

void applySettings(QSerialPort& port, const LineSettings& settings) {
  port.setBaudRate(settings.baud);
  port.setParity(settings.parity);
  port.setDataBits(settings.dataBits);
  port.setStopBits(settings.stopBits);
}

}  // namespace

SerialControl::SerialControl(QObject* parent) : QObject(parent) {
  // What arrives is taken as it comes, so that a count asked while the
  // loop waits is current without looking at the device each time.
  connect(&serial_, &QSerialPort::readyRead, this, [this] { received_ += serial_.readAll(); });
  // A device that has gone keeps waking the loop: it is let go as soon as
  // the loop has finished with the notice.
  connect(&serial_, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError error) {
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError || !serial_.isOpen())
      return;
    QMetaObject::invokeMethod(
        this,
        [this, error] {
          if (serial_.isOpen() && (error == QSerialPort::ResourceError || hungUp())) letGo();
        },
        Qt::QueuedConnection);
  });
}

SerialControl::~SerialControl() {
  if (serial_.isOpen()) serial_.close();
}

void SerialControl::SetSettings(const QString& settings) {
  LineSettings parsed;
  if (!parseSettings(settings, parsed))
    rt::raise(kInvalidPropertyValue, kSource, QStringLiteral("Invalid property value"));
  settings_ = settings;
  if (serial_.isOpen()) applySettings(serial_, parsed);
}

void SerialControl::SetCommPort(rt::Integer port) {
  if (PortOpen() && port == port_) return;
  if (PortOpen()) rt::raise(err::PortUnavailable, kSource, QStringLiteral("Port already open"));
  if (port < 1) rt::raise(kInvalidPropertyValue, kSource, QStringLiteral("Invalid port number"));
  port_ = port;
}

bool SerialControl::PortOpen() const {
  return serial_.isOpen() || gone_;
}

void SerialControl::SetPortOpen(bool open) {
  if (!open) {
    if (serial_.isOpen()) serial_.close();
    gone_ = false;
    received_.clear();
    status_ = status::Closed;
    return;
  }
  if (PortOpen()) return;
  this->open();
}

void SerialControl::open() {
  device_ = deviceForPort(port_);
  const QFileInfo info(device_);
  if (!info.exists()) {
    status_ = status::NotFound;
    rt::raise(err::PortNotFound, kSource, status::NotFound);
  }
  if (::access(QFile::encodeName(device_).constData(), R_OK | W_OK) != 0 && errno == EACCES) {
    status_ = status::Unavailable;
    rt::raise(rt::err::PermissionDenied, kSource);
  }
  serial_.setPortName(device_);
  if (!serial_.open(QIODevice::ReadWrite)) {
    const auto error = serial_.error();
    const QString reason = serial_.errorString();
    serial_.clearError();
    switch (error) {
      case QSerialPort::DeviceNotFoundError:
        status_ = status::NotFound;
        rt::raise(err::PortNotFound, kSource, status::NotFound);
      case QSerialPort::PermissionError:
      case QSerialPort::OpenError:
        status_ = status::Unavailable;
        rt::raise(err::PortUnavailable, kSource, status::Unavailable);
      default:
        status_ = reason;
        rt::raise(err::PortError, kSource, reason);
    }
  }
  // Line settings on a pseudo-terminal may be refused; the link does not
  // depend on them, nor on the modem-control lines.
  LineSettings parsed;
  if (parseSettings(settings_, parsed)) applySettings(serial_, parsed);
  serial_.setFlowControl(QSerialPort::NoFlowControl);
  serial_.clearError();
  status_ = status::Connected;
}

void SerialControl::pump() {
  // Takes what the driver holds without waiting: what came while the thread
  // slept is read with the rest.
  if (!serial_.isOpen()) return;
  serial_.waitForReadyRead(0);
  received_ += serial_.readAll();
  const bool gone = serial_.error() == QSerialPort::ResourceError || hungUp();
  serial_.clearError();
  if (gone) letGo();
}

// A hung-up terminal reads as empty, without an error, and stays readable
// for the message loop for ever: only poll tells it apart.
bool SerialControl::hungUp() {
  pollfd device{static_cast<int>(serial_.handle()), POLLIN, 0};
  return ::poll(&device, 1, 0) > 0 && (device.revents & (POLLHUP | POLLNVAL)) != 0;
}

void SerialControl::letGo() {
  received_ += serial_.readAll();
  serial_.close();
  gone_ = true;
  status_ = status::Gone;
}

void SerialControl::requireDevice() {
  if (gone_) rt::raise(rt::err::DeviceUnavailable, kSource);
  if (!serial_.isOpen())
    rt::raise(err::PortNotOpen, kSource,
              QStringLiteral("Operation valid only when the port is open"));
}

rt::Long SerialControl::InBufferCount() {
  if (gone_ && received_.isEmpty()) rt::raise(rt::err::DeviceUnavailable, kSource);
  return static_cast<rt::Long>(received_.size());
}

void SerialControl::SetInBufferCount(rt::Long count) {
  requireDevice();
  if (count != 0)
    rt::raise(kInvalidPropertyValue, kSource, QStringLiteral("Invalid property value"));
  pump();
  received_.clear();
  if (serial_.isOpen()) serial_.clear(QSerialPort::Input);
}

void SerialControl::SetOutput(const QVariant& data) {
  requireDevice();
  const QByteArray bytes =
      data.typeId() == QMetaType::QByteArray ? data.toByteArray() : data.toString().toLatin1();
  serial_.clearError();
  if (serial_.write(bytes) != bytes.size()) rt::raise(rt::err::DeviceIOError, kSource);
  serial_.waitForBytesWritten(1000);
  serial_.flush();
  // QSerialPort takes the bytes into its buffer first; a device that has
  // gone shows only now.
  const auto error = serial_.error();
  serial_.clearError();
  if (error == QSerialPort::ResourceError) {
    letGo();
    rt::raise(rt::err::DeviceUnavailable, kSource);
  }
  if (error == QSerialPort::WriteError) {
    serial_.clear(QSerialPort::Output);
    rt::raise(rt::err::DeviceIOError, kSource);
  }
}

QVariant SerialControl::Input() {
  if (!gone_) requireDevice();
  pump();
  if (gone_ && received_.isEmpty()) rt::raise(rt::err::DeviceUnavailable, kSource);
  const qsizetype length =
      inputLen_ == 0 ? received_.size() : std::min<qsizetype>(inputLen_, received_.size());
  const QByteArray bytes = received_.left(length);
  received_.remove(0, length);
  if (inputMode_ == 1) return bytes;
  return QString::fromLatin1(bytes);
}

}  // namespace serial
