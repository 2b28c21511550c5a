#pragma once
// A result of measured numbers judged against the test's limit set: the
// charge-time, discharge, sensitivity, refractory and pacer-accuracy
// results. Their values come from fixed 1-based character columns of the
// analyzer's reply to "M".
//
// A value is measured only when the reply holds its whole field and the
// field reads as one number: a field the reply does not reach or ends
// inside, a number that runs on across the field's edge (a line shifted
// against its columns), letters, a number beyond range or a blank field
// leave the measurement empty, and that is reported once. Where the analyzer shows 0
// until it has measured a column (the fields marked so below), 0 leaves
// the measurement empty too, without a report.

#include <QSet>
#include <optional>
#include <span>

#include "results/CResultBase.h"

namespace orvanRV1Xtst {

// One field of the reply: the measurement it goes to, its first character
// (from 1), its length, and whether the analyzer's 0 there means "not
// measured yet".
struct ReplyField {
  const char* key;
  int first;
  int length;
  bool zeroIsNone = false;
};

// What a field of a reply holds: its value when it was measured; else,
// when the reply itself is at fault, why not (empty for the analyzer's
// "not measured yet" 0).
struct FieldReading {
  std::optional<double> value;
  QString fault;
};
FieldReading readReplyField(const QString& reply, const ReplyField& field);

// The number at the start of a reply's field: "." the decimal point, blanks,
// tabs and line feeds ignored, a sign and an exponent taken; 0 when there is
// none, also when the reply ends before the field. For the polls that only
// ask whether the analyzer shows something yet.
double replyNumber(const QString& reply, int first, int length);

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
  void StoreReplyFields(const QString& reply, std::span<const ReplyField> fields);
  // The measured value of one field, or none; a fault of the reply is
  // reported, once for each measurement of this result.
  std::optional<double> MeasuredField(const QString& reply, const ReplyField& field);
  void ReportFieldFault(const QString& key, const QString& fault);

 private:
  QSet<QString> reportedFaults_;
};

}  // namespace orvanRV1Xtst
