#pragma once
// The serial link to the analyzer: an event-driven state machine over the
// hidden form's serial control. Every connection object of a thread uses
// that thread's link; the link is not re-entrant and is entered only from
// the connection objects.
//
// Wire format: "9600,N,8,1"; a command is a line ending in CR; the analyzer
// answers with text, CR and the prompt ">" ("!" for an accepted command with
// no data, "?" for a rejected one); "P" is answered with a binary block.

#include <QString>
#include <QVariant>
#include <memory>

#include "runtime/Types.h"

namespace serial {
class Transport;
}

namespace orvanRV1Xvti {

class FTestVTI;
class LinkPort;

namespace MComm {

// Link states.
namespace state {
constexpr rt::Integer Closed = 0, Opening = 1, Idle = 2, Transmitting = 3, Sent = 4, Receiving = 5,
                      Retransmitting = 6, Failed = 7, Closing = 8;
}
// Link events.
namespace event {
constexpr rt::Integer Open = 0, Transmit = 1, Receive = 2, Close = 3, Answered = 10, GiveUp = 11,
                      StepDone = 12, Continue = 13, TimedOut = 14;
}
// Results of ProbeAnalyzer.
namespace probe {
constexpr rt::Integer NoAnswer = 0, InRemoteMode = 2, NotInRemoteMode = 4, SomethingElse = 7;
}

// The link's variables and its machine, with its hidden form (loaded on
// first use). current() is the thread's link; a test may build a link of its
// own, drive it, put it in the thread's place for a while (Scope) and throw
// it away.
class Link {
 public:
  Link();
  ~Link();
  Link(const Link&) = delete;
  Link& operator=(const Link&) = delete;

  // The thread's link: the one a Scope put in place, else the thread's own,
  // made by its first use and kept for the life of the thread.
  static Link& current();
  class Scope {
   public:
    explicit Scope(Link& link);
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    Link* previous_;
  };

  // Resets the link (closed, port closed) and reads the open time-out.
  rt::Integer InitComm();
  // Runs the machine from the event on and returns the link state. Errors of
  // the serial control stay inside, except a device that has gone: the port
  // is closed and error 68 ("Device unavailable") raised.
  rt::Integer RunLink(rt::Integer event);
  rt::Integer TransmitCommand(QString command);
  rt::Integer ReceiveReply(QString& reply);
  bool Transact(const QString& command, QString& reply);
  QString LastReplyChar() const;
  void ClosePort();
  rt::Integer ProbeAnalyzer(rt::Integer port);
  // count -1: the analyzer announces the length.
  QVariant ReadBinaryBlock(rt::Long count);
  rt::Long ReadBlockLength();
  void SetTimedOut();
  // Sets the link's abort flag: the running wait ends at its next check.
  void Abort();
  FTestVTI& Form();

 private:
  struct Variables;
  struct Transition;
  static const Transition kMachine[];

  LinkPort& port();
  serial::Transport& comm();
  bool waitEnds();
  void waitForInput();
  void startTimeOut(rt::Long milliseconds);
  void stopTimeOut();
  void startOpening();
  void openingStep();
  void dropBlockSurplus();
  void finishEarlierExchanges();
  void writeCommand();
  void startReceiving();
  void receiveStep();
  void retransmitStep();
  void failedStep();
  void closingStep();
  bool turn();

  std::unique_ptr<Variables> v_;
};

// The module's operations, on the thread's link.
inline rt::Integer InitComm() {
  return Link::current().InitComm();
}
inline rt::Integer RunLink(rt::Integer event) {
  return Link::current().RunLink(event);
}
inline rt::Integer TransmitCommand(QString command) {
  return Link::current().TransmitCommand(std::move(command));
}
inline rt::Integer ReceiveReply(QString& reply) {
  return Link::current().ReceiveReply(reply);
}
inline bool Transact(const QString& command, QString& reply) {
  return Link::current().Transact(command, reply);
}
inline QString LastReplyChar() {
  return Link::current().LastReplyChar();
}
inline void ClosePort() {
  Link::current().ClosePort();
}
inline rt::Integer ProbeAnalyzer(rt::Integer port) {
  return Link::current().ProbeAnalyzer(port);
}
inline QVariant ReadBinaryBlock(rt::Long count) {
  return Link::current().ReadBinaryBlock(count);
}
inline void SetTimedOut() {
  Link::current().SetTimedOut();
}
inline void Abort() {
  Link::current().Abort();
}
inline FTestVTI& Form() {
  return Link::current().Form();
}

}  // namespace MComm
}  // namespace orvanRV1Xvti
