#pragma once
// The guide controls registered from the build, as a host installs them,
// and pictures of the windows under test: PNG files in the folder named by
// RV1X_SCREENSHOT_DIR when it is set.

#include <gtest/gtest.h>

#include <QDir>
#include <QPixmap>
#include <QWidget>

#include "TestSupport.h"

namespace testservices {

struct GuideControlsFixture : ::testing::Test {
  testsupport::TemporaryRegistry registry;
  void SetUp() override {
    ASSERT_TRUE(
        testsupport::registerServer(testsupport::builtLibrary(QStringLiteral("orvanTGCL2"))));
    ASSERT_TRUE(
        testsupport::registerServer(testsupport::builtLibrary(QStringLiteral("orvanView"))));
  }
};

// The window's picture; saved as <name>.png when pictures are asked for.
inline QImage picture(QWidget& window, const QString& name) {
  const QImage image = window.grab().toImage();
  const QString dir = qEnvironmentVariable("RV1X_SCREENSHOT_DIR");
  if (!dir.isEmpty()) {
    QDir().mkpath(dir);
    image.save(QDir(dir).filePath(name + QStringLiteral(".png")));
  }
  return image;
}

}  // namespace testservices
