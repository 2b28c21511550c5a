#pragma once
// rv1x-host edit as a technician meets it: the editors' libraries and the
// plug-in registered once into the suite's registry, stored sequences
// written as files of the test's own folder, and the program run on them.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "TestSupport.h"
#include "services/ErrorService.h"
#include "ui/MessageBoxes.h"

namespace hostedit {

// A stored sequence entry of that class, test ID and element ID around its
// parts.
inline QString entry(const char* className, int testId, int id, const QString& parts) {
  return QStringLiteral("<TestElement ClassName=\"RV1XTests.%1\" TestID=\"%2\" ID=\"%3\">%4")
             .arg(QLatin1String(className))
             .arg(testId)
             .arg(id)
             .arg(parts) +
         QStringLiteral("</TestElement>");
}

class HostEditTest : public ::testing::Test {
 protected:
  // Every registry write reaches the disk: the libraries are registered
  // once for all the suite's tests.
  static void SetUpTestSuite() {
    registry_ = std::make_unique<testsupport::TemporaryRegistry>();
    for (const char* library : {"orvanView", "orvanRV1Xtst", "orvanRV1X"})
      ASSERT_TRUE(testsupport::registerServer(testsupport::builtLibrary(QLatin1String(library))))
          << library;
  }
  static void TearDownTestSuite() { registry_.reset(); }

  void SetUp() override {
    host::ErrorService::instance()->clear();
    ui::MessageBoxes::instance().clear();
  }
  void TearDown() override { ui::MessageBoxes::instance().clear(); }

  QString path(const QString& name) const { return dir_.filePath(name); }

  QString writeFile(const QByteArray& content, const QString& name = "sequence.xml") const {
    QFile file(path(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
    return path(name);
  }

  static QByteArray readFile(const QString& file) {
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
  }

  static testsupport::ProgramOutcome rv1xHost(const QStringList& arguments) {
    return testsupport::runHostProgram(registry_->path(), arguments);
  }

  // Where the pictures to look at go.
  static QString outputFile(const QString& name) {
    const QString dir =
        qEnvironmentVariable("RV1X_BUILD_DIR", QDir::tempPath()) + QStringLiteral("/test-output");
    QDir().mkpath(dir);
    return dir + u'/' + name;
  }

  QTemporaryDir dir_;
  static inline std::unique_ptr<testsupport::TemporaryRegistry> registry_;
};

}  // namespace hostedit
