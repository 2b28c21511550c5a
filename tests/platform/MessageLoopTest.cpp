// Window timers (on the test's clock), letting window messages run, the
// wait for the next event, and the plain pause.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <ctime>

#include "QtPrinters.h"
#include "TestSupport.h"
#include "runtime/RuntimeError.h"
#include "ui/Clock.h"
#include "ui/MessageLoop.h"
#include "ui/Timer.h"

namespace {

// Lets events run until the condition holds or the time is up.
bool waitFor(const std::function<bool()>& condition, int milliseconds = 3000) {
  return testsupport::waitUntil(condition, milliseconds);
}

double processCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

TEST(Timer, IntervalZeroNeverTicks) {
  ui::VirtualClock time;
  ui::Timer timer;
  int ticks = 0;
  QObject::connect(&timer, &ui::Timer::Tick, [&] { ++ticks; });
  timer.SetEnabled(true);
  EXPECT_EQ(timer.Interval(), 0);
  testsupport::runEventsFor(80);
  EXPECT_EQ(ticks, 0);
  timer.SetInterval(10);
  EXPECT_TRUE(waitFor([&] { return ticks >= 2; }));
  timer.SetInterval(0);
  ticks = 0;
  testsupport::runEventsFor(60);
  EXPECT_EQ(ticks, 0);
  EXPECT_TRUE(timer.Enabled());
}

TEST(Timer, AnIntervalOutOfRangeRaises380AndKeepsTheOldOne) {
  ui::Timer timer;
  timer.SetInterval(500);
  for (rt::Long bad : {65536, 100000, -1}) {
    EXPECT_EQ(testsupport::errorOf([&] { timer.SetInterval(bad); }), 380) << bad;
    EXPECT_EQ(timer.Interval(), 500);
  }
  timer.SetInterval(65535);
  EXPECT_EQ(timer.Interval(), 65535);
}

TEST(Timer, TicksOnlyWhileEnabledAndOnlyThroughTheMessageLoop) {
  ui::VirtualClock time;
  ui::Timer timer;
  int ticks = 0;
  QObject::connect(&timer, &ui::Timer::Tick, [&] { ++ticks; });
  timer.SetInterval(10);
  testsupport::runEventsFor(50);
  EXPECT_EQ(ticks, 0) << "designed disabled";
  timer.SetEnabled(true);
  ui::Sleep(50);
  EXPECT_EQ(ticks, 0) << "no tick while the loop does not run";
  EXPECT_TRUE(waitFor([&] { return ticks > 0; }, 200));
  timer.SetEnabled(false);
  ticks = 0;
  testsupport::runEventsFor(50);
  EXPECT_EQ(ticks, 0);
}

TEST(Timer, SettingTheIntervalRestartsTheCount) {
  ui::VirtualClock time;
  ui::Timer timer;
  int ticks = 0;
  QObject::connect(&timer, &ui::Timer::Tick, [&] { ++ticks; });
  timer.SetInterval(150);
  timer.SetEnabled(true);
  testsupport::runEventsFor(100);
  timer.SetInterval(150);
  testsupport::runEventsFor(100);  // 200 ms since the start, 100 since the restart
  EXPECT_EQ(ticks, 0);
  EXPECT_TRUE(waitFor([&] { return ticks == 1; }));
}

TEST(MessageLoop, DoEventsRunsWhatIsPendingAndReturnsAtOnce) {
  bool posted = false;
  QMetaObject::invokeMethod(
      QCoreApplication::instance(), [&] { posted = true; }, Qt::QueuedConnection);
  ui::doEvents();
  EXPECT_TRUE(posted) << "one call runs what is pending";

  // With nothing pending, nothing to wait for: a timer far off does not
  // hold it up.
  ui::Timer far;
  far.SetInterval(60000);
  far.SetEnabled(true);
  QElapsedTimer clock;
  clock.start();
  for (int i = 0; i < 100; ++i) ui::doEvents();
  EXPECT_LT(clock.elapsed(), 60000);
}

TEST(MessageLoop, AWaitEndsWithThePostedEventTheTimerOrTheAlarmThatComesFirst) {
  // Each call returns once something ran, and not before.
  bool posted = false;
  QMetaObject::invokeMethod(
      QCoreApplication::instance(), [&] { posted = true; }, Qt::QueuedConnection);
  ui::waitForEvents();
  EXPECT_TRUE(posted);

  bool fired = false;
  QTimer::singleShot(5, Qt::PreciseTimer, [&] { fired = true; });
  while (!fired) ui::waitForEvents();

  bool rang = false;
  ui::Alarm alarm([&] { rang = true; });
  alarm.setAfterMilliseconds(5);
  while (!rang) ui::waitForEvents();
  EXPECT_FALSE(alarm.armed());
}

TEST(MessageLoop, AWaitIsWokenOnlyByEvents) {
  // A 10 ms timer for 300 ms: about thirty turns, however busy the machine
  // is (a slower machine makes fewer, never more).
  ui::Timer timer;
  int ticks = 0;
  QObject::connect(&timer, &ui::Timer::Tick, [&] { ++ticks; });
  timer.SetInterval(10);
  timer.SetEnabled(true);
  bool over = false;
  ui::Alarm end([&] { over = true; });
  end.setAfterMilliseconds(300);
  const double cpuBefore = processCpuSeconds();
  int turns = 0;
  while (!over) {
    ui::waitForEvents();
    ++turns;
  }
  const double cpu = processCpuSeconds() - cpuBefore;
  std::printf("[ figure ] 300 ms of waiting on a 10 ms timer: %d turns, %.2f ms CPU\n", turns,
              cpu * 1000);
  EXPECT_LE(turns, 2 * ticks + 4);
  EXPECT_LE(ticks, 31);
}

TEST(MessageLoop, ALoopInsideAnEventHandlerLetsTheOuterCallReturn) {
  // A handler's own poll loop (a modal run inside an event) yields too; the
  // outer call must still come back at once afterwards.
  int inner = 0;
  QTimer::singleShot(0, [&] {
    for (int i = 0; i < 20; ++i, ++inner) ui::doEvents();
  });
  ui::VirtualClock time;
  const qint64 start = ui::clockNow();
  ui::doEvents();
  ui::doEvents();
  EXPECT_EQ(inner, 20);
  EXPECT_EQ(ui::clockNow(), start) << "no call waited";
}

TEST(MessageLoop, SleepBlocksWithoutRunningEvents) {
  bool ran = false;
  QTimer::singleShot(0, [&] { ran = true; });
  QElapsedTimer clock;
  clock.start();
  ui::Sleep(30);
  EXPECT_GE(clock.elapsed(), 29);
  EXPECT_FALSE(ran);
  ui::Sleep(0);
  ui::Sleep(-5);
  ui::doEvents();
  EXPECT_TRUE(ran);
}

}  // namespace
