#include "settings/CMtiData2.h"

namespace orvanRV1Xtst {

CMtiData2::~CMtiData2() = default;

}  // namespace orvanRV1Xtst
