#include "views/XVerdictGrid.h"

#include "controls/Grid.h"
#include "controls/MouseCodes.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "services/LanguageService.h"
#include "typelib/IResultData.h"
#include "ui/ControlPlacement.h"
#include "ui/Resources.h"
#include "ui/Twips.h"

namespace orvanRV1Xtst {

namespace {

const QString kLibrary = QStringLiteral("orvanRV1Xtst");
constexpr double kRowHeight = 280;  // twips: one line of text beside a check picture

}  // namespace

XVerdictGrid::XVerdictGrid(const char* objectName, int columnCount,
                           std::initializer_list<GridColumn> columns) {
  setObjectName(QLatin1String(objectName));
  tliResult_ = new controls::Grid(this);
  tliResult_->setObjectName(QStringLiteral("tliResult"));
  resize(ui::toPixels(8550), ui::toPixels(2895));
  connect(tliResult_, &controls::Grid::Click, this,
          [this](int row, int column, rt::Integer button) {
            // Only the left button gives a verdict; nothing a click sets off may
            // reach the event loop.
            if (button == controls::mousebutton::Left)
              rt::ignoreErrors([&] { LeftClick(row, column); });
          });

  host::LanguageService& language = *host::LanguageService::instance();
  rt::ignoreErrors([&] { language.TranslateControls(host::kProduct, this); });
  rt::ignoreErrorsEach(
      [&] { tliResult_->SetRowSelection(false); }, [&] { tliResult_->SetCols(columnCount); },
      [&] { tliResult_->SetRowHeight(kRowHeight); }, [&] { tliResult_->SetFocusRect(0); },
      [&] { tliResult_->SetBackColor(ui::syscolor::Window); });
  int column = 1;
  for (const GridColumn& spec : columns) {
    rt::ignoreErrorsEach(
        [&] {
          if (spec.header)
            tliResult_->SetCellText(0, column, host::translated(QLatin1String(spec.header)));
        },
        [&] { tliResult_->SetColWidth(column, spec.width); },
        [&] {
          if (spec.format) tliResult_->SetColFormat(column, *spec.format);
        });
    ++column;
  }
  rt::ignoreErrorsEach(
      [&] { checkPicture_ = ui::LoadResPicture(kLibrary, QStringLiteral("CHK:CHECK")); },
      [&] { noCheckPicture_ = ui::LoadResPicture(kLibrary, QStringLiteral("CHK:UNCHECK")); });
}

XVerdictGrid::~XVerdictGrid() = default;

void XVerdictGrid::resizeEvent(QResizeEvent* event) {
  ui::UserControl::resizeEvent(event);
  rt::ignoreErrors([&] { ui::moveControl(*tliResult_, 0, 0, ScaleWidth(), ScaleHeight()); });
}

void XVerdictGrid::Clear() {
  rt::ignoreErrors([&] { tliResult_->Clear(); });
}

void XVerdictGrid::ShowTestResult(const host::IResultDataPtr& ird) {
  shownResult_ = ird;
  if (!ird) return;
  tliResult_->SetRedraw(false);
  rt::ignoreErrors([&] {
    tliResult_->Clear();
    const rt::Long count = ird->MeasurementCount();
    for (rt::Long i = 1; i <= count; ++i) {
      rt::ignoreErrors([&] {
        const host::IMeasurementPtr measurement = ird->Measurement(QVariant(i));
        if (!measurement) return;
        tliResult_->AddItem(measurement->Description());
        tliResult_->SetItemKey(controls::Grid::kNewItem, measurement->Key());
        ShowNewRow(tliResult_->NewIndex() + 1, *measurement);
      });
    }
  });
  tliResult_->SetRedraw(true);
}

CMeasurementPtr XVerdictGrid::MeasurementOfRow(int row) const {
  const QString key = tliResult_->ItemKey(row - 1);
  return com::cast<CMeasurement>(com::must(shownResult_).Measurement(QVariant(key)));
}

void XVerdictGrid::UncheckBoth(int row, int trueColumn, int falseColumn) {
  tliResult_->SetCellPicture(row, trueColumn, noCheckPicture_);
  tliResult_->SetCellPicture(row, falseColumn, noCheckPicture_);
}

void XVerdictGrid::ShowChecks(int row, int trueColumn, int falseColumn, const QVariant& value) {
  if (value.isNull()) {
    UncheckBoth(row, trueColumn, falseColumn);
    return;
  }
  const bool verdict = rt::toBoolean(value);
  tliResult_->SetCellPicture(row, trueColumn, verdict ? checkPicture_ : noCheckPicture_);
  tliResult_->SetCellPicture(row, falseColumn, verdict ? noCheckPicture_ : checkPicture_);
}

}  // namespace orvanRV1Xtst
