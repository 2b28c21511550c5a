#include "InProcessPort.h"

#include <map>

#include "InProcessLine.h"
#include "Simulator.h"
#include "runtime/RuntimeError.h"
#include "serial/SerialControl.h"

namespace rv1xsim {

namespace {

const QString kSource = QStringLiteral("SerialControl");

struct Plugged {
  std::map<int, Simulator*> ports;
  int holds = 0;  // InPlace objects alive
  serial::TransportFactory previous;
  bool inPlace = false;

  // The factory is in place while anything asks for it.
  void update() {
    const bool wanted = holds > 0 || !ports.empty();
    if (wanted == inPlace) return;
    inPlace = wanted;
    if (wanted)
      previous = serial::setTransportFactory([] { return std::make_unique<InProcessPort>(); });
    else
      serial::setTransportFactory(std::exchange(previous, {}));
  }
};

Plugged& plugged() {
  static Plugged p;
  return p;
}

}  // namespace

InProcessPort::InProcessPort()
    : device_(plugged().previous ? plugged().previous()
                                 : std::make_unique<serial::SerialControl>()) {}

InProcessPort::~InProcessPort() {
  if (simulator_) line().release(this);
}

void InProcessPort::plugIn(int port, Simulator& simulator) {
  plugged().ports[port] = &simulator;
  plugged().update();
}

void InProcessPort::unplug(Simulator& simulator) {
  std::erase_if(plugged().ports, [&](const auto& entry) { return entry.second == &simulator; });
  plugged().update();
}

InProcessPort::InPlace::InPlace() {
  ++plugged().holds;
  plugged().update();
}

InProcessPort::InPlace::~InPlace() {
  --plugged().holds;
  plugged().update();
}

void InProcessPort::lineGone() {
  simulator_ = nullptr;
  gone_ = true;
}

InProcessLine& InProcessPort::line() const {
  return simulator_->line();
}

// What the serial control raises for a device that has gone, once what it
// sent before is read.
void InProcessPort::requireLine() const {
  if (line().hungUp()) rt::raise(rt::err::DeviceUnavailable, kSource);
}

QString InProcessPort::Settings() const {
  return settings_;
}

void InProcessPort::SetSettings(const QString& settings) {
  if (!simulator_) device_->SetSettings(settings);
  settings_ = settings;
}

rt::Integer InProcessPort::CommPort() const {
  return port_;
}

void InProcessPort::SetCommPort(rt::Integer port) {
  if (simulator_) {
    if (port == port_) return;
    rt::raise(serial::err::PortUnavailable, kSource, QStringLiteral("Port already open"));
  }
  device_->SetCommPort(port);
  port_ = port;
}

QString InProcessPort::PortStatus() const {
  if (gone_) return serial::status::Gone;
  if (simulator_) return line().hungUp() ? serial::status::Gone : serial::status::Connected;
  return status_.isEmpty() ? device_->PortStatus() : status_;
}

rt::Long InProcessPort::InBufferCount() {
  if (gone_) rt::raise(rt::err::DeviceUnavailable, kSource);
  if (!simulator_) return device_->InBufferCount();
  const qsizetype waiting = line().waiting();
  if (waiting == 0) requireLine();
  return static_cast<rt::Long>(waiting);
}

void InProcessPort::SetInBufferCount(rt::Long count) {
  if (gone_) rt::raise(rt::err::DeviceUnavailable, kSource);
  if (!simulator_) return device_->SetInBufferCount(count);
  requireLine();
  if (count != 0)
    rt::raise(rt::err::InvalidPropertyValue, kSource, QStringLiteral("Invalid property value"));
  line().discard();
}

rt::Integer InProcessPort::InputLen() const {
  return inputLen_;
}

void InProcessPort::SetInputLen(rt::Integer length) {
  device_->SetInputLen(length);
  inputLen_ = length < 0 ? 0 : length;
}

void InProcessPort::SetOutput(const QVariant& data) {
  if (gone_) rt::raise(rt::err::DeviceUnavailable, kSource);
  if (!simulator_) return device_->SetOutput(data);
  requireLine();
  line().write(data.typeId() == QMetaType::QByteArray ? data.toByteArray()
                                                      : data.toString().toLatin1());
}

bool InProcessPort::PortOpen() const {
  return simulator_ || gone_ || device_->PortOpen();
}

void InProcessPort::SetPortOpen(bool open) {
  if (!open) {
    const bool wasOnLine = simulator_ || gone_;
    gone_ = false;
    if (wasOnLine) {
      if (simulator_) line().release(this);
      simulator_ = nullptr;
      status_ = serial::status::Closed;
    } else {
      device_->SetPortOpen(false);
      status_.clear();
    }
    return;
  }
  if (PortOpen()) return;
  const auto plug = plugged().ports.find(port_);
  if (plug == plugged().ports.end()) {
    status_.clear();
    device_->SetPortOpen(true);
    return;
  }
  InProcessLine& wanted = plug->second->line();
  if (wanted.hungUp()) {
    // A line the analyzer closed is a device that is no more.
    status_ = serial::status::NotFound;
    rt::raise(serial::err::PortNotFound, kSource, serial::status::NotFound);
  }
  if (!wanted.free()) {
    status_ = serial::status::Unavailable;
    rt::raise(serial::err::PortUnavailable, kSource, serial::status::Unavailable);
  }
  wanted.take(this);
  simulator_ = plug->second;
  status_ = serial::status::Connected;
}

QVariant InProcessPort::Input() {
  if (gone_) rt::raise(rt::err::DeviceUnavailable, kSource);
  if (!simulator_) return device_->Input();
  if (line().waiting() == 0) requireLine();
  const QByteArray bytes = line().read(inputLen_);
  if (inputMode_ == 1) return bytes;
  return QString::fromLatin1(bytes);
}

rt::Integer InProcessPort::InputMode() const {
  return inputMode_;
}

void InProcessPort::SetInputMode(rt::Integer mode) {
  device_->SetInputMode(mode);
  inputMode_ = mode;
}

}  // namespace rv1xsim
