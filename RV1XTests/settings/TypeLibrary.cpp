// The key functions of the published interfaces: one definition here gives
// each a single type identity in the plug-in and the test library.

#include "orvanRV1Xtst/TypeLibrary.h"

namespace orvanRV1Xtst {

IRV1XPlugIn::~IRV1XPlugIn() = default;

}  // namespace orvanRV1Xtst
