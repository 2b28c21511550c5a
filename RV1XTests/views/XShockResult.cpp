#include "views/XShockResult.h"

#include "com/ServerModule.h"
#include "controls/Grid.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "runtime/VariantLogic.h"
#include "services/LanguageService.h"
#include "ui/Twips.h"

namespace orvanRV1Xtst {

namespace {

constexpr int kPresetColumn = 2;
constexpr int kShockColumn = 3;
constexpr int kNoShockColumn = 4;

const char* const kShockText = "20247::Shock";
const char* const kNoShockText = "20248::No shock";

constexpr std::uint32_t kBlack = 0;
constexpr std::uint32_t kRed = ui::rgb(255, 0, 0);

using controls::GridColor;

}  // namespace

XShockResult::XShockResult()
    : XVerdictGrid("XShockResult", 5,
                   {{"20245::Description", 2295, controls::gridformat::LeftElided},
                    {"20246::Preset shock", 2000, controls::gridformat::Centered},
                    {kShockText, 1000, controls::gridformat::Centered},
                    {kNoShockText, 1000, controls::gridformat::Centered},
                    {nullptr, 6000, std::nullopt}}) {}

XShockResult::~XShockResult() = default;

void XShockResult::ShowNewRow(int row, host::IMeasurement& measurement) {
  rt::ignoreErrors([&] {
    const char* advice = rt::toBoolean(measurement.PresetValue()) ? kShockText : kNoShockText;
    tliResult_->SetCellText(row, kPresetColumn, host::translated(QLatin1String(advice)));
  });
  rt::ignoreErrors([&] { ShowRowState(row, measurement.Value(), measurement.PresetValue()); });
}

void XShockResult::ShowRowState(int row, const QVariant& value, const QVariant& preset) {
  std::uint32_t fore = ui::syscolor::WindowText;
  rt::ignoreErrors([&] {
    ShowChecks(row, kShockColumn, kNoShockColumn, value);
    if (!value.isNull() && !rt::equals(value, preset)) fore = kRed;
  });
  PaintRow(row, ui::syscolor::Window, fore, tliResult_->RowBold(row));
}

void XShockResult::PaintRow(int row, std::uint32_t back, std::uint32_t fore, bool bold) {
  const int item = row - 1;
  tliResult_->SetItemColor(item, GridColor::BackColor, back);
  tliResult_->SetItemColor(item, GridColor::BackColorSel, back);
  tliResult_->SetItemColor(item, GridColor::ForeColor, fore);
  tliResult_->SetItemColor(item, GridColor::ForeColorSel, fore);
  tliResult_->SetRowColor(row, GridColor::BackColor, back);
  tliResult_->SetRowColor(row, GridColor::BackColorSel, back);
  tliResult_->SetRowColor(row, GridColor::ForeColor, fore);
  tliResult_->SetRowColor(row, GridColor::ForeColorSel, fore);
  tliResult_->SetRowBold(row, bold);
}

void XShockResult::Initialize() {
  rt::ignoreErrors([&] {
    for (int row = 1; row < tliResult_->Rows(); ++row) {
      rt::ignoreErrorsEach([&] { PaintRow(row, ui::syscolor::Window, kBlack, false); },
                           [&] { UncheckBoth(row, kShockColumn, kNoShockColumn); });
    }
  });
  currentRow_ = 0;
  gotResults_ = false;
}

void XShockResult::HighlightNext() {
  if (currentRow_ > 0) {
    rt::ignoreErrors([&] {
      bool failed = false;
      rt::ignoreErrors([&] {
        const CMeasurementPtr finished = MeasurementOfRow(currentRow_);
        failed = finished && finished->Status() == host::resultstatus::Failed;
      });
      PaintRow(currentRow_, ui::syscolor::Window, failed ? kRed : kBlack, true);
    });
  }
  ++currentRow_;
  rt::ignoreErrors(
      [&] { PaintRow(currentRow_, ui::syscolor::Highlight, ui::syscolor::HighlightText, true); });
}

void XShockResult::ApplyVerdict(int row, int column) {
  // The header is no step, and steps not played yet cannot be answered.
  if (row < 1 || row > currentRow_) return;
  if (column != kShockColumn && column != kNoShockColumn) return;
  const bool verdict = column == kShockColumn;
  CMeasurementPtr measurement;
  rt::ignoreErrors([&] { measurement = MeasurementOfRow(row); });
  if (!measurement) return;
  const bool preset =
      rt::orDefault([&] { return rt::toBoolean(measurement->PresetValue()); }, false);
  measurement->SetValue(QVariant(verdict));
  measurement->SetStatus(verdict != preset ? host::resultstatus::Failed
                                           : host::resultstatus::Passed);
  gotResults_ = true;
  rt::ignoreErrors([&] { ShowRowState(row, QVariant(verdict), QVariant(preset)); });
  RaiseEvent(resultviewevent::ItemClicked, {QVariant(row == currentRow_)});
}

RV1X_CREATABLE_CLASS("orvanRV1Xtst", XShockResult)

}  // namespace orvanRV1Xtst
