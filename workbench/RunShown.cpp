#include "RunShown.h"

#include "RunCompanion.h"
#include "SequenceModel.h"
#include "SequenceRun.h"
#include "WorkbenchWords.h"
#include "elements/TestName.h"
#include "sequence/SequenceDocument.h"
#include "typelib/ITestElement.h"

namespace workbench {

RunShown::RunShown(const host::SequenceDocument& sequence, const hostapp::SequenceRun& run,
                   SequenceModel& model, RunCompanion& companion, int count)
    : sequence_(sequence), run_(run), model_(model), companion_(companion), count_(count) {}

void RunShown::Reached(int index) {
  const host::ITestElementPtr test = sequence_.Element(index);
  model_.SetRunning(test);
  companion_.SetProgress(QStringLiteral("%1: %2").arg(
      words::text(words::Progress, {++reached_, count_}), host::shownTestName(com::must(test))));
  if (run_.StopRequested()) companion_.ShowStopping();
}

void RunShown::Left(int index, rt::Long) {
  model_.SetRunning(nullptr);
  model_.RowChanged(model_.RowOfElement(index));
}

}  // namespace workbench
