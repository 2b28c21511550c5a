// rv1x-host catalogue and preferences, run as a technician runs them, with
// the plug-in registered into the test's registry.

#include <QImage>

#include "PlugInFixture.h"

namespace plugintest {
namespace {

testsupport::ProgramOutcome rv1xHost(const QStringList& arguments) {
  // The test's own registry, which the fixture names in RV1X_REGISTRY.
  return testsupport::runHostProgram(qEnvironmentVariable("RV1X_REGISTRY"), arguments);
}

TEST_F(PlugInTest, CatalogueListsEachTestWithItsStandards) {
  useTemplate(QStringLiteral("/opt/rv1x/installed.mpc"));
  const QString chosen =
      writeFile(templateOf(fakeEntry("<Name LID=\"20621::Discharge test\"/><ExpectedResult>" +
                                     standard("IEC", "IEC 60601-2-4") +
                                     standard("HOUSE", "House rule") + "</ExpectedResult>") +
                           entry(kFake, "400")));
  const testsupport::ProgramOutcome run =
      rv1xHost({QStringLiteral("--template"), chosen, QStringLiteral("catalogue")});
  EXPECT_EQ(run.status, 0) << qPrintable(run.errors);
  EXPECT_EQ(run.output, QStringLiteral("900 RV1XTest.FakeTestElement Discharge test\n"
                                       "  IEC: IEC 60601-2-4\n"
                                       "  HOUSE: House rule\n"));
  EXPECT_TRUE(run.errors.contains(QStringLiteral("0x8004A22D")))
      << "the entry left out is reported";
  EXPECT_EQ(storedSetting(orvanRV1X::setting::Configuration).toString(),
            QStringLiteral("/opt/rv1x/installed.mpc"))
      << "--template leaves the installed template named";
}

TEST_F(PlugInTest, ATemplateNamedForOneRunNeverReachesTheRegistryEvenWhenTheProgramDies) {
  useTemplate(QStringLiteral("/opt/rv1x/installed.mpc"));
  const QString dying =
      writeFile(templateOf(entry(QStringLiteral("RV1XTest.DyingElement"), "960")));
  const testsupport::ProgramOutcome run =
      rv1xHost({QStringLiteral("--template"), dying, QStringLiteral("catalogue")});
  EXPECT_EQ(run.status, 70) << "the program died while it read the template";
  EXPECT_EQ(storedSetting(orvanRV1X::setting::Configuration).toString(),
            QStringLiteral("/opt/rv1x/installed.mpc"));
}

TEST_F(PlugInTest, CatalogueOfATemplateThatIsNotThere) {
  const QString missing = dir_.filePath(QStringLiteral("missing.mpc"));
  const testsupport::ProgramOutcome run =
      rv1xHost({QStringLiteral("catalogue"), QStringLiteral("--template"), missing});
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(run.output.isEmpty());
  EXPECT_TRUE(run.errors.contains(QStringLiteral("0x8004A22A"))) << qPrintable(run.errors);
  EXPECT_TRUE(run.errors.contains(missing)) << qPrintable(run.errors);
  EXPECT_FALSE(storedSetting(orvanRV1X::setting::Configuration).isValid());
}

TEST_F(PlugInTest, PreferencesScreenshot) {
  const QString picture = dir_.filePath(QStringLiteral("preferences.png"));
  const testsupport::ProgramOutcome run =
      rv1xHost({QStringLiteral("--template"), writeFile(templateOf(fakeEntry())),
                QStringLiteral("preferences"), QStringLiteral("--screenshot"), picture});
  EXPECT_EQ(run.status, 0) << qPrintable(run.errors);
  const QImage image(picture);
  EXPECT_GE(image.width(), 480);
  EXPECT_GE(image.height(), 318);

  EXPECT_EQ(rv1xHost({QStringLiteral("preferences"), QStringLiteral("--bad")}).status, 64);
}

}  // namespace
}  // namespace plugintest
