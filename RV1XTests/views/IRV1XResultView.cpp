// The key function of the result-view interface: one definition here gives
// it a single type identity in every library that uses it.

#include "orvanRV1Xtst/IRV1XResultView.h"

namespace orvanRV1Xtst {

IRV1XResultView::~IRV1XResultView() = default;

}  // namespace orvanRV1Xtst
