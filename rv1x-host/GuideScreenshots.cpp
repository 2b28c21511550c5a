#include "GuideScreenshots.h"

#include <QDir>
#include <QPixmap>
#include <cstdio>

#include "runtime/ErrorHandling.h"
#include "typelib/GuideControls.h"
#include "typelib/ITestElement.h"
#include "ui/Form.h"

namespace hostapp {

namespace {

constexpr int kLookMs = 50;
const QString kOpened = QStringLiteral("opened");

host::ITgToolbar* toolbarOf(QWidget& guide) {
  return dynamic_cast<host::ITgToolbar*>(guide.findChild<QWidget*>(QStringLiteral("xtbToolbar")));
}

}  // namespace

GuideScreenshots::GuideScreenshots(QString folder) : folder_(std::move(folder)) {
  QDir().mkpath(folder_);
}

host::ScriptedOperator::StateHook GuideScreenshots::OperatorHook() {
  return
      [this](QWidget& guide, rt::Long testID, const QString& state) { Save(guide, testID, state); };
}

void GuideScreenshots::WatchGuides() {
  look_.SetInterval(kLookMs);
  connect(&look_, &ui::Timer::Tick, this, &GuideScreenshots::Look);
  look_.SetEnabled(true);
}

void GuideScreenshots::Look() {
  ui::Form* guide = ui::Form::activeModal();
  host::ITgToolbar* toolbar = guide ? toolbarOf(*guide) : nullptr;
  if (!toolbar || !guide->isVisible()) return;
  const rt::Long testID = rt::orDefault(
      [&] {
        const host::ITestElementPtr test = toolbar->BoundTest();
        return test ? test->TestID() : rt::Long{0};
      },
      rt::Long{0});
  if (guide != watched_) {
    watched_ = guide;
    running_ = false;
    Save(*guide, testID, kOpened);
  }
  const bool running = rt::orDefault([&] { return toolbar->Running(); }, false);
  if (running == running_) return;
  running_ = running;
  Save(*guide, testID, running ? QStringLiteral("running") : QStringLiteral("finished"));
}

void GuideScreenshots::Save(QWidget& guide, rt::Long testID, const QString& state) {
  if (state == kOpened) ++guides_;
  const QString file = QDir(folder_).filePath(
      QStringLiteral("%1-%2-%3.png").arg(guides_, 2, 10, QLatin1Char('0')).arg(testID).arg(state));
  if (!guide.grab().save(file))
    std::fprintf(stderr, "rv1x-host: cannot save the screenshot %s\n", qPrintable(file));
}

}  // namespace hostapp
