#include "DevicePanel.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPalette>

#include "Guarded.h"
#include "WorkbenchStore.h"
#include "WorkbenchWords.h"

namespace workbench {

namespace {

// Halfway from the text's colour to the field's.
QColor between(const QColor& text, const QColor& base) {
  return QColor::fromRgbF((text.redF() + base.redF()) / 2, (text.greenF() + base.greenF()) / 2,
                          (text.blueF() + base.blueF()) / 2);
}

// A hint is drawn lighter than what is typed, in every state of the field:
// the style's own disabled hint is darker than a disabled entry, so a
// description being run reads as if it held the hints.
void lightenHints(QLineEdit* field) {
  QPalette palette = field->palette();
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
    palette.setColor(
        group, QPalette::PlaceholderText,
        between(palette.color(group, QPalette::Text), palette.color(group, QPalette::Base)));
  field->setPalette(palette);
}

}  // namespace

DevicePanel::DevicePanel(QWidget* parent) : QGroupBox(words::text(words::DeviceBox), parent) {
  setObjectName(QStringLiteral("device"));
  model_ = Field("deviceModel", words::text(words::ModelHint));
  serial_ = Field("deviceSerial", words::text(words::SerialHint));
  asset_ = Field("deviceAsset", words::text(words::AssetHint));
  technician_ = Field("technician", words::text(words::TechnicianHint));
  auto* layout = new QFormLayout(this);
  layout->addRow(words::text(words::ModelLabel), model_);
  layout->addRow(words::text(words::SerialLabel), serial_);
  layout->addRow(words::text(words::AssetLabel), asset_);
  layout->addRow(words::text(words::TechnicianLabel), technician_);
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
  lightenHints(field);
  connect(field, &QLineEdit::textEdited, this, [this] { Q_EMIT Edited(); });
  return field;
}

void DevicePanel::Show(const host::SequenceRecord& record) {
  model_->setText(record.device.model);
  serial_->setText(record.device.serialNumber);
  asset_->setText(record.device.assetNumber);
  technician_->setText(record.technician.isEmpty() ? lastTechnician() : record.technician);
}

void DevicePanel::FocusSerial() {
  serial_->setFocus(Qt::OtherFocusReason);
}

host::DeviceUnderTest DevicePanel::Device() const {
  return {model_->text().trimmed(), serial_->text().trimmed(), asset_->text().trimmed()};
}

QString DevicePanel::Technician() const {
  return technician_->text().trimmed();
}

}  // namespace workbench
