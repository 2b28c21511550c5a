#pragma once
// While the workbench runs a sequence, a small window beside each guide
// window: which test of how many is under way, and "Stop after this test".
// A guide is modal to the whole application, so nothing of the workbench's
// own window can be reached while a test runs; this window is the guide's
// own (its transient child), so the technician can reach it. The guide
// opens centred on the workbench and this window sits at its right, clear
// of the sequence's test column and of the guide's buttons.

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
  // stop: what "Stop after this test" does. Each guide opens centred on
  // over (the workbench), with this window beside it.
  RunCompanion(QWidget* over, std::function<void()> stop);
  ~RunCompanion() override;

  void SetProgress(const QString& text);
  // The run ends once the test under way has ended.
  void ShowStopping();

 private:
  void Attach(ui::Form& guide);

  QPointer<QWidget> over_;
  std::function<void()> stop_;
  QLabel* progress_ = nullptr;
  QPushButton* stopButton_ = nullptr;
  QPointer<ui::Form> guide_;
  QMetaObject::Connection ended_;
  int observer_ = 0;
};

}  // namespace workbench
