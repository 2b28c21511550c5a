#include "MComm.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>

#include "FTestVTI.h"
#include "LinkMessages.h"
#include "LinkTexts.h"
#include "MCommUtils.h"
#include "orvanRV1Xvti/CRV1XVTi.h"
#include "runtime/ErrorHandling.h"
#include "services/ErrorService.h"
#include "ui/MessageBoxes.h"
#include "ui/MessageLoop.h"

namespace orvanRV1Xvti::MComm {

namespace {

constexpr rt::Long kReplyTimeOut = 3000;        // ms, a whole reply or the next block bytes
constexpr rt::Long kDefaultOpenTimeOut = 3000;  // ms, when "CommTimeOut" gives none
constexpr rt::Integer kMaxRetransmissions = 3;
constexpr rt::Long kRetransmitPause = 200;  // ms between a retransmission and the next receive
constexpr int kReadPause = 5;               // ms before every read
constexpr rt::Integer kTextMode = 0;
constexpr rt::Integer kBinaryMode = 1;
const QString kLineSettings = QStringLiteral("9600,N,8,1");
const QString kPrompt = QStringLiteral("\r>");
constexpr char16_t kVT = 11;

// Bounds of our own. An opening probe answered with something other than
// "!" or "?" is sent again, but at most this many times and not once the
// opening has lasted the open time-out: then the link gives up as on a
// time-out.
constexpr int kMaxOpeningPasses = 8;
// A statement that fails with "device unavailable" (a USB adapter that is
// re-enumerating) runs again this many times, this far apart, before the
// error counts like any other.
constexpr int kDeviceRetries = 3;
constexpr int kDeviceRetryPause = 100;

struct LinkVariables {
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
  bool openError = false;
  QString lastRead;
  int openingPasses = 0;
  QElapsedTimer openingClock;
  // Loaded by the first use and kept for the life of the thread, as the
  // hidden form of the design; the process's end releases it.
  FTestVTI* form = nullptr;
};

thread_local LinkVariables theLink;

serial::SerialControl& comm() {
  return Form().Comm();
}

// One statement of the machine. A run-time error of the serial control or of
// the status check does not leave the machine: "device unavailable" (68)
// runs the statement again, "permission denied" (70) goes on with the next
// statement, any other error marks the open as failed and goes on.
template <class Statement>
void statement(Statement&& body) {
  for (int attempt = 0;; ++attempt) {
    try {
      body();
      return;
    } catch (...) {
      const rt::Long number = rt::currentError().Number();
      if (number == rt::err::DeviceUnavailable && attempt < kDeviceRetries) {
        ui::Sleep(kDeviceRetryPause);
        continue;
      }
      if (number != rt::err::PermissionDenied) theLink.openError = true;
      return;
    }
  }
}

rt::Long bytesWaiting() {
  rt::Long count = 0;
  statement([&] { count = comm().InBufferCount(); });
  return count;
}

// One turn of the message loop, without waiting for more events: the
// machine's turns and the reads of a reply must not add a wait per character.
void yieldOnce() {
  if (!QCoreApplication::instance()) return;
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
}

// Lets events run until a byte is waiting, the time-out ticked or the link
// was aborted.
void waitForInput() {
  while (bytesWaiting() < 1 && !theLink.timedOut && !theLink.abort) ui::doEvents();
}

[[noreturn]] void blockIncomplete() {
  showMessage(text::NoAnalyzerFound, ui::mb::Exclamation);
  com::must(host::ErrorService::instance()).RaiseError(host::kProduct, eeVTI_Error, kLinkSource, 1);
  rt::raise(eeVTI_Error, kLinkSource);
}

// ---- the machine's steps -------------------------------------------------

void startOpening() {
  LinkVariables& l = theLink;
  l.linkState = state::Opening;
  l.event = event::Continue;
  l.openingPasses = 0;
  l.openingClock.start();
}

void openingStep() {
  LinkVariables& l = theLink;
  statement([&] { l.lastRead.clear(); });
  l.timedOut = false;
  statement([&] { Form().StartTimer(l.openTimeOut); });
  statement([&] { comm().SetCommPort(l.port); });
  statement([&] { comm().SetSettings(kLineSettings); });
  statement([&] { comm().SetInputLen(1); });
  l.openError = false;
  statement([&] { comm().SetPortOpen(true); });
  statement([&] { MCommUtils::CheckPortStatus(comm().PortStatus()); });
  if (l.openError) {
    l.event = event::Continue;
    l.linkState = state::Closing;
    return;
  }
  ui::Sleep(kReadPause);
  statement([&] { comm().Input(); });
  statement([&] { comm().SetOutput(l.probeText + QChar(kVT)); });
  waitForInput();
  statement([&] { Form().StopTimer(); });
  ui::Sleep(kReadPause);
  statement([&] { l.lastRead = comm().Input().toString(); });
  if (l.lastRead == QLatin1String("!") || l.lastRead == QLatin1String("?"))
    l.event = event::Answered;
  if (l.timedOut) {
    l.event = event::GiveUp;
  } else if (l.event == event::Continue && (++l.openingPasses >= kMaxOpeningPasses ||
                                            l.openingClock.elapsed() >= l.openTimeOut)) {
    l.event = event::GiveUp;
  }
}

// Transmits and retransmits alike: pending input is discarded, so that the
// reply read next belongs to this command.
void writeCommand() {
  statement([] { comm().SetInBufferCount(0); });
  statement([] { comm().SetOutput(theLink.command); });
  theLink.event = event::StepDone;
}

void receiveStep() {
  LinkVariables& l = theLink;
  l.reply.clear();
  l.timedOut = false;
  statement([&] { Form().StartTimer(kReplyTimeOut); });
  do {
    waitForInput();
    if (bytesWaiting() >= 1) {
      ui::Sleep(kReadPause);
      statement([&] {
        l.lastRead = comm().Input().toString();
        l.reply += l.lastRead;
      });
    }
    yieldOnce();
  } while (l.lastRead != QLatin1String(">") && !l.timedOut && !l.abort);
  if (l.reply.endsWith(kPrompt)) l.reply.chop(kPrompt.size());
  statement([&] { Form().StopTimer(); });
  if (l.lastRead == QLatin1String(">")) l.event = event::Answered;
  if (l.timedOut) l.event = event::TimedOut;
}

void retransmitStep() {
  LinkVariables& l = theLink;
  if (++l.retransmissions > kMaxRetransmissions) {
    l.event = event::GiveUp;
    return;
  }
  writeCommand();
  statement([] { Form().StartSleepTimer(kRetransmitPause); });
  while (Form().IsSleeping() && !l.abort) ui::doEvents();
}

void failedStep() {
  theLink.event = event::StepDone;
}

void closingStep() {
  statement([&] { comm().SetPortOpen(false); });
  theLink.event = event::StepDone;
}

// ---- the machine ---------------------------------------------------------

using Step = void (*)();

// (state, event) -> a step, or the next state and event. A pair that is not
// in the table stops the machine.
struct Transition {
  rt::Integer state;
  rt::Integer event;
  Step step;
  rt::Integer nextState;
  rt::Integer nextEvent;
};

using namespace state;
using namespace event;

constexpr Transition kMachine[] = {
    {Closed, Open, startOpening, 0, 0},  // -> opening, continue (a fresh count of passes)
    {Opening, Continue, openingStep, 0, 0},
    {Opening, Answered, nullptr, Idle, Continue},
    {Opening, GiveUp, nullptr, Failed, Continue},
    {Opening, Close, nullptr, Closing, Continue},
    {Idle, Transmit, nullptr, Transmitting, Continue},
    {Idle, Close, nullptr, Closing, Continue},
    {Transmitting, Continue, writeCommand, 0, 0},
    {Transmitting, StepDone, nullptr, Sent, Continue},
    {Transmitting, Close, nullptr, Closing, Continue},
    {Sent, Receive, nullptr, Receiving, Continue},
    {Sent, Close, nullptr, Closing, Continue},
    {Receiving, Continue, receiveStep, 0, 0},
    {Receiving, Answered, nullptr, Idle, Continue},
    {Receiving, event::TimedOut, nullptr, Retransmitting, Continue},
    {Receiving, Close, nullptr, Closing, Continue},
    {Retransmitting, Continue, retransmitStep, 0, 0},
    {Retransmitting, StepDone, nullptr, Receiving, Continue},
    {Retransmitting, GiveUp, nullptr, Failed, Continue},
    {Retransmitting, Close, nullptr, Closing, Continue},
    {Failed, Continue, failedStep, 0, 0},
    {Failed, StepDone, nullptr, Closing, Continue},
    {Failed, Close, nullptr, Closing, Continue},
    {Closing, Continue, closingStep, 0, 0},
    {Closing, StepDone, nullptr, Closed, Continue},
};

// One turn; false when the machine stops.
bool turn() {
  LinkVariables& l = theLink;
  for (const Transition& t : kMachine) {
    if (t.state != l.linkState || t.event != l.event) continue;
    if (t.step) {
      t.step();
    } else {
      l.linkState = t.nextState;
      l.event = t.nextEvent;
    }
    return true;
  }
  return false;
}

}  // namespace

FTestVTI& Form() {
  if (!theLink.form) theLink.form = new FTestVTI;
  return *theLink.form;
}

rt::Integer RunLink(rt::Integer startEvent) {
  LinkVariables& l = theLink;
  l.abort = false;
  l.event = startEvent;
  bool running = true;
  while (running && !l.abort) {
    yieldOnce();
    running = turn();
  }
  if (l.abort) l.linkState = state::Idle;
  return l.linkState;
}

rt::Integer InitComm() {
  LinkVariables& l = theLink;
  l.openTimeOut = static_cast<rt::Integer>(readCommTimeOut(kDefaultOpenTimeOut, 32767));
  if (!rt::ignoreErrors([] { Form(); })) return 0;
  l.linkState = state::Closed;
  l.terminator = QStringLiteral("\r");
  l.probeText = QStringLiteral("\r");
  const rt::Integer result = RunLink(event::Continue);
  rt::ignoreErrors([] {
    if (comm().PortOpen()) comm().SetPortOpen(false);
  });
  return result;
}

rt::Integer TransmitCommand(QString command) {
  LinkVariables& l = theLink;
  if (!command.endsWith(l.terminator)) command += l.terminator;
  l.command = command;
  return RunLink(event::Transmit);
}

rt::Integer ReceiveReply(QString& reply) {
  LinkVariables& l = theLink;
  l.retransmissions = 0;
  const rt::Integer result = RunLink(event::Receive);
  reply = result == state::Idle ? l.reply : QString();
  return result;
}

bool Transact(const QString& command, QString& reply) {
  return rt::orDefault(
      [&] {
        if (TransmitCommand(command) != state::Sent) return false;
        return ReceiveReply(reply) == state::Idle && LastReplyChar() == QLatin1String("!");
      },
      false);
}

QString LastReplyChar() {
  return theLink.reply.right(1);
}

void ClosePort() {
  rt::ignoreErrorsEach([] { RunLink(event::Close); }, [] { theLink.port = 0; });
}

rt::Integer ProbeAnalyzer(rt::Integer port) {
  LinkVariables& l = theLink;
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

rt::Long ReadBlockLength() {
  LinkVariables& l = theLink;
  serial::SerialControl& c = comm();
  c.SetInputLen(2);
  c.SetInputMode(kBinaryMode);
  // The header may never come: the wait for it is bounded by the same
  // time-out as any reply, and its failure is that of an incomplete block.
  l.timedOut = false;
  Form().StartTimer(kReplyTimeOut);
  while (c.InBufferCount() < 2 && !l.timedOut) ui::doEvents();
  if (c.InBufferCount() < 2) blockIncomplete();
  Form().StopTimer();
  ui::Sleep(kReadPause);
  const QByteArray header = c.Input().toByteArray();
  const auto b0 = static_cast<std::uint8_t>(header.at(0));
  const auto b1 = static_cast<std::uint8_t>(header.at(1));
  return 2 * (b1 * 256 + b0);
}

QVariant ReadBinaryBlock(rt::Long count) {
  LinkVariables& l = theLink;
  serial::SerialControl& c = comm();
  // Whatever ends the read, the control goes back to text reads of the
  // length noted here, with the time-out stopped: the receive step of the
  // next exchange expects exactly that.
  struct BackToText {
    serial::SerialControl& control;
    rt::Integer readLength;
    ~BackToText() {
      rt::ignoreErrorsEach([&] { control.SetInputMode(kTextMode); },
                           [&] { control.SetInputLen(readLength); }, [] { Form().StopTimer(); });
    }
  } backToText{c, c.InputLen()};

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
    } else if (l.timedOut) {
      blockIncomplete();
    }
    // Waits for the next bytes (at most a millisecond) instead of spinning.
    ui::doEvents();
  }
  return block;
}

void SetTimedOut() {
  theLink.timedOut = true;
}

void Abort() {
  theLink.abort = true;
}

}  // namespace orvanRV1Xvti::MComm
