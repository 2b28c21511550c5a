#pragma once
// The test library's published types, what the plug-in binds against: the
// global object through which the plug-in hands itself over, and the
// plug-in's own interface, through which the limit sets ask it for the
// standards of its test template.

#include <QString>

#include "com/Object.h"
#include "runtime/Types.h"
#include "typelib/HostTypes.h"

namespace orvanRV1Xtst {

// Implemented by the plug-in object; not creatable.
class IRV1XPlugIn : public virtual com::Object {
 public:
  ~IRV1XPlugIn() override;
  // The stored standard of those names for the test with that ID, ready to
  // be added to a limit set's collection; Nothing when the plug-in has none.
  virtual com::ObjectPtr LoadStandard(rt::Long iTestID, const QString& sAlphaName,
                                      const QString& sCompleteName) = 0;
};
using IRV1XPlugInPtr = std::shared_ptr<IRV1XPlugIn>;

// The library's global object ("RV1XTests.GGlobals"): it has no state of its
// own, so any instance serves.
class GGlobals : public virtual com::Object {
 public:
  GGlobals();
  ~GGlobals() override;
  // Keeps the plug-in for the library's standard look-ups when its ID is
  // "RV-1X" (replacing one kept before); any other plug-in is ignored. A
  // plug-in with that ID that lacks IRV1XPlugIn raises error 13, Nothing
  // error 91.
  virtual void SetPlugInPointer(const host::IPlugInPtr& ipi);
};

}  // namespace orvanRV1Xtst
