// The record a run from the window leaves is the one the command line's run
// leaves through the same engine: the analyzer's identity, the device and
// its technician, when the run started and ended, the standard each test
// was judged by and its verdict; and an entry that could not become a test
// stays as it was stored through the run, a save and a reopening.

#include <QDomDocument>

#include "ScriptedOperator.h"
#include "WorkbenchFixture.h"

namespace workbenchtest {
namespace {

QString markupOf(const QDomNode& node) {
  QString text;
  QTextStream stream(&text);
  node.save(stream, -1);
  return text.simplified();
}

// What a results document records of its run, times as "set" or "unset"
// (two runs cannot share a time), measured values left out.
QStringList recordOf(const QString& file) {
  QFile stored(file);
  QDomDocument document;
  if (!stored.open(QIODevice::ReadOnly) || !document.setContent(&stored)) return {};
  const QDomElement root = document.documentElement();
  QStringList record;
  const auto attributes = [](const QDomElement& element, const QStringList& names) {
    QStringList values;
    for (const QString& name : names) values.append(name + u'=' + element.attribute(name));
    return values.join(u' ');
  };
  for (QDomElement mti = root.firstChildElement(QStringLiteral("MTIList"))
                             .firstChildElement(QStringLiteral("MTI"));
       !mti.isNull(); mti = mti.nextSiblingElement(QStringLiteral("MTI"))) {
    record.append(QStringLiteral("analyzer ") + markupOf(mti));
  }
  record.append(QStringLiteral("device ") +
                attributes(root.firstChildElement(QStringLiteral("DeviceUnderTest")),
                           {QStringLiteral("Model"), QStringLiteral("SerialNumber"),
                            QStringLiteral("AssetNumber")}));
  record.append(QStringLiteral("technician ") +
                root.firstChildElement(QStringLiteral("Technician")).text());
  const QDomElement run = root.firstChildElement(QStringLiteral("Run"));
  for (const QString& time : {QStringLiteral("Started"), QStringLiteral("Ended")})
    record.append(
        time + (run.attribute(time).isEmpty() ? QStringLiteral(" unset") : QStringLiteral(" set")));
  record.append(QStringLiteral("run ") +
                attributes(run, {QStringLiteral("HostVersion"), QStringLiteral("PlugInVersion")}));
  for (QDomElement test = root.firstChildElement(QStringLiteral("TestElement")); !test.isNull();
       test = test.nextSiblingElement(QStringLiteral("TestElement"))) {
    record.append(QStringLiteral("test %1 status=%2 mti=%3 selected=%4")
                      .arg(test.attribute(QStringLiteral("ClassName")),
                           test.firstChildElement(QStringLiteral("ResultItem"))
                               .firstChildElement(QStringLiteral("Status"))
                               .attribute(QStringLiteral("Code")),
                           test.firstChildElement(QStringLiteral("ResultItem"))
                               .attribute(QStringLiteral("MTI")),
                           markupOf(test.firstChildElement(QStringLiteral("Selected")))));
  }
  return record;
}

QString textOf(const QString& file) {
  QFile stored(file);
  return stored.open(QIODevice::ReadOnly) ? QString::fromUtf8(stored.readAll()) : QString();
}

TEST_F(WorkbenchTest, ARunFromTheWindowRecordsWhatTheCommandLinesRunRecords) {
  // Charge time, an entry of a class nobody registered, and sensitivity
  // judged by the workshop's standard, for a described device.
  std::unique_ptr<WorkbenchWindow> window = openWindow();
  window->NewSequence();
  selectRows(*window, {1, 3, 4, 5, 6});
  window->RemoveSelected();
  const QString windows =
      writeFile(QStringLiteral("window.xml"), withUnknownEntry(window->Sequence().ToXml()));
  ASSERT_TRUE(window->OpenSequence(windows));
  for (auto [field, text] :
       {std::pair{"deviceModel", "Lifeline 9"}, std::pair{"deviceSerial", "LL9-20417"},
        std::pair{"deviceAsset", "BME-0815"}, std::pair{"technician", "R. Okafor"}})
    typeInto(window->findChild<QLineEdit*>(QLatin1String(field)), QLatin1String(text));
  ASSERT_TRUE(window->Model().setData(window->Model().index(2, SequenceModel::StandardColumn),
                                      QStringLiteral("Workshop")));
  ASSERT_TRUE(window->Save()) << qPrintable(window->Notice());
  const QString commands = writeFile(QStringLiteral("command.xml"), textOf(windows));

  analyzer();
  window->Analyzer().SetPort(kPort);
  {
    host::ScriptedOperator person;
    button(*window, "runAll")->click();
    EXPECT_EQ(person.guidesSeen(), 2);
  }
  EXPECT_EQ(column(*window, SequenceModel::VerdictColumn),
            (QStringList{QStringLiteral("Passed"), QStringLiteral("Unreadable"),
                         QStringLiteral("Passed")}))
      << qPrintable(window->Notice());

  const testsupport::ProgramOutcome ran =
      host(registryPath(), {QStringLiteral("--unattended"), QStringLiteral("--simulate"),
                            QStringLiteral("--template"), options_.templateFile,
                            QStringLiteral("run"), QStringLiteral("--sequence"), commands,
                            QStringLiteral("--results"), commands, QStringLiteral("1")});
  EXPECT_EQ(ran.status, 1) << "the unreadable entry was not run: " << qPrintable(ran.errors);

  const QStringList record = recordOf(windows);
  EXPECT_EQ(record, recordOf(commands));
  const QStringList expected{
      QStringLiteral("device Model=Lifeline 9 SerialNumber=LL9-20417 AssetNumber=BME-0815"),
      QStringLiteral("technician R. Okafor"), QStringLiteral("Started set"),
      QStringLiteral("Ended set")};
  for (const QString& line : expected) EXPECT_TRUE(record.contains(line)) << qPrintable(line);
  ASSERT_FALSE(record.isEmpty());
  EXPECT_TRUE(record.first().contains(QStringLiteral("Type=\"RV-12P\"")))
      << qPrintable(record.first());
  EXPECT_TRUE(record.last().contains(QStringLiteral("Workshop"))) << qPrintable(record.last());
  EXPECT_TRUE(textOf(windows).contains(kUnknownEntry));

  // Opened again and saved, once the first window has let it go, it keeps
  // all of it.
  const QStringList verdicts = column(*window, SequenceModel::VerdictColumn);
  window.reset();
  std::unique_ptr<WorkbenchWindow> reopened = openWindow();
  ASSERT_TRUE(reopened->OpenSequence(windows));
  // Its verdicts are now those of an earlier run.
  EXPECT_EQ(column(*reopened, SequenceModel::VerdictColumn),
            (QStringList{QStringLiteral("Passed (earlier run)"), QStringLiteral("Unreadable"),
                         QStringLiteral("Passed (earlier run)")}));
  ASSERT_TRUE(reopened->Save()) << qPrintable(reopened->Notice());
  EXPECT_EQ(recordOf(windows), record);
  EXPECT_TRUE(textOf(windows).contains(kUnknownEntry));
}

// A record belongs to one device: the results of device A are not carried
// into the record of device B, nor is A's file written over.
TEST_F(WorkbenchTest, ARunForAnotherDeviceStartsFromTheSettingsInAFileOfItsOwn) {
  std::unique_ptr<WorkbenchWindow> window = openWindow();
  window->NewSequence();
  selectRows(*window, {1, 2, 3, 4, 5, 6});
  window->RemoveSelected();
  ASSERT_EQ(window->Model().rowCount(), 1);
  typeInto(window->findChild<QLineEdit*>(QStringLiteral("deviceSerial")),
           QStringLiteral("DEVICE-A"));
  files_ = {QStringLiteral("A.xml")};
  analyzer();
  window->Analyzer().SetPort(kPort);
  {
    host::ScriptedOperator person;
    button(*window, "runAll")->click();
  }
  ASSERT_EQ(column(*window, SequenceModel::VerdictColumn), QStringList{QStringLiteral("Passed")})
      << qPrintable(window->Notice());
  const QString recordA = textOf(path(QStringLiteral("A.xml")));

  typeInto(window->findChild<QLineEdit*>(QStringLiteral("deviceSerial")),
           QStringLiteral("DEVICE-B"));
  // Asked for a file of its own, the technician first gives none, then A's.
  files_.clear();
  button(*window, "runAll")->click();
  EXPECT_EQ(window->Notice(),
            QStringLiteral("The results were measured on serial number DEVICE-A, not on serial "
                           "number DEVICE-B: the run starts from the sequence's settings and "
                           "limits only, in a file of its own."));
  EXPECT_EQ(column(*window, SequenceModel::VerdictColumn),
            QStringList{QStringLiteral("Not performed")});
  testsupport::saveScreenshot(*window, QStringLiteral("workbench-another-device"));
  files_ = {QStringLiteral("A.xml")};
  button(*window, "runAll")->click();
  EXPECT_TRUE(window->Notice().endsWith(
      QStringLiteral("A.xml holds the record of another device; choose another file.")))
      << qPrintable(window->Notice());
  EXPECT_EQ(textOf(path(QStringLiteral("A.xml"))), recordA);
  // Passed by without a run: nothing of B is measured.
  files_ = {QStringLiteral("B.xml")};
  {
    host::ScriptedOperator person(host::OperatorScript::Parse(QStringLiteral("100 next")));
    button(*window, "runAll")->click();
  }
  EXPECT_EQ(column(*window, SequenceModel::VerdictColumn),
            QStringList{QStringLiteral("Not performed")});
  const QString recordB = textOf(path(QStringLiteral("B.xml")));
  EXPECT_TRUE(recordB.contains(QStringLiteral("SerialNumber=\"DEVICE-B\""))) << qPrintable(recordB);
  EXPECT_FALSE(recordB.contains(QStringLiteral("Measured"))) << qPrintable(recordB);
  EXPECT_EQ(textOf(path(QStringLiteral("A.xml"))), recordA);
}

}  // namespace
}  // namespace workbenchtest
