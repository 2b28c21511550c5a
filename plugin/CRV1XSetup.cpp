#include "CRV1XSetup.h"

#include <QFileInfo>

#include "PlugInErrors.h"
#include "com/ServerModule.h"
#include "registry/RegistryStore.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "services/ErrorService.h"
#include "services/NumberFormatter.h"
#include "services/RegistryHelper.h"
#include "settings/FDialogWrapper.h"

namespace orvanRV1X {

namespace {

const QString kPrefsProgId = QStringLiteral("SelkamRV1X.XPluginPrefs");

// The folder this deliverable was loaded from, ready for a file name.
QString plugInFolder() {
  const QString library = com::libraryFileOf(reinterpret_cast<const void*>(&plugInFolder));
  return com::must(host::NumberFormatter::instance()).FolderPath(QFileInfo(library).absolutePath());
}

// A stored number; a missing value is one that cannot be read.
rt::Long storedNumber(host::RegistryHelper& registry, const QString& name) {
  const QVariant value = registry.ReadValue(name);
  if (rt::isEmpty(value)) rt::raise(rt::err::TypeMismatch);
  return rt::toLong(value);
}

}  // namespace

CRV1XSetup::CRV1XSetup() = default;
CRV1XSetup::~CRV1XSetup() = default;

void CRV1XSetup::Initialize() {
  rt::ignoreErrors([&] { RegLoad(0, QString()); });
}

com::ObjectPtr CRV1XSetup::GetSetup() {
  return CreateDialog();
}

host::IDialogPtr CRV1XSetup::CreateDialog() {
  return rt::orDefault(
      [&]() -> host::IDialogPtr {
        auto dialog = std::make_shared<FDialogWrapper>();
        dialog->CreateSetupCtrl(kPrefsProgId);
        dialog->Initialize(com::toVariantOf(shared_from_this()));
        return dialog;
      },
      host::IDialogPtr());
}

void CRV1XSetup::RegLoad(rt::Long, const QString&) {
  Load(true);
}

void CRV1XSetup::ReadSettings() {
  Load(false);
}

void CRV1XSetup::Load(bool writeBack) {
  rt::onError(
      [&] {
        // A sub-key error ends only the statement that met it.
        const auto step = [](auto&& statement) {
          rt::resumeNextOn(host::regerr::NoSuchSubKey, statement);
        };
        auto registry = std::make_shared<host::RegistryHelper>();
        step([&] { registry->OpenKey(host::HKEY_LOCAL_MACHINE, kSettingsKey); });
        bool opened = false;
        step([&] { opened = registry->KeyOpened(); });
        if (!opened)
          host::errors().RaiseError(
              host::kProduct, plugInErr::KeyNotOpen, kSetupSource, 3,
              QStringLiteral("The registry key HKEY_LOCAL_MACHINE\\%1 cannot be "
                             "opened")
                  .arg(kSettingsKey));
        QString path;
        step([&] { path = rt::cstr(registry->ReadValue(setting::Configuration)); });
        if (path.isEmpty()) path = plugInFolder() + kTemplateFileName;
        templateFile_ = path;

        commTimeOut_ = -1;
        rangeThreshold_ = -1;
        rt::ignoreErrorsEach(
            [&] { commTimeOut_ = storedNumber(*registry, setting::CommTimeOut); },
            [&] { rangeThreshold_ = storedNumber(*registry, setting::RangeThreshold); });
        if (commTimeOut_ == -1) commTimeOut_ = setting::DefaultCommTimeOut;
        if (rangeThreshold_ == -1) rangeThreshold_ = setting::DefaultRangeThreshold;
        if (writeBack) rt::ignoreErrors([&] { RegSave(0, QString()); });
      },
      [&](const rt::RuntimeError& error) {
        const rt::Long number = error.Number();
        if (number == host::regerr::StoreFailed || number == host::regerr::KeyNotOpen)
          host::errors().PassOnPendingError();
        host::errors().ReportError(error, kSetupSource);
      });
}

void CRV1XSetup::RegSave(rt::Long, const QString&) {
  Save({setting::CommTimeOut, setting::RangeThreshold});
}

void CRV1XSetup::SaveSetting(const QString& name) {
  Save({name});
}

void CRV1XSetup::Save(const QStringList& names) {
  // One read and, only where a value differs, one write of the store, under
  // its lock taken once, however many values are saved.
  platform::RegistryStore::Batch batch;
  auto registry = std::make_shared<host::RegistryHelper>();
  rt::ignoreErrorsEach([&] { registry->CreateKey(host::HKEY_LOCAL_MACHINE, kSettingsKey); },
                       [&] { registry->OpenKey(host::HKEY_LOCAL_MACHINE, kSettingsKey); });
  for (const QString& name : names)
    rt::ignoreErrors([&] {
      if (name == setting::CommTimeOut)
        registry->WriteValue(name, QVariant(commTimeOut_));
      else if (name == setting::RangeThreshold)
        registry->WriteValue(name, QVariant(rangeThreshold_));
    });
}

}  // namespace orvanRV1X
