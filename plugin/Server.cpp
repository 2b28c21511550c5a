// The plug-in's component server. Registering it also creates the
// plug-in's settings key, as its installer does, so that the setup finds
// its key (and the template beside the library) on first use.
#include "CRV1XSetup.h"
#include "com/ServerModule.h"
#include "services/RegistryHelper.h"

RV1X_COMPONENT_SERVER(com::ServerModule(QStringLiteral("orvanRV1X"), {}, [] {
  host::RegistryHelper().CreateKey(host::HKEY_LOCAL_MACHINE, orvanRV1X::kSettingsKey);
}))
