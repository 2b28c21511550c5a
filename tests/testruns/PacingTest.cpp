// The pauses a run keeps between its commands: the analyzer needs them to
// settle, and the operator's countdown depends on them. Each run is on the
// test's clock, so the gap is the run's own, whatever the machine's load.

#include "RunFixture.h"

namespace {

using namespace runtests;
using Pacing = RunTest;

// When the analyzer took a command for the given time (the opening sends one
// "D"), on the test's clock.
struct Mark {
  QByteArray command;
  int arrival;
};

qint64 arrivalTime(const rv1xsim::Simulator& analyzer, const Mark& mark) {
  const QList<QByteArray> commands = analyzer.commands();
  const QList<qint64> times = analyzer.commandTimes();
  int seen = 0;
  for (qsizetype i = 0; i < commands.size(); ++i)
    if (commands[i] == mark.command + '\r' && ++seen == mark.arrival) return times[i];
  return -1;
}

// Milliseconds from the first mark to the second; -1 when one never came.
qint64 gap(const rv1xsim::Simulator& analyzer, const Mark& from, const Mark& to) {
  const qint64 first = arrivalTime(analyzer, from);
  const qint64 second = arrivalTime(analyzer, to);
  return first < 0 || second < 0 ? -1 : second - first;
}

TEST_F(Pacing, ARunWaitsBetweenItsCommandsAsLongAsTheAnalyzerNeeds) {
  const struct {
    const char* what;
    rt::Long testID;
    const char* analyzerOptions;
    Mark from, to;
    qint64 leastMs;
  } cases[] = {
      {"sensitivity: the trigger a full second after the load",
       300,
       "range=P",
       {"Q00", 1},
       {"Y01", 1},
       1000},
      {"sensitivity: its value polled every 300 ms",
       300,
       "range=P,sensitivity-polls=2",
       {"M", 2},
       {"M", 3},
       300},
      {"refractory period: the end polled every 300 ms",
       400,
       "range=P,polls=2",
       {"D", 3},
       {"D", 4},
       300},
      {"pacer accuracy: the first reading a second after the pulses",
       500,
       "range=P",
       {"M", 1},
       {"M", 2},
       1000},
      {"charge time: the reset a second before the charge-time mode",
       100,
       "range=H",
       {"R", 1},
       {"F3", 1},
       1000},
      {"charge time: the shock polled every 300 ms",
       100,
       "range=H,polls=2",
       {"D", 2},
       {"D", 3},
       300},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    rv1xsim::Simulator& sim = analyzer(QLatin1String(c.analyzerOptions));
    const auto test = element(c.testID);
    perform(test);
    EXPECT_GE(gap(sim, c.from, c.to), c.leastMs);
    simulators_.clear();
  }
}

}  // namespace
