#pragma once
// The link's hidden form: it owns the serial control and the link's two
// timers. Loaded by its link on first use and never shown.

#include <QWidget>
#include <functional>
#include <memory>

#include "serial/Transport.h"
#include "ui/Timer.h"

namespace orvanRV1Xvti {

class FTestVTI : public QWidget {
  Q_OBJECT
 public:
  // timedOut: what a tick of the time-out timer tells (its link's
  // SetTimedOut).
  explicit FTestVTI(std::function<void()> timedOut);
  ~FTestVTI() override;

  serial::Transport& Comm() { return *comm_; }

  // Restarts the time-out timer; its ticks mark the link's wait as timed
  // out until it is stopped. Errors are ignored.
  void StartTimer(rt::Long iTimeOut);
  void StopTimer();
  // The pause timer fires once.
  void StartSleepTimer(rt::Long iTimeOut);
  bool IsSleeping() const;

 private:
  void timRVXX_Timer();
  void tmrSleep_Timer();

  std::unique_ptr<serial::Transport> comm_;
  std::function<void()> timedOut_;
  ui::Timer timRVXX_;
  ui::Timer tmrSleep_;
};

}  // namespace orvanRV1Xvti
