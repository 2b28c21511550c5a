#pragma once
// What the seven test elements share: the host's test-element interface,
// delegated to the host's base object (identity, parent, info, filter,
// configuration, limit set, result, loading, saving and printing); cloning;
// Perform with the modal guide window; the guide's events with the
// navigation codes they write into the run context; the skeleton of a run
// with its failure handling; the range wait and the pacer wait; and the
// finishing of the result once the window has closed.
//
// A class gives its kind (test ID, error source, measurement list), its
// configuration and result classes (CTestClass below), and fills in what
// is its own:
//   BuildInstructionSteps  the translated steps the guide shows
//   RunMeasurement         the analyzer commands of one run; it starts
//                          when the connection is open and idle, and every
//                          wait and poll in it ends when mfStop is set
//   StartOfRun             what goes before RunMeasurement (optional)
//   PrepareRun             the commands taken from the settings (optional)
//   RangeWanted            the reply to "I" that ends the range wait
// and, where the class shows more or other than the frame, the display
// steps of Perform (FillGuide) and of a run (StartingRun, EndingRun,
// RunFailed), and the guide's event handlers.
//
// Four rules hold for every class:
// - every Play starts from a fresh result built from the current
//   configuration, so nothing of an earlier run counts in a later one;
// - a result is finished (status, analyzer identity, the context told)
//   only once a measurement or a verdict is in it, or the test was declared
//   not applicable, and only once for each final result: passing through
//   the test again without running it changes nothing but an analyzer
//   identity the operator changed meanwhile, which is recorded with it;
// - the element's record (a result loaded or finished) stays the base
//   object's result until a new final result replaces it: a run that ends
//   without one (stopped, failed, skipped, aborted) leaves it as it was;
// - every Perform that showed the window writes a navigation code.

#include <QStringList>
#include <functional>
#include <memory>
#include <type_traits>
#include <vector>

#include "com/ServerModule.h"
#include "elements/TestElementBase.h"
#include "records/RunContext.h"
#include "results/CLimitedResult.h"
#include "settings/CMtiData2.h"
#include "typelib/ITestElement.h"

namespace orvanRV1Xvti {
class CRV1XVTi;
}

namespace orvanRV1Xtst {

class CResultBase;
class FRV1XTestGuide;
class FTimer;

// A row of the measurement list: the measurement's key and its caption's
// text key.
struct MeasurementListRow {
  const char* key;
  const char* caption;
};

struct TestClassKind {
  rt::Long testID = 0;
  // The source of Load, Save, Clone and Perform reports.
  QString source;
  // Rows of GetMeasurementList; none gives an empty variant.
  std::vector<MeasurementListRow> measurements = {};
  // Initialize gives the element a limit set of its own without dialog.
  bool limitsWithoutDialog = false;
  // Perform's own failures go to the error service, not to a message box.
  bool performReportsFailures = false;
  // The pacer wait lets window messages run in each pass (the analyzer's
  // Wait lets them run in any case).
  bool pacerWaitYields = false;
  // The registered name of the result view the guide window shows.
  QString resultView = QStringLiteral("RV1XTests.XChargeTimeTestResult");
};

// The range wait: the reply to "I" that ends it, and the prompt the
// operator sees until it comes.
struct RangeWait {
  QString reply;            // "P!", "H!", "L!"
  bool anyOtherReply;       // the wait ends on any reply but that one
  QString prompt;           // a text key
  bool hidesPrompt = true;  // the prompt goes when the wait ends
};

// The range waits of the seven tests.
namespace rangewait {
RangeWait Pace();                  // "P!", "Please set range to Pace"
RangeWait High(bool hidesPrompt);  // "H!", "Please set range to High"
RangeWait Low(bool hidesPrompt);   // "L!", "Please set range to Low"
RangeWait NotPace();               // anything but "P!", "Please set range to Low"
}  // namespace rangewait

class CTestFrame : public host::ITestElement, public std::enable_shared_from_this<CTestFrame> {
 public:
  ~CTestFrame() override;

  // ITestElement, in slot order.
  QString PlugInID() override;
  rt::Long TestID() override;
  rt::Long ID() override;
  void SetID(rt::Long id) override;
  host::ITestElementPtr Parent() override;
  void SetParent(const host::ITestElementPtr& parent) override;
  host::TestInfoPtr Info() override;
  host::TestFilterPtr Filter() override;
  host::IResultDataPtr Result() override;
  host::ILimitDataPtr Limits() override;
  host::IConfigDataPtr Configuration() override;
  void Initialize(const QVariant& a, const QVariant& b, const QVariant& c) override;
  // Nothing (reported) when the copy fails.
  host::ITestElementPtr Clone() override;
  void Perform(const host::RunContextPtr& ctx) override;
  // A "ResultItem" goes into a fresh result of the current configuration.
  void Load(const host::XmlElementPtr& ixeIn, const host::HostLogPtr& iprLog) override;
  void Save(const host::XmlDocumentPtr& ixdOwner, const QVariant& x,
            host::XmlElementPtr& element) override;
  void PrintReport(const host::HostReportPtr& a, const QVariant& b) override;
  void QuerySetParent(const host::ITestElementPtr& parent, bool& allowed) override;
  void Terminate() override;
  void UpdateReferences() override;
  // A QVariantList of rows, each a QStringList of key and translated
  // caption; an empty variant for a class without list.
  QVariant GetMeasurementList() override;

