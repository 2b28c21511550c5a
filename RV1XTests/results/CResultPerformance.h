#pragma once
// The result of the monitor performance test (test 600): the operator's
// judgement whether the defibrillator's monitor showed the simulated ECG
// wave correctly, as one Boolean measurement "PERF" named after the wave.
// The result view sets its value and status; nothing comes from the
// analyzer's replies.

#include "results/CResultBase.h"
#include "typelib/IConfigData.h"

namespace orvanRV1Xtst {

class CResultPerformance final : public CResultBase {
 public:
  CResultPerformance();
  ~CResultPerformance() override;

  // A new "PERF" measurement described by the configuration's wave (an
  // empty description for a wave the table lacks or no performance
  // configuration); an earlier judgement is lost.
  void Initialize(const host::IConfigDataPtr& config = nullptr);
  // Skip (not applicable): status 3 and the judgement cleared. Otherwise
  // the judgement: 0 not judged, 1 passed, 2 failed. Then the service
  // record, when the test's filter asks for one and the result was judged.
  void UpdateStatus(const host::ITestElementPtr& test, bool skip);
  // A mark given on a wave the analyzer was never told to play taken back:
  // "PERF" shows again what the result's status says (empty and not judged
  // for a result without a verdict).
  void WithdrawMarks();

  // The description text key of a wave code; empty for a code without one.
  static QString WaveDescription(rt::Long wavetype);

 protected:
  QString NeverJudgedKey() const override { return notJudgedKey(NotJudged::NoVerdict); }
};

}  // namespace orvanRV1Xtst
