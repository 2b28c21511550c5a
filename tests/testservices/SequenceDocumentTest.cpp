// The host's sequence document and the rv1x-host commands resave and report,
// on a small test element created by its registered name.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "QtPrinters.h"
#include "TestSupport.h"
#include "com/CreateObject.h"
#include "elements/ElementErrors.h"
#include "elements/TestInfo.h"
#include "records/RunObjects.h"
#include "sequence/SequenceDocument.h"
#include "services/ErrorService.h"
#include "typelib/IResultData.h"
#include "typelib/ITestElement.h"
#include "ui/MessageBoxes.h"
#include "xml/XmlDocument.h"

namespace {

using testsupport::errorOf;

const QString kFake = QStringLiteral("RV1XTest.FakeTestElement");

struct Sequence : ::testing::Test {
  testsupport::TemporaryRegistry registry;
  QTemporaryDir dir;
  host::SequenceDocument sequence;

  void SetUp() override {
    ASSERT_TRUE(
        testsupport::registerServer(testsupport::builtLibrary(QStringLiteral("rv1xfakeelements"))));
    host::ErrorService::instance()->clear();
    ui::MessageBoxes::instance().clear();
  }

  static QString document(const QString& body) {
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<TestSequence>%1</TestSequence>")
        .arg(body);
  }
  static QString element(const QString& children, const QString& attributes = QString()) {
    return QStringLiteral(
               "<TestElement ClassName=\"RV1XTest.FakeTestElement\" TestID=\"900\" "
               "ID=\"4\"%1>%2</TestElement>")
        .arg(attributes, children);
  }
  // The written document, read back as DOM for the checks.
  QDomElement written() {
    auto doc = std::make_shared<host::XmlDocument>();
    doc->LoadXml(sequence.ToXml());
    return doc->dom().documentElement();
  }
  QString file(const QString& name, const QString& content) {
    const QString path = dir.filePath(name);
    QFile out(path);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(content.toUtf8());
    return path;
  }
};

const QString kConfig150 =
    QStringLiteral("<PlugInData PlugIn=\"RV-1X\"><Energy>150</Energy></PlugInData>");
const QString kLimits = QStringLiteral(
    "<ExpectedResult><Standard AlphaName=\"HOUSE\" CompleteName=\"House\" Flags=\"1\"/>"
    "</ExpectedResult>");
const QString kResult = QStringLiteral("<ResultItem Status=\"1\"/>");

TEST_F(Sequence, AResultIsMadeFromTheConfigurationWhateverTheOrderInTheFile) {
  sequence.LoadXml(document(element(kResult + kLimits + kConfig150 +
                                    QStringLiteral("<Info Name=\"Fake\" Type=\"T\"/>"))));
  EXPECT_EQ(sequence.Problems().size(), 0);
  ASSERT_EQ(sequence.Count(), 1);
  const host::ITestElementPtr test = sequence.Element(0);
  EXPECT_EQ(test->ID(), 4);
  EXPECT_EQ(test->Info()->Name(), QStringLiteral("Fake"));
  EXPECT_EQ(test->Result()->Status(), 1);
  EXPECT_EQ(sequence.ClassName(0), kFake);

  // Written as the stored form has it, the class name first.
  EXPECT_TRUE(sequence.ToXml().contains(QStringLiteral(
      "\n  <TestElement ClassName=\"RV1XTest.FakeTestElement\" TestID=\"900\" ID=\"4\">\n")))
      << sequence.ToXml().toStdString();
  const QDomElement saved = written().firstChildElement(QStringLiteral("TestElement"));
  EXPECT_EQ(saved.attribute(QStringLiteral("ClassName")), kFake);
  EXPECT_EQ(saved.attribute(QStringLiteral("TestID")), QStringLiteral("900"));
  EXPECT_EQ(saved.attribute(QStringLiteral("ID")), QStringLiteral("4"));
  EXPECT_EQ(
      saved.firstChildElement(QStringLiteral("ResultItem")).attribute(QStringLiteral("Preset")),
      QStringLiteral("150"))
      << "the result was made after the configuration was loaded";
  EXPECT_EQ(saved.firstChildElement(QStringLiteral("ExpectedResult"))
                .firstChildElement(QStringLiteral("Standard"))
                .attribute(QStringLiteral("AlphaName")),
            QStringLiteral("HOUSE"));
  EXPECT_EQ(saved.firstChildElement(QStringLiteral("Info")).attribute(QStringLiteral("Type")),
            QStringLiteral("T"));
}

TEST_F(Sequence, AnElementChangedAfterTheLoadIsWrittenAsItIsNow) {
  sequence.LoadXml(document(element(kConfig150 + kLimits + kResult)));
  const QString first = sequence.ToXml();
  EXPECT_EQ(sequence.ToXml(), first) << "written twice, the same bytes";
  const host::ITestElementPtr test = sequence.Element(0);
  test->SetID(7);
  test->Info()->SetName(QStringLiteral("Renamed"));
  const QString changed = sequence.ToXml();
  EXPECT_TRUE(changed.contains(QStringLiteral("TestID=\"900\" ID=\"7\""))) << changed.toStdString();
  EXPECT_TRUE(changed.contains(QStringLiteral("Name=\"Renamed\""))) << changed.toStdString();
  // A change made later through the element still held is written too.
  test->SetID(8);
  EXPECT_TRUE(sequence.ToXml().contains(QStringLiteral("ID=\"8\"")));
}

TEST_F(Sequence, WhatTheHostDoesNotKnowIsWrittenBackUnchanged) {
  const QString comment = QStringLiteral("<Comment By=\"tech\">checked <b>twice</b></Comment>");
  const QString foreign = QStringLiteral(
      "<TestElement ClassName=\"RV1XTest.NotRegistered\" TestID=\"1\"><PlugInData "
      "PlugIn=\"X\"/></TestElement>");
  sequence.LoadXml(
      document(QStringLiteral("<Notes>keep me</Notes>") + element(kConfig150 + comment) + foreign));
  EXPECT_EQ(sequence.Count(), 1);
  EXPECT_EQ(sequence.Problems().size(), 2)
      << "the sequence's unknown child and the class that cannot be created; the element's "
         "unknown child is kept silently";
  const QDomElement root = written();
  QStringList order;
  for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
    order << e.tagName() + u':' + e.attribute(QStringLiteral("ClassName"));
  EXPECT_EQ(order, (QStringList{QStringLiteral("Notes:"), QStringLiteral("TestElement:") + kFake,
                                QStringLiteral("TestElement:RV1XTest.NotRegistered")}));
  EXPECT_EQ(root.firstChildElement(QStringLiteral("Notes")).text(), QStringLiteral("keep me"));
  const QDomElement kept = root.firstChildElement(QStringLiteral("TestElement"))
                               .firstChildElement(QStringLiteral("Comment"));
  EXPECT_EQ(kept.attribute(QStringLiteral("By")), QStringLiteral("tech"));
  EXPECT_EQ(kept.firstChildElement(QStringLiteral("b")).text(), QStringLiteral("twice"));
  EXPECT_EQ(root.lastChildElement(QStringLiteral("TestElement"))
                .firstChildElement(QStringLiteral("PlugInData"))
                .attribute(QStringLiteral("PlugIn")),
            QStringLiteral("X"));
}

TEST_F(Sequence, ABrokenChildIsReportedAndKeptWhileTheRestLoads) {
  sequence.LoadXml(document(
      element(QStringLiteral("<PlugInData PlugIn=\"RV-1X\"><Energy>lots</Energy></PlugInData>") +
              kResult)));
  EXPECT_EQ(sequence.Problems().size(), 1);
  const auto reported = host::ErrorService::instance()->reported();
  ASSERT_EQ(reported.size(), 1);
  EXPECT_EQ(reported.first().number, host::elementerr::PartLoadFailed);
  ASSERT_EQ(sequence.Count(), 1);
  EXPECT_EQ(sequence.Element(0)->Result()->Status(), 1) << "the result loaded all the same";
  QDomElement saved = written().firstChildElement(QStringLiteral("TestElement"));
  EXPECT_EQ(saved.elementsByTagName(QStringLiteral("PlugInData")).size(), 1);
  EXPECT_EQ(saved.firstChildElement(QStringLiteral("PlugInData")).text(), QStringLiteral("lots"));
  // Settings not read are never the element's own to write: it is not run.
  EXPECT_FALSE(sequence.SettingsRead(0));
  sequence.TakeFromElement(0);
  saved = written().firstChildElement(QStringLiteral("TestElement"));
  EXPECT_EQ(saved.firstChildElement(QStringLiteral("PlugInData")).text(), QStringLiteral("lots"));
}

// Kept as stored, the result stands alone: the element's own empty one
// beside it would make an entry with a result twice, never to be run.
TEST_F(Sequence, AResultThatCouldNotBeLoadedIsWrittenOnceAsStored) {
  sequence.LoadXml(document(element(kConfig150 + QStringLiteral("<ResultItem Status=\"x\"/>"))));
  EXPECT_EQ(sequence.Problems().size(), 1);
  ASSERT_TRUE(sequence.KeptAsStored(0, QStringLiteral("ResultItem")));
  const QDomNodeList results = written().elementsByTagName(QStringLiteral("ResultItem"));
  ASSERT_EQ(results.size(), 1) << sequence.ToXml().toStdString();
  EXPECT_EQ(results.at(0).toElement().attribute(QStringLiteral("Status")), QStringLiteral("x"));
  host::SequenceDocument resaved;
  resaved.LoadXml(sequence.ToXml());
  EXPECT_TRUE(resaved.SettingsRead(0)) << "the entry is still one to run";
}

TEST_F(Sequence, AnEntryThatCannotBecomeAnElementIsReportedAndKeptAsStored) {
  const QString entries[] = {
      QStringLiteral("<TestElement TestID=\"900\"/>"),
      QStringLiteral("<TestElement ClassName=\"RV1XTest.FakeTestElement\" TestID=\"300\"/>"),
      QStringLiteral("<TestElement ClassName=\"RV1XTest.FakeTestElement\" ID=\"first\"/>"),
  };
  for (const QString& entry : entries) {
    sequence.LoadXml(document(entry));
    EXPECT_EQ(sequence.Count(), 0) << entry.toStdString();
    EXPECT_EQ(sequence.Problems().size(), 1) << entry.toStdString();
    EXPECT_EQ(host::ErrorService::instance()->reported().last().number,
              host::sequenceerr::BadEntry);
    EXPECT_EQ(written().elementsByTagName(QStringLiteral("TestElement")).size(), 1);
  }
}

// The document's list holds what its last load or save met, the same
// errors the error service was given, in order; a save that met nothing
// leaves it empty whatever the load before it met.
TEST_F(Sequence, TheProblemsAreThoseTheLastLoadOrSaveMet) {
  using namespace host::sequenceerr;
  const struct {
    const char* what;
    QString body;
    QList<rt::Long> numbers;
  } cases[] = {
      {"clean", element(kConfig150 + kResult), {}},
      {"settings that cannot be read",
       element(QStringLiteral("<PlugInData PlugIn=\"RV-1X\"><Energy>lots</Energy></PlugInData>")),
       {host::elementerr::PartLoadFailed}},
      {"settings twice", element(kConfig150 + kConfig150), {DuplicatePart}},
      {"an entry without its class, then a child no sequence has",
       QStringLiteral("<TestElement TestID=\"900\"/><Notes/>"),
       {BadEntry, host::elementerr::UnknownPart}},
  };
  for (const auto& c : cases) {
    host::errors().clear();
    sequence.LoadXml(document(c.body));
    QList<rt::Long> numbers;
    QStringList texts;
    for (const rt::RuntimeError& problem : sequence.Problems()) {
      numbers.append(problem.Number());
      texts.append(problem.Description());
    }
    EXPECT_EQ(numbers, c.numbers) << c.what;
    QStringList reported;
    for (const host::ErrorEntry& entry : host::errors().reported())
      reported.append(entry.description);
    EXPECT_EQ(texts, reported) << c.what;
    sequence.ToXml();
    EXPECT_TRUE(sequence.Problems().isEmpty()) << c.what << ": the save met nothing";
  }
}

// Indexes count the test elements only, past the entries kept as stored,
// after a load and after an append.
TEST_F(Sequence, ElementsAreIndexedPastTheEntriesKeptAsStored) {
  sequence.LoadXml(
      document(QStringLiteral("<TestElement TestID=\"900\"/>"
                              "<TestElement ClassName=\"RV1XTest.FakeTestElement\" ID=\"1\"/>"
                              "<Note/>"
                              "<TestElement ClassName=\"RV1XTest.FakeTestElement\" ID=\"2\"/>")));
  sequence.Append(com::createObjectAs<host::ITestElement>(kFake), kFake);
  ASSERT_EQ(sequence.Count(), 3);
  EXPECT_EQ(com::must(sequence.Element(0)).ID(), 1);
  EXPECT_EQ(com::must(sequence.Element(1)).ID(), 2);
  EXPECT_EQ(com::must(sequence.Element(2)).ID(), 0) << "the appended one";
  EXPECT_EQ(sequence.ClassName(1), kFake);
  EXPECT_EQ(sequence.Element(3), nullptr);
  EXPECT_EQ(sequence.Element(-1), nullptr);
  sequence.Clear();
  EXPECT_EQ(sequence.Count(), 0);
  EXPECT_EQ(sequence.Element(0), nullptr);
}

// Rows are the entries a technician sees, tests or not; moving one carries
// only the rows, so what lies between them keeps its place.
TEST_F(Sequence, RowsAreTheEntriesWhetherTheyBecameElementsOrNot) {
  sequence.LoadXml(
      document(QStringLiteral("<TestElement ClassName=\"RV1XTest.FakeTestElement\" ID=\"1\"/>"
                              "<Note/>"
                              "<TestElement TestID=\"900\" ID=\"2\"/>"
                              "<TestElement ClassName=\"RV1XTest.FakeTestElement\" ID=\"3\"/>")));
  ASSERT_EQ(sequence.RowCount(), 3);
  EXPECT_EQ(sequence.Count(), 2);
  EXPECT_EQ(sequence.ElementIndexOf(1), -1);
  EXPECT_EQ(sequence.ElementIndexOf(2), 1);
  EXPECT_TRUE(sequence.Problem(1).contains(QStringLiteral("no ClassName")));
  EXPECT_TRUE(sequence.Problem(0).isEmpty());
  EXPECT_EQ(com::must(sequence.StoredEntry(1)).Attribute(QStringLiteral("ID")),
            QStringLiteral("2"));

  const auto order = [&] {
    QStringList ids;
    const QDomElement root = written();
    for (QDomElement child = root.firstChildElement(); !child.isNull();
         child = child.nextSiblingElement())
      ids.append(child.tagName() == QLatin1String("Note") ? QStringLiteral("note")
                                                          : child.attribute(QStringLiteral("ID")));
    return ids.join(u' ');
  };
  sequence.MoveRow(2, 0);
  EXPECT_EQ(order(), QStringLiteral("3 note 1 2"));
  EXPECT_EQ(com::must(sequence.Element(0)).ID(), 3) << "the element indexes follow";
  sequence.MoveRow(1, 2);
  EXPECT_EQ(order(), QStringLiteral("3 note 2 1"));
  sequence.MoveRow(0, 5);
  sequence.RemoveRow(7);
  EXPECT_EQ(order(), QStringLiteral("3 note 2 1")) << "rows it does not have change nothing";
  sequence.RemoveRow(1);
  EXPECT_EQ(order(), QStringLiteral("3 note 1"));
  EXPECT_EQ(sequence.RowCount(), 2);
  EXPECT_EQ(com::must(sequence.Element(1)).ID(), 1);
}

TEST_F(Sequence, AFileThatIsNoSequenceLeavesTheSequenceAsItWas) {
  sequence.LoadXml(document(element(kConfig150)));
  struct Case {
    const char* what;
    std::function<void()> load;
    rt::Long number;
  } cases[] = {
      {"other root", [&] { sequence.LoadXml(QStringLiteral("<Template/>")); },
       host::sequenceerr::NotASequence},
      {"malformed", [&] { sequence.LoadXml(QStringLiteral("<TestSequence>")); },
       rt::err::InvalidCall},
      {"missing file", [&] { sequence.Load(dir.filePath(QStringLiteral("none.xml"))); },
       rt::err::FileNotFound},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(errorOf(c.load), c.number) << c.what;
    EXPECT_EQ(sequence.Count(), 1) << c.what;
  }
}

TEST_F(Sequence, IdentitiesAreWrittenAfterTheElementsAndOneThatCannotBeReadIsKept) {
  sequence.LoadXml(document(element(kConfig150)));
  auto identity = std::make_shared<host::MtiEntry>();
  identity->SetOwner(host::kProduct, 1);
  identity->SetIdentity(QStringLiteral("RV-12P"), QStringLiteral("4711"), QStringLiteral("2.1.0"));
  sequence.Identities()->Add(identity);
  const QString written = sequence.ToXml();
  EXPECT_TRUE(written.contains(QStringLiteral(
      "</TestElement>\n  <MTIList>\n    <MTI Product=\"RV-1X\" Index=\"1\" Type=\"RV-12P\" "
      "Serial=\"4711\" Firmware=\"2.1.0\"/>\n  </MTIList>\n</TestSequence>")))
      << qPrintable(written);

  const QString unreadable = QStringLiteral("<MTI Product=\"RV-1X\" Index=\"first\"/>");
  sequence.LoadXml(document(QStringLiteral("<MTIList>") + unreadable +
                            QStringLiteral("<MTI Product=\"RV-1X\" Index=\"2\" Type=\"RV-15\"/>"
                                           "<MTI Product=\"RV-1X\" Index=\"2\" Type=\"RV-11\"/>"
                                           "</MTIList>") +
                            element(kConfig150)));
  EXPECT_EQ(sequence.Problems().size(), 2) << "the index that is no number, the index twice";
  EXPECT_EQ(sequence.Identities()->Count(), 1);
  EXPECT_EQ(sequence.Identities()->Find(host::kProduct, 2)->MtiType(), QStringLiteral("RV-15"));
  const QString kept = sequence.ToXml();
  EXPECT_TRUE(kept.contains(unreadable)) << qPrintable(kept);
  EXPECT_TRUE(kept.contains(QStringLiteral("Type=\"RV-11\""))) << qPrintable(kept);
  EXPECT_LT(kept.indexOf(QStringLiteral("<MTIList")), kept.indexOf(QStringLiteral("<TestElement")))
      << "where it was stored";
}

TEST_F(Sequence, AnAppendedElementIsWrittenWithItsClassName) {
  sequence.LoadXml(document(QString()));
  sequence.Append(com::createObjectAs<host::ITestElement>(kFake), kFake);
  EXPECT_EQ(errorOf([&] { sequence.Append(nullptr, kFake); }), rt::err::ObjectNotSet);
  // Written as the stored form has it, the class name first.
  EXPECT_TRUE(sequence.ToXml().contains(QStringLiteral(
      "\n  <TestElement ClassName=\"RV1XTest.FakeTestElement\" TestID=\"900\" ID=\"0\">\n")))
      << sequence.ToXml().toStdString();
  const QDomElement saved = written().firstChildElement(QStringLiteral("TestElement"));
  EXPECT_EQ(saved.attribute(QStringLiteral("ClassName")), kFake);
  EXPECT_EQ(saved.firstChildElement(QStringLiteral("PlugInData")).text(), QStringLiteral("100"));
  EXPECT_TRUE(saved.firstChildElement(QStringLiteral("ResultItem")).isNull());
  EXPECT_TRUE(
      sequence.ToXml().startsWith(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>")));
}

// rv1x-host resave and report, as a technician runs them.
struct Commands : Sequence {
  using Outcome = testsupport::ProgramOutcome;
  Outcome host(const QStringList& arguments) {
    return testsupport::runHostProgram(registry.path(), arguments);
  }
};

TEST_F(Commands, ResaveAnswersWhatHappenedOnTheWay) {
  const QString good = file(QStringLiteral("good.xml"), document(element(kConfig150 + kResult)));
  const QString broken = file(QStringLiteral("broken.xml"),
                              document(element(QStringLiteral("<PlugInData><Energy>x</Energy>"
                                                              "</PlugInData>"))));
  const QString other = file(QStringLiteral("other.xml"), QStringLiteral("<Template/>"));
  struct Case {
    QString in;
    int status;
    bool written;
  } cases[] = {
      {good, 0, true},
      {broken, 1, true},
      {other, 2, false},
      {dir.filePath(QStringLiteral("missing.xml")), 2, false},
  };
  for (const Case& c : cases) {
    const QString out = dir.filePath(QStringLiteral("out.xml"));
    QFile::remove(out);
    const Outcome outcome = host({QStringLiteral("resave"), c.in, out});
    EXPECT_EQ(outcome.status, c.status) << c.in.toStdString() << outcome.errors.toStdString();
    EXPECT_EQ(QFile::exists(out), c.written) << c.in.toStdString();
    EXPECT_EQ(outcome.errors.contains(QStringLiteral("error: ")), c.status != 0)
        << outcome.errors.toStdString();
  }
  EXPECT_EQ(host({QStringLiteral("resave"), good}).status, 64) << "usage";
  EXPECT_EQ(host({QStringLiteral("resave"), good, dir.filePath(QStringLiteral("no/such/out.xml"))})
                .status,
            2);
}

TEST_F(Commands, ReportPrintsEachElementIntoAPdf) {
  const QString in = file(QStringLiteral("in.xml"),
                          document(element(QStringLiteral("<Info Name=\"Fake discharge\"/>") +
                                           kConfig150 + kLimits + kResult) +
                                   element(QString(), QStringLiteral(" Extra=\"1\""))));
  const QString out = dir.filePath(QStringLiteral("report.pdf"));
  const Outcome outcome = host({QStringLiteral("report"), in, out});
  EXPECT_EQ(outcome.status, 0) << outcome.errors.toStdString();
  QFile pdf(out);
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.read(5).startsWith("%PDF"));
  if (const QString shots = qEnvironmentVariable("RV1X_SCREENSHOT_DIR"); !shots.isEmpty())
    QFile::copy(out, shots + QStringLiteral("/sequence-report.pdf"));

  // A child that cannot be loaded is reported; the rest is printed.
  const QString broken = file(QStringLiteral("broken.xml"),
                              document(element(QStringLiteral("<PlugInData><Energy>x</Energy>"
                                                              "</PlugInData>"))));
  const QString partly = dir.filePath(QStringLiteral("partly.pdf"));
  const Outcome reported = host({QStringLiteral("report"), broken, partly});
  EXPECT_EQ(reported.status, 1) << reported.errors.toStdString();
  EXPECT_TRUE(reported.errors.contains(QStringLiteral("error: ")));
  EXPECT_TRUE(QFile::exists(partly));

  EXPECT_EQ(host({QStringLiteral("report"), dir.filePath(QStringLiteral("missing.xml")),
                  dir.filePath(QStringLiteral("never.pdf"))})
                .status,
            2);
  EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("never.pdf"))));
}

// A sequence none of whose tests can be created (the deliverables not yet
// registered) would print a report of nothing but its title.
TEST_F(Commands, AReportOfNoTestIsNotWritten) {
  const QString in =
      file(QStringLiteral("unregistered.xml"),
           QStringLiteral("<TestSequence><TestElement ClassName=\"RV1XTests.CTestShock\" "
                          "TestID=\"700\" ID=\"1\"/></TestSequence>"));
  const QString out = dir.filePath(QStringLiteral("title-only.pdf"));
  const Outcome outcome = host({QStringLiteral("report"), in, out});
  EXPECT_EQ(outcome.status, 2);
  EXPECT_FALSE(QFile::exists(out));
  EXPECT_EQ(outcome.errors.count(QStringLiteral("ActiveX component can't create object")), 1)
      << "told once: " << outcome.errors.toStdString();
  EXPECT_TRUE(outcome.errors.contains(QStringLiteral("; run rv1x-host register first")))
      << outcome.errors.toStdString();
  EXPECT_TRUE(outcome.errors.contains(
      QStringLiteral("rv1x-host: %1 holds no test the host can create: no report").arg(in)));
}

}  // namespace
