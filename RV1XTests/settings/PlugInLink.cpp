#include "settings/PlugInLink.h"

#include "runtime/ErrorHandling.h"

namespace orvanRV1Xtst::MMiscUtils {

namespace {
// A back-reference: the plug-in owns the test elements that use this
// library, so holding it here would keep it from ever ending.
std::weak_ptr<IRV1XPlugIn>& plugInPointer() {
  static std::weak_ptr<IRV1XPlugIn> pointer;
  return pointer;
}
}  // namespace

void SetPlugIn(const IRV1XPlugInPtr& plugIn) {
  plugInPointer() = plugIn;
}

com::ObjectPtr LoadStandard(rt::Long iTestID, QString sAlphaName, QString sCompleteName) {
  return rt::orDefault(
      [&]() -> com::ObjectPtr {
        const IRV1XPlugInPtr plugIn = plugInPointer().lock();
        return plugIn ? plugIn->LoadStandard(iTestID, sAlphaName, sCompleteName) : nullptr;
      },
      com::ObjectPtr());
}

}  // namespace orvanRV1Xtst::MMiscUtils
