#include "CRV1XPlugIn.h"

#include "CRV1XSetup.h"
#include "PlugInErrors.h"
#include "PlugInIcons.h"
#include "PlugInVersion.h"
#include "TemplateLoader.h"
#include "com/ServerModule.h"
#include "limits/Standard.h"
#include "limits/StandardsCollection.h"
#include "runtime/ErrorHandling.h"
#include "services/ErrorService.h"
#include "services/LanguageService.h"
#include "typelib/ILimitData.h"
#include "typelib/ITestElement.h"
#include "ui/Resources.h"

namespace orvanRV1X {

namespace {

const QString kLibrary = QStringLiteral("orvanRV1X");
const QString kNameKey = QStringLiteral("20000::RV-12P/15 Defibrillator Analyzer");
constexpr rt::Long kNotInitialisedSeverity = 4;

bool isOneOf(rt::Long number, std::initializer_list<rt::Long> numbers) {
  for (rt::Long n : numbers)
    if (n == number) return true;
  return false;
}

// The handler of the members that raise their own numbers: those are handed
// on to the host, anything else is reported under the source and the member
// answers Nothing.
template <class T>
std::shared_ptr<T> handOnOrReport(const rt::RuntimeError& error,
                                  std::initializer_list<rt::Long> ownNumbers,
                                  const QString& source) {
  if (isOneOf(error.Number(), ownNumbers)) host::errors().PassOnPendingError();
  host::errors().ReportError(error, source);
  return nullptr;
}

}  // namespace

CRV1XPlugIn::CRV1XPlugIn() = default;

CRV1XPlugIn::~CRV1XPlugIn() {
  rt::ignoreErrors([&] {
    if (catalogue_) catalogue_->Clear();
  });
  catalogue_.reset();
}

QString CRV1XPlugIn::ID() {
  return host::kProduct;
}

QImage CRV1XPlugIn::Icon(rt::Long lTestID, rt::Long eisSize, rt::Long) {
  const QString name = iconName(lTestID, eisSize);
  if (name.isEmpty()) return QImage();
  return rt::orDefault([&] { return ui::LoadResPicture(kLibrary, name); }, QImage());
}

QString CRV1XPlugIn::Name() {
  return host::translated(kNameKey);
}

host::ISetupPtr CRV1XPlugIn::Setup() {
  return setup_;
}

QString CRV1XPlugIn::Version() {
  return versionText();
}

void CRV1XPlugIn::Initialize(const host::HostLogPtr&) {
  // Only a call that gets to its end leaves the plug-in initialised: after
  // a failed second one, the catalogue of the first is no longer offered.
  initialised_ = false;
  rt::onError(
      [&] {
        setup_ = std::make_shared<CRV1XSetup>();
        setup_->Initialize();
        catalogue_ = TemplateLoader::LoadTemplate(setup_->TemplateFile());
        std::make_shared<orvanRV1Xtst::GGlobals>()->SetPlugInPointer(shared_from_this());
        initialised_ = true;
      },
      [&](const rt::RuntimeError& error) {
        handOnOrReport<com::Object>(
            error,
            {plugInErr::TemplateNotFound, plugInErr::BadTemplate, plugInErr::TemplateFileError},
            kPlugInSource);
      });
}

host::ITestElementListPtr CRV1XPlugIn::Tests() {
  return rt::onError(
      [&] {
        if (!catalogue_ || !initialised_)
          host::errors().RaiseError(host::kProduct, plugInErr::NotInitialised, kPlugInSource,
                                    kNotInitialisedSeverity,
                                    QStringLiteral("The plug-in has not been initialised"));
        return catalogue_;
      },
      [&](const rt::RuntimeError& error) {
        return handOnOrReport<host::ITestElementList>(error, {plugInErr::NotInitialised},
                                                      kPlugInSource);
      });
}

host::ITestElementPtr CRV1XPlugIn::CreateTest(rt::Long lTestID) {
  return rt::onError(
      [&]() -> host::ITestElementPtr {
        if (!catalogue_ || !initialised_)
          host::errors().RaiseError(host::kProduct, plugInErr::NotInitialised, kPlugInSource,
                                    kNotInitialisedSeverity,
                                    QStringLiteral("The plug-in has not been initialised"));
        if (const host::ITestElementPtr prototype = catalogue_->Find(lTestID)) {
          const host::ITestElementPtr clone = prototype->Clone();
          // The copy's standards are not yet the new element's.
          rt::ignoreErrors(
              [&] { com::must(com::must(com::must(clone).Limits()).Standards()).Unbind(); });
          return clone;
        }
        host::errors().RaiseError(
            host::kProduct, plugInErr::NoSuchTest, kPlugInSource, 1,
            QStringLiteral("The test catalogue has no test with the ID %1").arg(lTestID));
        return nullptr;
      },
      [&](const rt::RuntimeError& error) {
        return handOnOrReport<host::ITestElement>(
            error, {plugInErr::NotInitialised, plugInErr::NoSuchTest}, kCreateTestSource);
      });
}

com::ObjectPtr CRV1XPlugIn::LoadStandard(rt::Long iTestID, const QString& sAlphaName,
                                         const QString& sCompleteName) {
  return rt::orDefault(
      [&]() -> com::ObjectPtr {
        if (!catalogue_) return nullptr;
        const host::ITestElementPtr prototype = catalogue_->Find(iTestID);
        if (!prototype) return nullptr;
        const host::StandardPtr found = com::must(com::must(prototype->Limits()).Standards())
                                            .Find(0, sAlphaName, sCompleteName);
        if (!found) return nullptr;
        return found->Copy();
      },
      com::ObjectPtr());
}

RV1X_CREATABLE_CLASS("orvanRV1X", CRV1XPlugIn)

}  // namespace orvanRV1X
