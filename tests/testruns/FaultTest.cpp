// A run against an analyzer that misbehaves, and an operator who ends a
// run early or leaves it: what reaches the wire, what the result keeps and
// what the technician is told.

#include "RunFixture.h"

namespace {

using namespace runtests;
using namespace orvanRV1Xtst;
using Fault = RunTest;

// The messages shown with that caption, each by its first line.
QStringList messagesFrom(const QString& caption) {
  QStringList heads;
  for (const ui::ShownMessage& m : messages().shown())
    if (m.caption == caption) heads.append(m.text.section(u'\r', 0, 0));
  return heads;
}

const QString kLinkCaption = QStringLiteral("orvanRV1Xvti");
const QString kTestCaption = QStringLiteral("orvanRV1Xtst");

TEST_F(Fault, AnAnalyzerFaultEndsTheRunAndTheLinkAloneSaysSo) {
  const struct {
    const char* what;
    rt::Long testID;
    const char* analyzerOptions;
    QStringList commands;  // up to the one that failed
    const char* linkMessage;
  } cases[] = {
      {"\"?\" to the charge-time mode",
       100,
       "range=H,reject=F3",
       {"I", "J", "R", "F3"},
       "No MTI was found connected."},
      {"\"?\" to the wave code",
       200,
       "range=H,reject=E04",
       {"I", "R", "E04"},
       "No MTI was found connected."},
      {"the analyzer goes while starting the sensitivity measurement",
       300,
       "range=P,hangup=S",
       {"I", "Q00", "Y01", "M", "S"},
       "Error #68"},
      {"\"?\" to the load code",
       400,
       "range=P,reject=Q00",
       {"R", "I", "Q00"},
       "No MTI was found connected."},
      {"no answer to the noise code",
       500,
       "range=P,ignore=N11",
       {"I", "Q00", "N11", "N11", "N11", "N11"},
       "No MTI was found connected."},
      {"\"?\" to the amplitude code",
       600,
       "range=L,reject=A3",
       {"I", "W03", "A3"},
       "No MTI was found connected."},
      {"the analyzer goes while playing the rhythm",
       700,
       "range=L,hangup=V01",
       {"I", "V01"},
       "Error #68"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    messages().clear();
    errors().clear();
    rv1xsim::Simulator& sim = analyzer(QLatin1String(c.analyzerOptions));
    const auto test = c.testID == 600 ? performanceTest() : element(c.testID);
    perform(test);
    EXPECT_EQ(runCommands(sim), c.commands);
    const QStringList fromLink = messagesFrom(kLinkCaption);
    ASSERT_EQ(fromLink.size(), 1) << fromLink.join(u'|').toStdString();
    EXPECT_TRUE(fromLink.first().startsWith(QLatin1String(c.linkMessage)));
    EXPECT_TRUE(messagesFrom(kTestCaption).isEmpty()) << "the link said it already";
    // (The verdict views take the operator's marks whatever the run did.)
    if (c.testID < 600) {
      EXPECT_TRUE(values(test).empty());
    }
    EXPECT_EQ(status(test), 0);
    EXPECT_EQ(notified(test), 0);
    EXPECT_FALSE(test->RunFlags().running);
    EXPECT_EQ(ctx->NavigationCode(), host::navigation::Next) << "the operator could go on";
    simulators_.clear();
  }
}

TEST_F(Fault, ALateReplyIsTakenAsTheReplyOfItsOwnCommand) {
  // The read-out is answered after the link's time-out: the link sends it
  // again and takes the late reply whole.
  rv1xsim::Simulator& sim = analyzer(QStringLiteral("range=P,late=3500:M#2,sensed-rp=210"));
  const auto test = element(400);
  limit(test, QStringLiteral("SENS"), 300, 200);
  ctx->setSelectedStandards(test->Limits()->Standards());
  perform(test);
  EXPECT_EQ(runCommands(sim), (QStringList{"R", "I", "Q00", "M", "C", "D", "D", "M", "M"}));
  EXPECT_EQ(values(test), (Values{{"SENS", 210}, {"PACE", 300}}));
  EXPECT_EQ(status(test), 1);
  EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(Fault, StopWhileTheAnalyzerIsPolledKeepsNothing) {
  const struct {
    const char* what;
    rt::Long testID;
    const char* analyzerOptions;
    const char* command;  // Stop once the analyzer received it
    int arrival;          // that often (the opening sends one "D")
  } cases[] = {
      {"charge time, waiting for the shock", 100, "range=H,polls=1000", "D", 3},
      {"discharge, waiting for the shock", 200, "range=H,polls=1000", "D", 3},
      {"sensitivity, waiting for its value", 300, "range=P,sensitivity-polls=1000", "M", 3},
      {"refractory period, waiting for its end", 400, "range=P,polls=1000", "D", 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    messages().clear();
    rv1xsim::Simulator& sim = analyzer(QLatin1String(c.analyzerOptions));
    const auto test = element(c.testID);
    OnCommand stop(sim, c.command, pressStop, c.arrival);
    perform(test, QStringLiteral("%1 play wait-run next").arg(c.testID));
    EXPECT_TRUE(stop.done());
    EXPECT_TRUE(values(test).empty());
    EXPECT_EQ(status(test), 0);
    EXPECT_EQ(notified(test), 0);
    EXPECT_FALSE(test->RunFlags().running);
    EXPECT_TRUE(messages().shown().isEmpty());
    // At most the poll under way and the one after the cut wait follow.
    EXPECT_LE(sim.count(QByteArray(c.command) + '\r'), c.arrival + 2);
    simulators_.clear();
  }
}

TEST_F(Fault, LeavingAfterAMeasuredRunDecidesItsResult) {
  const struct {
    const char* leaving;
    rt::Long code;
    bool dropped;
    int notified;
  } cases[] = {
      {"na", host::navigation::Next, false, 1},
      {"skip", host::navigation::Skip, true, 0},
      {"abort", host::navigation::Abort, true, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.leaving);
    analyzer(QStringLiteral("range=P"));
    const auto test = element(300);
    perform(test, QStringLiteral("300 play wait-run %1").arg(QLatin1String(c.leaving)));
    EXPECT_EQ(ctx->NavigationCode(), c.code);
    EXPECT_EQ(test->Result() == nullptr, c.dropped);
    if (!c.dropped) {
      EXPECT_EQ(status(test), 3);
    }
    EXPECT_EQ(notified(test), c.notified);
    simulators_.clear();
  }
}

}  // namespace
