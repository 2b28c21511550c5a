// The connection to the analyzer against the simulated analyzer, plugged in
// in-process as a port on the test's clock: opening with its probes,
// generation detection, replies, the binary block, errors and messages,
// abort and wait. Waits of the link's fixed 3000 ms are in the
// link_timeouts tests.

#include <map>

#include "AnalyzerModel.h"
#include "LinkFixture.h"
#include "QtPrinters.h"
#include "ui/Timer.h"

namespace linktest {
namespace {

using orvanRV1Xvti::evtiIdle;
using orvanRV1Xvti::evtiNotConnected;
using orvanRV1Xvti::evtiTransmitting;

TEST_F(LinkTest, OpensANewerAnalyzerInRemoteModeWithItsProbesAndDetection) {
  Simulator& sim = analyzer();
  connection().OpenChannel();
  EXPECT_EQ(connection().State(), evtiIdle);
  EXPECT_TRUE(connection().IsMkIII());
  // CR VT opens, a bare CR probes, "D" asks for remote mode, "Z" and "X"
  // tell the generation.
  EXPECT_EQ(sim.wire(), QByteArray("\r\x0b\rD\rZ\rX\r"));
  EXPECT_TRUE(messages().shown().isEmpty());
  EXPECT_TRUE(errors().entries().isEmpty());

  sim.clearLog();
  EXPECT_EQ(connection().SendCommand(QStringLiteral("I"), false), QVariant(QStringLiteral("H!")));
  EXPECT_EQ(sim.wire(), QByteArray("I\r"));
  EXPECT_EQ(connection().State(), evtiIdle);

  sim.clearLog();
  connection().CloseChannel();
  EXPECT_EQ(sim.wire(), QByteArray("Z\rZ\r")) << "the newer generation leaves its own mode";
  EXPECT_FALSE(connection().IsMkIII());
  EXPECT_TRUE(testsupport::portIsFree(sim));
}

TEST_F(LinkTest, OlderAnalyzerIsNotMkIIIAndClosingSendsItNothing) {
  Simulator& sim = analyzer(QStringLiteral("mkii"));
  connection().OpenChannel();
  EXPECT_EQ(connection().State(), evtiIdle);
  EXPECT_FALSE(connection().IsMkIII());
  // Its "?" to "Z" and "X" came while probing: no message, no error.
  EXPECT_TRUE(messages().shown().isEmpty());
  EXPECT_TRUE(errors().entries().isEmpty());
  sim.clearLog();
  connection().CloseChannel();
  EXPECT_EQ(sim.wire(), QByteArray());
  EXPECT_TRUE(testsupport::portIsFree(sim));
}

TEST_F(LinkTest, ReplyLosesOnlyAFinalCarriageReturnAndPrompt) {
  Simulator& sim = analyzer(QStringLiteral("unpaced"));
  connection().OpenChannel();
  struct Case {
    QByteArray wire;
    QString reply;
  };
  const Case cases[] = {{"P!\r>", QStringLiteral("P!")},
                        {"12>", QStringLiteral("12>")},
                        {"A\rB\r>", QStringLiteral("A\rB")}};
  for (const Case& c : cases) {
    sim.setRawReply("Q05\r", c.wire);
    EXPECT_EQ(connection().SendCommand(QStringLiteral("Q05"), false).toString(), c.reply)
        << c.wire.constData();
  }
  // A command that already ends with its CR is sent as it is.
  sim.clearLog();
  EXPECT_EQ(connection().SendCommand(QStringLiteral("I\r"), false).toString(),
            QStringLiteral("H!"));
  EXPECT_EQ(sim.wire(), QByteArray("I\r"));
}

TEST_F(LinkTest, MeasurementReplyComesWhole) {
  analyzer();
  connection().OpenChannel();
  const QString reply = connection().SendCommand(QStringLiteral("M"), false).toString();
  EXPECT_EQ(reply.size(), 60);
  EXPECT_EQ(reply.left(6), QStringLiteral("  95.0"));
  EXPECT_TRUE(reply.endsWith(u'!'));
}

// A USB serial adapter hands on what it received in bursts, every 16 ms by
// default.
TEST_F(LinkTest, OpensAnAnalyzerWhoseAnswersComeInPiecesUpTo20MsApart) {
  for (const char* options : {"split=20", "split=16/2", "split=3"}) {
    SCOPED_TRACE(options);
    Simulator& sim = analyzer(QLatin1String(options));
    EXPECT_EQ(openFails().Number(), 0);
    EXPECT_EQ(connection().State(), evtiIdle);
    EXPECT_TRUE(connection().IsMkIII());
    EXPECT_EQ(sim.wire(), QByteArray("\r\x0b\rD\rZ\rX\r"));
    EXPECT_TRUE(messages().shown().isEmpty());
    EXPECT_EQ(connection().SendCommand(QStringLiteral("I"), false).toString(),
              QStringLiteral("H!"));
    connection().CloseChannel();
    messages().clear();
  }
}

TEST_F(LinkTest, RepliesInPiecesAreCollectedUpToThePrompt) {
  Simulator& sim = analyzer();
  connection().OpenChannel();
  sim.update([](rv1xsim::SimulatorOptions& o) {
    o.faults.splitDelayMs = 40;
    o.faults.splitSize = 2;
  });
  EXPECT_EQ(connection().SendCommand(QStringLiteral("D"), false).toString(), QStringLiteral("1!"));
}

TEST_F(LinkTest, GetResultsWhileIdleGivesTheLastReplyAgainWithoutSending) {
  Simulator& sim = analyzer();
  connection().OpenChannel();
  connection().SendCommand(QStringLiteral("I"), false);
  sim.clearLog();
  EXPECT_EQ(connection().GetResults(), QStringLiteral("H!"));
  EXPECT_EQ(sim.wire(), QByteArray());
}

TEST_F(LinkTest, RejectedCommandShowsMessage20321AndRaisesUnlessErrorsAreIgnored) {
  analyzer(QStringLiteral("reject=I"));
  connection().OpenChannel();
  EXPECT_EQ(connection().SendCommand(QStringLiteral("I"), true), QVariant(QStringLiteral("?")));
  EXPECT_TRUE(messages().shown().isEmpty());

  const rt::RuntimeError error =
      raisedBy([&] { connection().SendCommand(QStringLiteral("I"), false); });
  EXPECT_EQ(error.Number(), eeVTI_Error);
  EXPECT_EQ(error.Source(), kConnectionSource);
  ASSERT_EQ(messages().shown().size(), 1);
  const ui::ShownMessage& shown = messages().shown().first();
  EXPECT_EQ(shown.text, kNoAnalyzerFound);
  EXPECT_EQ(shown.caption, kCaption);
  EXPECT_EQ(shown.style, ui::mb::Exclamation);
  EXPECT_EQ(connection().State(), evtiTransmitting) << "a failed command leaves the state";
}

TEST_F(LinkTest, NewerGenerationBlockHasTheAnnouncedLength) {
  const QString options = QStringLiteral("words=16,unpaced");
  analyzer(options);
  connection().OpenChannel();
  const QVariant block = connection().SendCommand(QStringLiteral("P"), false);
  ASSERT_EQ(block.typeId(), QMetaType::QByteArray);
  rv1xsim::SimulatorOptions parsed;
  rv1xsim::parseOptions(options, parsed);
  // Header 0x10 0x00: sixteen words, 32 bytes.
  EXPECT_EQ(block.toByteArray(), rv1xsim::AnalyzerModel(parsed).waveformBlock().mid(2));
  EXPECT_EQ(block.toByteArray().size(), 32);
}

TEST_F(LinkTest, OlderGenerationBlockIsExactly2000Bytes) {
  analyzer(QStringLiteral("mkii,unpaced"));
  connection().OpenChannel();
  const QByteArray block = connection().SendCommand(QStringLiteral("P"), false).toByteArray();
  EXPECT_EQ(block.size(), 2000);
  rv1xsim::SimulatorOptions mkii;
  mkii.generation = rv1xsim::Generation::MkII;
  EXPECT_EQ(block, rv1xsim::AnalyzerModel(mkii).waveformBlock());
}

TEST_F(LinkTest, SurplusBytesAfterTheBlockAreDropped) {
  // Unpaced, the block and its surplus come in one read; at 9600 baud the
  // block comes in many, and the read that takes its last bytes takes some
  // of the surplus too.
  for (const char* options : {"words=16,extra=3,unpaced", "words=300,extra=40"}) {
    SCOPED_TRACE(options);
    analyzer(QLatin1String(options));
    connection().OpenChannel();
    const QByteArray block = connection().SendCommand(QStringLiteral("P"), false).toByteArray();
    rv1xsim::SimulatorOptions parsed;
    rv1xsim::parseOptions(QLatin1String(options), parsed);
    const QByteArray sent = rv1xsim::AnalyzerModel(parsed).waveformBlock();
    EXPECT_EQ(block, sent.mid(2, 2 * parsed.blockWords));
    connection().CloseChannel();
  }
}

TEST_F(LinkTest, AbortEndsAnExchangeAtOnceWithoutErrorAndKeepsThePortOpen) {
  analyzer(QStringLiteral("ignore=M"));
  connection().OpenChannel();
  abortAfter(200);
  ui::Stopwatch clock;
  clock.start();
  const QVariant reply = connection().SendCommand(QStringLiteral("M"), false);
  EXPECT_LT(clock.elapsed(), 1500);
  EXPECT_TRUE(reply.toString().isEmpty());
  EXPECT_EQ(connection().State(), evtiIdle);
  EXPECT_TRUE(messages().shown().isEmpty());
  EXPECT_EQ(connection().SendCommand(QStringLiteral("I"), false).toString(), QStringLiteral("H!"));
}

TEST_F(LinkTest, AbortDuringAReplyKeepsWhatWasReceived) {
  Simulator& sim = analyzer();
  connection().OpenChannel();
  sim.update([](rv1xsim::SimulatorOptions& o) { o.faults.splitDelayMs = 400; });
  abortAfter(200);
  EXPECT_EQ(connection().SendCommand(QStringLiteral("I"), false).toString(), QStringLiteral("H"));
  // The rest of that reply ("!" CR ">") is still coming: it is not the
  // answer to the next command.
  sim.update([](rv1xsim::SimulatorOptions& o) { o.faults.splitDelayMs = 0; });
  EXPECT_EQ(connection().SendCommand(QStringLiteral("D"), false).toString(), QStringLiteral("1!"));
}

TEST_F(LinkTest, WaitLastsItsTimeUnlessAbortedAndReturnsAtOnceAfterAnAbort) {
  analyzer();
  connection().OpenChannel();
  ui::Stopwatch clock;
  clock.start();
  connection().Wait(150);
  EXPECT_GE(clock.elapsed(), 140);

  abortAfter(100);
  clock.restart();
  connection().Wait(5000);
  EXPECT_LT(clock.elapsed(), 1000);

  // The flag stays until the next command or open.
  clock.restart();
  connection().Wait(5000);
  EXPECT_LT(clock.elapsed(), 100);

  connection().SendCommand(QStringLiteral("I"), false);
  clock.restart();
  connection().Wait(0);  // a pause of nothing never ticks: it must not wait for ever
  EXPECT_LT(clock.elapsed(), 100);
}

// An unplugged USB adapter: the device goes halfway through a reply. The
// link's time-outs are 3000 ms; the link must not wait for them.
TEST_F(LinkTest, AnalyzerUnpluggedDuringAReplyEndsTheExchangeAtOnceWithDeviceUnavailable) {
  Simulator& sim = analyzer(QStringLiteral("hangup=M"));
  connection().OpenChannel();
  ui::Stopwatch clock;
  clock.start();
  const rt::RuntimeError error =
      raisedBy([&] { connection().SendCommand(QStringLiteral("M"), false); });
  EXPECT_LT(clock.elapsed(), 1500);
  EXPECT_TRUE(sim.hungUp());
  EXPECT_EQ(error.Number(), eeVTI_Error);
  EXPECT_EQ(error.Source(), kConnectionSource);
  EXPECT_EQ(shownTexts(), QStringList{QStringLiteral("Error #68\r\nDevice unavailable")});
  EXPECT_EQ(connection().State(), evtiTransmitting);
}

TEST_F(LinkTest, AnalyzerUnpluggedDuringTheOpeningIsPassedOverAtOnce) {
  analyzer(QStringLiteral("hangup=PROBE"));
  ui::Stopwatch clock;
  clock.start();
  EXPECT_EQ(openFails().Number(), eeVTI_Error);
  EXPECT_LT(clock.elapsed(), 1500);
  EXPECT_EQ(connection().State(), evtiNotConnected);
  EXPECT_EQ(shownTexts(), QStringList{kNoAnalyzerFound});
}

TEST_F(LinkTest, SilentPortGivesNoAnswerWithinTheRegistryTimeOut) {
  setCommTimeOut(200);
  Simulator& sim = analyzer(QStringLiteral("silent"));
  ui::Stopwatch clock;
  clock.start();
  const rt::RuntimeError error = openFails();
  // The time-out and the read pauses around it, on the test's clock.
  EXPECT_GE(clock.elapsed(), 200);
  EXPECT_LE(clock.elapsed(), 210);
  EXPECT_EQ(error.Number(), eeVTI_Error);
  EXPECT_EQ(error.Source(), kConnectionSource);
  EXPECT_EQ(connection().State(), evtiNotConnected);
  EXPECT_EQ(shownTexts(), QStringList{kNoAnalyzerFound});
  EXPECT_EQ(sim.wire(), QByteArray("\r\x0b")) << "nothing follows an unanswered opening probe";
  EXPECT_TRUE(testsupport::portIsFree(sim));
}

TEST_F(LinkTest, PortThatCannotBeFoundIsPassedOverQuickly) {
  assignment().assign(host::kProduct, 5);  // mapped to a device that does not exist
  ui::Stopwatch clock;
  clock.start();
  EXPECT_EQ(openFails().Number(), eeVTI_Error);
  EXPECT_LT(clock.elapsed(), 500);
  EXPECT_EQ(shownTexts(), QStringList{kNoAnalyzerFound});
}

TEST_F(LinkTest, SomethingElseAnsweringTheProbeIsPassedOverAndItsPortClosed) {
  Simulator& sim = analyzer();
  sim.setRawReply("\r", "x\r>");
  EXPECT_EQ(openFails().Number(), eeVTI_Error);
  EXPECT_EQ(sim.wire(), QByteArray("\r\x0b\r")) << "no remote-mode question to a stranger";
  EXPECT_EQ(shownTexts(), QStringList{kNoAnalyzerFound});
  EXPECT_TRUE(testsupport::portIsFree(sim));
}

TEST_F(LinkTest, OlderAnalyzerNotInRemoteModeAsksForRetryAndCancelRaises) {
  analyzer(QStringLiteral("mkii,local"));
  const rt::RuntimeError error = openFails();  // unattended: Cancel
  EXPECT_EQ(error.Number(), eeVTI_Error);
  EXPECT_EQ(connection().State(), evtiNotConnected);
  ASSERT_EQ(messages().shown().size(), 1);
  const ui::ShownMessage& shown = messages().shown().first();
  EXPECT_EQ(shown.text,
            QStringLiteral("A RV-1X was found on port 3, but it is not set in remote mode. If you "
                           "want to use this MTI set it in remote mode and press 'Retry'."));
  EXPECT_EQ(shown.caption, kCaption);
  EXPECT_EQ(shown.style, ui::mb::Information | ui::mb::RetryCancel);
  EXPECT_EQ(shown.answer, ui::mb::Cancel);
}

TEST_F(LinkTest, RetryProbesTheSamePortAgain) {
  Simulator& sim = analyzer(QStringLiteral("mkii,local=1"));
  messages().queueAnswers({ui::mb::Retry});
  connection().OpenChannel();
  EXPECT_EQ(connection().State(), evtiIdle);
  ASSERT_EQ(messages().shown().size(), 1);
  EXPECT_EQ(messages().shown().first().answer, ui::mb::Retry);
  EXPECT_EQ(sim.count("D\r"), 2);
  EXPECT_EQ(sim.count("\r\x0b"), 2);
}

TEST_F(LinkTest, NewerAnalyzerNotInRemoteModeIsConnectedAllTheSame) {
  analyzer(QStringLiteral("local"));
  connection().OpenChannel();
  EXPECT_EQ(connection().State(), evtiIdle);
  EXPECT_TRUE(connection().IsMkIII());
  EXPECT_TRUE(messages().shown().isEmpty());
  EXPECT_EQ(connection().SendCommand(QStringLiteral("I"), false).toString(), QStringLiteral("H!"));
}

TEST_F(LinkTest, NoAssignedPortMeansNotConnectedWithoutAMessage) {
  Simulator& sim = analyzer(QString(), kDefaultPort, false);
  EXPECT_EQ(openFails().Number(), eeVTI_Error);
  EXPECT_EQ(connection().State(), evtiNotConnected);
  EXPECT_TRUE(messages().shown().isEmpty());
  EXPECT_EQ(sim.wire(), QByteArray());
}

TEST_F(LinkTest, OlderHostMakesTheConnectionScanPortsInOrderUpToTheAnalyzer) {
  com::must(host::VersionService::instance()).setHostVersion(QStringLiteral("2.1.1"));
  // Ports 1 and 2 answer the probe with something else and are passed over;
  // 3 and 4 hold analyzers.
  std::map<int, Simulator*> ports;
  for (int port : {1, 2, 3, 4}) {
    ports[port] = &analyzer(QString(), port, false);
    if (port < 3) ports[port]->setRawReply("\r", "x\r>");
  }
  assignment().assign(host::kProduct, 4);  // an older host assigns nothing: not asked
  // The ports in the order the link first wrote to them, watched from the
  // message loop that the link's waits keep running.
  QList<int> order;
  ui::Timer watch;
  QObject::connect(&watch, &ui::Timer::Tick, [&] {
    for (const auto& [port, sim] : ports)
      if (!order.contains(port) && !sim->wire().isEmpty()) order.append(port);
  });
  watch.SetInterval(1);
  watch.SetEnabled(true);
  connection().OpenChannel();
  EXPECT_EQ(connection().State(), evtiIdle);
  EXPECT_EQ(order, (QList<int>{1, 2, 3}));
  EXPECT_EQ(ports[4]->wire(), QByteArray()) << "the scan stops at the first analyzer";
}

TEST_F(LinkTest, ScanWithoutAnyAnalyzerShowsMessage20321Once) {
  com::must(host::VersionService::instance()).setHostVersion(QStringLiteral("1.0"));
  EXPECT_EQ(openFails().Number(), eeVTI_Error);
  EXPECT_EQ(shownTexts(), QStringList{kNoAnalyzerFound});
}

TEST_F(LinkTest, GarbageToTheOpeningProbeIsProbedAgain) {
  Simulator& sim = analyzer(QStringLiteral("garbage=1"));
  connection().OpenChannel();
  EXPECT_EQ(connection().State(), evtiIdle);
  EXPECT_EQ(sim.count("\r\x0b"), 2);
}

TEST_F(LinkTest, EndlessGarbageToTheOpeningProbeGivesUpWithinItsBound) {
  setCommTimeOut(1000);
  Simulator& sim = analyzer(QStringLiteral("garbage"));
  ui::Stopwatch clock;
  clock.start();
  EXPECT_EQ(openFails().Number(), eeVTI_Error);
  EXPECT_LT(clock.elapsed(), 2000);
  EXPECT_LE(sim.count("\r\x0b"), 8);
  EXPECT_GE(sim.count("\r\x0b"), 2);
  EXPECT_EQ(shownTexts(), QStringList{kNoAnalyzerFound});
  EXPECT_TRUE(testsupport::portIsFree(sim));
}

TEST_F(LinkTest, AbortDuringTheOpeningFindsNothingAndShowsNoMessage) {
  Simulator& sim = analyzer(QStringLiteral("silent"));
  abortAfter(200);
  ui::Stopwatch clock;
  clock.start();
  EXPECT_EQ(openFails().Number(), eeVTI_Error);
  EXPECT_LT(clock.elapsed(), 1500) << "an aborted probe is not taken for an answer";
  EXPECT_EQ(connection().State(), evtiNotConnected);
  EXPECT_TRUE(messages().shown().isEmpty());
  EXPECT_EQ(sim.wire(), QByteArray("\r\x0b"));
}

TEST_F(LinkTest, EachOpenStartsFromAClosedLink) {
  Simulator& sim = analyzer();
  connection().OpenChannel();
  connection().OpenChannel();  // without a close in between
  EXPECT_EQ(connection().State(), evtiIdle);
  EXPECT_EQ(sim.count("\r\x0b"), 2);
}

TEST_F(LinkTest, ConnectionsOfOneThreadShareTheLink) {
  analyzer();
  connection().OpenChannel();
  auto other = com::createObjectAs<CRV1XVTi>(orvanRV1Xvti::kConnectionProgId);
  EXPECT_EQ(other->State(), evtiNotConnected);
  EXPECT_EQ(other->SendCommand(QStringLiteral("I"), false).toString(), QStringLiteral("H!"));
}

}  // namespace
}  // namespace linktest