  // The library's own members.
  const TestClassKind& kind() const { return kind_; }
  // The base object's copy (for the CopyFrom of another instance).
  host::TestElementBasePtr BaseCopy();
  // Takes a copy of the source's base object, its limit set owned by this
  // element. Failures are ignored.
  void CopyFrom(const std::shared_ptr<CTestFrame>& source);

  // The verdict flags as they stand (for the host's tests of the frame).
  struct Flags {
    bool running, stop, drop, keep, na;
  };
  Flags RunFlags() const { return {mfRunning, mfStop, mfDrop, mfKeep, mfNA}; }

 protected:
  // Only CTestClass makes elements, through Create.
  class Made {
    Made() = default;
    template <class, class, class>
    friend class CTestClass;
  };

  explicit CTestFrame(TestClassKind kind);
  // The constructor's steps that need the element as a reference: the
  // base object, the configuration and the limit set owned by the element.
  void Construct();

  // The class's own objects.
  virtual host::IConfigDataPtr NewConfiguration() = 0;
  virtual std::shared_ptr<CResultBase> NewResult() = 0;
  virtual void InitializeResult(CResultBase& result) = 0;
  // The status update of the result: against the selected standards for
  // the results that have limits, the operator's verdicts for the others.
  virtual void UpdateResultStatus(CResultBase& result, bool skip) = 0;
  virtual std::shared_ptr<CTestFrame> NewInstance() = 0;

  // The class's run.
  virtual QStringList BuildInstructionSteps() = 0;
  virtual void RunMeasurement() = 0;
  virtual void StartOfRun() {}
  virtual RangeWait RangeWanted() = 0;
  // Takes the run's analyzer commands from the settings, before anything of
  // the run is shown or sent: a setting without a command raises, and the
  // run ends there with the result as it was (optional).
  virtual void PrepareRun() {}

  // The display steps, where a class shows more or other than the frame.
  // FillGuide: the window's run state, InitGuide with the steps, and what
  // the window shows when it opens.
  virtual void FillGuide(bool hasResult);
  // InitGuide with the element, the context and these steps.
  void InitGuideWith(const QStringList& steps);
  // Whether the window opens with a result: the base object's result has
  // a status.
  virtual bool HasResultForGuide();
  // A run's start (after the fresh result is shown) and end (after the
  // connection is closed).
  virtual void StartingRun();
  virtual void EndingRun();
  // More clean-up in a run's failure handler, failures ignored.
  virtual void RunFailed() {}
  // Whether the run put a measurement (or the operator a verdict) into
  // the result; a result without one is never finished.
  virtual bool ResultMeasured();
  // Load of a "ResultItem": the fresh result it goes into.
  virtual void FreshResultForLoad() { InitResult(true); }

  // The guide's events. Every handler ignores failures.
  virtual void mfrmTestGuide_StartTest();
  virtual void mfrmTestGuide_StopTest();
  virtual void mfrmTestGuide_AbortTest();
  virtual void mfrmTestGuide_NextTest();
  virtual void mfrmTestGuide_Previous();
  virtual void mfrmTestGuide_Skip();
  virtual void mfrmTestGuide_NA();
  virtual void mfrmTestGuide_ItemClicked(bool fCurrentItem);
  void mfrmTestGuide_StandardChanged();

