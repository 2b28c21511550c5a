#pragma once
// The serial control of the link's hidden form as the link's machine uses
// it: plain calls that never raise. A run-time error of the control ends only
// the call it came from: "device unavailable" (68) runs the call again a few
// times, 100 ms apart (a USB adapter that is re-enumerating), and past that
// the device counts as gone, after which every call fails at once;
// "permission denied" (70) and any other error end the call, and only
// opening tells the machine whether it failed.

#include <QString>

#include "runtime/Types.h"

namespace serial {
class Transport;
}

namespace orvanRV1Xvti {

class LinkPort {
 public:
  explicit LinkPort(serial::Transport& control) : control_(control) {}

  // Port number, line settings and one-character text reads, then the port
  // switched on and its status checked: false when switching on or the
  // status check failed.
  bool open(rt::Integer port, const QString& settings);
  void close();

  // Bytes received and not read yet; 0 when the control cannot tell.
  rt::Long waiting();
  // One character of text.
  QString read();
  // Every character that has arrived.
  QString readAll();
  // Puts characters read but not used back in front of what is waiting.
  void unread(const QString& text);
  void write(const QString& text);
  void discardInput();

  // The device went away during a call and did not come back.
  bool gone() const { return gone_; }
  // Whether it went, forgetting it: a closed and reopened port starts afresh.
  bool takeGone();

 private:
  template <class Call>
  bool attempt(Call&& call);

  serial::Transport& control_;
  QString held_;  // read, not used, and first in line
  bool gone_ = false;
};

}  // namespace orvanRV1Xvti
