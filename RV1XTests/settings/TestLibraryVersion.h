#pragma once
// The release of the test library, as stored documents name it.

#include <QString>

namespace orvanRV1Xtst {

inline constexpr int kVersionMajor = 2;
inline constexpr int kVersionMinor = 3;
inline constexpr int kVersionRevision = 1;

// "2.3.1": the three numbers in plain decimal, joined by ".".
inline QString versionText() {
  return QStringLiteral("%1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision);
}

}  // namespace orvanRV1Xtst
