#pragma once
// A result of measured numbers judged against the test's limit set: the
// charge-time, discharge, sensitivity, refractory and pacer-accuracy
// results. Their values come from fixed 1-based character columns of the
// analyzer's reply to "M".

#include <span>

#include "results/CResultBase.h"

namespace orvanRV1Xtst {

// One field of the reply: the measurement it goes to, its first character
// (from 1) and its length.
struct ReplyField {
  const char* key;
  int first;
  int length;
};

// The number at the start of a reply's field: "." the decimal point, blanks,
// tabs and line feeds ignored, a sign and an exponent taken; 0 when there is
// none, also when the reply ends before the field.
double replyNumber(const QString& reply, int first, int length);

class CLimitedResult : public CResultBase {
 public:
  // Skipped: status 3. Otherwise status 1, or 2 when any measurement fails a
  // selected standard (every measurement is judged). A result whose
  // measurements hold no value is not judged at all: it stays at status 0
  // and builds no service record. Then the service record, when the test's
  // filter asks for one.
  void UpdateStatus(const host::ITestElementPtr& test, const host::StandardsCollectionPtr& selected,
                    bool skip);

 protected:
  using CResultBase::CResultBase;

  // Each field's number as a Double into its measurement, in the fields'
  // order; an empty reply changes nothing. Sets ResultStored.
  void StoreReplyFields(const QString& reply, std::span<const ReplyField> fields);
};

}  // namespace orvanRV1Xtst
