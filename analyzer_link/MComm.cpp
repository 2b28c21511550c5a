#include "MComm.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>

#include "FTestVTI.h"
#include "LinkMessages.h"
#include "LinkPort.h"
#include "LinkTexts.h"
#include "MCommUtils.h"
#include "orvanRV1Xvti/CRV1XVTi.h"
#include "runtime/ErrorHandling.h"
#include "services/ErrorService.h"
#include "ui/Clock.h"
#include "ui/MessageBoxes.h"
#include "ui/MessageLoop.h"

namespace orvanRV1Xvti::MComm {

namespace {

constexpr rt::Long kReplyTimeOut = 3000;        // ms, a whole reply or the next block bytes
constexpr rt::Long kDefaultOpenTimeOut = 3000;  // ms, when "CommTimeOut" gives none
constexpr rt::Integer kMaxRetransmissions = 3;
constexpr rt::Long kRetransmitPause = 200;  // ms between a retransmission and the next receive
constexpr int kReadPause = 5;               // ms before every read
// Bytes that follow a whole block are left over from it: they are read off
// until the line has been quiet this long (a USB adapter hands on what it
// received in bursts up to 20 ms apart).
constexpr qint64 kBlockSurplusQuiet = 25;  // ms
constexpr rt::Integer kTextMode = 0;
constexpr rt::Integer kBinaryMode = 1;
const QString kLineSettings = QStringLiteral("9600,N,8,1");
const QString kPrompt = QStringLiteral("\r>");
const QString kPromptCharacter = QStringLiteral(">");
constexpr char16_t kVT = 11;

// Bounds of our own. An opening probe answered with something other than
// "!" or "?" is sent again, but at most this many times and not once the
// opening has lasted the open time-out: then the link gives up as on a
// time-out.
constexpr int kMaxOpeningPasses = 8;

// One turn of the message loop, without waiting for more events: the
// machine's turns and the reads of a reply add no wait of their own.
void yieldOnce() {
  ui::doEvents();
}

[[noreturn]] void blockIncomplete() {
  showMessage(text::NoAnalyzerFound, ui::mb::Exclamation);
  host::errors().RaiseError(host::kProduct, eeVTI_Error, kLinkSource, 1);
  rt::raise(eeVTI_Error, kLinkSource);
}

}  // namespace

struct Link::Variables {
  bool abort = false;
  QString terminator;
  QString probeText;
  bool timedOut = false;
  rt::Integer linkState = state::Closed;
  rt::Integer port = 0;
  QString command;
  QString reply;
  rt::Integer retransmissions = 0;
  rt::Integer openTimeOut = 0;
  // the machine's working variables
  rt::Integer event = event::Continue;
  QString lastRead;
  int openingPasses = 0;
  ui::Stopwatch openingClock;
  // A whole block was read, and when its last bytes (or bytes after it)
  // came.
  bool afterBlock = false;
  ui::Stopwatch sinceBlockBytes;
  // How often the command text went on the wire, and how many answers,
  // each ended by its prompt, the analyzer still owes for what was written:
  // a retransmission may be answered twice, an abort leaves an answer
  // coming, the opening reads only the first character of its answer.
  int written = 0;
  int owed = 0;
  // Loaded by the first use and kept for the life of the link.
  std::unique_ptr<FTestVTI> form;
  std::optional<LinkPort> linkPort;
};

LinkPort& Link::port() {
  Form();
  return *v_->linkPort;
}

serial::Transport& Link::comm() {
  return Form().Comm();
}

// An abort or a device that has gone ends every wait of the machine.
bool Link::waitEnds() {
  return v_->abort || port().gone();
}

// Lets events run until a byte is waiting, the time-out ticked or the wait
// ended.
void Link::waitForInput() {
  while (port().waiting() < 1 && !v_->timedOut && !waitEnds()) ui::waitForEvents();
}

void Link::startTimeOut(rt::Long milliseconds) {
  v_->timedOut = false;
  Form().StartTimer(milliseconds);
}

void Link::stopTimeOut() {
  Form().StopTimer();
}

// ---- the machine's steps -------------------------------------------------

void Link::startOpening() {
  Variables& l = *v_;
  l.linkState = state::Opening;
  l.event = event::Continue;
  l.openingPasses = 0;
  l.openingClock.start();
}

void Link::openingStep() {
  Variables& l = *v_;
  l.lastRead.clear();
  startTimeOut(l.openTimeOut);
  if (!port().open(l.port, kLineSettings)) {
    l.event = event::Continue;
    l.linkState = state::Closing;
    return;
  }
  ui::Sleep(kReadPause);
  port().read();
  port().write(l.probeText + QChar(kVT));
  // Only the answer's first character is read here; the rest of it is read
  // off before the next command goes out.
  l.owed = 1;
  waitForInput();
  stopTimeOut();
  ui::Sleep(kReadPause);
  l.lastRead = port().read();
  if (l.lastRead == QLatin1String("!") || l.lastRead == QLatin1String("?"))
    l.event = event::Answered;
  if (l.timedOut) {
    l.event = event::GiveUp;
  } else if (l.event == event::Continue && (++l.openingPasses >= kMaxOpeningPasses ||
                                            l.openingClock.elapsed() >= l.openTimeOut)) {
    l.event = event::GiveUp;
  }
}

// What keeps coming after a whole block belongs to it, not to the next
// command's answer: it is read off until the line has been quiet a while.
void Link::dropBlockSurplus() {
  Variables& l = *v_;
  l.afterBlock = false;
  // A line that never falls quiet is given up on after a reply's time.
  ui::Stopwatch draining;
  draining.start();
  while (draining.elapsed() < kReplyTimeOut) {
    if (port().waiting() > 0) {
      port().readAll();
      l.sinceBlockBytes.start();
      continue;
    }
    const qint64 quiet = l.sinceBlockBytes.elapsed();
    if (quiet >= kBlockSurplusQuiet || waitEnds()) break;
    startTimeOut(kBlockSurplusQuiet - quiet);
    waitForInput();
    stopTimeOut();
  }
}

// Before a command goes out for the first time, the exchanges before it are
// finished: the answers still owed are read off up to their prompts, for as
// long as characters keep coming within the reply time-out, and whatever
// else is waiting is dropped. So nothing that answers an earlier command is
// taken as this command's answer.
void Link::finishEarlierExchanges() {
  Variables& l = *v_;
  if (l.afterBlock) dropBlockSurplus();
  if (l.owed > 0) {
    startTimeOut(kReplyTimeOut);
    while (l.owed > 0 && !l.timedOut && !waitEnds()) {
      if (port().waiting() < 1) {
        waitForInput();
        continue;
      }
      if (port().read() == kPromptCharacter) --l.owed;
      startTimeOut(kReplyTimeOut);
    }
    stopTimeOut();
    if (l.abort) return;
    l.owed = 0;
  }
  port().discardInput();
}

// Transmits and retransmits alike. A retransmission keeps what has come: a
// late answer to the first writing answers this same command.
void Link::writeCommand() {
  Variables& l = *v_;
  if (l.written == 0) {
    finishEarlierExchanges();
    if (waitEnds()) return;
  }
  port().write(l.command);
  ++l.written;
  ++l.owed;
  l.event = event::StepDone;
}

void Link::startReceiving() {
  Variables& l = *v_;
  l.reply.clear();
  l.lastRead.clear();
  l.linkState = state::Receiving;
  l.event = event::Continue;
}

// After a retransmission the reply goes on from what the timed-out attempt
// collected.
void Link::receiveStep() {
  Variables& l = *v_;
  startTimeOut(kReplyTimeOut);
  do {
    waitForInput();
    if (port().waiting() >= 1) {
      // One pause before each read, and the read takes every character that
      // has come meanwhile, one at a time up to the prompt; what follows it
      // stays waiting.
      ui::Sleep(kReadPause);
      const QString read = port().readAll();
      // Nothing answers a command that has not gone out yet (after a block
      // cut short the next command waits for its first retransmission): what
      // comes before it is left over and dropped.
      if (l.written > 0) {
        qsizetype taken = 0;
        while (taken < read.size() && l.lastRead != kPromptCharacter) {
          l.lastRead = read.mid(taken++, 1);
          l.reply += l.lastRead;
        }
        port().unread(read.mid(taken));
      }
    }
    yieldOnce();
  } while (l.lastRead != kPromptCharacter && !l.timedOut && !waitEnds());
  if (l.reply.endsWith(kPrompt)) l.reply.chop(kPrompt.size());
  stopTimeOut();
  if (l.lastRead == kPromptCharacter) {
    l.event = event::Answered;
    if (l.owed > 0) --l.owed;
  }
  if (l.timedOut) l.event = event::TimedOut;
}

void Link::retransmitStep() {
  Variables& l = *v_;
  if (++l.retransmissions > kMaxRetransmissions) {
    l.event = event::GiveUp;
    return;
  }
  writeCommand();
  Form().StartSleepTimer(kRetransmitPause);
  while (Form().IsSleeping() && !waitEnds()) ui::waitForEvents();
}

void Link::failedStep() {
  v_->event = event::StepDone;
}

void Link::closingStep() {
  port().close();
  v_->owed = 0;
  v_->afterBlock = false;
  v_->event = event::StepDone;
}

// ---- the machine ---------------------------------------------------------

// (state, event) -> a step, or the next state and event. A pair that is not
// in the table stops the machine.
struct Link::Transition {
  rt::Integer state;
  rt::Integer event;
  void (Link::*step)();
  rt::Integer nextState;
  rt::Integer nextEvent;
};

using namespace state;
using namespace event;

const Link::Transition Link::kMachine[] = {
    {Closed, Open, &Link::startOpening, 0, 0},  // -> opening, continue (a fresh count of passes)
    {Opening, Continue, &Link::openingStep, 0, 0},
    {Opening, Answered, nullptr, Idle, Continue},
    {Opening, GiveUp, nullptr, Failed, Continue},
    {Opening, Close, nullptr, Closing, Continue},
    {Idle, Transmit, nullptr, Transmitting, Continue},
    {Idle, Close, nullptr, Closing, Continue},
    {Transmitting, Continue, &Link::writeCommand, 0, 0},
    {Transmitting, StepDone, nullptr, Sent, Continue},
    {Transmitting, Close, nullptr, Closing, Continue},
    {Sent, Receive, &Link::startReceiving, 0, 0},  // -> receiving, continue (an empty reply)
    {Sent, Close, nullptr, Closing, Continue},
    {Receiving, Continue, &Link::receiveStep, 0, 0},
    {Receiving, Answered, nullptr, Idle, Continue},
    {Receiving, event::TimedOut, nullptr, Retransmitting, Continue},
    {Receiving, Close, nullptr, Closing, Continue},
    {Retransmitting, Continue, &Link::retransmitStep, 0, 0},
    {Retransmitting, StepDone, nullptr, Receiving, Continue},
    {Retransmitting, GiveUp, nullptr, Failed, Continue},
    {Retransmitting, Close, nullptr, Closing, Continue},
    {Failed, Continue, &Link::failedStep, 0, 0},
    {Failed, StepDone, nullptr, Closing, Continue},
    {Failed, Close, nullptr, Closing, Continue},
    {Closing, Continue, &Link::closingStep, 0, 0},
    {Closing, StepDone, nullptr, Closed, Continue},
};

// One turn; false when the machine stops.
bool Link::turn() {
  Variables& l = *v_;
  // A device that has gone fails the link wherever it was: the port is
  // closed and the caller hears of it.
  if (port().gone() && l.linkState != Failed && l.linkState != Closing && l.linkState != Closed) {
    l.linkState = Failed;
    l.event = Continue;
    return true;
  }
  for (const Transition& t : kMachine) {
    if (t.state != l.linkState || t.event != l.event) continue;
    if (t.step) {
      (this->*t.step)();
    } else {
      l.linkState = t.nextState;
      l.event = t.nextEvent;
    }
    return true;
  }
  return false;
}

// ---- the link ------------------------------------------------------------

namespace {
thread_local Link* scoped = nullptr;
}  // namespace

Link::Link() : v_(std::make_unique<Variables>()) {}

Link::~Link() = default;

Link& Link::current() {
  if (scoped) return *scoped;
  // Made by the first use and kept for the life of the thread, as the
  // design's module variables: the process's end releases it.
  thread_local Link* own = new Link;
  return *own;
}

Link::Scope::Scope(Link& link) : previous_(std::exchange(scoped, &link)) {}

Link::Scope::~Scope() {
  scoped = previous_;
}

FTestVTI& Link::Form() {
  Variables& l = *v_;
  if (!l.form) {
    l.form = std::make_unique<FTestVTI>([this] { SetTimedOut(); });
    l.linkPort.emplace(l.form->Comm());
  }
  return *l.form;
}

rt::Integer Link::RunLink(rt::Integer startEvent) {
  Variables& l = *v_;
  l.abort = false;
  l.event = startEvent;
  bool running = true;
  while (running && !l.abort) {
    yieldOnce();
    running = turn();
  }
  if (l.abort) l.linkState = state::Idle;
  if (port().takeGone()) rt::raise(rt::err::DeviceUnavailable, kLinkSource);
  return l.linkState;
}

rt::Integer Link::InitComm() {
  Variables& l = *v_;
  l.openTimeOut = static_cast<rt::Integer>(readCommTimeOut(kDefaultOpenTimeOut, 32767));
  if (!rt::ignoreErrors([&] { Form(); })) return 0;
  l.linkState = state::Closed;
  l.terminator = QStringLiteral("\r");
  l.probeText = QStringLiteral("\r");
  l.written = 0;
  l.owed = 0;
  l.afterBlock = false;
  port().takeGone();
  const rt::Integer result = RunLink(event::Continue);
  rt::ignoreErrors([&] {
    if (comm().PortOpen()) comm().SetPortOpen(false);
  });
  return result;
}

rt::Integer Link::TransmitCommand(QString command) {
  Variables& l = *v_;
  if (!command.endsWith(l.terminator)) command += l.terminator;
  l.command = command;
  // Not on the wire yet: where the link cannot write it now (after the
  // block), its first retransmission sends it as a new command.
  l.written = 0;
  return RunLink(event::Transmit);
}

rt::Integer Link::ReceiveReply(QString& reply) {
  Variables& l = *v_;
  l.retransmissions = 0;
  const rt::Integer result = RunLink(event::Receive);
  reply = result == state::Idle ? l.reply : QString();
  return result;
}

bool Link::Transact(const QString& command, QString& reply) {
  return rt::orDefault(
      [&] {
        if (TransmitCommand(command) != state::Sent) return false;
        return ReceiveReply(reply) == state::Idle && LastReplyChar() == QLatin1String("!");
      },
      false);
}

QString Link::LastReplyChar() const {
  return v_->reply.right(1);
}

void Link::ClosePort() {
  rt::ignoreErrorsEach([&] { RunLink(event::Close); }, [&] { v_->port = 0; });
}

rt::Integer Link::ProbeAnalyzer(rt::Integer port) {
  Variables& l = *v_;
  return rt::onError(
      [&]() -> rt::Integer {
        if (l.port > 0) ClosePort();
        l.port = port;
        // An abort ends each of the link's waits with the link idle; in a
        // probe that would pass for an answer. An aborted probe found nothing
        // (the port stays open: an abort never closes it).
        if (RunLink(event::Open) != state::Idle || l.abort) return probe::NoAnswer;
        const rt::Integer sent = TransmitCommand(l.probeText);
        if (l.abort) return probe::NoAnswer;
        if (sent != state::Sent) return sent;
        QString reply;
        if (ReceiveReply(reply) != state::Idle) return probe::NotInRemoteMode;
        if (l.abort) return probe::NoAnswer;
        rt::Integer result;
        if (reply != QLatin1String("?") && reply != QLatin1String("!")) {
          result = probe::SomethingElse;
        } else {
          QString remote;
          Transact(QStringLiteral("D"), remote);
          if (l.abort) return probe::NoAnswer;
          result = remote.endsWith(u'!') ? probe::InRemoteMode : probe::NotInRemoteMode;
        }
        if (result == probe::SomethingElse) ClosePort();
        return result;
      },
      [](const rt::RuntimeError&) { return probe::SomethingElse; });
}

rt::Long Link::ReadBlockLength() {
  Variables& l = *v_;
  serial::Transport& c = comm();
  c.SetInputLen(2);
  c.SetInputMode(kBinaryMode);
  // The header may never come: the wait for it is bounded by the same
  // time-out as any reply, and its failure is that of an incomplete block.
  l.timedOut = false;
  Form().StartTimer(kReplyTimeOut);
  while (c.InBufferCount() < 2 && !l.timedOut) ui::waitForEvents();
  if (c.InBufferCount() < 2) blockIncomplete();
  Form().StopTimer();
  ui::Sleep(kReadPause);
  const QByteArray header = c.Input().toByteArray();
  const auto b0 = static_cast<std::uint8_t>(header.at(0));
  const auto b1 = static_cast<std::uint8_t>(header.at(1));
  return 2 * (b1 * 256 + b0);
}

QVariant Link::ReadBinaryBlock(rt::Long count) {
  Variables& l = *v_;
  serial::Transport& c = comm();
  // Whatever ends the read, the control goes back to text reads of the
  // length noted here, with the time-out stopped: the receive step of the
  // next exchange expects exactly that. The block was the answer the link
  // waited for, whole or given up: bytes after it are dropped before the
  // next command goes out. A whole block ends its exchange: the link is idle
  // and writes the next command at once; after one cut short the link stays
  // in its sent state.
  struct BackToText {
    Link& link;
    serial::Transport& control;
    rt::Integer readLength;
    ~BackToText() {
      rt::ignoreErrorsEach([&] { control.SetInputMode(kTextMode); },
                           [&] { control.SetInputLen(readLength); },
                           [&] { link.Form().StopTimer(); });
      link.v_->owed = 0;
    }
  } backToText{*this, c, c.InputLen()};

  if (count == -1) count = ReadBlockLength();
  if (count < 0) rt::raise(rt::err::SubscriptOutOfRange, kLinkSource);
  QByteArray block(count, '\0');
  c.SetInputLen(0);
  c.SetInputMode(kBinaryMode);
  l.timedOut = false;
  Form().StartTimer(kReplyTimeOut);
  qsizetype stored = 0;
  while (stored < count) {
    if (c.InBufferCount() > 0) {
      ui::Sleep(kReadPause);
      const QByteArray received = c.Input().toByteArray();
      const qsizetype fits = std::min<qsizetype>(received.size(), count - stored);
      std::copy_n(received.constData(), fits, block.data() + stored);
      stored += fits;  // surplus bytes of the last read are dropped
      Form().StartTimer(kReplyTimeOut);
      ui::doEvents();
      continue;
    }
    if (l.timedOut) blockIncomplete();
    ui::waitForEvents();
  }
  l.linkState = state::Idle;
  l.afterBlock = true;
  l.sinceBlockBytes.start();
  return block;
}

void Link::SetTimedOut() {
  v_->timedOut = true;
}

void Link::Abort() {
  v_->abort = true;
}

}  // namespace orvanRV1Xvti::MComm
