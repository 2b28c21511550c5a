// rv1x-host catalogue and preferences, run as a technician runs them, with
// the plug-in registered into the test's registry.

#include <QImage>
#include <QProcess>

#include "PlugInFixture.h"

namespace plugintest {
namespace {

struct HostRun {
  int exitCode = -1;
  QString out, err;
};

HostRun rv1xHost(const QStringList& arguments) {
  QProcess process;
  process.start(testsupport::builtProgram(QStringLiteral("rv1x-host")), arguments);
  HostRun run;
  if (!process.waitForFinished(60000)) return run;
  run.exitCode = process.exitCode();
  run.out = QString::fromUtf8(process.readAllStandardOutput());
  run.err = QString::fromUtf8(process.readAllStandardError());
  return run;
}

TEST_F(PlugInTest, CatalogueListsEachTestWithItsStandards) {
  useTemplate(QStringLiteral("/opt/rv1x/installed.mpc"));
  const QString chosen =
      writeFile(templateOf(fakeEntry("<Name LID=\"20621::Discharge test\"/><ExpectedResult>" +
                                     standard("IEC", "IEC 60601-2-4") +
                                     standard("HOUSE", "House rule") + "</ExpectedResult>") +
                           entry(kFake, "400")));
  const HostRun run = rv1xHost({QStringLiteral("--template"), chosen, QStringLiteral("catalogue")});
  EXPECT_EQ(run.exitCode, 0) << qPrintable(run.err);
  EXPECT_EQ(run.out, QStringLiteral("900 RV1XTest.FakeTestElement Discharge test\n"
                                    "  IEC: IEC 60601-2-4\n"
                                    "  HOUSE: House rule\n"));
  EXPECT_TRUE(run.err.contains(QStringLiteral("0x8004A22D"))) << "the entry left out is reported";
  EXPECT_EQ(storedSetting(orvanRV1X::setting::Configuration).toString(),
            QStringLiteral("/opt/rv1x/installed.mpc"))
      << "--template leaves the installed template named";
}

TEST_F(PlugInTest, CatalogueOfATemplateThatIsNotThere) {
  const QString missing = dir_.filePath(QStringLiteral("missing.mpc"));
  const HostRun run =
      rv1xHost({QStringLiteral("catalogue"), QStringLiteral("--template"), missing});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_TRUE(run.out.isEmpty());
  EXPECT_TRUE(run.err.contains(QStringLiteral("0x8004A22A"))) << qPrintable(run.err);
  EXPECT_TRUE(run.err.contains(missing)) << qPrintable(run.err);
  EXPECT_FALSE(storedSetting(orvanRV1X::setting::Configuration).isValid());
}

TEST_F(PlugInTest, PreferencesScreenshot) {
  const QString picture = dir_.filePath(QStringLiteral("preferences.png"));
  const HostRun run =
      rv1xHost({QStringLiteral("--template"), writeFile(templateOf(fakeEntry())),
                QStringLiteral("preferences"), QStringLiteral("--screenshot"), picture});
  EXPECT_EQ(run.exitCode, 0) << qPrintable(run.err);
  const QImage image(picture);
  EXPECT_GE(image.width(), 480);
  EXPECT_GE(image.height(), 318);

  EXPECT_EQ(rv1xHost({QStringLiteral("preferences"), QStringLiteral("--bad")}).exitCode, 64);
}

}  // namespace
}  // namespace plugintest
