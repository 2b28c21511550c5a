#pragma once
// The serial control's port status as a run-time error.

#include <QString>

namespace orvanRV1Xvti::MCommUtils {

// "Connected": nothing; "Port unavailable": 8005; "Port not found": 8002;
// any other text: 8020. Source: the deliverable's file name.
void CheckPortStatus(const QString& portStatus);

}  // namespace orvanRV1Xvti::MCommUtils
