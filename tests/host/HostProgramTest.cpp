// The host program's options that every command shares.

#include <gtest/gtest.h>

#include <QProcess>

#include "QtPrinters.h"
#include "TestSupport.h"

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

}  // namespace
