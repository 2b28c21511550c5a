#pragma once
// The noise list of the pacer-accuracy editor: "Off", ten 50 Hz and ten
// 60 Hz levels. The analyzer's level is the list position alone; the
// millivolts shown grow with the load, by a factor per load-list position.

#include <QStringList>

#include "runtime/Types.h"

namespace orvanRV1Xtst::noiselist {

// The factor of a load-list position; 0 for a position outside the list.
int factor(rt::Integer loadIndex);
// The 21 entries for a load ("Off", "50 Hz 2 mV", ..., "60 Hz 20 mV"); none
// for a position outside the load list.
QStringList entries(rt::Integer loadIndex);

}  // namespace orvanRV1Xtst::noiselist
