#pragma once
// While the workbench runs a sequence, a small window beside each guide
// window: which test of how many is under way, and "Stop after this test".
// A guide is modal to the whole application, so nothing of the workbench's
// own window can be reached while a test runs; this window is the guide's
// own (its transient child), so the technician can reach it.

#include <QPointer>
#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;

namespace ui {
class Form;
}

namespace workbench {

class RunCompanion : public QWidget {
 public:
  // stop: what "Stop after this test" does.
  explicit RunCompanion(std::function<void()> stop);
  ~RunCompanion() override;

  void SetProgress(const QString& text);
  // The run ends once the test under way has ended.
  void ShowStopping();

 private:
  void Attach(ui::Form& guide);

  std::function<void()> stop_;
  QLabel* progress_ = nullptr;
  QPushButton* stopButton_ = nullptr;
  QPointer<ui::Form> guide_;
  QMetaObject::Connection ended_;
  int observer_ = 0;
};

}  // namespace workbench
