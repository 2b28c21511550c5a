// Creating objects by registered name through the registry store, across
// libraries loaded at run time.

#include "TestGreeter.h"
#include "TestSupport.h"

#include "com/CreateObject.h"
#include "com/Registration.h"
#include "runtime/ErrorHandling.h"

#include <QLibrary>
#include <gtest/gtest.h>

namespace {

using testsupport::TemporaryRegistry;

QString serverFile() { return testsupport::builtLibrary(QStringLiteral("rv1xtestserver")); }

TEST(ComponentModel, CreatesByProgIdAndCastsToAnInterfaceOfAnotherLibrary) {
  TemporaryRegistry registry;
  ASSERT_TRUE(testsupport::registerServer(serverFile()));

  com::ObjectPtr object = com::createObject(QStringLiteral("rv1xtest.GREETER"));
  auto greeter = com::queryInterface<ITestGreeter>(object);
  ASSERT_TRUE(greeter) << "the interface's type identity must be shared across the libraries";
  EXPECT_EQ(greeter->Greet(QStringLiteral("RV-1X")), QStringLiteral("Hello, RV-1X"));
}

TEST(ComponentModel, UnknownProgIdOrMissingLibraryRaises429) {
  TemporaryRegistry registry;
  try {
    com::createObject(QStringLiteral("Nobody.Here"));
    FAIL() << "no error raised";
  } catch (const rt::RuntimeError& e) {
    EXPECT_EQ(e.Number(), 429);
  }
  com::writeClassRegistration({QStringLiteral("CGreeter"), QStringLiteral("Gone.Greeter"),
                               QStringLiteral("{00000000-0000-0000-0000-000000000001}"), false},
                              QStringLiteral("/nonexistent/libgone.so"));
  try {
    com::createObject(QStringLiteral("Gone.Greeter"));
    FAIL() << "no error raised";
  } catch (const rt::RuntimeError& e) {
    EXPECT_EQ(e.Number(), 429);
  }
}

TEST(ComponentModel, DeliverablesExportTheFourEntryPoints) {
  for (const char* name : {"orvanRV1Xvti", "orvanRV1Xtst", "orvanRV1X", "rv1xtestserver"}) {
    QLibrary library(testsupport::builtLibrary(QLatin1String(name)));
    ASSERT_TRUE(library.load()) << name << ": " << qPrintable(library.errorString());
    for (const char* entry : {"DllRegisterServer", "DllUnregisterServer", "DllGetClassObject", "DllCanUnloadNow"})
      EXPECT_TRUE(library.resolve(entry)) << name << " lacks " << entry;
  }
}

TEST(ComponentModel, CanUnloadOnlyWhenNoObjectIsAlive) {
  TemporaryRegistry registry;
  ASSERT_TRUE(testsupport::registerServer(serverFile()));
  QLibrary library(serverFile());
  ASSERT_TRUE(library.load());
  using CanUnload = std::int32_t (*)();
  auto canUnload = reinterpret_cast<CanUnload>(library.resolve("DllCanUnloadNow"));
  ASSERT_TRUE(canUnload);
  {
    com::ObjectPtr object = com::createObject(QStringLiteral("RV1XTest.Greeter"));
    EXPECT_EQ(canUnload(), 1);
  }
  EXPECT_EQ(canUnload(), 0);
}

TEST(ComponentModel, MemberCallThroughNothingRaises91) {
  std::shared_ptr<ITestGreeter> nothing;
  try {
    com::must(nothing).Greet(QStringLiteral("x"));
    FAIL();
  } catch (const rt::RuntimeError& e) {
    EXPECT_EQ(e.Number(), 91);
  }
  std::weak_ptr<ITestGreeter> gone;
  EXPECT_THROW(com::must(gone), rt::RuntimeError);
}

}  // namespace
