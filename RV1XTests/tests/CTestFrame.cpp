// The test element's life: construction, the host's interface delegated to
// the base object, cloning, loading, saving, printing, Perform with its
// guide window, and the result's making and finishing.
#include "tests/CTestFrame.h"

#include "limits/StandardsCollection.h"
#include "results/CResultBase.h"
#include "runtime/ErrorHandling.h"
#include "services/ErrorService.h"
#include "services/LanguageService.h"
#include "settings/CLimitData.h"
#include "settings/MtiRegistration.h"
#include "tests/FRV1XTestGuide.h"
#include "typelib/ILimitData.h"
#include "xml/XmlDocument.h"

namespace orvanRV1Xtst {

CTestFrame::CTestFrame(TestClassKind kind) : kind_(std::move(kind)) {}

CTestFrame::~CTestFrame() = default;

void CTestFrame::Construct() {
  base_ = std::make_shared<host::TestElementBase>();
  base_->Initialize(host::kProduct, kind_.testID, 0);
  base_->SetConfiguration(NewConfiguration());
  auto limits = std::make_shared<CLimitData>();
  limits->Init(Self(), true);
  base_->SetLimits(limits);
}

host::ITestElementPtr CTestFrame::Self() {
  return shared_from_this();
}

host::TestElementBase& CTestFrame::Base() {
  return com::must(base_);
}

// --- the host's interface, delegated -------------------------------------

QString CTestFrame::PlugInID() {
  return Base().PlugInID();
}

rt::Long CTestFrame::TestID() {
  return Base().TestID();
}

rt::Long CTestFrame::ID() {
  return Base().ID();
}

void CTestFrame::SetID(rt::Long id) {
  Base().SetID(id);
}

host::ITestElementPtr CTestFrame::Parent() {
  return Base().Parent();
}

void CTestFrame::SetParent(const host::ITestElementPtr& parent) {
  rt::ignoreErrors([&] { Base().SetParent(parent); });
}

host::TestInfoPtr CTestFrame::Info() {
  return Base().Info();
}

host::TestFilterPtr CTestFrame::Filter() {
  return rt::orDefault([&] { return Base().Filter(); }, host::TestFilterPtr());
}

host::IResultDataPtr CTestFrame::Result() {
  return Base().Result();
}

host::ILimitDataPtr CTestFrame::Limits() {
  return Base().Limits();
}

host::IConfigDataPtr CTestFrame::Configuration() {
  return Base().Configuration();
}

void CTestFrame::Initialize(const QVariant& a, const QVariant& b, const QVariant& c) {
  rt::ignoreErrors([&] { Base().Initialize(a, b, c); });
  if (!kind_.limitsWithoutDialog) return;
  rt::ignoreErrors([&] {
    auto limits = std::make_shared<CLimitData>();
    limits->Init(Self(), false);
    Base().SetLimits(limits);
  });
}

void CTestFrame::QuerySetParent(const host::ITestElementPtr&, bool& allowed) {
  allowed = true;
}

void CTestFrame::Terminate() {
  rt::ignoreErrors([&] { Base().Terminate(); });
}

void CTestFrame::UpdateReferences() {
  rt::ignoreErrors([&] {
    if (const host::ILimitDataPtr limits = Base().Limits())
      com::must(limits->Standards()).SetOwner(Self());
  });
}

QVariant CTestFrame::GetMeasurementList() {
  if (kind_.measurements.empty()) return QVariant();
  QVariantList rows;
  for (const MeasurementListRow& row : kind_.measurements)
    rows.append(QStringList{QLatin1String(row.key), host::translated(QLatin1String(row.caption))});
  return rows;
}

// --- copies ----------------------------------------------------------------

host::TestElementBasePtr CTestFrame::BaseCopy() {
  return Base().Copy();
}

void CTestFrame::CopyFrom(const std::shared_ptr<CTestFrame>& source) {
  rt::ignoreErrorsEach([&] { Base().Terminate(); }, [&] { base_.reset(); },
                       [&] { base_ = com::must(source).BaseCopy(); },
                       [&] {
                         // The copied limit set belongs to the copy, and keeps its dialog.
                         const auto limits = std::dynamic_pointer_cast<CLimitData>(Base().Limits());
                         com::must(limits).Init(Self(), limits->HasDialog());
                       });
}

host::ITestElementPtr CTestFrame::Clone() {
  return rt::onError(
      [&]() -> host::ITestElementPtr {
        const std::shared_ptr<CTestFrame> copy = NewInstance();
        copy->CopyFrom(shared_from_this());
        return copy;
      },
      [&](const rt::RuntimeError& error) -> host::ITestElementPtr {
        host::errors().ReportError(error, kind_.source);
        return nullptr;
      });
}

// --- stored form and report ----------------------------------------------

void CTestFrame::HandOnOrReport(const rt::RuntimeError& error,
                                std::initializer_list<rt::Long> handedOn) {
  host::ErrorService& errors = host::errors();
  for (rt::Long number : handedOn)
    if (error.Number() == number) errors.PassOnPendingError();
  errors.ReportError(error, kind_.source);
}

void CTestFrame::Load(const host::XmlElementPtr& ixeIn, const host::HostLogPtr& iprLog) {
  rt::onError(
      [&] {
        const bool result = ixeIn && ixeIn->TagName() == QLatin1String("ResultItem");
        if (result) FreshResultForLoad();
        Base().Load(ixeIn, iprLog);
        if (result) recordedResult_ = std::dynamic_pointer_cast<CResultBase>(Base().Result());
      },
      [&](const rt::RuntimeError& error) {
        using namespace host::elementerr;
        HandOnOrReport(error, {NoElement, UnknownPart, NoPartObject, PartLoadFailed});
      });
}

void CTestFrame::Save(const host::XmlDocumentPtr& ixdOwner, const QVariant& x,
                      host::XmlElementPtr& element) {
  element = nullptr;
  rt::onError([&] { element = Base().Save(ixdOwner, x); },
              [&](const rt::RuntimeError& error) {
                element = nullptr;
                HandOnOrReport(error, {host::elementerr::SaveFailed});
              });
}

void CTestFrame::PrintReport(const host::HostReportPtr& a, const QVariant& b) {
  rt::ignoreErrors([&] { Base().PrintReport(a, b); });
}

// --- the result --------------------------------------------------------------

void CTestFrame::InitResult(bool force) {
  if (!Base().Result() || force) {
    const std::shared_ptr<CResultBase> result = NewResult();
    InitializeResult(*result);
    result_ = result;
    Base().SetResult(result);
  } else {
    result_ = std::dynamic_pointer_cast<CResultBase>(Base().Result());
  }
}

bool CTestFrame::ResultMeasured() {
  return result_ && result_->HasMeasuredValue();
}

void CTestFrame::FinishResult(const CMtiData2Ptr& mti) {
  rt::ignoreErrors([&] {
    if (mfDrop) {
      finishedResult_.reset();
      result_.reset();
      Base().SetResult(nullptr);
      return;
    }
    if (!mfKeep || !result_) return;
    // Passing through the test again without a new verdict changes nothing
    // but the identity, when the operator changed it.
    if (finishedResult_.lock() == result_) {
      RecordIdentity(*result_, mti);
      return;
    }
    // A run that measured nothing leaves the result not evaluated: no
    // identity is recorded for it and the context is not told.
    if (!mfNA && !ResultMeasured()) return;
    // Each step on its own: an identity the host cannot record does not
    // keep the host from hearing that the test is done.
    const std::shared_ptr<CResultBase> result = result_;
    finishedResult_ = result;
    recordedResult_ = result;
    rt::ignoreErrorsEach(
        [&] { Base().SetResult(result); }, [&] { UpdateResultStatus(*result, mfNA); },
        [&] { result->SetMTIID(MMiscUtils::RegisterMti(Context().MtiList(), mti)); },
        [&] { Context().Notify(Self()); });
  });
}

void CTestFrame::RecordIdentity(CResultBase& result, const CMtiData2Ptr& mti) {
  if (!mti) return;
  rt::ignoreErrors([&] {
    const host::MtiListPtr list = Context().MtiList();
    const CMtiData2Ptr recorded =
        result.MTIID() > 0 ? MMiscUtils::GetMtiData(list, result.MTIID()) : nullptr;
    if (recorded && recorded->MtiType() == mti->MtiType() && recorded->Serial() == mti->Serial() &&
        recorded->Firmware() == mti->Firmware())
      return;
    const rt::Long index = MMiscUtils::RegisterMti(list, mti);
    if (index != MMiscUtils::kNotRegistered) result.SetMTIID(index);
  });
}

void CTestFrame::KeepRecord() {
  rt::ignoreErrors([&] {
    if (!recordedResult_ || Base().Result() == recordedResult_) return;
    result_ = recordedResult_;
    Base().SetResult(recordedResult_);
  });
}

// --- Perform -------------------------------------------------------------------

host::RunContext& CTestFrame::Context() {
  return com::must(ctx_);
}

FRV1XTestGuide& CTestFrame::Guide() {
  return com::must(mfrmTestGuide);
}

QList<rt::Integer> CTestFrame::AllSteps() const {
  QList<rt::Integer> steps;
  for (rt::Integer step = 1; step <= stepCount_; ++step) steps.append(step);
  return steps;
}

bool CTestFrame::HasResultForGuide() {
  const host::IResultDataPtr result = Base().Result();
  return result && result->Status() != host::resultstatus::NotEvaluated;
}

void CTestFrame::InitGuideWith(const QStringList& steps) {
  stepCount_ = static_cast<rt::Integer>(steps.size());
  Guide().InitGuide(Self(), ctx_, steps);
}

void CTestFrame::FillGuide(bool hasResult) {
  Guide().SetRunState(runstate::Idle, hasResult);
  InitGuideWith(BuildInstructionSteps());
  Guide().ShowResultStatus(Base().Result());
}

void CTestFrame::Perform(const host::RunContextPtr& ctx) {
  rt::onError(
      [&] {
        bool mayRun = false;
        com::must(ctx).MayRun(Self(), mayRun);
        if (!mayRun) return;
        InitResult(false);
        bool hasResult = HasResultForGuide();
        if (!Base().Result()) {
          Base().SetResult(NewResult());
          hasResult = false;
        }
        ctx_ = ctx;
        navigated_ = false;
        measuredHere_ = false;
        mfrmTestGuide = std::make_shared<FRV1XTestGuide>();
        ConnectGuide(*mfrmTestGuide);
        mfrmTestGuide->Load();
        FillGuide(hasResult);
        mfrmTestGuide->Show(ui::form::Modal);
        // A window that went without the operator's choice was left as by
        // Abort: the host must not go on as if the test were done.
        if (!navigated_) mfrmTestGuide_AbortTest();
        const CMtiData2Ptr mti = mfrmTestGuide->GetGuideMtiData();
        rt::ignoreErrors([&] { mfrmTestGuide->Unload(); });
        mfrmTestGuide.reset();
        FinishResult(mti);
        KeepRecord();
      },
      [&](const rt::RuntimeError& error) { PerformFailure(error); });
}

}  // namespace orvanRV1Xtst
