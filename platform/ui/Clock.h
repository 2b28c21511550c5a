#pragma once
// The thread's clock: what window timers, the message loop's waits, the
// plain pause, the analyzer link's time-outs and pauses and the simulated
// analyzer's pace all read. The product always runs on the real monotonic
// clock. A test may put its thread on a virtual clock (VirtualClock), whose
// time moves only where the thread would wait: a pause adds its length, and
// a wait with nothing ready jumps to the next alarm that falls due. Events
// then come in the order they would in real time, without the waiting.

#include <QtGlobal>
#include <functional>
#include <limits>

namespace ui {

// Nanoseconds on the thread's clock (monotonic; the origin means nothing).
qint64 clockNow();
// Milliseconds since a time taken from clockNow().
qint64 millisecondsSince(qint64 then);
bool clockIsVirtual();

// For the message loop: the alarms that are due go off, or time jumps to
// the next one.
namespace clockloop {
// Makes every alarm due by now go off, in order; whether any did.
bool fireDue();
// Virtual time only: time moves to the next alarm and those due then go
// off; false when there is none (or the clock is real).
bool jumpToNextAlarm();
// Nanoseconds to the next alarm; -1 when there is none.
qint64 untilNextAlarm();
// The pause: real time sleeps, virtual time moves on.
void pause(qint64 nanoseconds);
}  // namespace clockloop

// A call at a time on the thread's clock, made from the message loop (never
// from inside the call that set it). One alarm is due at one time at most;
// setting it again moves it. Destroying it cancels it, also from inside its
// own call.
class Alarm {
 public:
  explicit Alarm(std::function<void()> call);
  ~Alarm();
  Alarm(const Alarm&) = delete;
  Alarm& operator=(const Alarm&) = delete;

  void setAt(qint64 due);
  void setAfterMilliseconds(qint64 milliseconds);
  void cancel();
  bool armed() const { return armed_; }
  qint64 due() const { return due_; }

 private:
  friend struct AlarmQueue;
  friend bool clockloop::fireDue();
  friend bool clockloop::jumpToNextAlarm();
  friend qint64 clockloop::untilNextAlarm();
  friend class VirtualClock;
  std::function<void()> call_;
  qint64 due_ = 0;
  quint64 order_ = 0;  // alarms due at one time go off in the order they were set
  bool armed_ = false;
};

// What QElapsedTimer is, on the thread's clock; one never started reads -1.
class Stopwatch {
 public:
  void start() { started_ = clockNow(); }
  qint64 restart() {
    const qint64 was = elapsed();
    start();
    return was;
  }
  bool isValid() const { return started_ != kInvalid; }
  void invalidate() { started_ = kInvalid; }
  qint64 elapsed() const { return isValid() ? millisecondsSince(started_) : -1; }
  qint64 nsecsElapsed() const { return isValid() ? clockNow() - started_ : -1; }

 private:
  static constexpr qint64 kInvalid = std::numeric_limits<qint64>::min();
  qint64 started_ = kInvalid;
};

// Puts the calling thread on virtual time for its life. Its time starts at
// the real clock's present (to the millisecond), so stopwatches started
// before go on sensibly.
class VirtualClock {
 public:
  VirtualClock();
  ~VirtualClock();
  VirtualClock(const VirtualClock&) = delete;
  VirtualClock& operator=(const VirtualClock&) = delete;
};

}  // namespace ui
