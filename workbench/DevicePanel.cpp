#include "DevicePanel.h"

#include <QFormLayout>
#include <QLineEdit>

#include "Guarded.h"
#include "WorkbenchStore.h"
#include "WorkbenchWords.h"

namespace workbench {

DevicePanel::DevicePanel(QWidget* parent) : QGroupBox(words::text(words::DeviceBox), parent) {
  setObjectName(QStringLiteral("device"));
  model_ = Field("deviceModel", words::text(words::ModelHint));
  serial_ = Field("deviceSerial", words::text(words::SerialHint));
  asset_ = Field("deviceAsset", words::text(words::AssetHint));
  technician_ = Field("technician", words::text(words::TechnicianHint));
  auto* layout = new QFormLayout(this);
  const auto label = [](const char* word) {
    return words::text(words::FieldLabel, {words::text(word)});
  };
  layout->addRow(label(words::Model), model_);
  layout->addRow(label(words::Serial), serial_);
  layout->addRow(label(words::Asset), asset_);
  layout->addRow(label(words::Technician), technician_);
  // The last technician is offered the next time.
  connect(technician_, &QLineEdit::editingFinished, this,
          [this] { guarded([this] { KeepTechnician(); }, nullptr); });
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
