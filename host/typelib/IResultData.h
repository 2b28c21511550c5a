#pragma once

#include "typelib/HostTypes.h"

namespace host {

// The status of a result and of a measurement, as stored. NotApplicable is
// a result's only: the test was declared not applicable (a test the
// operator skipped keeps no result).
namespace resultstatus {
inline constexpr rt::Long NotEvaluated = 0;
inline constexpr rt::Long Passed = 1;
inline constexpr rt::Long Failed = 2;
inline constexpr rt::Long NotApplicable = 3;
}  // namespace resultstatus

class IResultData : public virtual com::Object {
 public:
  ~IResultData() override;
  virtual QString Comment() = 0;
  virtual void SetComment(const QString& comment) = 0;
  virtual bool HasDialog() = 0;
  virtual rt::Long Status() = 0;
  // By 1-based position or by key (compared without regard to case).
  virtual IMeasurementPtr Measurement(const QVariant& index) = 0;
  virtual rt::Long MeasurementCount() = 0;
  virtual ServiceRecordPtr ServiceRecord() = 0;
  virtual rt::Long MTIID() = 0;
  virtual void SetMTIID(rt::Long index) = 0;
  virtual IDialogPtr CreateDialog() = 0;
  virtual void Load(const XmlElementPtr& ixeIn, const HostLogPtr& iprLog) = 0;
  virtual XmlElementPtr Save(const XmlDocumentPtr& ixdOwner) = 0;
  virtual void PrintReport(const HostReportPtr& iarReport, const QVariant& arg2) = 0;
};

// What a result or a measurement tells of its verdict beyond its status.
// The plug-in's results and measurements answer it; a host asks for it with
// queryInterface and does without it where it is not there.
class IVerdict : public virtual com::Object {
 public:
  ~IVerdict() override;
  // Why there is no verdict (status 0) although the test ran, in the user's
  // language: a clause such as "no limit is enabled"; empty when there is a
  // verdict, or when nothing was ever judged.
  virtual QString NotJudgedReason() = 0;
  // The standards whose limits judged the result, by name (their limits are
  // not copied); Nothing when no standard did (an operator's verdict, not
  // applicable, never judged).
  virtual StandardsCollectionPtr JudgedBy() = 0;
};
using IVerdictPtr = std::shared_ptr<IVerdict>;

}  // namespace host
