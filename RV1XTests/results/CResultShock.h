#pragma once
// The result of the shock-advisory test (test 700): one Boolean measurement
// per step of the configuration, keyed by the step's key, whose preset is
// the advice the step expects and whose value is the advice the operator
// saw (set by the result view). The test passes when every step was
// answered with the expected advice, and fails when any step was not.
//
// It always holds a service record (an empty one until it is evaluated or
// loaded) and stores its layout version: "Version"="2" in every element it
// writes. A document without version, or with one below 2, is in the older
// layout, which carried the steps themselves; their expected advice is
// rebuilt from the stored verdicts.

#include "results/CResultBase.h"
#include "typelib/IConfigData.h"

namespace orvanRV1Xtst {

class CResultShock final : public CResultBase {
 public:
  CResultShock();
  ~CResultShock() override;

  // One unanswered measurement per step of a shock-advisory configuration,
  // in the steps' order, described by the step's wave name at this moment;
  // none for any other configuration.
  void Initialize(const host::IConfigDataPtr& config = nullptr);
  // The reply is not used.
  void StoreResult(const QString& reply);
  // Skip (not applicable): status 3, every verdict cleared. Otherwise each
  // answered step passes when its verdict equals its expected advice, and
  // the result is 2 when a step failed, else 1 when every step passed, else
  // 0 (a step still unanswered). Then the service record, when the test's filter asks for
  // one and something was answered.
  void UpdateStatus(const host::ITestElementPtr& test, bool skip);

 protected:
  void BeginLoad(host::XmlElement& element) override;
  void LoadMeasurement(const host::XmlElementPtr& child, const host::HostLogPtr& log) override;
  void EndLoad() override { configured_ = Measurements(); }
  void SaveAttributes(host::XmlElement& element) override;
  // No step to answer, no answer, or a step left unanswered.
  QString NeverJudgedKey() const override;

 private:
  void LoadOlderStep(const host::XmlElementPtr& child, const host::HostLogPtr& log);

  bool olderLayout_ = false;
  // While an older document loads: the steps Initialize made from the
  // current configuration.
  Measurements configured_;
};

}  // namespace orvanRV1Xtst
