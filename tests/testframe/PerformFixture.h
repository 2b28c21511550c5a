#pragma once
// Perform of a real test element with its real guide window, worked by
// the host's scripted operator inside the window's modal loop, against the
// simulated analyzer; and a watch on the instruction pop-up while it runs.

#include <QLabel>
#include <QPointer>

#include "FrameFixture.h"
#include "ScriptedOperator.h"
#include "records/RunObjects.h"
#include "settings/CConfigPerformance.h"
#include "tests/XTestInstruction.h"
#include "typelib/IResultData.h"
#include "ui/Form.h"
#include "ui/Timer.h"

namespace frametests {

// What the pop-up of the guide window on screen shows, each change once:
// its text while it is shown ("*" after it while it flashes), "-" while it
// is hidden. A picture of the window is taken the first time it shows.
class PopupWatch {
 public:
  explicit PopupWatch(QString pictureName = QString()) : pictureName_(std::move(pictureName)) {
    timer_.SetInterval(5);
    QObject::connect(&timer_, &ui::Timer::Tick, [this] { Look(); });
    timer_.SetEnabled(true);
  }
  const QStringList& seen() const { return seen_; }

 private:
  void Look() {
    ui::Form* form = ui::Form::activeModal();
    if (!form) return;
    auto* popup = dynamic_cast<orvanRV1Xtst::XTestInstruction*>(
        form->findChild<QWidget*>(QStringLiteral("xtiPopup")));
    QString state = QStringLiteral("-");
    if (popup && popup->isVisible()) {
      state = popup->HelpText()->text() + (popup->Flash() ? QStringLiteral("*") : QString());
      if (!pictureName_.isEmpty()) {
        testsupport::saveScreenshot(*form, pictureName_);
        pictureName_.clear();
      }
    }
    if (seen_.isEmpty() || seen_.last() != state) seen_.append(state);
  }

  ui::Timer timer_;
  QStringList seen_;
  QString pictureName_;
};

class PerformTest : public FrameTest {
 protected:
  // Performs the test with an operator who follows the script (the
  // default plan where it has no line for the test). The hook sees the
  // window at its main states.
  void perform(const std::shared_ptr<orvanRV1Xtst::CTestFrame>& test,
               const QString& script = QString(), host::ScriptedOperator::StateHook hook = {}) {
    host::ScriptedOperator person(host::OperatorScript::Parse(script));
    person.setPace(20);
    person.setWaitLimit(20000);
    if (hook) person.setStateHook(std::move(hook));
    ctx->resetNavigationCode();
    test->Perform(ctx);
    log = person.log();
    guidesSeen = person.guidesSeen();
  }

  // A performance test whose wave plays that long.
  std::shared_ptr<orvanRV1Xtst::CTestFrame> performanceTest(rt::Long seconds = 1) {
    const auto test = element(600);
    std::dynamic_pointer_cast<orvanRV1Xtst::CConfigPerformance>(test->Configuration())
        ->SetDuration(seconds);
    return test;
  }

  int notified(const host::ITestElementPtr& test) const {
    int count = 0;
    for (const auto& weak : ctx->notified())
      if (weak.lock() == test) ++count;
    return count;
  }
  rt::Long status(const host::ITestElementPtr& test) const {
    return test->Result() ? test->Result()->Status() : -1;
  }
  // The analyzer's commands, without the link's opening and closing.
  static QStringList commandsOf(const rv1xsim::Simulator& analyzer) {
    QStringList commands;
    for (const QByteArray& wire : analyzer.commands()) {
      const QString command = QString::fromLatin1(wire).trimmed();
      if (!command.isEmpty() && command != QLatin1String("X") && command != QLatin1String("Z"))
        commands.append(command);
    }
    return commands;
  }

  host::RunContextPtr ctx = std::make_shared<host::RunContext>();
  QStringList log;
  int guidesSeen = 0;
};

}  // namespace frametests
