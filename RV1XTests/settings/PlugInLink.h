#pragma once
// The library's link to the plug-in that loaded it: the plug-in hands itself
// over once it is initialised, and the limit sets ask it for the standards
// its test template holds.

#include "orvanRV1Xtst/TypeLibrary.h"

namespace orvanRV1Xtst::MMiscUtils {

// Keeps the plug-in, replacing any kept before. The link does not keep the
// plug-in alive: once the host releases it, look-ups find nothing.
void SetPlugIn(const IRV1XPlugInPtr& plugIn);

// The plug-in's standard of those names for that test, or Nothing: without a
// plug-in, or when the look-up fails (never raises).
com::ObjectPtr LoadStandard(rt::Long iTestID, QString sAlphaName, QString sCompleteName);

}  // namespace orvanRV1Xtst::MMiscUtils
