#include "results/CLimitedResult.h"

#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "typelib/ITestElement.h"

namespace orvanRV1Xtst {

double replyNumber(const QString& reply, int first, int length) {
  return rt::val(reply.mid(first - 1, length));
}

void CLimitedResult::UpdateStatus(const host::ITestElementPtr& test,
                                  const host::StandardsCollectionPtr& selected, bool skip) {
  if (skip) {
    status_ = resultstatus::Skipped;
  } else if (!HasMeasuredValue()) {
    // Nothing was measured: a verdict would judge the limits against an
    // invented 0.
    status_ = resultstatus::NotEvaluated;
    return;
  } else {
    status_ = resultstatus::Passed;
    const host::ILimitDataPtr limits =
        rt::orDefault([&] { return com::must(test).Limits(); }, host::ILimitDataPtr());
    for (const CMeasurementPtr& measurement : measurements_) {
      rt::ignoreErrors([&] {
        com::must(measurement).CalculateStatus(limits, selected);
        if (measurement->Status() == measurementstatus::Failed) status_ = resultstatus::Failed;
      });
    }
  }
  BuildServiceRecordOf(test);
}

void CLimitedResult::StoreReplyFields(const QString& reply, std::span<const ReplyField> fields) {
  if (!reply.isEmpty()) {
    for (const ReplyField& field : fields) {
      rt::ignoreErrors([&] {
        com::must(MeasurementByKey(QLatin1String(field.key)))
            .SetValue(replyNumber(reply, field.first, field.length));
      });
    }
  }
  MarkStored();
}

}  // namespace orvanRV1Xtst
