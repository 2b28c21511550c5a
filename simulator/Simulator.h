#pragma once
// The simulated analyzer on a pseudo-terminal of its own. A serial control
// opens the slave side by its path exactly as it opens /dev/ttyUSB0; the
// simulator answers on the master side from a thread of its own, so it keeps
// answering while the caller's thread sleeps or waits, and sends its bytes
// at the pace of 9600 baud (a pseudo-terminal has no baud rate of its own).
//
// Everything public may be called from any thread while it runs.

#include <QByteArray>
#include <QList>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "AnalyzerModel.h"

namespace rv1xsim {

class Simulator {
 public:
  // One character at 9600 baud, 10 bits a character.
  static constexpr double kCharacterMicroseconds = 10.0 * 1e6 / 9600.0;

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

  // What arrived: every byte, and each command in its wire form ("M\r",
  // "\r", "\r\x0b" for the opening probe), in order.
  QByteArray wire() const;
  QList<QByteArray> commands() const;
  int count(const QByteArray& command) const;
  // Waits until at least that many commands arrived in all.
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
  QByteArray input_;  // bytes not yet making a whole command (thread only)

  int master_ = -1;
  int slave_ = -1;  // kept open so the master never sees a hang-up between opens
  int wake_[2] = {-1, -1};
  QString slavePath_;
  std::thread thread_;
  std::atomic<bool> stopping_{false};
  std::atomic<bool> hungUp_{false};
  std::atomic<bool> hangUpRequested_{false};
};

}  // namespace rv1xsim
