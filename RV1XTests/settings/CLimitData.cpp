#include "settings/CLimitData.h"

#include <QStringList>

#include "limits/Limit.h"
#include "limits/Standard.h"
#include "limits/StandardsCollection.h"
#include "records/RunContext.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "services/ErrorService.h"
#include "services/LanguageService.h"
#include "settings/ErrorHandOn.h"
#include "settings/FDialogWrapper.h"
#include "settings/MeasurementTable.h"
#include "settings/PlugInLink.h"
#include "typelib/ILimitView.h"
#include "typelib/IMeasurement.h"
#include "typelib/ITestElement.h"
#include "xml/XmlDocument.h"

namespace orvanRV1Xtst {

namespace {

const QString kElement = QStringLiteral("ExpectedResult");
const QString kLimitView = QStringLiteral("OrvanView.XLimitView");
// The limit set's error source; the creation of a standard reports under the
// bare class name instead.
const QString kSource = QStringLiteral("OrvanVPI.CLimitData");
const QString kCreateStandardSource = QStringLiteral("CLimitData");

const QString kRelativeOperator = QStringLiteral("X+(X*Y%)");

// The operators the limit view offers, in the order it lists them.
const QStringList& operators() {
  static const QStringList list{QStringLiteral("Y"), QStringLiteral("X+Y"), kRelativeOperator};
  return list;
}

// The limits a new standard starts with, in the order they are added.
struct DefaultLimit {
  rt::Long testID;
  const char* key;
  const char* unit;
  const char* op;  // empty: the limit keeps the host's initial operator
};

constexpr DefaultLimit kDefaultLimits[] = {
    {100, "ENGY", "J", "X+(X*Y%)"}, {100, "CHTI", "s", ""},   {200, "ENGY", "J", "X+(X*Y%)"},
    {200, "DELY", "ms", ""},        {200, "PEKI", "A", ""},   {200, "PEKU", "V", ""},
    {300, "PADS", "mV", ""},        {300, "ECG", "mV", ""},   {400, "SENS", "ms", ""},
    {400, "PACE", "ms", ""},        {500, "RATE", "ppm", ""}, {500, "AMPL", "mA", ""},
    {500, "PWID", "ms", ""},
};

// The rows of the limit view. The view offers the operators for the
// relative energy limit and for the pacer's rate and amplitude.
struct ViewRow {
  rt::Long testID;
  const char* key;
  const char* caption;  // text key
  const char* unit;
  bool offersOperators;
};

constexpr ViewRow kViewRows[] = {
    {100, "ENGY", "20012::Energy", "J", true},
    {100, "CHTI", "20011::Charge time", "s", false},
    {200, "ENGY", "20130::Energy", "J", true},
    {200, "DELY", "20133::Delay", "ms", false},
    {200, "PEKI", "20131::Peak I", "A", false},
    {200, "PEKU", "20132::Peak U", "V", false},
    {300, "PADS", "20142::Limit Pads", "mV", false},
    {300, "ECG", "20143::Limit ECG", "mV", false},
    {400, "SENS", "20145::Sensed Rp", "ms", false},
    {400, "PACE", "20144::Paced Rp", "ms", false},
    {500, "RATE", "20072::Rate", "ppm", true},
    {500, "AMPL", "20070::Amplitude", "mA", true},
    {500, "PWID", "20073::Pulse width", "ms", false},
};

using host::errors;

}  // namespace

CLimitData::CLimitData() = default;

CLimitData::~CLimitData() {
  owner_.reset();
  if (standards_) rt::ignoreErrors([&] { standards_->Unbind(); });
  standards_.reset();
}

void CLimitData::Init(const host::ITestElementPtr& owner, bool hasDialog) {
  owner_ = owner;
  hasDialog_ = hasDialog;
}

void CLimitData::CopyFrom(const host::ILimitDataPtr& source) {
  if (!source) return;
  standards_.reset();
  if (host::StandardsCollectionPtr theirs = source->Standards()) standards_ = theirs->Clone();
}

host::ILimitDataPtr CLimitData::Clone() {
  return rt::onError(
      [&]() -> host::ILimitDataPtr {
        auto copy = std::make_shared<CLimitData>();
        copy->CopyFrom(shared_from_this());
        copy->SetHasDialog(hasDialog_);
        return copy;
      },
      [&](const rt::RuntimeError& error) -> host::ILimitDataPtr {
        errors().ReportError(error, kSource);
        return nullptr;
      });
}

void CLimitData::AddLimit(const host::StandardPtr& standard, const QString& key,
                          const QString& unit, const QString& op) {
  auto limit = std::make_shared<host::Limit>();
  limit->Init(key, unit, QString(), QString());
  if (!op.isEmpty()) limit->SetOperator(0, op);
  com::must(standard).AddLimit(limit);
}

void CLimitData::CreateTestLimits(const host::StandardPtr& standard, rt::Long testID) {
  for (const DefaultLimit& limit : kDefaultLimits) {
    if (limit.testID != testID) continue;
    rt::ignoreErrors([&] {
      AddLimit(standard, QLatin1String(limit.key), QLatin1String(limit.unit),
               QString::fromLatin1(limit.op));
    });
  }
}

host::StandardPtr CLimitData::CreateStandard(const QString& sAlphaName,
                                             const QString& sCompleteName) {
  return rt::onError(
      [&]() -> host::StandardPtr {
        host::StandardPtr result;
        if (const host::ITestElementPtr owner = owner_.lock())
          result = com::cast<host::Standard>(
              MMiscUtils::LoadStandard(owner->TestID(), sAlphaName, sCompleteName));
        if (!result) {
          auto standard = std::make_shared<host::Standard>();
          standard->Init(sAlphaName, sCompleteName, 1);
          CreateTestLimits(standard, com::must(owner_)->TestID());
          result = standard;
        }
        if (!standards_) standards_ = std::make_shared<host::StandardsCollection>();
        standards_->Add(result);
        return result;
      },
      [&](const rt::RuntimeError& error) -> host::StandardPtr {
        handOnOrReport(error, kLimitStandardError, kCreateStandardSource);
        return nullptr;
      });
}

void CLimitData::ParseLimitsToDialog(const com::ObjectPtr& view, rt::Long testID) {
  host::ILimitView& limitView = com::must(com::cast<host::ILimitView>(view));
  const QString operatorList =
      QStringLiteral("<op>") + operators().join(u';') + QStringLiteral("</op>");
  for (const ViewRow& row : kViewRows) {
    if (row.testID != testID) continue;
    const QString caption = host::translated(QLatin1String(row.caption));
    limitView.AddRow(QLatin1String(row.key), caption, QLatin1String(row.unit),
                     row.offersOperators ? operatorList : QString());
  }
}

host::IDialogPtr CLimitData::CreateDialog() {
  return rt::orDefault(
      [&]() -> host::IDialogPtr {
        if (!hasDialog_) return nullptr;
        auto form = std::make_shared<FDialogWrapper>();
        const std::shared_ptr<ui::Extender> extender = form->CreateSetupCtrl(kLimitView);
        const com::ObjectPtr view = extender ? extender->Object() : nullptr;
        if (!view) {
          form->Unload();
          return nullptr;
        }
        ParseLimitsToDialog(view, com::must(owner_)->TestID());
        form->Initialize(com::toVariantOf(shared_from_this()));
        return form;
      },
      host::IDialogPtr());
}

host::StandardsCollectionPtr CLimitData::FindFailedStandards(
    const host::IMeasurementPtr& measurement, const host::StandardsCollectionPtr& selected) {
  if (!standards_ || !measurement) return nullptr;
  rt::Long count = 0;
  rt::ignoreErrors([&] { count = standards_->Count(); });
  if (count == 0) return nullptr;

  QString key;
  rt::Single value = 0;
  rt::Single preset = 0;
  rt::ignoreErrorsEach([&] { key = measurement->Key(); },
                       // A reading beyond the single range stays on its side of
                       // every bound instead of being judged as 0.
                       [&] { value = rt::toSingleSaturated(measurement->Value()); },
                       [&] { preset = rt::toSingle(measurement->PresetValue()); });

  // The selected standards serve only as names: what is checked and
  // answered are this limit set's own standards of those names.
  auto failed = std::make_shared<host::StandardsCollection>();
  rt::ignoreErrors([&] {
    for (const host::StandardPtr& chosen : com::must(selected)) {
      rt::ignoreErrors([&] {
        const host::StandardPtr own =
            standards_->Find(0, com::must(chosen).AlphaName(), chosen->CompleteName());
        if (!own) return;
        // A standard that cannot be checked is not taken as passed.
        rt::Long status = host::checkstatus::Failed;
        rt::ignoreErrors([&] { status = own->Check(key, value, QVariant::fromValue(preset)); });
        if (status == host::checkstatus::Failed) failed->Add(own);
      });
    }
  });
  return failed->Count() == 0 ? nullptr : failed;
}

void CLimitData::Load(const host::XmlElementPtr& ixeIn, const host::HostLogPtr& iprLog) {
  rt::onError(
      [&] {
        if (com::must(ixeIn).TagName() != kElement)
          errors().RaiseError(QString(), kLimitLoadError, kSource, 1);
        // The new collection takes the old one's place only when it has
        // read the whole element: a malformed one leaves the limits as they
        // were, never none at all. The old collection is let go without
        // unbinding it: only the end of the limit set unbinds its collection.
        auto loaded = std::make_shared<host::StandardsCollection>();
        loaded->Load(ixeIn, iprLog);
        standards_ = loaded->Count() == 0 ? nullptr : loaded;
      },
      [&](const rt::RuntimeError& error) { handOnOrReport(error, kLimitLoadError, kSource); });
}

host::XmlElementPtr CLimitData::Save(const host::XmlDocumentPtr& ixdOwner) {
  if (!standards_) return nullptr;
  host::XmlElementPtr element = standards_->Save(ixdOwner);
  if (element) element->SetTagName(kElement);
  return element;
}

void CLimitData::PrintReport(const host::HostReportPtr& iarReport, const host::RunContextPtr& ctx) {
  rt::onError(
      [&] {
        if (!standards_ || standards_->Count() == 0) return;
        const QVariant table = MMiscUtils::BuildMeasurementTable(iarReport, owner_.lock());
        const host::StandardsCollectionPtr selected = com::must(ctx).SelectedStandards();
        standards_->Print(iarReport, selected, table);
      },
      [&](const rt::RuntimeError& error) { errors().ReportError(error, kSource); });
}

}  // namespace orvanRV1Xtst
