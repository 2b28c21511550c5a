// The host's port query against the simulated analyzer: the found rule on
// the probe's reply, its time-out from the registry, and its own port.

#include "LinkFixture.h"

namespace linktest {
namespace {

const QString kQueryProgId = QStringLiteral("SelkamRV1XVTI.CRV1XQuery");

class PortQueryTest : public LinkTest {
 protected:
  std::shared_ptr<host::IOrvanQelQuery> query() {
    return com::createObjectAs<host::IOrvanQelQuery>(kQueryProgId);
  }
  // The time one query on the port takes, and what it found.
  host::OrvanQelMti timedQuery(int port, qint64& elapsed) {
    auto q = query();
    ui::Stopwatch clock;
    clock.start();
    const host::OrvanQelMti found = q->QueryMTI(port);
    elapsed = clock.elapsed();
    return found;
  }
};

TEST_F(PortQueryTest, FindsTheAnalyzerOnlyByAThreeCharacterReplyOfTheProbe) {
  struct Case {
    QByteArray reply;
    bool found;
  };
  const Case cases[] = {{"!\r>", true},   {"?\r>", true},  {"!>", false},
                        {"!\r>>", false}, {"x\r>", false}, {"!\rx", false}};
  Simulator& sim = analyzer();
  for (const Case& c : cases) {
    sim.setRawReply("\r\x0b", c.reply);
    const host::OrvanQelMti found = query()->QueryMTI(kDefaultPort);
    EXPECT_EQ(found.MtiType, c.found ? QStringLiteral("RV-12P/15") : QString())
        << c.reply.constData();
    EXPECT_EQ(found.Present, c.found ? 1 : 0) << c.reply.constData();
    EXPECT_TRUE(found.SerialNo.isEmpty());
    EXPECT_TRUE(found.FWVersion.isEmpty());
  }
  EXPECT_EQ(sim.wire(), QByteArray("\r\x0b").repeated(std::size(cases)));
}

TEST_F(PortQueryTest, AnAnswerAllThereIsReadAfterThe25MsPause) {
  analyzer(QStringLiteral("unpaced"));
  qint64 elapsed = 0;
  EXPECT_EQ(timedQuery(kDefaultPort, elapsed).Present, 1);
  EXPECT_EQ(elapsed, 25);
}

TEST_F(PortQueryTest, IdentityMembersStayEmptyAfterAFind) {
  analyzer();
  auto q = query();
  EXPECT_EQ(q->QueryMTI(kDefaultPort).Present, 1);
  EXPECT_TRUE(q->MtiType().isEmpty());
  EXPECT_TRUE(q->SerialNo().isEmpty());
  EXPECT_TRUE(q->FWVersion().isEmpty());
}

TEST_F(PortQueryTest, ReplyInPiecesMoreThan25MsApartIsReadIncomplete) {
  analyzer(QStringLiteral("split=60/1"));
  EXPECT_TRUE(query()->QueryMTI(kDefaultPort).isEmpty());
}

TEST_F(PortQueryTest, ClosesItsPortAfterEveryQueryAndShowsNothing) {
  Simulator& sim = analyzer();
  EXPECT_EQ(query()->QueryMTI(kDefaultPort).Present, 1);
  EXPECT_TRUE(testsupport::portIsFree(sim));
  EXPECT_TRUE(messages().shown().isEmpty());
  EXPECT_TRUE(errors().entries().isEmpty());
}

TEST_F(PortQueryTest, PortThatCannotBeOpenedIsNotProbed) {
  qint64 elapsed = 0;
  EXPECT_TRUE(timedQuery(7, elapsed).isEmpty());  // mapped to a missing device
  EXPECT_LT(elapsed, 200);
  EXPECT_TRUE(query()->QueryMTI(0).isEmpty());
  EXPECT_TRUE(query()->QueryMTI(40000).isEmpty());  // not a port number at all
}

TEST_F(PortQueryTest, SilentPortWaitsTheTimeOutOf400MsOrTheRegistrys) {
  analyzer(QStringLiteral("silent"));
  struct Case {
    QVariant registry;
    qint64 expected;
  };
  const Case cases[] = {
      {QVariant(), 400}, {QVariant(0), 400}, {QVariant(-20), 400}, {QVariant(1500), 1500}};
  for (const Case& c : cases) {
    setCommTimeOut(c.registry);
    qint64 elapsed = 0;
    EXPECT_TRUE(timedQuery(kDefaultPort, elapsed).isEmpty());
    // The time-out, then the 25 ms pause before the read.
    EXPECT_EQ(elapsed, c.expected + 25) << qPrintable(c.registry.toString());
  }
}

}  // namespace
}  // namespace linktest
