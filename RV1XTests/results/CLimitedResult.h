#pragma once
// A result of measured numbers judged against the test's limit set: the
// charge-time, discharge, sensitivity, refractory and pacer-accuracy
// results. Their values come from the fields of the analyzer's reply to
// "M", read by the layout of the range the test needs (ReplyLine.h).
//
// A value is measured only when the reply stands in that layout's columns
// and the field holds one plain decimal number, not below 0 unless its
// quantity has a sign: else the measurement stays empty, and that is
// reported once. A reply that is no reading at all leaves every measurement
// empty, reported once. Where the analyzer shows 0 until it has measured a
// field (the fields marked so), 0 leaves the measurement empty too, without
// a report.

#include <QSet>
#include <optional>
#include <span>

#include "results/CResultBase.h"
#include "results/ReplyLine.h"

namespace orvanRV1Xtst {

class CLimitedResult : public CResultBase {
 public:
  // Skip (not applicable): status 3. Otherwise each measurement is judged
  // by the selected standards that this test's limit set holds (the
  // judging standards), where one of them enables a limit of its key:
  // status 1 or 2 when it holds a measured value, 0 when it holds none. A
  // measurement that no judging standard limits is not judged (0). The
  // result:
  //   failed (2)   a judged measurement failed;
  //   passed (1)   every limited measurement was measured and passed, and
  //                at least one was judged;
  //   not judged   otherwise, with the reason: nothing measured, a limited
  //   (0)          value missing, no standard selected, no limit enabled.
  // Then the service record, when the test's filter asks for one (never
  // for status 0).
  void UpdateStatus(const host::ITestElementPtr& test, const host::StandardsCollectionPtr& selected,
                    bool skip);

 protected:
  using CResultBase::CResultBase;

  // Each field's value as a Double into its measurement, in the fields'
  // order; a field not measured empties its measurement. An empty reply
  // changes nothing. Sets ResultStored.
  void StoreReplyFields(const QString& reply, const ReplyLayout& layout,
                        std::span<const ReplyField> fields);
  // The measured value of each field, in the fields' order, or none; a
  // fault of the reply is reported, once for each measurement of this
  // result, or once for the whole reply when it is no reading.
  QList<std::optional<double>> MeasuredFields(const QString& reply, const ReplyLayout& layout,
                                              std::span<const ReplyField> fields);

 private:
  void ReportFieldFault(const QString& key, const QString& fault);
  void ReportLineFault(const QString& description);
  void ReportOnce(const QString& what, const QString& description);

  QSet<QString> reportedFaults_;
};

}  // namespace orvanRV1Xtst
