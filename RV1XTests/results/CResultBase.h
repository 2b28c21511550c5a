#pragma once
// What the seven results share: the host's result interface, the
// measurements in creation order (looked up by 1-based position or by key
// without regard to case), the status, the operator's comment, the analyzer
// identity's index, the service record, the stored form
//   <ResultItem MTI="3">
//     <Status Code="1"/> <Standard AlphaName="..." CompleteName="..."/> ...
//     <Comment>...</Comment> <ServiceRecord .../>
//     <Measurement Key="...">...</Measurement> ...
//   </ResultItem>
// with its load and save error handling, the printed result table and the
// detail dialog. A result class gives its kind (error source, loading text,
// dialog) and its measurements, and adds what is its own through the hooks.
//
// A "Standard" names a standard whose limits judged the result (none for a
// verdict of the operator's). A result not judged keeps the text key of the
// reason as the text of its status ("<Status Code="0">20652::no limit is
// enabled</Status>"). The measurements are stored whenever one of them
// holds a value, whatever the status: what was measured is never dropped.
//
// Every result reads its "ServiceRecord" back, so that loading and saving a
// stored result keeps its service documentation. A "Measurement" child that
// the result cannot take (a key it has no measurement of) is reported and
// the load goes on with the next child, so one foreign element loses
// nothing stored after it.

#include <memory>

#include "results/CMeasurement.h"
#include "results/NotJudged.h"
#include "runtime/KeyedCollection.h"
#include "typelib/IResultData.h"

