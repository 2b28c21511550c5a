#pragma once
// What the tests of the seven runs share: the commands of a run as the
// analyzer received them, the values its result stored, a limit set to
// judge them by and the guide window at its main states.

#include <map>
#include <optional>

#include "PerformFixture.h"
#include "QtPrinters.h"
#include "limits/Limit.h"
#include "limits/Standard.h"
#include "limits/StandardsCollection.h"
#include "registry/RegistryStore.h"
#include "tests/FRV1XTestGuide.h"
#include "typelib/ILimitData.h"
#include "typelib/IMeasurement.h"
#include "ui/Timer.h"

namespace runtests {

using frametests::errors;
using frametests::messages;
using frametests::PerformTest;

// The values a result holds by key; a measurement without value is left
// out.
using Values = std::map<QString, double>;

// The commands of the run: what came after the opening (which ends with
// "X") and before the closing "Z"s, each without its CR.
inline QStringList runCommands(const rv1xsim::Simulator& analyzer) {
  QStringList commands;
  for (const QByteArray& wire : analyzer.commands()) commands.append(QString::fromLatin1(wire));
  const qsizetype opened = commands.indexOf(QStringLiteral("X\r"));
  commands = commands.mid(opened + 1);
  while (!commands.isEmpty() && commands.last() == QLatin1String("Z\r")) commands.removeLast();
  for (QString& command : commands) command.chop(1);
  return commands;
}

inline Values values(const host::ITestElementPtr& test) {
  Values held;
  const host::IResultDataPtr result = test->Result();
  if (!result) return held;
  for (rt::Long i = 1; i <= result->MeasurementCount(); ++i) {
    const host::IMeasurementPtr m = result->Measurement(i);
    if (!m->Value().isNull()) held[m->Key()] = m->Value().toDouble();
  }
  return held;
}

template <class Config>
inline Config& config(const host::ITestElementPtr& test) {
  return com::must(std::dynamic_pointer_cast<Config>(test->Configuration()));
}

// A standard of the test's limit set, with one key's bounds; a bound
// not given stays off.
inline void limit(const host::ITestElementPtr& test, const QString& key, std::optional<float> high,
                  std::optional<float> low) {
  const host::StandardsCollectionPtr standards = test->Limits()->Standards();
  const host::StandardPtr standard =
      standards && standards->Count() > 0
          ? standards->Item(1)
          : test->Limits()->CreateStandard(QStringLiteral("S"), QStringLiteral("S 1"));
  host::LimitPtr bound = com::must(standard).FindLimit(key);
  ASSERT_TRUE(bound) << qPrintable(key);
  bound->SetOperator(0, QStringLiteral("Y"));
  bound->SetEnabled(host::limitindex::High, high.has_value());
  bound->SetValue(host::limitindex::High, high.value_or(0));
  bound->SetEnabled(host::limitindex::Low, low.has_value());
  bound->SetValue(host::limitindex::Low, low.value_or(0));
}

// The texts shown in message boxes, each by its first line.
inline QStringList messageHeads() {
  QStringList heads;
  for (const ui::ShownMessage& m : frametests::messages().shown())
    heads.append(m.text.section(u'\r', 0, 0).section(u'\n', 0, 0));
  return heads;
}

// A hook that keeps a picture of the guide once its run is under way.
inline host::ScriptedOperator::StateHook pictureWhileRunning(const QString& name) {
  return [name](QWidget& guide, rt::Long, const QString& state) {
    if (state == QLatin1String("running")) testsupport::saveScreenshot(guide, name);
  };
}

// The plug-in's threshold between the discharge test's Low and High range.
inline void setRangeThreshold(rt::Long joules) {
  platform::RegistryStore::instance().writeValue(platform::hive::LocalMachine,
                                                 QStringLiteral("Software\\Tavrin\\orvan\\RV-1X"),
                                                 QStringLiteral("RangeThreshold"), joules);
}

inline orvanRV1Xtst::FRV1XTestGuide* shownGuide() {
  return dynamic_cast<orvanRV1Xtst::FRV1XTestGuide*>(ui::Form::activeModal());
}

// Calls the action once, as soon as the analyzer has received that command
// for the given time (the link's opening counts: it sends "D" once).
class OnCommand {
 public:
  OnCommand(const rv1xsim::Simulator& analyzer, const QByteArray& command,
            std::function<void()> action, int arrival = 1)
      : analyzer_(analyzer),
        command_(command + '\r'),
        arrival_(arrival),
        action_(std::move(action)) {
    timer_.SetInterval(5);
    QObject::connect(&timer_, &ui::Timer::Tick, [this] {
      if (analyzer_.count(command_) < arrival_) return;
      timer_.SetEnabled(false);
      action_();
    });
    timer_.SetEnabled(true);
  }
  bool done() const { return !timer_.Enabled(); }

 private:
  const rv1xsim::Simulator& analyzer_;
  QByteArray command_;
  int arrival_;
  std::function<void()> action_;
  ui::Timer timer_;
};

// Presses Stop in the guide window on screen.
inline void pressStop() {
  if (auto* guide = shownGuide()) Q_EMIT guide->StopTest();
}

using RunTest = PerformTest;

}  // namespace runtests
