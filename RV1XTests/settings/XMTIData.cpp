#include "settings/XMTIData.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

#include "com/ServerModule.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "services/LanguageService.h"
#include "services/RegistryHelper.h"
#include "settings/TextSelection.h"
#include "ui/Twips.h"

namespace orvanRV1Xtst {

namespace {

const QString kKey = QStringLiteral("Software\\Tavrin\\Orvan\\RV-1X\\MtiData\\");
const QString kMruValue = QStringLiteral("MRU");
const QString kSerialValue = QStringLiteral("Serial");
const QString kFirmwareValue = QStringLiteral("Firmware");

// The models of an empty key, in entry order.
const char* const kDefaultTypes[] = {"RV-11", "RV-12P", "RV-15"};

QLabel* label(const char* name, const char* caption, QWidget* parent) {
  auto* l = new QLabel(QString::fromLatin1(caption), parent);
  l->setObjectName(QLatin1String(name));
  return l;
}

QString textValue(host::RegistryHelper& key, const QString& name) {
  return rt::cstr(key.ReadValue(name)).trimmed();
}

}  // namespace

XMTIData::XMTIData() {
  setObjectName(QStringLiteral("XMTIData"));
  lblTitle_ = label("lblTitle", "462::MTI data", this);
  QFont titleFont(QStringLiteral("Arial Black"));
  titleFont.setPointSize(10);
  lblTitle_->setFont(titleFont);
  lblMtiType_ = label("lblMtiType", "20210::MTI Type:", this);
  lblSerial_ = label("lblSerial", "20211::Serial number:", this);
  lblFirmWare_ = label("lblFirmWare", "20212::Firmware version:", this);
  cboMtiType_ = new QComboBox(this);
  cboMtiType_->setObjectName(QStringLiteral("cboMtiType"));
  txtSerial_ = new QLineEdit(this);
  txtSerial_->setObjectName(QStringLiteral("txtSerial"));
  txtFirmware_ = new QLineEdit(this);
  txtFirmware_->setObjectName(QStringLiteral("txtFirmware"));

  auto* layout = new QGridLayout(this);
  layout->addWidget(lblTitle_, 0, 0, 1, 2);
  layout->addWidget(lblMtiType_, 1, 0);
  layout->addWidget(cboMtiType_, 1, 1);
  layout->addWidget(lblSerial_, 2, 0);
  layout->addWidget(txtSerial_, 2, 1);
  layout->addWidget(lblFirmWare_, 3, 0);
  layout->addWidget(txtFirmware_, 3, 1);
  layout->setRowStretch(4, 1);
  resize(ui::toPixels(4935), ui::toPixels(2295));

  connect(cboMtiType_, &QComboBox::activated, this, [this](int position) {
    if (position < 0 || position >= kEntryCount) return;
    selected_ = position;
    ShowSelected();
  });
  connect(txtSerial_, &QLineEdit::textChanged, this,
          [this](const QString& text) { entries_.at(selected_)->SetSerial(text); });
  connect(txtFirmware_, &QLineEdit::textChanged, this,
          [this](const QString& text) { entries_.at(selected_)->SetFirmware(text); });
  txtSerial_->installEventFilter(this);
  txtFirmware_->installEventFilter(this);

  for (CMtiData2Ptr& entry : entries_) entry = std::make_shared<CMtiData2>();
  rt::ignoreErrorsEach(
      [&] { host::LanguageService::instance()->TranslateControls(host::kProduct, this); },
      [&] { RegLoad(); },
      [&] {
        cboMtiType_->clear();
        for (const CMtiData2Ptr& entry : entries_) cboMtiType_->addItem(entry->MtiType());
      },
      [&] { ShowSelected(); });
}

XMTIData::~XMTIData() = default;

void XMTIData::RegLoad() {
  host::RegistryHelper key;
  rt::Long mru = 0;
  rt::Long subKeys = 0;
  rt::ignoreErrorsEach([&] { key.OpenKey(host::HKEY_LOCAL_MACHINE, kKey); },
                       [&] { mru = rt::toLong(key.ReadValue(kMruValue)); },
                       [&] { subKeys = key.SubKeyCount(); });
  // A stored index outside the three entries would select none of them.
  selected_ = mru >= 0 && mru < kEntryCount ? static_cast<int>(mru) : 0;

  if (subKeys == 0) {
    for (int i = 0; i < kEntryCount; ++i)
      entries_.at(i)->SetMtiType(QLatin1String(kDefaultTypes[i]));
    return;
  }
  // The first three sub-keys in the registry's order; loading ends at the
  // first failure (fewer sub-keys), leaving the remaining entries empty.
  rt::ignoreErrors([&] {
    for (int i = 0; i < kEntryCount; ++i) {
      const host::RegistryHelperPtr sub = key.SubKey(i + 1);
      CMtiData2& entry = *entries_.at(i);
      entry.SetMtiType(sub->SubKeyName());
      entry.SetSerial(textValue(*sub, kSerialValue));
      entry.SetFirmware(textValue(*sub, kFirmwareValue));
    }
  });
}

void XMTIData::ShowSelected() {
  const CMtiData2& entry = *entries_.at(selected_);
  const QString firmware = entry.Firmware();
  const QString serial = entry.Serial();
  cboMtiType_->setCurrentIndex(selected_);
  txtFirmware_->setText(firmware);
  txtSerial_->setText(serial);
}

void XMTIData::RegSave() {
  host::RegistryHelper key;
  rt::ignoreErrorsEach(
      [&] { key.CreateKey(host::HKEY_LOCAL_MACHINE, kKey); },
      [&] { key.WriteValue(kMruValue, QVariant(static_cast<rt::Long>(selected_))); });
  for (const CMtiData2Ptr& entry : entries_) {
    // An entry without model type has no sub-key of its own: its values
    // would land on the MtiData key itself.
    if (entry->MtiType().isEmpty()) continue;
    host::RegistryHelper sub;
    rt::ignoreErrorsEach([&] { sub.CreateKey(host::HKEY_LOCAL_MACHINE, kKey + entry->MtiType()); },
                         [&] { sub.WriteValue(kFirmwareValue, entry->Firmware()); },
                         [&] { sub.WriteValue(kSerialValue, entry->Serial()); });
  }
}

void XMTIData::SetMtiData(const CMtiData2Ptr& identity) {
  if (!identity) return;
  // The model types of the list never change, or a later pick of a model
  // would record another: the identity selects the entry of its type, and
  // one of a type the list does not hold changes nothing.
  const auto entry = std::find_if(entries_.begin(), entries_.end(), [&](const CMtiData2Ptr& e) {
    return e->MtiType().compare(identity->MtiType(), Qt::CaseInsensitive) == 0;
  });
  if (entry == entries_.end()) return;
  selected_ = static_cast<int>(entry - entries_.begin());
  (*entry)->SetSerial(identity->Serial());
  (*entry)->SetFirmware(identity->Firmware());
  // The operator sees the identity that will be registered.
  rt::ignoreErrors([&] { ShowSelected(); });
}

namespace {

// The models a found model's text names: "RV-12P/15" is RV-12P and RV-15,
// the names after the first taking its family's prefix.
QStringList modelsNamed(const QString& found) {
  const QStringList parts = found.split(u'/', Qt::SkipEmptyParts);
  if (parts.isEmpty()) return {};
  const QString first = parts.first().trimmed();
  const QString family = first.left(first.lastIndexOf(u'-') + 1);
  QStringList models{first};
  for (qsizetype i = 1; i < parts.size(); ++i) {
    const QString part = parts.at(i).trimmed();
    models.append(part.contains(u'-') ? part : family + part);
  }
  return models;
}

}  // namespace

void XMTIData::SelectFoundModel(const QString& found) {
  const QStringList models = modelsNamed(found);
  const auto isFound = [&](const CMtiData2Ptr& entry) {
    return models.contains(entry->MtiType(), Qt::CaseInsensitive);
  };
  if (models.isEmpty() || isFound(entries_.at(selected_))) return;
  const auto entry = std::find_if(entries_.begin(), entries_.end(), isFound);
  if (entry == entries_.end()) return;
  selected_ = static_cast<int>(entry - entries_.begin());
  rt::ignoreErrors([&] { ShowSelected(); });
}

void XMTIData::LockedChanged(bool locked) {
  cboMtiType_->setEnabled(!locked);
  txtSerial_->setReadOnly(locked);
  txtFirmware_->setReadOnly(locked);
}

void XMTIData::Initialize(const QVariant& Data) {
  rt::ignoreErrors([&] {
    if (auto identity = com::queryInterface<CMtiData2>(com::toObject(Data))) SetMtiData(identity);
  });
}

void XMTIData::SetFocus() {
  cboMtiType_->setFocus();
}

bool XMTIData::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn && (watched == txtSerial_ || watched == txtFirmware_))
    MMiscUtils::SelectAllText(static_cast<QLineEdit*>(watched));
  return ui::UserControl::eventFilter(watched, event);
}

RV1X_CREATABLE_CLASS("orvanRV1Xtst", XMTIData)

}  // namespace orvanRV1Xtst
