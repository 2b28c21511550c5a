#pragma once
// The simulated analyzer, on a pseudo-terminal of its own or in-process.
//
// On a pseudo-terminal (start): a serial control opens the slave side by its
// path exactly as it opens /dev/ttyUSB0; the simulator answers on the master
// side from a thread of its own, so it keeps answering while the caller's
// thread sleeps or waits, and sends its bytes at the pace of 9600 baud (a
// pseudo-terminal has no baud rate of its own). Everything public may be
// called from any thread while it runs.
//
// In-process (plugIn): a serial control of this process that opens port N
// reaches the simulator without a device (InProcessPort.h); its answers
// arrive when they would on the pseudo-terminal, on the clock of the thread
// that plugged it in (a virtual clock makes them cost no time). Only that
// thread may use it.

#include <QByteArray>
#include <QList>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "AnalyzerModel.h"

namespace rv1xsim {

class InProcessLine;

class Simulator {
 public:
  // One character at 9600 baud, 10 bits a character.
  static constexpr double kCharacterMicroseconds = 10.0 * 1e6 / 9600.0;
  // On either line: a bare CR may be the first half of the opening probe CR
  // VT, so the analyzer waits this long for the VT before it takes the CR
  // alone; a broken-off reply closes the line this long after its last
  // character at the earliest; input that never ends a command is garbage,
  // dropped beyond this size.
  static constexpr int kProbeSecondByteMs = 5;
  static constexpr int kDrainBeforeHangUpMs = 20;
  static constexpr qsizetype kMaxPendingInput = 4096;

  explicit Simulator(SimulatorOptions options = {});
  ~Simulator();
  Simulator(const Simulator&) = delete;
  Simulator& operator=(const Simulator&) = delete;

  // Creates the pseudo-terminal (raw) and starts answering; false, with the
  // reason in error, when no pseudo-terminal can be made.
  bool start(QString* error = nullptr);
  void stop();
  // The device path a serial control opens; empty before start.
  QString slavePath() const { return slavePath_; }

  // Answers in-process as port N from now on.
  void plugIn(int port);
  // In-process: whether a serial control holds the port open.
  bool portHeld() const;

  // What arrived: every byte, and each command in its wire form ("M\r",
  // "\r", "\r\x0b" for the opening probe), in order.
  QByteArray wire() const;
  QList<QByteArray> commands() const;
  // When the analyzer took each of those commands (ms on the clock of the
  // thread that took it: in-process the plugging thread's, on a
  // pseudo-terminal the real clock).
  QList<qint64> commandTimes() const;
  int count(const QByteArray& command) const;
  // Waits until at least that many commands arrived in all (in-process,
  // letting the thread's events run).
  bool waitForCommands(int count, int timeoutMs) const;
  void clearLog();

  // Scripting while it runs.
  SimulatorOptions options() const;
  // Changes any option; the fault counters (local, garbage, the arrivals
  // that CMD#N counts) start again from the new values.
  void update(const std::function<void(SimulatorOptions&)>& change);
  void setRange(char range);
  void setMeasurements(const Measurements& values);
  void setRawReply(const QByteArray& command, const QByteArray& reply);
  bool inMkIIIMode() const;
  // The settings and outputs the commands chose.
  AnalyzerState state() const;

  // Closes the master side as an unplugged cable would; after it the
  // simulator answers nothing.
  void hangUp();
  bool hungUp() const { return hungUp_; }

 private:
  friend class InProcessLine;
  friend class InProcessPort;

  InProcessLine& line() { return *line_; }
  // A command taken at that time (ns on the clock): logged, answered by the
  // model; paced tells whether the answer goes at the pace of 9600 baud.
  Reply answer(const QByteArray& command, bool& paced, qint64 at);
  void logWire(const QByteArray& bytes);
  void noteHungUp() { hungUp_ = true; }

  void run();
  void takeInput(const QByteArray& bytes);
  bool handleCommands();
  void send(const Reply& reply, bool paced);
  bool sendBytes(const QByteArray& bytes, bool paced);
  void waitCharacterTimes(qsizetype characters);
  bool writeAll(const char* data, qsizetype size);
  bool pause(int milliseconds);
  void waitUntilRead(int timeoutMs);
  bool readAvailable(int timeoutMs);
  void closeMaster();

  mutable std::mutex mutex_;
  mutable std::condition_variable arrived_;
  AnalyzerModel model_;
  QByteArray wire_;
  QList<QByteArray> commands_;
  QList<qint64> commandTimes_;
  QByteArray input_;  // bytes not yet making a whole command (thread only)

  int master_ = -1;
  int slave_ = -1;  // kept open so the master never sees a hang-up between opens
  int wake_[2] = {-1, -1};
  QString slavePath_;
  std::thread thread_;
  std::atomic<bool> stopping_{false};
  std::atomic<bool> hungUp_{false};
  std::atomic<bool> hangUpRequested_{false};
  std::unique_ptr<InProcessLine> line_;
};

}  // namespace rv1xsim
