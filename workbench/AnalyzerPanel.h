#pragma once
// The workbench's analyzer: the machine's serial devices as rv1x-host ports
// lists them, each with the port number a run opens it by, and a button
// that asks each whether an RV-1X answers there and shows its model. The
// port chosen is the one every run uses, kept in the registry for the next
// start. What was found, or that nothing answered, is told in the panel
// itself, never in a message box per port.

#include <QGroupBox>
#include <functional>

#include "SerialDevices.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace workbench {

class AnalyzerPanel : public QGroupBox {
  Q_OBJECT
 public:
  // Where the devices come from; the machine's by default.
  using DeviceSource = std::function<QList<hostapp::SerialDevice>(hostapp::Probing probing)>;

  explicit AnalyzerPanel(QWidget* parent = nullptr);

  void SetDeviceSource(DeviceSource source);
  // Lists the devices again, without asking them.
  void ListDevices();
  // Asks every device; answers how many analyzers answered.
  int FindAnalyzers();

  // The port chosen; 0 for none.
  int Port() const;
  void SetPort(int port);
  // Asks the chosen port; answers the model found, empty when none answered.
  QString Ask();
  // What the panel tells of the analyzer.
  QString Status() const;

 Q_SIGNALS:
  void Problem(const QString& text);

 private:
  // A device as listed, and whether it was asked.
  struct Entry {
    hostapp::SerialDevice device;
    bool asked = false;
  };
  void Show(const QList<Entry>& entries);
  static QList<Entry> Entries(const QList<hostapp::SerialDevice>& devices, bool asked);
  void Chosen();
  void Tell(const QString& text);

  DeviceSource source_;
  QComboBox* ports_ = nullptr;
  QPushButton* find_ = nullptr;
  QLabel* status_ = nullptr;
  bool showing_ = false;  // the list is being filled: no choice is made
};

}  // namespace workbench
