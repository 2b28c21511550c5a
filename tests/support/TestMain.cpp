// The common main of every test program: an offscreen application, the
// en_US locale unless a test sets another, unattended message boxes and a
// registry store of the program's own.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontDatabase>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "registry/RegistryStore.h"
#include "runtime/Locale.h"
#include "ui/MessageBoxes.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("rv1x-tests"));
  rt::setUserLocale(QLocale(QLocale::English, QLocale::UnitedStates));
  ui::MessageBoxes::instance().setUnattended(true);
  QTemporaryDir registryDir;
  qputenv("RV1X_REGISTRY", registryDir.filePath(QStringLiteral("registry.ini")).toLocal8Bit());
  const int result = RUN_ALL_TESTS();
  QApplication::closeAllWindows();
  return result;
}
