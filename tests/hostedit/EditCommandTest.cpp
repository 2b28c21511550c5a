// rv1x-host edit run as a technician runs it: each test's editor drawn
// through the command, and every refusal, which writes nothing.

#include <QImage>
#include <cstdio>

#include "HostEditFixture.h"
#include "ui/Twips.h"

namespace hostedit {
namespace {

const QString kChargeTimeSettings = QStringLiteral(
    "<PlugInData PlugIn=\"RV-1X\"><PresetEnergy>150</PresetEnergy>"
    "<AutoPlayback>True</AutoPlayback><TestGuideSettings ButtonMask=\"2\"/></PlugInData>");

// Three entries: one whose class is not registered, a charge-time test and a
// sensitivity test whose stored load index does not fit its field.
QByteArray storedSequence() {
  return (QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<TestSequence>\n") +
          entry("CTestNotInstalled", 800, 1, QStringLiteral("<Info Name=\"Old\"/>")) + u'\n' +
          entry("CTestChargeTime", 100, 2,
                QStringLiteral("<Info Name=\"Charge time at 150 J\"/>") + kChargeTimeSettings) +
          u'\n' +
          entry("CTestSensitivity", 300, 3,
                QStringLiteral("<PlugInData PlugIn=\"RV-1X\"><LoadIndex>99999</LoadIndex>"
                               "</PlugInData>")) +
          QStringLiteral("\n</TestSequence>\n"))
      .toUtf8();
}

TEST_F(HostEditTest, DrawsTheEditorOfEachTestInTheHostsDialog) {
  // Each editor's designed size: the host's pane gives it that room.
  const struct {
    int testId;
    double width, height;
  } editors[] = {{100, 5190, 2520}, {200, 8055, 2895}, {300, 5010, 2520}, {400, 5010, 2520},
                 {500, 8055, 2520}, {600, 8535, 3420}, {700, 7215, 2835}};
  for (const auto& editor : editors) {
    SCOPED_TRACE(editor.testId);
    const QString picture = outputFile(QStringLiteral("hostedit-%1.png").arg(editor.testId));
    QFile::remove(picture);
    const testsupport::ProgramOutcome run =
        rv1xHost({"edit", "--screenshot", picture, QString::number(editor.testId)});
    EXPECT_EQ(run.status, 0) << qPrintable(run.errors);
    EXPECT_EQ(run.output, QStringLiteral("screenshot %1\n").arg(picture));
    const QImage image(picture);
    EXPECT_GE(image.width(), ui::toPixels(editor.width));
    EXPECT_GT(image.height(), ui::toPixels(editor.height)) << "the host's buttons below it";
    std::printf("host dialog screenshot: %s\n", qPrintable(picture));
  }
}

TEST_F(HostEditTest, WithoutADisplayTheDialogIsDrawnIntoTheWorkingFolder) {
  const QString before = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(dir_.path()));
  const testsupport::ProgramOutcome run = rv1xHost({"edit", "700"});
  QDir::setCurrent(before);
  EXPECT_EQ(run.status, 0) << qPrintable(run.errors);
  EXPECT_EQ(run.output, QStringLiteral("screenshot edit-700.png\n"));
  EXPECT_FALSE(QImage(path("edit-700.png")).isNull());
}

TEST_F(HostEditTest, AStoredElementIsDrawnWithItsSettingsAndTheFileLeftAsItWas) {
  const QByteArray stored = storedSequence();
  const QString sequence = writeFile(stored);
  const QString picture = outputFile(QStringLiteral("hostedit-stored-100.png"));
  const testsupport::ProgramOutcome run =
      rv1xHost({"edit", "--sequence", sequence, "--index", "2", "--screenshot", picture, "100"});
  EXPECT_EQ(run.status, 0) << qPrintable(run.errors);
  EXPECT_TRUE(run.errors.indexOf(QStringLiteral("error:")) < 0)
      << "the other entries are not read: " << qPrintable(run.errors);
  EXPECT_EQ(readFile(sequence), stored);
  EXPECT_FALSE(QImage(picture).isNull());
  std::printf("host dialog screenshot: %s\n", qPrintable(picture));
}

TEST_F(HostEditTest, RefusesWithExitStatus2AndWritesNothing) {
  const QString sequence = writeFile(storedSequence());
  const QString notXml = writeFile("<TestSequence><TestElement>", "broken.xml");
  const QString notASequence = writeFile("<Tests/>", "tests.xml");
  // Settings with a flag that cannot be read: written anew they would lose
  // it.
  const QString unknownChild = writeFile(
      "<TestSequence><TestElement ClassName=\"RV1XTests.CTestChargeTime\" TestID=\"100\">"
      "<PlugInData PlugIn=\"RV-1X\"><PresetEnergy>150</PresetEnergy><AutoPlayback>true"
      "</AutoPlayback></PlugInData></TestElement></TestSequence>",
      "unknown.xml");
  const QString badName = writeFile(
      "<TestSequence><TestElement ClassName=\"RV1XTests.CTestChargeTime\" TestID=\"100\"/>"
      "<Note Be~nch=\"3\"/></TestSequence>",
      "name.xml");
  const QString notItsEncoding = writeFile(
      "<TestSequence><TestElement><Info Name=\"D\xE9"
      "fi\"/></TestElement></TestSequence>",
      "latin1.xml");
  const struct {
    const char* what;
    QStringList arguments;
    QString told;
  } cases[] = {
      {"a test ID no class has", {"999"}, "The test catalogue has no test with the ID 999"},
      {"index 0", {"--sequence", sequence, "--index", "0", "100"}, "there is no element 0"},
      {"an index beyond the sequence",
       {"--sequence", sequence, "--index", "4", "100"},
       "holds 3 test elements: there is no element 4"},
      {"another test's ID",
       {"--sequence", sequence, "--index", "2", "200"},
       "element 2 of " + sequence + " is test 100, not test 200"},
      {"an entry that is no test",
       {"--sequence", sequence, "--index", "1", "800"},
       "Element 1 of " + sequence + " cannot be read as a test"},
      {"settings that cannot be read",
       {"--sequence", sequence, "--index", "3", "300"},
       "The settings of element 3 of " + sequence + " could not be read"},
      {"settings with a flag that cannot be read",
       {"--sequence", unknownChild, "--index", "1", "100"},
       "The settings of element 1 of " + unknownChild + " could not be read as they were stored"},
      {"an attribute name XML does not allow, in another entry",
       {"--sequence", badName, "--index", "1", "100"},
       "\"Be~nch\" is no XML attribute name"},
      {"a missing file",
       {"--sequence", path("missing.xml"), "--index", "1", "100"},
       "File not found: " + path("missing.xml")},
      {"a file that is not XML",
       {"--sequence", notXml, "--index", "1", "100"},
       notXml + " (line 1"},
      {"a file that is no sequence",
       {"--sequence", notASequence, "--index", "1", "100"},
       "its root is \"Tests\""},
      {"a file that is not in its encoding",
       {"--sequence", notItsEncoding, "--index", "1", "100"},
       notItsEncoding + " cannot be written back unchanged in its encoding UTF-8"},
  };
  const QByteArray stored = readFile(sequence);
  const QByteArray storedUnknown = readFile(unknownChild);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const QString picture = path(QStringLiteral("refused.png"));
    const testsupport::ProgramOutcome run =
        rv1xHost(QStringList{"edit", "--screenshot", picture} + c.arguments);
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.errors.contains(c.told)) << qPrintable(run.errors);
    EXPECT_FALSE(QFile::exists(picture));
    EXPECT_EQ(readFile(sequence), stored);
    EXPECT_EQ(readFile(unknownChild), storedUnknown);
  }
}

TEST_F(HostEditTest, ArgumentsNotAsTheUsageGivesThem) {
  const QString sequence = writeFile(storedSequence());
  const QStringList cases[] = {
      {},
      {"charge"},
      {"100", "200"},
      {"--index", "1", "100"},
      {"--sequence", sequence, "100"},
      {"--sequence", sequence, "--index", "first", "100"},
      {"--sequence", sequence, "--sequence", sequence, "--index", "1", "100"},
      {"100", "--screenshot"},
      {"--colour", "100"},
  };
  for (const QStringList& arguments : cases) {
    SCOPED_TRACE(qPrintable(arguments.join(u' ')));
    const testsupport::ProgramOutcome run = rv1xHost(QStringList{"edit"} + arguments);
    EXPECT_EQ(run.status, 64);
    EXPECT_TRUE(run.errors.contains(
        "usage: rv1x-host [--template FILE] edit [--sequence FILE --index K] [--screenshot FILE] "
        "TESTID"));
  }
}

}  // namespace
}  // namespace hostedit
