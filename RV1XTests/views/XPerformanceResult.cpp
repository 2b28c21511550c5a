#include "views/XPerformanceResult.h"

#include "com/ServerModule.h"
#include "controls/Grid.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "ui/Twips.h"

namespace orvanRV1Xtst {

namespace {

constexpr int kPassedColumn = 2;
constexpr int kFailedColumn = 3;
constexpr std::uint32_t kRed = ui::rgb(255, 0, 0);

}  // namespace

XPerformanceResult::XPerformanceResult()
    : XVerdictGrid("XPerformanceResult", 4,
                   {{"311::Description", 2295, controls::gridformat::LeftElided},
                    {"2051::Test passed", 1000, controls::gridformat::Centered},
                    {"2052::Test fail", 1000, controls::gridformat::Centered}}) {}

XPerformanceResult::~XPerformanceResult() = default;

void XPerformanceResult::ShowNewRow(int row, host::IMeasurement& measurement) {
  rt::ignoreErrors([&] { ShowRowState(row, measurement.Value()); });
}

void XPerformanceResult::ShowRowState(int row, const QVariant& value) {
  std::uint32_t fore = ui::syscolor::WindowText;
  rt::ignoreErrors([&] {
    ShowChecks(row, kPassedColumn, kFailedColumn, value);
    if (!value.isNull() && !rt::toBoolean(value)) fore = kRed;
  });
  tliResult_->SetItemColor(row - 1, controls::GridColor::ForeColor, fore);
  tliResult_->SetItemColor(row - 1, controls::GridColor::ForeColorSel, fore);
}

void XPerformanceResult::LeftClick(int row, int column) {
  if (ApplyVerdict(row, column)) RaiseEvent(resultviewevent::ItemClicked);
}

bool XPerformanceResult::ApplyVerdict(int row, int column) {
  if (row < 1) return false;
  if (column != kPassedColumn && column != kFailedColumn) return false;
  const bool verdict = column == kPassedColumn;
  CMeasurementPtr measurement;
  rt::ignoreErrors([&] { measurement = MeasurementOfRow(row); });
  if (!measurement) return false;
  measurement->SetValue(QVariant(verdict));
  measurement->SetStatus(verdict ? host::resultstatus::Passed : host::resultstatus::Failed);
  rt::ignoreErrors([&] { ShowRowState(row, QVariant(verdict)); });
  return true;
}

RV1X_CREATABLE_CLASS("orvanRV1Xtst", XPerformanceResult)

}  // namespace orvanRV1Xtst
