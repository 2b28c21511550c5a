#pragma once
// The transport that puts a simulated analyzer in a port's place without a
// device: a serial control of the link or the port query opening port N
// reaches the simulator plugged in as port N (Simulator::plugIn) over its
// in-process line; any other port is the serial device as ever. It answers
// the nine members exactly as the serial control does, errors included: a
// port held by another control is busy (8005), a line closed by the
// analyzer has gone (status "Device unavailable", error 68 once what came
// before is read) and its port is not found again (8002).
//
// Known only to the tests and to rv1x-host --simulate: plugging a simulator
// in puts this transport's factory in place (serial::setTransportFactory)
// for as long as one is plugged in, or an InPlace lives.

#include <memory>

#include "serial/Transport.h"

namespace rv1xsim {

class InProcessLine;
class Simulator;

class InProcessPort : public serial::Transport {
 public:
  InProcessPort();
  ~InProcessPort() override;

  QString Settings() const override;
  void SetSettings(const QString& settings) override;
  rt::Integer CommPort() const override;
  void SetCommPort(rt::Integer port) override;
  QString PortStatus() const override;
  rt::Long InBufferCount() override;
  void SetInBufferCount(rt::Long count) override;
  rt::Integer InputLen() const override;
  void SetInputLen(rt::Integer length) override;
  void SetOutput(const QVariant& data) override;
  bool PortOpen() const override;
  void SetPortOpen(bool open) override;
  QVariant Input() override;
  rt::Integer InputMode() const override;
  void SetInputMode(rt::Integer mode) override;

  // The simulators plugged in, by port number.
  static void plugIn(int port, Simulator& simulator);
  static void unplug(Simulator& simulator);

  // While one lives, the serial controls made are in-process ports, also
  // before any simulator is plugged in.
  class InPlace {
   public:
    InPlace();
    ~InPlace();
    InPlace(const InPlace&) = delete;
    InPlace& operator=(const InPlace&) = delete;
  };

  // The simulator whose line this port holds is no more: a device that has
  // gone.
  void lineGone();

 private:
  InProcessLine& line() const;
  void requireLine() const;

  std::unique_ptr<serial::Transport> device_;  // any port without a simulator
  Simulator* simulator_ = nullptr;             // while open on a simulator's line
  bool gone_ = false;                          // ... until the simulator went
  QString settings_ = QStringLiteral("9600,N,8,1");
  QString status_ = serial::status::Closed;
  rt::Integer port_ = 1;
  rt::Integer inputLen_ = 0;
  rt::Integer inputMode_ = 0;
};

}  // namespace rv1xsim
