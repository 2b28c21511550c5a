#include "views/XChargeTimeTestResult.h"

#include "com/ServerModule.h"
#include "controls/ListView.h"
#include "limits/Standard.h"
#include "limits/StandardsCollection.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "services/LanguageService.h"
#include "typelib/ILimitData.h"
#include "typelib/IMeasurement.h"
#include "typelib/IResultData.h"
#include "ui/ControlPlacement.h"
#include "ui/Twips.h"

namespace orvanRV1Xtst {

namespace {

struct Column {
  const char* caption;
  double width;  // twips
  controls::ListAlignment alignment;
};

const Column kColumns[] = {
    {"20311::Settings", 2450, controls::ListAlignment::Left},
    {"230::Measurement", 1550, controls::ListAlignment::Right},
    {"232::High limit", 1550, controls::ListAlignment::Right},
    {"233::Low limit", 1550, controls::ListAlignment::Right},
};

const QString kValueKey = QStringLiteral("val");
const QString kHighKey = QStringLiteral("hi");
const QString kLowKey = QStringLiteral("lo");
// An empty cell holds one blank, as every cell the view writes.
const QString kBlank = QStringLiteral(" ");

constexpr std::uint32_t kFailedColor = ui::rgb(255, 0, 0);

// Limit values as display text with a blank and the unit; relative limits
// evaluated against the preset when the selection asks for it.
rt::Long limitFlags(bool calculate) {
  const rt::Long flags = host::valueflag::AsText | host::valueflag::WithUnit;
  return calculate ? flags | host::valueflag::Relative : flags;
}

// The measured value as its general text and unit; nothing when it holds
// none, never a 0 that was not measured. A value that no limit judged
// (status 0) shows all the same: the technician sees every reading.
QString valueText(host::IMeasurement& measurement) {
  const QVariant value = measurement.Value();
  if (value.isNull()) return kBlank;
  const QString text = rt::cstr(rt::toSingle(value));
  if (text.isEmpty()) return kBlank;
  return text + u' ' + measurement.Unit();
}

}  // namespace

XChargeTimeTestResult::XChargeTimeTestResult() {
  setObjectName(QStringLiteral("XChargeTimeTestResult"));
  lvwResult_ = new controls::ListView(this);
  lvwResult_->setObjectName(QStringLiteral("lvwResult"));
  resize(ui::toPixels(8550), ui::toPixels(2895));
  connect(lvwResult_, &controls::ListView::MouseDown, this,
          [this](rt::Integer button, rt::Integer shift, rt::Single x, rt::Single y) {
            rt::ignoreErrors([&] {
              RaiseEvent(resultviewevent::MouseDown,
                         {QVariant::fromValue(button), QVariant::fromValue(shift),
                          QVariant::fromValue(x), QVariant::fromValue(y)});
            });
          });
  rt::ignoreErrorsEach(
      [&] { host::LanguageService::instance()->TranslateControls(host::kProduct, this); },
      [&] { SetupColumns(); });
}

XChargeTimeTestResult::~XChargeTimeTestResult() = default;

void XChargeTimeTestResult::SetupColumns() {
  lvwResult_->hide();
  lvwResult_->SetView(controls::ListViewStyle::Report);
  for (const Column& column : kColumns) {
    rt::ignoreErrors([&] {
      lvwResult_->AddColumn(QString(), host::translated(column.caption), column.width,
                            column.alignment);
    });
  }
  lvwResult_->show();
}

void XChargeTimeTestResult::resizeEvent(QResizeEvent* event) {
  ui::UserControl::resizeEvent(event);
  rt::ignoreErrors([&] { ui::moveControl(*lvwResult_, 0, 0, ScaleWidth(), ScaleHeight()); });
}

void XChargeTimeTestResult::SetLimits(const host::ILimitDataPtr& limits) {
  limits_ = limits;
  rt::ignoreErrors([&] { ShowLimits(); });
}

void XChargeTimeTestResult::Clear() {
  rt::ignoreErrors([&] { lvwResult_->ClearItems(); });
}

void XChargeTimeTestResult::ShowTestResult(const host::IResultDataPtr& ird) {
  shownResult_ = ird;
  if (!ird) return;
  rt::ignoreErrors([&] {
    const rt::Long count = ird->MeasurementCount();
    for (rt::Long i = 1; i <= count; ++i) {
      rt::ignoreErrors([&] {
        if (const host::IMeasurementPtr measurement = ird->Measurement(QVariant(i)))
          ShowMeasurement(measurement);
      });
    }
  });
  rt::ignoreErrors([&] { ShowLimits(); });
}

void XChargeTimeTestResult::ShowMeasurement(const host::IMeasurementPtr& measurement) {
  host::IMeasurement& shown = *measurement;
  int row = 0;
  rt::ignoreErrors([&] {
    const QString key = shown.Key();
    row = lvwResult_->FindItem(key);
    if (row != 0) return;
    row = lvwResult_->AddItem(key, shown.Description());
    for (const QString& subKey : {kValueKey, kHighKey, kLowKey})
      lvwResult_->AddSubItem(row, subKey, kBlank);
  });
  if (row == 0) return;
  rt::ignoreErrorsEach([&] { lvwResult_->SetSubItemText(row, kValueKey, valueText(shown)); },
                       [&] { SetRowStyle(row, shown.Status()); },
                       [&] { lvwResult_->SetSelectedItem(0); });
}

void XChargeTimeTestResult::SetRowStyle(int row, rt::Long status) {
  const bool failed = status == host::resultstatus::Failed;
  const std::uint32_t colour = failed ? kFailedColor : ui::syscolor::WindowText;
  lvwResult_->SetItemBold(row, failed);
  lvwResult_->SetItemForeColor(row, colour);
  for (int subItem = 1; subItem <= lvwResult_->SubItemCount(row); ++subItem) {
    lvwResult_->SetSubItemBold(row, subItem, failed);
    lvwResult_->SetSubItemForeColor(row, subItem, colour);
  }
}

void XChargeTimeTestResult::SelectStandard(const QString& sAName, const QString& sCName,
                                           bool fCalc) {
  selection_ = Selection{sAName, sCName, fCalc};
  rt::ignoreErrors([&] { ShowLimits(); });
}

// The limit columns for the selected standard; a standard that is not
// found leaves them as they are, and an error ends the filling.
void XChargeTimeTestResult::ShowLimits() {
  if (!selection_ || !limits_) return;
  const host::StandardsCollectionPtr standards = limits_->Standards();
  if (!standards) return;
  const host::StandardPtr standard =
      standards->Find(0, selection_->alphaName, selection_->completeName);
  if (!standard) return;
  const rt::Long flags = limitFlags(selection_->calculate);
  const QString toolTip = standard->CompleteName();
  for (int row = 1; row <= lvwResult_->ItemCount(); ++row) {
    const QString key = lvwResult_->ItemKey(row);
    if (key.isEmpty()) continue;
    auto measurement =
        com::cast<host::IMeasurement2>(com::must(shownResult_).Measurement(QVariant(key)));
    host::IMeasurement2& limitsOf = com::must(measurement);
    SetLimitCell(limitsOf.GetLimitValue(standard, 0, flags), row, kHighKey, toolTip);
    SetLimitCell(limitsOf.GetLimitValue(standard, 1, flags), row, kLowKey, toolTip);
  }
}

void XChargeTimeTestResult::SetLimitCell(const QVariant& value, int row, const QString& key,
                                         const QString& toolTip) {
  const QString text = value.isNull() ? kBlank : rt::cstr(value);
  lvwResult_->SetSubItemText(row, key, text);
  lvwResult_->SetSubItemToolTip(row, key, toolTip);
}

RV1X_CREATABLE_CLASS("orvanRV1Xtst", XChargeTimeTestResult)

}  // namespace orvanRV1Xtst
