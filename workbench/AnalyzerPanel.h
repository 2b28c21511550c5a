#pragma once
// The workbench's analyzer: the port every run uses, kept in the registry
// for the next start, and a button that asks the port whether an RV-1X
// answers there. What it found, or that nothing answered, is told in the
// panel itself.

#include <QGroupBox>

class QLabel;
class QPushButton;
class QSpinBox;

namespace workbench {

class AnalyzerPanel : public QGroupBox {
  Q_OBJECT
 public:
  explicit AnalyzerPanel(QWidget* parent = nullptr);

  // The port chosen; 0 for none.
  int Port() const;
  void SetPort(int port);
  // Asks the chosen port; answers the model found, empty when none answered.
  QString Find();
  // What the panel tells of the analyzer.
  QString Status() const;

 Q_SIGNALS:
  void Problem(const QString& text);

 private:
  void Tell(const QString& text);

  QSpinBox* port_ = nullptr;
  QPushButton* find_ = nullptr;
  QLabel* status_ = nullptr;
};

}  // namespace workbench
