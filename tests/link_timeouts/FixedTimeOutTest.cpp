// The link's waits that run for their full fixed length, on the test's
// clock: 3000 ms for a reply, for the next bytes of a block and (without a
// registry value) for the opening probe; three retransmissions 200 ms after
// their time-outs before the link gives up. And what an exchange that goes
// well costs: its characters on the wire and one read pause, no more.

#include "../link/LinkFixture.h"
#include "AnalyzerModel.h"
#include "QtPrinters.h"

namespace linktest {
namespace {

using orvanRV1Xvti::evtiIdle;
using orvanRV1Xvti::evtiTransmitting;

constexpr qint64 kReplyTimeOut = 3000;
// Four receive attempts of 3000 ms, 200 ms apart.
constexpr qint64 kGivingUp = 4 * kReplyTimeOut + 3 * 200;
// What the machine's own turns may add on the test's clock: nothing but
// rounding to the millisecond.
constexpr qint64 kTurns = 1;
constexpr double kCharacterMs = rv1xsim::Simulator::kCharacterMicroseconds / 1000.0;
constexpr qint64 kReadPauseMs = 5;

// A command that is to fail: the error it raised (number 0: none) and how
// long the failure took.
struct Failure {
  rt::RuntimeError error;
  qint64 elapsed = 0;
};

Failure failingSend(CRV1XVTi& connection, const QString& command) {
  Failure failure;
  failure.elapsed =
      elapsedOf([&] { failure.error = raisedBy([&] { connection.SendCommand(command, false); }); });
  return failure;
}

TEST_F(LinkTest, MissingReplyIsSentThreeTimesMoreThenThePortIsClosed) {
  Simulator& sim = analyzer(QStringLiteral("ignore=M"));
  connection().OpenChannel();
  sim.clearLog();
  const Failure failure = failingSend(connection(), QStringLiteral("M"));
  EXPECT_GE(failure.elapsed, kGivingUp);
  EXPECT_LE(failure.elapsed, kGivingUp + kTurns);
  EXPECT_EQ(sim.wire(), QByteArray("M\r").repeated(4)) << "the same command text each time";
  // Each retransmission follows its time-out at once; the next receive
  // starts after the 200 ms pause.
  QList<qint64> after;
  for (qint64 at : sim.commandTimes()) after.append(at - sim.commandTimes().first());
  EXPECT_EQ(after, (QList<qint64>{0, 3000, 6200, 9400}));
  EXPECT_EQ(failure.error.Number(), eeVTI_Error);
  EXPECT_EQ(shownTexts(), QStringList{kNoAnalyzerFound});
  EXPECT_TRUE(testsupport::portIsFree(sim)) << "the link gave up and closed the port";
}

// Each command and its reply cross the wire at 9600 baud; the link reads
// what has come after a 5 ms pause, so the exchange ends within one pause of
// the reply's last character. A fixed wait added anywhere in an ordinary
// exchange fails this.
TEST_F(LinkTest, AnOrdinaryExchangeCostsItsWireTimeAndAtMostOnePause) {
  analyzer();
  connection().OpenChannel();
  for (const char* command : {"I", "D", "M"}) {
    QString reply;
    const qint64 elapsed = elapsedOf(
        [&] { reply = connection().SendCommand(QLatin1String(command), false).toString(); });
    const double wire = (qstrlen(command) + 1 + reply.size() + 2) * kCharacterMs;
    EXPECT_GE(elapsed, static_cast<qint64>(wire)) << command;
    EXPECT_LE(elapsed, wire + kReadPauseMs + kTurns) << command;
  }
}

// The pause before a read is kept even when the whole reply is there.
TEST_F(LinkTest, AReplyAllThereIsReadAfterOneFiveMillisecondPause) {
  analyzer(QStringLiteral("unpaced"));
  connection().OpenChannel();
  EXPECT_EQ(elapsedOf([&] { connection().SendCommand(QStringLiteral("I"), false); }), kReadPauseMs);
}

TEST_F(LinkTest, OpeningAnAnsweringAnalyzerEndsWellBeforeItsFirstRetransmission) {
  Simulator& sim = analyzer();
  const qint64 elapsed = elapsedOf([&] { connection().OpenChannel(); });
  EXPECT_EQ(connection().State(), evtiIdle);
  // Five exchanges (the probes, "D", "Z", "X"): a few milliseconds each.
  EXPECT_EQ(sim.commands().size(), 5);
  EXPECT_LT(elapsed, 150) << "a retransmission would be due after " << kReplyTimeOut << " ms";
}

TEST_F(LinkTest, AWaitLastsItsTimeToTheMillisecond) {
  analyzer();
  connection().OpenChannel();
  for (int ms : {1, 150, 5000}) EXPECT_EQ(elapsedOf([&] { connection().Wait(ms); }), ms);
}

TEST_F(LinkTest, AfterAWholeBlockTheNextCommandGoesOutAtOnceAndTheSurplusIsDropped) {
  // The surplus after the block is still coming when the block is complete:
  // it is dropped, not read as the start of the next reply.
  Simulator& sim = analyzer(QStringLiteral("words=16,extra=20"));
  connection().OpenChannel();
  EXPECT_EQ(connection().SendCommand(QStringLiteral("P"), false).toByteArray().size(), 32);
  sim.clearLog();
  QVariant reply;
  const qint64 elapsed =
      elapsedOf([&] { reply = connection().SendCommand(QStringLiteral("I"), false); });
  EXPECT_EQ(reply.toString(), QStringLiteral("H!"));
  EXPECT_LT(elapsed, kReplyTimeOut) << "well before a retransmission would be due";
  EXPECT_EQ(sim.wire(), QByteArray("I\r"));
}

// The reply to "M" comes in three pieces 1600 ms apart: its end comes after
// the reply time-out, the link writes "M" again, and the analyzer answers
// that too, as slowly.
TEST_F(LinkTest, LateReplyAnswersItsOwnCommandAndItsSecondAnswerIsNotTheNextReply) {
  Simulator& sim = analyzer();
  connection().OpenChannel();
  const QByteArray measurement = rv1xsim::AnalyzerModel(sim.options()).measurementLine() + '!';
  sim.update([](rv1xsim::SimulatorOptions& o) {
    o.faults.splitDelayMs = 1600;
    o.faults.splitSize = 25;
  });
  sim.clearLog();
  EXPECT_EQ(connection().SendCommand(QStringLiteral("M"), false).toString(),
            QString::fromLatin1(measurement))
      << "the whole late reply, not its last piece";
  sim.update([](rv1xsim::SimulatorOptions& o) { o.faults.splitDelayMs = 0; });
  EXPECT_EQ(connection().SendCommand(QStringLiteral("I"), false).toString(), QStringLiteral("H!"));
  EXPECT_EQ(sim.wire(), QByteArray("M\rM\rI\r"));
  EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(LinkTest, ClosingANewerAnalyzerAfterAWholeBlockSendsItsZAtOnce) {
  Simulator& sim = analyzer(QStringLiteral("words=16,unpaced"));
  connection().OpenChannel();
  connection().SendCommand(QStringLiteral("P"), false);
  sim.clearLog();
  const qint64 elapsed = elapsedOf([&] { connection().CloseChannel(); });
  EXPECT_LT(elapsed, kReplyTimeOut);
  EXPECT_EQ(sim.wire(), QByteArray("Z\rZ\r"));
  EXPECT_TRUE(testsupport::portIsFree(sim));
}

TEST_F(LinkTest, IncompleteBlockRaisesFromTheLinkAndLeavesTheControlForText) {
  Simulator& sim = analyzer(QStringLiteral("mkii,truncate=1000,unpaced"));
  connection().OpenChannel();
  const Failure failure = failingSend(connection(), QStringLiteral("P"));
  // 3000 ms from the last bytes, read after one pause.
  EXPECT_EQ(failure.elapsed, kReadPauseMs + kReplyTimeOut);
  EXPECT_EQ(failure.error.Number(), eeVTI_Error);
  EXPECT_EQ(failure.error.Source(), kConnectionSource);
  QStringList sources;
  for (const host::ErrorEntry& entry : errors().entries()) sources.append(entry.source);
  EXPECT_EQ(sources, (QStringList{QStringLiteral("MComm"), kConnectionSource}));
  EXPECT_EQ(shownTexts(), QStringList{kNoAnalyzerFound})
      << "no \"Error #\" message for the link's own error";
  EXPECT_EQ(connection().State(), evtiTransmitting);

  // Text reads again, with no stray time-out: the next command gets its
  // whole reply. A block cut short leaves the link in its sent state, so
  // that command goes out only with its first retransmission.
  sim.clearLog();
  QVariant reply;
  const qint64 elapsed =
      elapsedOf([&] { reply = connection().SendCommand(QStringLiteral("M"), false); });
  EXPECT_EQ(reply.toString().size(), 60);
  EXPECT_GE(elapsed, kReplyTimeOut);
  EXPECT_EQ(sim.wire(), QByteArray("M\r"));
}

TEST_F(LinkTest, BlockLengthThatNeverComesIsBoundedByTheReplyTimeOut) {
  analyzer(QStringLiteral("truncate=1,unpaced"));
  connection().OpenChannel();
  const Failure failure = failingSend(connection(), QStringLiteral("P"));
  EXPECT_GE(failure.elapsed, kReplyTimeOut);
  EXPECT_LT(failure.elapsed, kReplyTimeOut + 1000);
  EXPECT_EQ(failure.error.Number(), eeVTI_Error);
  EXPECT_EQ(shownTexts(), QStringList{kNoAnalyzerFound});
  // The one header byte is left over: the reply to the command after it is
  // the command's own, with nothing before it.
  messages().clear();
  EXPECT_EQ(connection().SendCommand(QStringLiteral("I"), false).toString(), QStringLiteral("H!"));
  EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(LinkTest, OpeningWaitsTheDefault3000MsWithoutAUsableRegistryValue) {
  for (const QVariant& value : {QVariant(), QVariant(-5), QVariant(70000)}) {
    setCommTimeOut(value);
    analyzer(QStringLiteral("silent"));
    rt::RuntimeError error;
    const qint64 elapsed = elapsedOf([&] { error = openFails(); });
    EXPECT_EQ(error.Number(), eeVTI_Error) << qPrintable(value.toString());
    // The time-out and the read pauses around it.
    EXPECT_GE(elapsed, kReplyTimeOut) << qPrintable(value.toString());
    EXPECT_LE(elapsed, kReplyTimeOut + 2 * kReadPauseMs) << qPrintable(value.toString());
    messages().clear();
  }
}

TEST_F(LinkTest, NoReplyToXAfterConnectingShows20321OnceAndLeavesTheStateTransmitting) {
  analyzer(QStringLiteral("ignore=X"));
  connection().OpenChannel();  // raises nothing
  EXPECT_EQ(connection().State(), evtiTransmitting);
  EXPECT_EQ(shownTexts(), QStringList{kNoAnalyzerFound});
  // The failing "X" left the reply to "Z" ("!") in its place.
  EXPECT_TRUE(connection().IsMkIII());
}

TEST_F(LinkTest, AnalyzerAnsweringOnlyTheOpeningProbeCountsAsNotInRemoteMode) {
  Simulator& sim = analyzer(QStringLiteral("mkii,ignore=CR"));
  EXPECT_EQ(openFails().Number(), eeVTI_Error);  // unattended: Cancel
  EXPECT_EQ(sim.count("\r"), 4) << "the second probe and its three retransmissions";
  EXPECT_EQ(sim.count("D\r"), 0);
  // The detection finds the link closed ("X" unanswered: 20321), then the
  // probe's result asks for remote mode.
  ASSERT_EQ(messages().shown().size(), 2);
  EXPECT_EQ(messages().shown().at(0).text, kNoAnalyzerFound);
  EXPECT_TRUE(
      messages().shown().at(1).text.startsWith(QStringLiteral("A RV-1X was found on port 3")));
}

}  // namespace
}  // namespace linktest
