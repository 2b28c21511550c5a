#pragma once
// --screenshots DIR: a PNG of the guide window at each of its main states,
// named <guide>-<test ID>-<state>.png, the guides counted from 01 in the
// order they opened. The scripted operator tells its states ("opened",
// "running", "finished", "leaving"); while a person runs the tests the
// pictures are taken as the window opens and as each run starts and ends.

#include <QPointer>

#include "ScriptedOperator.h"
#include "ui/Timer.h"

namespace ui {
class Form;
}

namespace hostapp {

class GuideScreenshots : public QObject {
 public:
  explicit GuideScreenshots(QString folder);

  // The scripted operator's hook.
  host::ScriptedOperator::StateHook OperatorHook();
  // Watches the guide windows a person works.
  void WatchGuides();

 private:
  void Save(QWidget& guide, rt::Long testID, const QString& state);
  void Look();

  QString folder_;
  int guides_ = 0;
  ui::Timer look_;
  QPointer<ui::Form> watched_;
  bool running_ = false;
};

}  // namespace hostapp
