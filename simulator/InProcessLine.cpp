#include "InProcessLine.h"

#include <algorithm>

#include "InProcessPort.h"
#include "Simulator.h"
#include "ui/ClockTrace.h"

namespace rv1xsim {

namespace {

constexpr qint64 kMillisecond = 1'000'000;  // ns
constexpr qint64 kCharacter = static_cast<qint64>(Simulator::kCharacterMicroseconds * 1000.0);
constexpr char kCR = '\r';
constexpr char kVT = '\x0b';
// As the simulator's thread on its pseudo-terminal: how long a bare CR
// waits for the VT of the opening probe, how long a broken-off reply waits
// before the line closes, and garbage input. At most this long for its last
// characters to be read: a reader on this thread is never slowed by a busy
// machine, which the pseudo-terminal's longer bound allows for.
constexpr qint64 kProbeSecondByte = Simulator::kProbeSecondByteMs * kMillisecond;
constexpr qint64 kDrainBeforeHangUp = Simulator::kDrainBeforeHangUpMs * kMillisecond;
constexpr qint64 kDrainAtMost = 2000 * kMillisecond;
constexpr qsizetype kMaxPendingInput = Simulator::kMaxPendingInput;

}  // namespace

InProcessLine::InProcessLine(Simulator& simulator)
    : simulator_(simulator), next_([this] { advance(); }) {}

InProcessLine::~InProcessLine() {
  if (holder_) holder_->lineGone();
}

void InProcessLine::take(InProcessPort* holder) {
  holder_ = holder;
}

void InProcessLine::release(InProcessPort* holder) {
  if (holder_ != holder) return;
  holder_ = nullptr;
  // Closing a device drops what it received and had not read.
  advance();
  arrived_.clear();
}

void InProcessLine::write(const QByteArray& bytes) {
  advance();
  if (hungUp_) return;
  simulator_.logWire(bytes);
  const qint64 now = ui::clockNow();
  // For the benchmark: the characters on the wire at 9600 baud.
  ui::traceInterval("wire", now, now + bytes.size() * kCharacter);
  input_ += bytes;
  inputAt_.insert(inputAt_.end(), bytes.size(), now);
  if (input_.size() > kMaxPendingInput && !input_.contains(kCR)) {
    input_.clear();
    inputAt_.clear();
  }
  advance();
}

qsizetype InProcessLine::waiting() {
  advance();
  return arrived_.size();
}

QByteArray InProcessLine::read(qsizetype count) {
  advance();
  const qsizetype length = count <= 0 ? arrived_.size() : std::min(count, arrived_.size());
  const QByteArray bytes = arrived_.left(length);
  arrived_.remove(0, length);
  // A reply that broke off closes the line once what came before is read.
  advance();
  return bytes;
}

void InProcessLine::discard() {
  advance();
  arrived_.clear();
  advance();
}

bool InProcessLine::hungUp() {
  advance();
  return hungUp_;
}

void InProcessLine::hangUp() {
  advance();
  hungUp_ = true;
  output_.clear();
  input_.clear();
  inputAt_.clear();
  next_.cancel();
  simulator_.noteHungUp();
}

// When the analyzer takes the next whole command, and its length; -1 when
// none is in.
qint64 InProcessLine::handlingTime(qsizetype& length) const {
  qsizetype first = 0;
  while (first < input_.size() && input_.at(first) == kVT) ++first;
  const qsizetype end = input_.indexOf(kCR, first);
  if (end < 0) return -1;
  const qint64 ready = std::max(inputAt_[end], busyUntil_);
  qint64 at = ready;
  // A bare CR may be the first half of the probe CR VT: the analyzer waits
  // a moment for the second byte when nothing else has come with it.
  const bool bare = end == first;
  const bool moreBy = end + 1 < input_.size() && inputAt_[end + 1] <= ready;
  if (bare && !moreBy)
    at = end + 1 < input_.size() ? std::min(inputAt_[end + 1], ready + kProbeSecondByte)
                                 : ready + kProbeSecondByte;
  length = end + 1;
  if (length < input_.size() && inputAt_[length] <= at && input_.at(length) == kVT) ++length;
  return at;
}

void InProcessLine::answer(qint64 at, qsizetype length) {
  qsizetype first = 0;
  while (first < length && input_.at(first) == kVT) ++first;
  const QByteArray command = input_.mid(first, length - first);
  input_.remove(0, length);
  inputAt_.erase(inputAt_.begin(), inputAt_.begin() + length);
  bool paced = true;
  const Reply reply = simulator_.answer(command, paced, at);
  // The writer's bytes reach the analyzer at once; on the wire the command
  // would still be arriving: the answer starts when it would have.
  qint64 t = at + (paced ? command.size() * kCharacter : 0) + reply.delayMs * kMillisecond;
  for (qsizetype i = 0; i < reply.pieces.size(); ++i) {
    if (i > 0) t += reply.pieceDelayMs * kMillisecond;
    const QByteArray& piece = reply.pieces.at(i);
    if (!paced) {
      output_.push_back({t, piece});
      continue;
    }
    ui::traceInterval("wire", t, t + piece.size() * kCharacter);
    for (char byte : piece) {
      t += kCharacter;
      output_.push_back({t, QByteArray(1, byte)});
    }
  }
  busyUntil_ = t;
  if (reply.hangUp) hangUpAt_ = t + kDrainBeforeHangUp;
}

// Brings the line to the present of the clock, in the order of events.
void InProcessLine::advance() {
  const qint64 now = ui::clockNow();
  while (!hungUp_) {
    qsizetype length = 0;
    const qint64 command = handlingTime(length);
    const qint64 arrival = output_.empty() ? -1 : output_.front().at;
    if (arrival >= 0 && arrival <= now && (command < 0 || arrival <= command)) {
      arrived_ += output_.front().bytes;
      output_.pop_front();
      continue;
    }
    if (hangUpAt_ >= 0 && output_.empty() &&
        ((now >= hangUpAt_ && arrived_.isEmpty()) || now >= hangUpAt_ + kDrainAtMost)) {
      hungUp_ = true;
      input_.clear();
      inputAt_.clear();
      simulator_.noteHungUp();
      break;
    }
    if (command >= 0 && command <= now) {
      answer(command, length);
      continue;
    }
    break;
  }
  schedule();
}

void InProcessLine::schedule() {
  if (hungUp_) {
    next_.cancel();
    return;
  }
  qint64 due = -1;
  const auto consider = [&due](qint64 at) {
    if (at >= 0 && (due < 0 || at < due)) due = at;
  };
  if (!output_.empty()) consider(output_.front().at);
  qsizetype length = 0;
  consider(handlingTime(length));
  if (hangUpAt_ >= 0 && output_.empty())
    consider(arrived_.isEmpty() ? hangUpAt_ : hangUpAt_ + kDrainAtMost);
  if (due < 0) {
    next_.cancel();
  } else if (!next_.armed() || next_.due() != due) {
    next_.setAt(std::max(due, ui::clockNow()));
  }
}

}  // namespace rv1xsim
