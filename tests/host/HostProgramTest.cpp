// The host program's options that every command shares, its help, and what
// it leaves off the technician's terminal.

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "QtPrinters.h"
#include "TestSupport.h"
#include "registry/RegistryStore.h"

namespace {

struct ProgramRun {
  int exitCode = -1;
  QString err;
  QString out;
};

ProgramRun hostProgram(const QStringList& arguments, const QProcessEnvironment& environment =
                                                         QProcessEnvironment::systemEnvironment()) {
  QProcess program;
  program.setProcessEnvironment(environment);
  program.start(testsupport::builtProgram(QStringLiteral("rv1x-host")), arguments);
  EXPECT_TRUE(program.waitForFinished(30000)) << qPrintable(arguments.join(u' '));
  return ProgramRun{program.exitCode(), QString::fromLocal8Bit(program.readAllStandardError()),
                    QString::fromLocal8Bit(program.readAllStandardOutput())};
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

TEST(HostProgram, HelpListsTheCommandsOneLineEach) {
  const QStringList commands{"catalogue", "edit", "ports",  "query-port", "link",   "preferences",
                             "register",  "run",  "resave", "report",     "export", "workbench"};
  for (const QString& help : {QStringLiteral("--help"), QStringLiteral("-h")}) {
    SCOPED_TRACE(qPrintable(help));
    const ProgramRun run = hostProgram({help});
    EXPECT_EQ(run.exitCode, 0) << qPrintable(run.err);
    EXPECT_TRUE(run.out.startsWith(QStringLiteral("usage: rv1x-host ")));
    QStringList listed;
    for (const QString& line : run.out.split(u'\n'))
      if (line.startsWith(QStringLiteral("  ")) && !line.startsWith(QStringLiteral("  --")))
        listed.append(line.simplified().section(u' ', 0, 0));
    EXPECT_EQ(listed, commands);
    EXPECT_TRUE(run.err.isEmpty()) << qPrintable(run.err);
  }
}

TEST(HostProgram, ACommandsHelpGivesItsOptions) {
  const struct {
    QStringList arguments;
    QStringList shown;
    bool simulatorOptions;
  } cases[] = {
      {{"run", "--help"},
       {"usage: rv1x-host [--unattended] [--simulate[=OPTIONS]] [--template FILE] run ",
        "  --wait-limit SECONDS  ", "  --operator FILE  ", "  --registry FILE  "},
       true},
      {{"--unattended", "run", "-h"}, {"  --screenshots DIR  "}, true},
      {{"edit", "--help"},
       {"  --index K  ", "  --screenshot FILE  ", "  --template FILE  "},
       false},
      {{"preferences", "--help"},
       {"usage: rv1x-host [--template FILE] preferences ", "  --template FILE  "},
       false},
      {{"link", "3", "--help"},
       {"usage: rv1x-host [--scan] [--simulate[=OPTIONS]] link N CMD...", "  --scan  "},
       true},
      {{"ports", "--help"}, {"usage: rv1x-host ports [DEVICE...]\n"}, false},
      {{"report", "--help"}, {"usage: rv1x-host report IN OUT\n"}, false},
      {{"export", "--help"}, {"usage: rv1x-host export IN OUT.csv\n"}, false},
      {{"run", "--help"},
       {"  --device-model TEXT  ", "  --device-serial TEXT  ", "  --device-id TEXT  ",
        "  --technician TEXT  "},
       true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(qPrintable(c.arguments.join(u' ')));
    const ProgramRun run = hostProgram(c.arguments);
    EXPECT_EQ(run.exitCode, 0) << qPrintable(run.err);
    for (const QString& text : c.shown) EXPECT_TRUE(run.out.contains(text)) << qPrintable(run.out);
    EXPECT_EQ(run.out.contains(QStringLiteral("simulator options")), c.simulatorOptions);
  }
  // What is not help stays a usage error.
  for (const QStringList& arguments :
       {QStringList{"--helpme"}, QStringList{"helpme"}, QStringList{"run", "--helpme", "1"}}) {
    const ProgramRun run = hostProgram(arguments);
    EXPECT_EQ(run.exitCode, 64) << qPrintable(arguments.join(u' '));
    EXPECT_TRUE(run.out.isEmpty());
  }
}

TEST(HostProgram, TheRegistryOptionWinsOverTheEnvironment) {
  QTemporaryDir dir;
  const QString named = dir.filePath(QStringLiteral("named.ini"));
  const QString inEnvironment = dir.filePath(QStringLiteral("environment.ini"));
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("RV1X_REGISTRY"), inEnvironment);
  const ProgramRun run =
      hostProgram({QStringLiteral("--registry"), named, QStringLiteral("register")}, environment);
  EXPECT_EQ(run.exitCode, 0) << qPrintable(run.err);
  EXPECT_TRUE(run.out.endsWith(QStringLiteral("registry ") + named + u'\n')) << qPrintable(run.out);
  EXPECT_TRUE(QFile::exists(named));
  EXPECT_FALSE(QFile::exists(inEnvironment));
}

TEST(HostProgram, SaysNothingOfTheRuntimeFolderItWasNotGiven) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  const ProgramRun run = hostProgram({QStringLiteral("--help")}, environment);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_TRUE(run.err.isEmpty()) << qPrintable(run.err);
}

// Fontconfig says when it cannot read its configuration: a command line that
// draws nothing never gets so far, one that draws a page does.
TEST(HostProgram, ACommandThatDrawsNothingLeavesTheFontsAlone) {
  testsupport::TemporaryRegistry registry;
  QTemporaryDir dir;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("RV1X_REGISTRY"), registry.path());
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  environment.insert(QStringLiteral("FONTCONFIG_FILE"), dir.filePath(QStringLiteral("none.conf")));
  const QStringList silent[] = {
      {QStringLiteral("--help")},    {QStringLiteral("register")},
      {QStringLiteral("catalogue")}, {QStringLiteral("run"), QStringLiteral("--help")},
      {QStringLiteral("resave")},    {QStringLiteral("no-such-command")},
  };
  for (const QStringList& arguments : silent) {
    SCOPED_TRACE(qPrintable(arguments.join(u' ')));
    const ProgramRun run = hostProgram(arguments, environment);
    EXPECT_NE(run.exitCode, -1);
    EXPECT_FALSE(run.err.contains(QStringLiteral("Fontconfig"))) << qPrintable(run.err);
  }
  const ProgramRun drawn =
      hostProgram({QStringLiteral("preferences"), QStringLiteral("--screenshot"),
                   dir.filePath(QStringLiteral("page.png"))},
                  environment);
  EXPECT_EQ(drawn.exitCode, 0) << qPrintable(drawn.err);
  EXPECT_TRUE(drawn.err.contains(QStringLiteral("Fontconfig"))) << qPrintable(drawn.err);
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
