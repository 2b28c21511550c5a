#pragma once
// The toolbar's button pictures, painted rather than loaded: one per
// button id, 20 x 20 pixels on a transparent ground.

#include <QIcon>

#include "runtime/Types.h"

namespace orvanTGCL2 {

QIcon toolbarIcon(rt::Long buttonId);

}  // namespace orvanTGCL2
