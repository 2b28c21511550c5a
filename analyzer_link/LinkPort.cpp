#include "LinkPort.h"

#include <utility>

#include "MCommUtils.h"
#include "runtime/ErrorHandling.h"
#include "serial/Transport.h"
#include "ui/MessageLoop.h"

namespace orvanRV1Xvti {

namespace {
constexpr int kDeviceRetries = 3;
constexpr int kDeviceRetryPause = 100;  // ms
}  // namespace

// True when the call ran or failed with "permission denied", which the
// machine passes over.
template <class Call>
bool LinkPort::attempt(Call&& call) {
  if (gone_) return false;
  for (int retry = 0;; ++retry) {
    try {
      call();
      return true;
    } catch (...) {
      const rt::Long number = rt::currentError().Number();
      if (number != rt::err::DeviceUnavailable) return number == rt::err::PermissionDenied;
      if (retry == kDeviceRetries) {
        gone_ = true;
        return false;
      }
      ui::Sleep(kDeviceRetryPause);
    }
  }
}

bool LinkPort::open(rt::Integer port, const QString& settings) {
  attempt([&] { control_.SetCommPort(port); });
  attempt([&] { control_.SetSettings(settings); });
  attempt([&] { control_.SetInputLen(1); });
  const bool on = attempt([&] { control_.SetPortOpen(true); });
  const bool connected = attempt([&] { MCommUtils::CheckPortStatus(control_.PortStatus()); });
  return on && connected;
}

void LinkPort::close() {
  held_.clear();
  // Switching off releases a device that has gone as well.
  rt::ignoreErrors([&] { control_.SetPortOpen(false); });
}

rt::Long LinkPort::waiting() {
  rt::Long count = 0;
  attempt([&] { count = control_.InBufferCount(); });
  return held_.size() + count;
}

QString LinkPort::read() {
  if (!held_.isEmpty()) {
    const QString first = held_.left(1);
    held_.remove(0, 1);
    return first;
  }
  QString text;
  attempt([&] { text = control_.Input().toString(); });
  return text;
}

QString LinkPort::readAll() {
  QString text = std::exchange(held_, QString());
  attempt([&] {
    control_.SetInputLen(0);
    text += control_.Input().toString();
  });
  attempt([&] { control_.SetInputLen(1); });
  return text;
}

void LinkPort::unread(const QString& text) {
  held_.prepend(text);
}

void LinkPort::write(const QString& text) {
  attempt([&] { control_.SetOutput(text); });
}

void LinkPort::discardInput() {
  held_.clear();
  attempt([&] { control_.SetInBufferCount(0); });
}

bool LinkPort::takeGone() {
  const bool went = gone_;
  gone_ = false;
  return went;
}

}  // namespace orvanRV1Xvti
