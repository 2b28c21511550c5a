#include "com/ServerModule.h"
#include "orvanRV1Xtst/TypeLibrary.h"
#include "settings/PlugInLink.h"
#include "typelib/IPlugIn.h"

namespace orvanRV1Xtst {

GGlobals::GGlobals() = default;
GGlobals::~GGlobals() = default;

void GGlobals::SetPlugInPointer(const host::IPlugInPtr& ipi) {
  if (com::must(ipi).ID() != host::kProduct) return;
  MMiscUtils::SetPlugIn(com::cast<IRV1XPlugIn>(ipi));
}

RV1X_CREATABLE_CLASS("orvanRV1Xtst", GGlobals)

}  // namespace orvanRV1Xtst
