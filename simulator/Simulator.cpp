#include "Simulator.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>

#include "InProcessLine.h"
#include "InProcessPort.h"
#include "ui/Clock.h"
#include "ui/MessageLoop.h"

namespace rv1xsim {

namespace {

constexpr char kCR = '\r';
constexpr char kVT = '\x0b';
// A broken-off reply waits for its last characters to be read, since
// closing the master side drops what the slave side holds: first
// kDrainBeforeHangUpMs, then as long as the slave side holds unread
// characters, up to a bound far beyond what a reader that is there needs on
// a busy machine.
constexpr int kDrainAtMostMs = 10000;
constexpr int kDrainLookMs = 2;

void closeFd(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

timespec addNanoseconds(timespec t, long nanoseconds) {
  t.tv_nsec += nanoseconds;
  while (t.tv_nsec >= 1'000'000'000L) {
    t.tv_nsec -= 1'000'000'000L;
    ++t.tv_sec;
  }
  return t;
}

timespec now() {
  timespec t{};
  ::clock_gettime(CLOCK_MONOTONIC, &t);
  return t;
}

// Absolute deadlines, so that a pace does not drift with the sleeps' slack.
void sleepUntil(const timespec& deadline) {
  while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
  }
}

}  // namespace

Simulator::Simulator(SimulatorOptions options) : model_(std::move(options)) {}

Simulator::~Simulator() {
  if (line_) InProcessPort::unplug(*this);
  stop();
  closeFd(master_);
  closeFd(slave_);
  closeFd(wake_[0]);
  closeFd(wake_[1]);
}

bool Simulator::start(QString* error) {
  if (thread_.joinable()) return true;
  char name[256] = {};
  termios raw{};
  ::cfmakeraw(&raw);
  if (::openpty(&master_, &slave_, name, &raw, nullptr) != 0 || ::pipe(wake_) != 0) {
    if (error)
      *error = QStringLiteral("cannot create a pseudo-terminal: %1")
                   .arg(QString::fromLocal8Bit(std::strerror(errno)));
    closeFd(master_);
    closeFd(slave_);
    return false;
  }
  ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
  ::fcntl(master_, F_SETFD, FD_CLOEXEC);
  ::fcntl(slave_, F_SETFD, FD_CLOEXEC);
  slavePath_ = QString::fromLocal8Bit(name);
  stopping_ = false;
  thread_ = std::thread([this] { run(); });
  return true;
}

void Simulator::stop() {
  if (!thread_.joinable()) return;
  stopping_ = true;
  const char byte = 0;
  [[maybe_unused]] ssize_t n = ::write(wake_[1], &byte, 1);
  thread_.join();
}

QByteArray Simulator::wire() const {
  std::lock_guard lock(mutex_);
  return wire_;
}

QList<QByteArray> Simulator::commands() const {
  std::lock_guard lock(mutex_);
  return commands_;
}

QList<qint64> Simulator::commandTimes() const {
  std::lock_guard lock(mutex_);
  return commandTimes_;
}

int Simulator::count(const QByteArray& command) const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(commands_.count(command));
}

void Simulator::plugIn(int port) {
  if (!line_) line_ = std::make_unique<InProcessLine>(*this);
  InProcessPort::plugIn(port, *this);
}

bool Simulator::portHeld() const {
  return line_ && !line_->free();
}

Reply Simulator::answer(const QByteArray& command, bool& paced, qint64 at) {
  Reply reply;
  {
    std::lock_guard lock(mutex_);
    commands_.append(command);
    commandTimes_.append(at / 1'000'000);
    reply = model_.respond(command);
    paced = model_.options().paced;
  }
  arrived_.notify_all();
  return reply;
}

void Simulator::logWire(const QByteArray& bytes) {
  std::lock_guard lock(mutex_);
  wire_ += bytes;
}

bool Simulator::waitForCommands(int count, int timeoutMs) const {
  if (line_) {
    return ui::waitUntil(
        [&] {
          std::lock_guard lock(mutex_);
          return commands_.size() >= count;
        },
        timeoutMs);
  }
  std::unique_lock lock(mutex_);
  return arrived_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                           [&] { return commands_.size() >= count; });
}

void Simulator::clearLog() {
  std::lock_guard lock(mutex_);
  wire_.clear();
  commands_.clear();
  commandTimes_.clear();
}

SimulatorOptions Simulator::options() const {
  std::lock_guard lock(mutex_);
  return model_.options();
}

void Simulator::update(const std::function<void(SimulatorOptions&)>& change) {
  std::lock_guard lock(mutex_);
  SimulatorOptions options = model_.options();
  change(options);
  model_.setOptions(options);
}

void Simulator::setRange(char range) {
  std::lock_guard lock(mutex_);
  model_.options().range = range;
}

void Simulator::setMeasurements(const Measurements& values) {
  std::lock_guard lock(mutex_);
  model_.options().values = values;
}

void Simulator::setRawReply(const QByteArray& command, const QByteArray& reply) {
  std::lock_guard lock(mutex_);
  model_.options().faults.rawReplies.insert(command, reply);
}

bool Simulator::inMkIIIMode() const {
  std::lock_guard lock(mutex_);
  return model_.inMkIIIMode();
}

