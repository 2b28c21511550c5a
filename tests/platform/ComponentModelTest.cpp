// Creating objects by registered name through the registry store, across
// libraries loaded at run time.

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QLibrary>
#include <QSaveFile>
#include <functional>

#include "QtPrinters.h"
#include "TestControl.h"
#include "TestGreeter.h"
#include "TestSupport.h"
#include "com/CreateObject.h"
#include "com/Registration.h"
#include "registry/RegistryStore.h"
#include "runtime/ErrorHandling.h"
#include "ui/UserControl.h"

namespace {

using testsupport::errorOf;
using testsupport::TemporaryRegistry;

QString serverFile() {
  return testsupport::builtLibrary(QStringLiteral("rv1xtestserver"));
}

using EntryPoint = std::int32_t (*)();
EntryPoint entryPoint(const char* name) {
  QLibrary library(serverFile());
  library.setLoadHints(QLibrary::PreventUnloadHint);
  return library.load() ? reinterpret_cast<EntryPoint>(library.resolve(name)) : nullptr;
}

TEST(ComponentModel, ClassesOfASplitRegistrationAreCreatable) {
  TemporaryRegistry registry;
  ASSERT_TRUE(testsupport::registerServer(serverFile()));
  const com::RegisteredClass found = com::lookUpClass(QStringLiteral("RV1XTEST.control"));
  EXPECT_EQ(found.clsid, QStringLiteral("{89B10C84-5498-4553-8E33-150D4C669239}"));
  EXPECT_EQ(found.libraryFile, QFileInfo(serverFile()).canonicalFilePath());
  EXPECT_TRUE(platform::RegistryStore::instance().keyExists(
      platform::hive::ClassesRoot,
      QStringLiteral("CLSID\\") + found.clsid + QStringLiteral("\\Control")))
      << "a user control is marked as one";
  EXPECT_FALSE(platform::RegistryStore::instance().keyExists(
      platform::hive::ClassesRoot,
      QStringLiteral("CLSID\\{6B1D2C0E-4F6A-4E0B-9F54-2D7A51C0A001}\\Control")));

  com::ObjectPtr object = com::createObject(QStringLiteral("RV1XTest.Control"));
  EXPECT_TRUE(com::queryInterface<ITestControl>(object));
  EXPECT_TRUE(com::queryInterface<ui::UserControl>(object));
  EXPECT_EQ(errorOf([&] { com::cast<ITestGreeter>(object); }), 13);
  EXPECT_FALSE(com::queryInterface<ITestGreeter>(object));
}

TEST(ComponentModel, UnregisteringRemovesTheClasses) {
  TemporaryRegistry registry;
  ASSERT_TRUE(testsupport::registerServer(serverFile()));
  EntryPoint unregister = entryPoint("DllUnregisterServer");
  ASSERT_TRUE(unregister);
  EXPECT_EQ(unregister(), 0);
  for (const char* progId : {"RV1XTest.Greeter", "RV1XTest.Control"})
    EXPECT_EQ(errorOf([&] { com::createObject(QLatin1String(progId)); }), 429) << progId;
  auto& store = platform::RegistryStore::instance();
  EXPECT_TRUE(store.subKeys(platform::hive::ClassesRoot, QStringLiteral("CLSID")).isEmpty());
  EXPECT_EQ(unregister(), 0) << "unregistering twice is harmless";
  ASSERT_TRUE(testsupport::registerServer(serverFile()));
  EXPECT_TRUE(com::createObject(QStringLiteral("RV1XTest.Greeter")));
}

TEST(ComponentModel, AClassIdentifierTheServerDoesNotKnowRaises429) {
  TemporaryRegistry registry;
  com::writeClassRegistration({QStringLiteral("CGreeter"), QStringLiteral("Stray.Greeter"),
                               QStringLiteral("{00000000-0000-0000-0000-0000000000AA}"), false},
                              serverFile());
  EXPECT_EQ(errorOf([] { com::createObject(QStringLiteral("Stray.Greeter")); }), 429);
  EXPECT_EQ(errorOf([] { com::createObject(QString()); }), 429);
}

TEST(ComponentModel, VariantsCarryObjects) {
  TemporaryRegistry registry;
  ASSERT_TRUE(testsupport::registerServer(serverFile()));
  com::ObjectPtr object = com::createObject(QStringLiteral("RV1XTest.Greeter"));
  const QVariant held = com::toVariant(object);
  EXPECT_TRUE(com::holdsObject(held));
  EXPECT_EQ(com::toObject(held), object);
  EXPECT_TRUE(com::variantAs<ITestGreeter>(held));
  EXPECT_FALSE(com::toObject(QVariant()));
  EXPECT_FALSE(com::holdsObject(com::toVariant(nullptr)));
  EXPECT_EQ(errorOf([] { com::toObject(QVariant(5)); }), 13);
  EXPECT_EQ(errorOf([&] { com::variantAs<ITestControl>(held); }), 13);
}

TEST(ComponentModel, CreatesByProgIdAndCastsToAnInterfaceOfAnotherLibrary) {
  TemporaryRegistry registry;
  ASSERT_TRUE(testsupport::registerServer(serverFile()));

  com::ObjectPtr object = com::createObject(QStringLiteral("rv1xtest.GREETER"));
  auto greeter = com::queryInterface<ITestGreeter>(object);
  ASSERT_TRUE(greeter) << "the interface's type identity must be shared across the libraries";
  EXPECT_EQ(greeter->Greet(QStringLiteral("RV-1X")), QStringLiteral("Hello, RV-1X"));
}

// Another process's registration, and its removal, written into the file
// between two look-ups of the same class, are seen by the second.
TEST(ComponentModel, AClassLookUpSeesAnotherWritersChangeAtOnce) {
  TemporaryRegistry registry;
  const auto replaceFile = [&](const QByteArray& content) {
    QSaveFile file(registry.path());  // as every writer does: a new file renamed over it
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    ASSERT_TRUE(file.commit());
  };
  const QString progId = QStringLiteral("RV1XTest.Greeter");
  QByteArray unregistered, registered;
  {
    QFile empty(registry.path());
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
  }
  {
    TemporaryRegistry other;  // where the other process registers
    ASSERT_TRUE(testsupport::registerServer(serverFile()));
    QFile file(other.path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    registered = file.readAll();
  }
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    // Looked up twice before each change, so that the answer is one kept.
    for (int i = 0; i < 2; ++i) EXPECT_TRUE(com::lookUpClass(progId).clsid.isEmpty());
    replaceFile(registered);
    EXPECT_EQ(com::lookUpClass(progId).libraryFile, QFileInfo(serverFile()).canonicalFilePath());
    EXPECT_TRUE(com::createObject(progId));
    replaceFile(unregistered);
    EXPECT_EQ(errorOf([&] { com::createObject(progId); }), 429);
  }
}

TEST(ComponentModel, UnknownProgIdOrMissingLibraryRaises429) {
  TemporaryRegistry registry;
  EXPECT_EQ(errorOf([] { com::createObject(QStringLiteral("Nobody.Here")); }), 429);
  com::writeClassRegistration({QStringLiteral("CGreeter"), QStringLiteral("Gone.Greeter"),
                               QStringLiteral("{00000000-0000-0000-0000-000000000001}"), false},
                              QStringLiteral("/nonexistent/libgone.so"));
  EXPECT_EQ(errorOf([] { com::createObject(QStringLiteral("Gone.Greeter")); }), 429);
}

TEST(ComponentModel, DeliverablesExportTheFourEntryPoints) {
  for (const char* name : {"orvanRV1Xvti", "orvanRV1Xtst", "orvanRV1X", "rv1xtestserver"}) {
    QLibrary library(testsupport::builtLibrary(QLatin1String(name)));
    ASSERT_TRUE(library.load()) << name << ": " << qPrintable(library.errorString());
    for (const char* entry :
         {"DllRegisterServer", "DllUnregisterServer", "DllGetClassObject", "DllCanUnloadNow"})
      EXPECT_TRUE(library.resolve(entry)) << name << " lacks " << entry;
  }
}

TEST(ComponentModel, CanUnloadOnlyWhenNoObjectIsAlive) {
  TemporaryRegistry registry;
  ASSERT_TRUE(testsupport::registerServer(serverFile()));
  EntryPoint canUnload = entryPoint("DllCanUnloadNow");
  ASSERT_TRUE(canUnload);
  {
    com::ObjectPtr object = com::createObject(QStringLiteral("RV1XTest.Greeter"));
    EXPECT_EQ(canUnload(), 1);
  }
  EXPECT_EQ(canUnload(), 0);
}

TEST(ComponentModel, MemberCallThroughNothingRaises91) {
  std::shared_ptr<ITestGreeter> nothing;
  EXPECT_EQ(errorOf([&] { com::must(nothing).Greet(QStringLiteral("x")); }), 91);
  std::weak_ptr<ITestGreeter> gone;
  EXPECT_EQ(errorOf([&] { com::must(gone); }), 91);
}

}  // namespace
