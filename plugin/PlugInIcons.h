#pragma once
// The plug-in's bitmaps by test ID and size, as the host asks for them.

#include <QString>

#include "runtime/Types.h"

namespace orvanRV1X {

// The bitmap resource name of that test ID (0 for the plug-in itself) and
// size; empty when there is none.
QString iconName(rt::Long testID, rt::Long size);

}  // namespace orvanRV1X
