#include "PlugInHost.h"

#include <QFileInfo>

#include "com/CreateObject.h"
#include "registry/RegistryStore.h"
#include "runtime/ErrorHandling.h"
#include "services/HostServices.h"

namespace hostapp {

namespace {

// The plug-in's settings key and the value that names its template, as its
// installer writes them.
const QString kSettingsKey = QStringLiteral("Software\\Tavrin\\orvan\\RV-1X");
const QString kTemplateValue = QStringLiteral("Configuration");

// Names another template while it lives, for this process alone: the
// registry file never holds it, so no way the program ends can leave it
// there.
class TemplateOverride {
 public:
  explicit TemplateOverride(const QString& file) : active_(!file.isEmpty()) {
    if (active_)
      platform::RegistryStore::instance().setProcessValue(platform::hive::LocalMachine,
                                                          kSettingsKey, kTemplateValue,
                                                          QFileInfo(file).absoluteFilePath());
  }
  ~TemplateOverride() {
    if (active_)
      platform::RegistryStore::instance().setProcessValue(platform::hive::LocalMachine,
                                                          kSettingsKey, kTemplateValue, QVariant());
  }
  TemplateOverride(const TemplateOverride&) = delete;
  TemplateOverride& operator=(const TemplateOverride&) = delete;

 private:
  bool active_;
};

}  // namespace

host::IPlugInPtr createPlugIn() {
  return com::createObjectAs<host::IPlugIn>(kPlugInProgId);
}

void initializePlugIn(host::IPlugIn& plugIn, const CommonOptions& options) {
  const TemplateOverride chosen(options.templateFile);
  plugIn.Initialize(nullptr);
}

void recordVersions(host::SequenceRecord& record, host::IPlugIn& plugIn) {
  record.hostVersion = com::must(host::VersionService::instance()).hostVersion();
  record.plugInVersion = rt::orDefault([&] { return plugIn.Version(); }, QString());
}

}  // namespace hostapp
