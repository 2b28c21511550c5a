// The thread's clock: alarms on it, and virtual time, whose waits jump to
// the next alarm in the order real time would bring them.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QList>
#include <QString>
#include <memory>

#include "QtPrinters.h"
#include "ui/Clock.h"
#include "ui/MessageLoop.h"

namespace {

constexpr qint64 kMs = 1'000'000;

// Milliseconds from the start of a test.
struct Since {
  qint64 start = ui::clockNow();
  qint64 operator()() const { return (ui::clockNow() - start) / kMs; }
};

TEST(VirtualClock, AWaitJumpsToTheNextAlarmAndAlarmsGoOffInTheirOrder) {
  ui::VirtualClock time;
  const Since since;
  QStringList rang;
  const auto ring = [&](const char* name) {
    return std::make_unique<ui::Alarm>([&rang, &since, name] {
      rang << QStringLiteral("%1@%2").arg(QLatin1String(name)).arg(since());
    });
  };
  auto late = ring("late"), first = ring("first"), second = ring("second"), middle = ring("middle");
  late->setAfterMilliseconds(30);
  first->setAfterMilliseconds(10);
  second->setAfterMilliseconds(10);  // due with the first, set after it
  middle->setAfterMilliseconds(20);
  while (rang.size() < 4) ui::waitForEvents();
  EXPECT_EQ(rang, (QStringList{"first@10", "second@10", "middle@20", "late@30"}));
  EXPECT_FALSE(late->armed());
}

TEST(VirtualClock, APauseMovesTimeOnAndWhatFellDueMeanwhileRunsAfterIt) {
  ui::VirtualClock time;
  const Since since;
  qint64 rangAt = -1;
  ui::Alarm alarm([&] { rangAt = since(); });
  alarm.setAfterMilliseconds(10);
  ui::Sleep(50);
  EXPECT_EQ(since(), 50);
  EXPECT_EQ(rangAt, -1) << "nothing runs during a pause";
  ui::doEvents();
  EXPECT_EQ(rangAt, 50);
}

TEST(VirtualClock, ALoopOfQtsOwnWaitsOnVirtualTimeAfterWhatIsPending) {
  ui::VirtualClock time;
  const Since since;
  QEventLoop loop;
  qint64 postedAt = -1, quitAt = -1;
  QMetaObject::invokeMethod(
      QCoreApplication::instance(), [&] { postedAt = since(); }, Qt::QueuedConnection);
  ui::Alarm quit([&] {
    quitAt = since();
    loop.quit();
  });
  quit.setAfterMilliseconds(5000);
  loop.exec();
  EXPECT_EQ(postedAt, 0) << "what was pending ran before time moved";
  EXPECT_EQ(quitAt, 5000);
}

TEST(VirtualClock, AlarmsSetOnItKeepTheirDistanceOnRealTimeAfterIt) {
  ui::Alarm alarm([] {});
  qint64 left = 0;
  {
    ui::VirtualClock time;
    alarm.setAfterMilliseconds(60000);
    ui::Sleep(20000);
  }
  left = ui::clockloop::untilNextAlarm();
  EXPECT_GT(left, 39000 * kMs);
  EXPECT_LE(left, 40000 * kMs);
  EXPECT_FALSE(ui::clockIsVirtual());
}

TEST(Stopwatch, OneNeverStartedReadsMinusOneAndARestartStartsIt) {
  ui::VirtualClock time;
  ui::Stopwatch watch;
  EXPECT_FALSE(watch.isValid());
  EXPECT_EQ(watch.elapsed(), -1);
  EXPECT_EQ(watch.restart(), -1);
  ui::Sleep(7);
  EXPECT_EQ(watch.elapsed(), 7);
}

TEST(Alarm, MayBeDestroyedOrSetAgainInItsOwnCall) {
  ui::VirtualClock time;
  std::unique_ptr<ui::Alarm> alarm;
  alarm = std::make_unique<ui::Alarm>([&] { alarm.reset(); });
  alarm->setAfterMilliseconds(5);
  int calls = 0;
  ui::Alarm again([&] {
    if (++calls < 3) again.setAfterMilliseconds(5);
  });
  again.setAfterMilliseconds(5);
  ui::runEventsFor(100);
  EXPECT_FALSE(alarm);
  EXPECT_EQ(calls, 3);
}

}  // namespace