AnalyzerState Simulator::state() const {
  std::lock_guard lock(mutex_);
  return model_.state();
}

void Simulator::hangUp() {
  if (line_) {
    line_->hangUp();
    return;
  }
  if (!thread_.joinable()) {
    closeMaster();
    return;
  }
  hangUpRequested_ = true;
  const char byte = 0;
  [[maybe_unused]] ssize_t n = ::write(wake_[1], &byte, 1);
  while (!hungUp_ && !stopping_) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void Simulator::closeMaster() {
  closeFd(master_);
  hungUp_ = true;
}

void Simulator::run() {
  while (!stopping_ && master_ >= 0) {
    if (hangUpRequested_) {
      closeMaster();
      break;
    }
    pollfd fds[2] = {{master_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
    if (::poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (fds[1].revents & POLLIN) {
      char drain[64];
      [[maybe_unused]] ssize_t n = ::read(wake_[0], drain, sizeof drain);
      continue;
    }
    if (fds[0].revents & POLLIN) {
      if (!readAvailable(0)) continue;
      while (!stopping_ && master_ >= 0 && handleCommands()) {
      }
    }
  }
}

bool Simulator::readAvailable(int timeoutMs) {
  pollfd fd{master_, POLLIN, 0};
  if (timeoutMs > 0 && ::poll(&fd, 1, timeoutMs) <= 0) return false;
  char buffer[4096];
  const ssize_t n = ::read(master_, buffer, sizeof buffer);
  if (n <= 0) return false;
  takeInput(QByteArray(buffer, n));
  return true;
}

void Simulator::takeInput(const QByteArray& bytes) {
  logWire(bytes);
  input_ += bytes;
  if (input_.size() > kMaxPendingInput && !input_.contains(kCR)) input_.clear();
}

// Takes the next whole command off the input and answers it; false when the
// input holds no whole command.
bool Simulator::handleCommands() {
  while (input_.startsWith(kVT)) input_.remove(0, 1);
  const qsizetype end = input_.indexOf(kCR);
  if (end < 0) return false;
  if (end == 0 && input_.size() == 1) readAvailable(kProbeSecondByteMs);
  qsizetype length = end + 1;
  if (input_.size() > length && input_.at(length) == kVT) ++length;
  const QByteArray command = input_.left(length);
  input_.remove(0, length);
  bool paced = true;
  const Reply reply = answer(command, paced, ui::clockNow());
  // The writer's bytes reach a pseudo-terminal at once; on the wire the
  // command would still be arriving: the answer starts when it would have.
  if (paced) waitCharacterTimes(command.size());
  send(reply, paced);
  return true;
}

void Simulator::send(const Reply& reply, bool paced) {
  if (reply.delayMs > 0 && !pause(reply.delayMs)) return;
  for (qsizetype i = 0; i < reply.pieces.size(); ++i) {
    if (i > 0 && reply.pieceDelayMs > 0 && !pause(reply.pieceDelayMs)) return;
    if (!sendBytes(reply.pieces[i], paced)) return;
  }
  if (reply.hangUp) {
    // Closing the master flushes what the other side has not read yet: give
    // the last characters time to be taken, as they were on the wire.
    if (pause(kDrainBeforeHangUpMs)) waitUntilRead(kDrainAtMostMs);
    closeMaster();
  }
}

void Simulator::waitCharacterTimes(qsizetype characters) {
  sleepUntil(
      addNanoseconds(now(), static_cast<long>(characters * kCharacterMicroseconds * 1000.0)));
}

bool Simulator::sendBytes(const QByteArray& bytes, bool paced) {
  if (!paced) return writeAll(bytes.constData(), bytes.size());
  // Each character leaves when the wire would have carried it.
  timespec next = now();
  const long step = static_cast<long>(kCharacterMicroseconds * 1000.0);
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    next = addNanoseconds(next, step);
    sleepUntil(next);
    if (stopping_ || hangUpRequested_) return false;
    if (!writeAll(bytes.constData() + i, 1)) return false;
  }
  return true;
}

bool Simulator::writeAll(const char* data, qsizetype size) {
  qsizetype done = 0;
  while (done < size) {
    if (master_ < 0 || stopping_) return false;
    const ssize_t n = ::write(master_, data + done, static_cast<size_t>(size - done));
    if (n > 0) {
      done += n;
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EINTR) return false;
    // The pseudo-terminal's buffer is full: nobody reads the slave side.
    pollfd fd{master_, POLLOUT, 0};
    ::poll(&fd, 1, 50);
  }
  return true;
}

void Simulator::waitUntilRead(int timeoutMs) {
  // The slave side, which the simulator keeps open, shows what its reader
  // has not taken yet; polling it first hands on what the terminal still
  // holds on its way (a count alone would miss those characters).
  for (int waited = 0; waited < timeoutMs; waited += kDrainLookMs) {
    pollfd fd{slave_, POLLIN, 0};
    if (::poll(&fd, 1, 0) <= 0 || (fd.revents & POLLIN) == 0) return;
    if (!pause(kDrainLookMs)) return;
  }
}

bool Simulator::pause(int milliseconds) {
  pollfd fd{wake_[0], POLLIN, 0};
  ::poll(&fd, 1, milliseconds);
  return !stopping_ && !hangUpRequested_;
}

}  // namespace rv1xsim
