#pragma once
// What the workbench shows of a run while it goes: the row of the test
// under way, "Test <k> of <n>: <name>" in the companion beside the guide,
// and each row read again once its test is left, where the table shows
// its verdict and values. What the run tells beyond that (the command
// line's lines) the window does not show.

#include "RunListener.h"

namespace host {
class SequenceDocument;
}

namespace hostapp {
class SequenceRun;
}

namespace workbench {

class RunCompanion;
class SequenceModel;

class RunShown : public hostapp::RunListener {
 public:
  // count: how many tests the run was given.
  RunShown(const host::SequenceDocument& sequence, const hostapp::SequenceRun& run,
           SequenceModel& model, RunCompanion& companion, int count);

  void Reached(int index) override;
  void Left(int index, rt::Long status) override;

 private:
  const host::SequenceDocument& sequence_;
  const hostapp::SequenceRun& run_;
  SequenceModel& model_;
  RunCompanion& companion_;
  int count_;
  int reached_ = 0;
};

}  // namespace workbench
