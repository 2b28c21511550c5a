#pragma once
// The plug-in's release, the deliverable's version numbers as the build
// gives them (the project's version).

#include <QString>

namespace orvanRV1X {

// Major, minor and revision in plain decimal, joined by "." (file version
// 2.03.0001 is "2.3.1").
inline QString versionText() {
  return QStringLiteral("%1.%2.%3")
      .arg(RV1X_PLUGIN_VERSION_MAJOR)
      .arg(RV1X_PLUGIN_VERSION_MINOR)
      .arg(RV1X_PLUGIN_VERSION_REVISION);
}

}  // namespace orvanRV1X
