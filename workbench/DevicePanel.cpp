#include "DevicePanel.h"

#include <QFormLayout>
#include <QLineEdit>

#include "WorkbenchStore.h"

namespace workbench {

DevicePanel::DevicePanel(QWidget* parent) : QGroupBox(QStringLiteral("Device under test"), parent) {
  setObjectName(QStringLiteral("device"));
  model_ = Field("deviceModel", QStringLiteral("the defibrillator's make and model"));
  serial_ = Field("deviceSerial", QStringLiteral("its serial number"));
  asset_ = Field("deviceAsset", QStringLiteral("the hospital's asset number"));
  technician_ = Field("technician", QStringLiteral("who tests it"));
  auto* layout = new QFormLayout(this);
  layout->addRow(QStringLiteral("Model:"), model_);
  layout->addRow(QStringLiteral("Serial number:"), serial_);
  layout->addRow(QStringLiteral("Asset number:"), asset_);
  layout->addRow(QStringLiteral("Technician:"), technician_);
  // The last technician is offered the next time.
  connect(technician_, &QLineEdit::editingFinished, this, [this] { KeepTechnician(); });
}

void DevicePanel::KeepTechnician() {
  if (!Technician().isEmpty() && Technician() != lastTechnician()) storeTechnician(Technician());
}

QLineEdit* DevicePanel::Field(const char* name, const QString& hint) {
  auto* field = new QLineEdit(this);
  field->setObjectName(QLatin1String(name));
  field->setPlaceholderText(hint);
  connect(field, &QLineEdit::textEdited, this, [this] { Q_EMIT Edited(); });
  return field;
}

void DevicePanel::Show(const host::SequenceRecord& record) {
  model_->setText(record.device.model);
  serial_->setText(record.device.serialNumber);
  asset_->setText(record.device.assetNumber);
  technician_->setText(record.technician.isEmpty() ? lastTechnician() : record.technician);
}

host::DeviceUnderTest DevicePanel::Device() const {
  return {model_->text().trimmed(), serial_->text().trimmed(), asset_->text().trimmed()};
}

QString DevicePanel::Technician() const {
  return technician_->text().trimmed();
}

}  // namespace workbench