namespace orvanRV1Xtst {

// Load of an element that is not "ResultItem" (severity 4), and a save whose
// document makes no element (severity 3); both go on to the caller.
inline constexpr rt::Long kResultLoadError = rt::hresult(0x8004A3EBu);
inline constexpr rt::Long kResultSaveError = rt::hresult(0x8004A3ECu);

struct ResultKind {
  QString source;          // the source of its errors
  QString loadingTextKey;  // the log step of a load
  QString dialogProgId;    // the control its dialog hosts
};

// One measurement a result creates: key, description text key, unit, value
// type and display pattern.
struct MeasurementSpec {
  const char* key;
  const char* description;
  const char* unit;
  rt::Long valueType;
  const char* pattern;
};

using Measurements = rt::KeyedCollection<CMeasurementPtr>;

class CResultBase : public host::IResultData,
                    public host::IVerdict,
                    public std::enable_shared_from_this<CResultBase> {
 public:
  ~CResultBase() override;

  // IResultData.
  QString Comment() override { return comment_; }
  void SetComment(const QString& comment) override { comment_ = comment; }
  bool HasDialog() override { return !comment_.isEmpty(); }
  rt::Long Status() override { return status_; }
  // By 1-based position (a number) or by key (a text); Nothing when there is
  // no such measurement.
  host::IMeasurementPtr Measurement(const QVariant& index) override;
  rt::Long MeasurementCount() override { return measurements_.Count(); }
  host::ServiceRecordPtr ServiceRecord() override { return serviceRecord_; }
  rt::Long MTIID() override { return mtiId_; }
  void SetMTIID(rt::Long index) override { mtiId_ = index; }
  host::IDialogPtr CreateDialog() override;
  void Load(const host::XmlElementPtr& ixeIn, const host::HostLogPtr& iprLog) override;
  host::XmlElementPtr Save(const host::XmlDocumentPtr& ixdOwner) override;
  void PrintReport(const host::HostReportPtr& iarReport, const QVariant& arg2) override;

  // IVerdict. A result of status 0 always tells why: the reason its last
  // judgement gave, else what a result of its kind lacks when it was never
  // judged ("nothing was measured").
  QString NotJudgedReason() override;
  host::StandardsCollectionPtr JudgedBy() override { return judgedBy_; }

  // The library's own members (test elements and result views).
  const ResultKind& kind() const { return kind_; }
  void SetStatus(rt::Long status) { status_ = status; }
  const QString& StatusText() const { return statusText_; }
  // True once StoreResult has run, also for an empty reply.
  bool ResultStored() const { return resultStored_; }
  // Whether any measurement holds a value. A result whose measurements hold
  // none (the analyzer never answered, the run stopped before measuring) is
  // never evaluated: UpdateStatus leaves it at status 0 without a service
  // record, and the test element can tell from this.
  bool HasMeasuredValue() const;
  // The measurement of that key (without regard to case), or Nothing.
  CMeasurementPtr MeasurementByKey(const QString& key) const;
  const Measurements& MeasurementList() const { return measurements_; }
  // The text key of the reason a result of status 0 gives (NotJudgedReason
  // untranslated); empty for one with a verdict.
  QString NotJudgedKey() const;
  // Whether the result holds a verdict, or was judged and told why not.
  bool Evaluated() const {
    return status_ != host::resultstatus::NotEvaluated || !notJudged_.isEmpty();
  }

  // A new service record of the flag and the measurements' value texts,
  // when the filter asks for one and the result was evaluated; otherwise
  // the record held stays.
  void BuildServiceRecord(const host::TestFilterPtr& filter);

 protected:
  explicit CResultBase(ResultKind kind);

  // Initialize's steps: a new, empty collection, then each measurement.
  void NewMeasurements() { measurements_ = Measurements(); }
  CMeasurementPtr AddMeasurement(const MeasurementSpec& spec, const QVariant& preset = QVariant());
  void MarkStored() { resultStored_ = true; }
  // Status 3 (not applicable), and every measurement back to no value and
  // status 0: the operator's verdicts do not outlive a skip.
  void SkipDiscardingVerdicts();
  // BuildServiceRecord with the test's filter.
  void BuildServiceRecordOf(const host::ITestElementPtr& test);
  // The outcome of a judgement: a verdict (passed, failed, not applicable)
  // clears the reason; status 0 keeps the reason's text key.
  void SetVerdict(rt::Long status, const QString& notJudgedKey = QString()) {
    status_ = status;
    notJudged_ = status == host::resultstatus::NotEvaluated ? notJudgedKey : QString();
  }
  void SetJudgedBy(host::StandardsCollectionPtr standards) { judgedBy_ = std::move(standards); }
  // The reason a result of this kind that was never judged gives.
  virtual QString NeverJudgedKey() const { return notJudgedKey(NotJudged::NothingMeasured); }

  // Load: after the element check and the "MTI" attribute, before the walk.
  virtual void BeginLoad(host::XmlElement& /*element*/) {}
  // One "Measurement" child: by default the measurement of its key loads
  // itself from it; a key without measurement raises.
  virtual void LoadMeasurement(const host::XmlElementPtr& child, const host::HostLogPtr& log);
  // After the walk of a load that did not fail.
  virtual void EndLoad() {}
  // Any child but "Comment", "Status", "Measurement" and "ServiceRecord".
  virtual void LoadOtherChild(const QString& /*tag*/, const host::XmlElementPtr& /*child*/,
                              const host::HostLogPtr& /*log*/) {}
  // Save: attributes after "MTI", the status text written, and children
  // after the measurements.
  virtual void SaveAttributes(host::XmlElement& /*element*/) {}
  virtual QString SavedStatusText() { return statusText_; }
  virtual void SaveAfterMeasurements(host::XmlElement& /*element*/,
                                     const host::XmlDocumentPtr& /*document*/) {}
  // PrintReport: after the table, whether or not it had rows.
  virtual void PrintAfterTable(const host::HostReportPtr& /*report*/) {}

  // Whether the result carries measurements in its stored form: when it
  // holds a verdict of them, or any value at all.
  bool SavesMeasurements() const {
    return status_ == host::resultstatus::Passed || status_ == host::resultstatus::Failed ||
           HasMeasuredValue();
  }

  Measurements measurements_;
  rt::Long status_ = host::resultstatus::NotEvaluated;
  host::ServiceRecordPtr serviceRecord_;

 private:
  // Whether the walk met a status it could read (or the element is empty).
  bool LoadChildren(host::XmlElement& element, const host::HostLogPtr& log);
  // A stored status that is missing or cannot be read: reported, and the
  // result not evaluated, its measurements as read.
  void ReportUnreadStatus();
  void LoadMeasurementChild(const host::XmlElementPtr& child, const host::HostLogPtr& log);
  QString BuildReportHeader(host::HostReport& report);
  QString BuildReportRows(host::HostReport& report);

  ResultKind kind_;
  QString statusText_;
  QString notJudged_;
  host::StandardsCollectionPtr judgedBy_;
  QString comment_;
  rt::Long mtiId_ = 0;
  bool resultStored_ = false;
};

}  // namespace orvanRV1Xtst
