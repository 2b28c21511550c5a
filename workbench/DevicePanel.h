#pragma once
// The device under test as the workbench's technician describes it: model,
// serial number and asset number, and the technician, kept with the
// sequence in its record (SequenceRecord.h). A sequence that names no
// technician is offered the one entered last.

#include <QGroupBox>

#include "sequence/SequenceRecord.h"

class QLineEdit;

namespace workbench {

class DevicePanel : public QGroupBox {
  Q_OBJECT
 public:
  explicit DevicePanel(QWidget* parent = nullptr);

  // Shows what the record holds; the last technician where it names none.
  void Show(const host::SequenceRecord& record);
  host::DeviceUnderTest Device() const;
  QString Technician() const;
  // The technician shown is the one offered next time (WorkbenchStore.h).
  void KeepTechnician();
  // The serial number's field takes the focus.
  void FocusSerial();

 Q_SIGNALS:
  // A field was changed by hand.
  void Edited();

 private:
  QLineEdit* Field(const char* name, const QString& hint);

  QLineEdit* model_ = nullptr;
  QLineEdit* serial_ = nullptr;
  QLineEdit* asset_ = nullptr;
  QLineEdit* technician_ = nullptr;
};

}  // namespace workbench