  // What the runs use.
  // A new result of the configuration (force, or when the base object has
  // none), else the base object's result as the element's own.
  void InitResult(bool force);
  // Drops the result (Abort, Skip) or finishes it (a run, N/A).
  void FinishResult(const CMtiData2Ptr& mti);
  // After the window closed: a record that no new final result replaced
  // is the element's result again.
  void KeepRecord();
  // The result's verdicts changed after it was finished: it is finished,
  // and the context told, once more.
  void MarkResultChanged() { finishedResult_.reset(); }
  // The range wait and the pacer wait; the range wait answers the last
  // reply to "I".
  QString WaitForRange();
  void WaitForPacer();
  // The guide of the current Perform; error 91 outside one.
  FRV1XTestGuide& Guide();
  // The analyzer connection, created on first use.
  orvanRV1Xvti::CRV1XVTi& Link();
  // A command sent with the connection's error checking; the reply as text.
  QString Send(const QString& command);
  // The run context of the current Perform; error 91 before one.
  host::RunContext& Context();
  host::TestElementBase& Base();
  const std::shared_ptr<CResultBase>& OwnResult() const { return result_; }
  // A run timer, loaded, whose ticks go to the handler (failures
  // ignored); and its end: stopped, unloaded, released.
  std::shared_ptr<FTimer> NewRunTimer(std::function<void(CTestFrame&)> tick);
  static void ReleaseRunTimer(std::shared_ptr<FTimer>& timer);
  // The numbers of all the steps shown, from 1.
  QList<rt::Integer> AllSteps() const;
  // The element as the host sees it.
  host::ITestElementPtr Self();

  // The verdict flags of the element; they are not reset by Perform, so
  // that passing through the test again finishes or drops as before.
  bool mfRunning = false;  // a run is in progress
  bool mfStop = false;     // the operator stopped: every wait and poll ends
  bool mfDrop = false;     // the result goes (Abort, Skip)
  bool mfKeep = false;     // the result is finished (a run, N/A)
  bool mfNA = false;       // the test was declared not applicable

 private:
  friend struct GuideEvents;
  void ConnectGuide(FRV1XTestGuide& guide);
  void Navigate(rt::Long code);
  void RunFailure(const rt::RuntimeError& error);
  void PerformFailure(const rt::RuntimeError& error);
  // The identity registered for a finished result, when the operator
  // changed it since.
  void RecordIdentity(CResultBase& result, const CMtiData2Ptr& mti);
  // Failures of Load, Save and Clone: those numbers go on to the caller,
  // any other is reported with the class's source.
  void HandOnOrReport(const rt::RuntimeError& error, std::initializer_list<rt::Long> handedOn);

  TestClassKind kind_;
  host::TestElementBasePtr base_;
  host::RunContextPtr ctx_;
  std::shared_ptr<orvanRV1Xvti::CRV1XVTi> link_;
  std::shared_ptr<CResultBase> result_;
  std::shared_ptr<FRV1XTestGuide> mfrmTestGuide;
  // The result last finished, while its verdicts stand.
  std::weak_ptr<CResultBase> finishedResult_;
  // The element's record: the result loaded, or last finished.
  std::shared_ptr<CResultBase> recordedResult_;
  bool navigated_ = false;     // a navigation code was written in this Perform
  bool measuredHere_ = false;  // a run was started in this Perform's window
  rt::Integer stepCount_ = 0;
};

// The frame with the class's configuration and result.
template <class Derived, class TConfig, class TResult>
class CTestClass : public CTestFrame {
 public:
  // The way to make an element: it owns its limit set from the start.
  static std::shared_ptr<Derived> Create() {
    auto element = std::make_shared<Derived>(Made());
    element->Construct();
    return element;
  }

 protected:
  using CTestFrame::CTestFrame;

  // The base object's configuration as this class's; Nothing for another.
  std::shared_ptr<TConfig> TestConfig() {
    return std::dynamic_pointer_cast<TConfig>(Configuration());
  }
  // The element's own result.
  std::shared_ptr<TResult> TestResult() const {
    return std::static_pointer_cast<TResult>(OwnResult());
  }

  host::IConfigDataPtr NewConfiguration() override { return std::make_shared<TConfig>(); }
  std::shared_ptr<CResultBase> NewResult() override { return std::make_shared<TResult>(); }
  // From the configuration; the discharge result takes the element, whose
  // configuration it reads itself.
  void InitializeResult(CResultBase& result) override {
    auto& own = static_cast<TResult&>(result);
    if constexpr (requires { own.Initialize(Configuration()); })
      own.Initialize(Configuration());
    else
      own.Initialize(Self());
  }
  void UpdateResultStatus(CResultBase& result, bool skip) override {
    auto& own = static_cast<TResult&>(result);
    if constexpr (std::is_base_of_v<CLimitedResult, TResult>)
      own.UpdateStatus(Self(), Context().SelectedStandards(), skip);
    else
      own.UpdateStatus(Self(), skip);
  }
  std::shared_ptr<CTestFrame> NewInstance() override { return Create(); }
};

// Makes a test element creatable by its registered name.
#define RV1X_TEST_ELEMENT(ClassName)                                                   \
  namespace {                                                                          \
  const com::ClassRegistrar rv1xRegistrar_##ClassName(QStringLiteral("orvanRV1Xtst"),  \
                                                      QStringLiteral(#ClassName), [] { \
                                                        return com::ObjectPtr(         \
                                                            ClassName::Create());      \
                                                      });                              \
  }

}  // namespace orvanRV1Xtst
