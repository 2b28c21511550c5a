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

// Names another template for its lifetime, and puts the value back (or
// takes it away) when it ends.
class TemplateOverride {
 public:
  explicit TemplateOverride(const QString& file) {
    if (file.isEmpty()) return;
    platform::RegistryStore& registry = platform::RegistryStore::instance();
    active_ = true;
    had_ = registry.valueNames(platform::hive::LocalMachine, kSettingsKey)
               .contains(kTemplateValue, Qt::CaseInsensitive);
    previous_ = registry.readValue(platform::hive::LocalMachine, kSettingsKey, kTemplateValue);
    registry.writeValue(platform::hive::LocalMachine, kSettingsKey, kTemplateValue,
                        QFileInfo(file).absoluteFilePath());
  }
  ~TemplateOverride() {
    if (!active_) return;
    platform::RegistryStore& registry = platform::RegistryStore::instance();
    if (had_)
      registry.writeValue(platform::hive::LocalMachine, kSettingsKey, kTemplateValue, previous_);
    else
      registry.deleteValue(platform::hive::LocalMachine, kSettingsKey, kTemplateValue);
  }
  TemplateOverride(const TemplateOverride&) = delete;
  TemplateOverride& operator=(const TemplateOverride&) = delete;

 private:
  bool active_ = false;
  bool had_ = false;
  QVariant previous_;
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
