#pragma once
// The result view that the guide window shows while a test runs, the one
// its test element names: it is handed the test's limit set, cleared, shown
// the result (again after every update) and told which standard the
// operator selected. A view whose steps are played one after the other (the
// shock-advisory view) is also told when a run begins and when each step
// begins, and answers whether the operator gave a verdict; the other views
// take these as nothing. Implemented by the three result views of the test
// library; not creatable itself.

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

  // A new run begins: no step is played or answered yet.
  virtual void Initialize() {}
  // The step being played is finished and the next one begins.
  virtual void HighlightNext() {}
  // Whether the operator gave a verdict since the last Initialize.
  virtual bool GotResults() const { return false; }
};

using IRV1XResultViewPtr = std::shared_ptr<IRV1XResultView>;

// The result views' events, by the names their extender passes them on.
namespace resultviewevent {
// An operator verdict was taken: the shock-advisory view tells whether it
// was for the step being played (one Boolean), the performance view tells
// nothing more.
inline const QString ItemClicked = QStringLiteral("ItemClicked");
// A mouse button went down on the limits view: button, shift (the codes of
// controls/MouseCodes.h), x, y.
inline const QString MouseDown = QStringLiteral("MouseDown");
}  // namespace resultviewevent

}  // namespace orvanRV1Xtst
