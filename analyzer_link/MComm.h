#pragma once
// The serial link to the analyzer: an event-driven state machine over the
// hidden form's serial control. Its variables are one set per thread; it is
// not re-entrant and is entered only from the connection objects.
//
// Wire format: "9600,N,8,1"; a command is a line ending in CR; the analyzer
// answers with text, CR and the prompt ">" ("!" for an accepted command with
// no data, "?" for a rejected one); "P" is answered with a binary block.

#include <QString>
#include <QVariant>

#include "runtime/Types.h"

namespace orvanRV1Xvti {

class FTestVTI;

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

// Resets the link (closed, port closed) and reads the open time-out.
rt::Integer InitComm();
// Runs the machine from the event on and returns the link state. Errors of
// the serial control stay inside, except a device that has gone: the port
// is closed and error 68 ("Device unavailable") raised.
rt::Integer RunLink(rt::Integer event);
rt::Integer TransmitCommand(QString command);
rt::Integer ReceiveReply(QString& reply);
bool Transact(const QString& command, QString& reply);
QString LastReplyChar();
void ClosePort();
rt::Integer ProbeAnalyzer(rt::Integer port);
// count -1: the analyzer announces the length.
QVariant ReadBinaryBlock(rt::Long count);
rt::Long ReadBlockLength();
void SetTimedOut();
// Sets the link's abort flag: the running wait ends at its next check.
void Abort();

// The thread's hidden form, loaded on first use and kept for the life of the
// thread.
FTestVTI& Form();

}  // namespace MComm
}  // namespace orvanRV1Xvti
