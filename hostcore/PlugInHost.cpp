#include "PlugInHost.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "com/CreateObject.h"
#include "elements/TestInfo.h"
#include "registry/RegistryStore.h"
#include "runtime/ErrorHandling.h"
#include "services/HostServices.h"
#include "typelib/ITestElement.h"

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

QString templateInUse(const CommonOptions& options) {
  if (!options.templateFile.isEmpty()) return options.templateFile;
  const QString configured =
      platform::RegistryStore::instance()
          .readValue(platform::hive::LocalMachine, kSettingsKey, kTemplateValue)
          .toString();
  if (!configured.isEmpty()) return configured;
  return QCoreApplication::applicationDirPath() + QStringLiteral("/../lib/orvanRV1X.mpc");
}

void recordVersions(host::SequenceRecord& record, host::IPlugIn& plugIn) {
  record.hostVersion = com::must(host::VersionService::instance()).hostVersion();
  record.plugInVersion = rt::orDefault([&] { return plugIn.Version(); }, QString());
}

QMap<rt::Long, QString> catalogueNames(host::IPlugIn& plugIn) {
  QMap<rt::Long, QString> names;
  rt::ignoreErrors([&] {
    const host::ITestElementListPtr catalogue = plugIn.Tests();
    if (!catalogue) return;
    for (rt::Long i = 1; i <= catalogue->Count(); ++i) {
      rt::ignoreErrors([&] {
        const host::ITestElementPtr test = catalogue->Item(i);
        const host::TestInfoPtr info = com::must(test).Info();
        if (info && !names.contains(test->TestID())) names.insert(test->TestID(), info->Name());
      });
    }
  });
  return names;
}

}  // namespace hostapp
