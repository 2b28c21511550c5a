#pragma once
// The result view that the guide window shows while a test runs, chosen by
// the test's ID: it is handed the test's limit set, cleared, shown the
// result (again after every update) and told which standard the operator
// selected. Implemented by the three result views of the test library; not
// creatable itself.

#include <QString>

#include "com/Object.h"
#include "typelib/HostTypes.h"

namespace orvanRV1Xtst {

class IRV1XResultView : public virtual com::Object {
 public:
  ~IRV1XResultView() override;
  // The limits to fill the limit columns from.
  virtual void SetLimits(const host::ILimitDataPtr& limits) = 0;
  // Empties the view.
  virtual void Clear() = 0;
  // Shows or updates the result's measurements; Nothing keeps what is shown.
  virtual void ShowTestResult(const host::IResultDataPtr& ird) = 0;
  // The standard of that alpha and complete name is the one to show; fCalc:
  // relative limits are evaluated against the preset values.
  virtual void SelectStandard(const QString& sAName, const QString& sCName, bool fCalc) = 0;
};

using IRV1XResultViewPtr = std::shared_ptr<IRV1XResultView>;

}  // namespace orvanRV1Xtst
