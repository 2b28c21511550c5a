#pragma once
// The results document of the whole catalogue as a run writes it, kept
// among the fixtures: the record tests edit it into the case they need.

#include <QFile>
#include <QString>

namespace testsupport {

inline QString catalogueResults() {
  QFile file(
      QStringLiteral(RV1X_SOURCE_DIR "/tests/mutation/fixtures/results-of-the-catalogue.xml"));
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

}  // namespace testsupport
