// The pauses a run keeps between its commands: the analyzer needs them to
// settle, and the operator's countdown depends on them. Only the least gap
// is checked, so a slow machine cannot fail these.

#include "RunFixture.h"

namespace {

using namespace runtests;
using Pacing = RunTest;

// When each watched command reached the analyzer for the given time,
// measured from the start of the watch.
class ArrivalClock {
 public:
  struct Mark {
    QByteArray command;
    int arrival;
  };
  ArrivalClock(const rv1xsim::Simulator& analyzer, QList<Mark> marks)
      : analyzer_(analyzer), marks_(std::move(marks)), times_(marks_.size(), -1) {
    clock_.start();
    timer_.setInterval(2);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      for (qsizetype i = 0; i < marks_.size(); ++i)
        if (times_[i] < 0 && analyzer_.count(marks_[i].command + '\r') >= marks_[i].arrival)
          times_[i] = clock_.elapsed();
    });
    timer_.start();
  }
  // Milliseconds from the first mark to the second; -1 when one never came.
  qint64 gap() const { return times_[0] < 0 || times_[1] < 0 ? -1 : times_[1] - times_[0]; }

 private:
  const rv1xsim::Simulator& analyzer_;
  QList<Mark> marks_;
  QList<qint64> times_;
  QElapsedTimer clock_;
  QTimer timer_;
};

TEST_F(Pacing, ARunWaitsBetweenItsCommandsAsLongAsTheAnalyzerNeeds) {
  // The watch sees a command a few milliseconds late: the gaps allow that.
  constexpr qint64 kLateness = 150;
  const struct {
    const char* what;
    rt::Long testID;
    const char* analyzerOptions;
    ArrivalClock::Mark from, to;  // the opening sends one "D"
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
    const ArrivalClock clock(sim, {c.from, c.to});
    perform(test);
    EXPECT_GE(clock.gap(), c.leastMs - kLateness);
    simulators_.clear();
  }
}

}  // namespace
