// The host program's options that every command shares.

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "QtPrinters.h"
#include "TestSupport.h"
#include "registry/RegistryStore.h"

namespace {

struct ProgramRun {
  int exitCode = -1;
  QString err;
};

ProgramRun hostProgram(const QStringList& arguments) {
  QProcess program;
  program.start(testsupport::builtProgram(QStringLiteral("rv1x-host")), arguments);
  EXPECT_TRUE(program.waitForFinished(30000)) << qPrintable(arguments.join(u' '));
  return ProgramRun{program.exitCode(), QString::fromLocal8Bit(program.readAllStandardError())};
}

TEST(HostProgram, TheRegistryOptionWithoutItsFileSaysSo) {
  testsupport::TemporaryRegistry registry;
  const QStringList runs[] = {
      {QStringLiteral("--registry")},
      {QStringLiteral("register"), QStringLiteral("--registry")},
      {QStringLiteral("--registry"), QStringLiteral("--unattended"), QStringLiteral("register")},
  };
  for (const QStringList& arguments : runs) {
    SCOPED_TRACE(qPrintable(arguments.join(u' ')));
    const ProgramRun run = hostProgram(arguments);
    EXPECT_EQ(run.exitCode, 64);
    EXPECT_TRUE(run.err.contains(
        QStringLiteral("rv1x-host: the option --registry needs a file: --registry FILE\n")))
        << qPrintable(run.err);
    EXPECT_FALSE(run.err.contains(QStringLiteral("unknown option")));
  }
}

// register leaves every class of the deliverables in the registry, and the
// plug-in's settings key; where the registry cannot be written it says so for
// each library and calls none registered.
TEST(HostProgram, RegisterLeavesEveryClassOrSaysItCouldNot) {
  constexpr int kLibraries = 5;  // the three deliverables and the two host controls
  testsupport::TemporaryRegistry registry;
  const testsupport::ProgramOutcome done =
      testsupport::runHostProgram(registry.path(), {QStringLiteral("register")});
  EXPECT_EQ(done.status, 0) << qPrintable(done.errors);
  EXPECT_EQ(done.output.count(QStringLiteral("registered ")), kLibraries)
      << qPrintable(done.output);

  platform::RegistryStore& store = platform::RegistryStore::instance();
  constexpr std::uint32_t HKCR = platform::hive::ClassesRoot;
  const QStringList classes = store.subKeys(HKCR, QStringLiteral("CLSID"));
  EXPECT_GE(classes.size(), kLibraries);
  for (const QString& clsid : classes) {
    const QString key = QStringLiteral("CLSID\\") + clsid;
    const QString progId = store.readValue(HKCR, key + QStringLiteral("\\ProgID"), {}).toString();
    EXPECT_FALSE(progId.isEmpty()) << qPrintable(clsid);
    EXPECT_EQ(store.readValue(HKCR, progId + QStringLiteral("\\CLSID"), {}).toString(), clsid);
    const QString library =
        store.readValue(HKCR, key + QStringLiteral("\\InprocServer32"), {}).toString();
    EXPECT_TRUE(QFileInfo(library).isFile()) << qPrintable(progId) << " " << qPrintable(library);
  }
  EXPECT_TRUE(store.keyExists(platform::hive::LocalMachine,
                              QStringLiteral("Software\\Tavrin\\orvan\\RV-1X")));

  // A regular file where the registry's folder should be.
  QFile blocker(QFileInfo(registry.path()).absolutePath() + QStringLiteral("/blocker"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  const QString blocked = blocker.fileName() + QStringLiteral("/registry.ini");
  qputenv("RV1X_REGISTRY", blocked.toLocal8Bit());  // which the program inherits
  const testsupport::ProgramOutcome failed =
      testsupport::runHostProgram(blocked, {QStringLiteral("register")});
  EXPECT_EQ(failed.status, 1);
  EXPECT_FALSE(failed.output.contains(QStringLiteral("registered "))) << qPrintable(failed.output);
  EXPECT_EQ(failed.errors.count(QStringLiteral(": registration failed (0x80040201)")), kLibraries)
      << qPrintable(failed.errors);
}

}  // namespace
