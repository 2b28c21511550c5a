// The seven test elements in the host's sequence document, and the
// rv1x-host commands resave and report on a sequence of them.

#include <QDomDocument>
#include <QFile>
#include <QTemporaryDir>

#include "FrameFixture.h"
#include "QtPrinters.h"
#include "StoredElements.h"
#include "elements/ElementErrors.h"
#include "elements/TestInfo.h"
#include "limits/StandardsCollection.h"
#include "results/CResultBase.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "sequence/SequenceDocument.h"
#include "settings/CConfigChargeTime.h"
#include "settings/CConfigDischarge.h"
#include "settings/CConfigShock.h"
#include "settings/CShockAdviceSetting.h"
#include "typelib/ILimitData.h"
#include "xml/XmlDocument.h"

namespace {

using namespace frametests;
using orvanRV1Xtst::CResultBase;
using testsupport::errorOf;

// An element of each class with settings of its own, a standard and a
// passed result whose every measurement holds a value.
std::shared_ptr<orvanRV1Xtst::CTestFrame> storedElement(rt::Long testID) {
  auto test = com::createObjectAs<orvanRV1Xtst::CTestFrame>(progIdOf(testID));
  test->Initialize(host::kProduct, testID, testID / 100);
  com::must(test->Info()).SetName(QStringLiteral("Test %1 of the sequence").arg(testID));
  const host::IConfigDataPtr config = test->Configuration();
  if (auto charge = std::dynamic_pointer_cast<orvanRV1Xtst::CConfigChargeTime>(config))
    charge->SetPresetEnergy(200);
  if (auto discharge = std::dynamic_pointer_cast<orvanRV1Xtst::CConfigDischarge>(config)) {
    discharge->SetPresetEnergy(150);
    discharge->SetFetchWaveform(false);
  }
  if (auto shock = std::dynamic_pointer_cast<orvanRV1Xtst::CConfigShock>(config)) {
    shock->AddNew()->SetWaveFormIndex(1);
    shock->AddNew()->SetWaveFormIndex(7);
  }
  com::must(test->Limits()).CreateStandard(QStringLiteral("HOUSE"), QStringLiteral("House"));
  test->Load(testsupport::xmlElement(QStringLiteral("<ResultItem Version=\"2\"/>")), nullptr);
  auto result = std::dynamic_pointer_cast<CResultBase>(test->Result());
  for (const orvanRV1Xtst::CMeasurementPtr& m : result->MeasurementList()) {
    m->SetValue(m->ValueType() == orvanRV1Xtst::valuetype::Boolean
                    ? QVariant(rt::orDefault([&] { return rt::toBoolean(m->PresetValue()); }, true))
                    : QVariant(12.5));
    m->SetStatus(1);
  }
  result->SetStatus(1);
  return test;
}

QString sequenceOfTheSeven() {
  host::SequenceDocument sequence;
  sequence.LoadXml(QStringLiteral("<TestSequence/>"));
  for (const ElementClass& c : kClasses)
    sequence.Append(storedElement(c.testID), QLatin1String(c.progId));
  return sequence.ToXml();
}

// Each element's children in reverse order, with a child the host does not
// know in front.
QString reversedWithForeignChild(const QString& xml) {
  QDomDocument document;
  document.setContent(xml);
  for (QDomElement e = document.documentElement().firstChildElement(); !e.isNull();
       e = e.nextSiblingElement()) {
    QList<QDomNode> children;
    for (QDomNode n = e.firstChild(); !n.isNull(); n = n.nextSibling()) children.prepend(n);
    for (const QDomNode& n : children) e.appendChild(e.removeChild(n));
    QDomElement note = document.createElement(QStringLiteral("Note"));
    note.appendChild(document.createTextNode(QStringLiteral("checked by the technician")));
    e.insertBefore(note, e.firstChild());
  }
  return document.toString();
}

// The element with its attributes in name order (a document's attribute
// order is not kept), its text and its children.
QString canonical(const QDomElement& element) {
  if (element.isNull()) return QString();
  QStringList attributes;
  const QDomNamedNodeMap map = element.attributes();
  for (int i = 0; i < map.count(); ++i)
    attributes << map.item(i).nodeName() + u'=' + map.item(i).nodeValue();
  attributes.sort();
  QString text = u'<' + element.tagName() + u' ' + attributes.join(u' ') + u'>';
  for (QDomNode n = element.firstChild(); !n.isNull(); n = n.nextSibling())
    text += n.isElement() ? canonical(n.toElement()) : n.nodeValue();
  return text + QStringLiteral("</>");
}

QString textOf(const QDomNode& node) {
  QString text;
  QTextStream stream(&text);
  node.save(stream, 0);
  return text;
}

// A document of the text; its elements live as long as it does.
QDomDocument documentOf(const QString& xml) {
  QDomDocument document;
  document.setContent(xml);
  return document;
}

struct StoredForm : FrameTest {
  QTemporaryDir dir;
};

TEST_F(StoredForm, EachElementLoadsInAnyChildOrderAndKeepsWhatItDoesNotKnow) {
  const QString original = sequenceOfTheSeven();
  host::SequenceDocument sequence;
  sequence.LoadXml(reversedWithForeignChild(original));
  EXPECT_EQ(sequence.Problems().size(), 0) << "each element's unknown child is kept silently";
  ASSERT_EQ(sequence.Count(), 7);
  for (int i = 0; i < sequence.Count(); ++i) {
    const rt::Long testID = kClasses[i].testID;
    SCOPED_TRACE(testID);
    const host::ITestElementPtr test = sequence.Element(i);
    EXPECT_EQ(test->TestID(), testID);
    EXPECT_EQ(test->ID(), testID / 100);
    EXPECT_EQ(com::must(test->Info()).Name(),
              QStringLiteral("Test %1 of the sequence").arg(testID));
    const auto result = std::dynamic_pointer_cast<CResultBase>(test->Result());
    ASSERT_TRUE(result);
    EXPECT_EQ(result->Status(), 1);
    EXPECT_TRUE(result->HasMeasuredValue());
    EXPECT_EQ(com::must(com::must(test->Limits()).Standards()).Count(), 1);
  }
  // The result was made from the configuration loaded with it.
  const auto presetOf = [&](int index, const char* key) {
    return std::dynamic_pointer_cast<CResultBase>(sequence.Element(index)->Result())
        ->MeasurementByKey(QLatin1String(key))
        ->PresetValue();
  };
  EXPECT_EQ(rt::toDouble(presetOf(0, "ENGY")), 200);
  EXPECT_EQ(rt::toDouble(presetOf(1, "ENGY")), 150);
  EXPECT_EQ(sequence.Element(6)->Result()->MeasurementCount(), 3) << "a step each";

  // Written back: the same parts, and the unknown child where it was.
  const QDomDocument beforeDocument = documentOf(original);
  const QDomDocument afterDocument = documentOf(sequence.ToXml());
  const QDomElement before = beforeDocument.documentElement();
  const QDomElement after = afterDocument.documentElement();
  QDomElement a = after.firstChildElement();
  for (QDomElement b = before.firstChildElement(); !b.isNull();
       b = b.nextSiblingElement(), a = a.nextSiblingElement()) {
    ASSERT_FALSE(a.isNull());
    EXPECT_EQ(a.attribute(QStringLiteral("ClassName")), b.attribute(QStringLiteral("ClassName")));
    EXPECT_EQ(a.firstChildElement(QStringLiteral("Note")).text(),
              QStringLiteral("checked by the technician"));
    for (const char* part : {"Info", "PlugInData", "ExpectedResult", "ResultItem"}) {
      EXPECT_EQ(canonical(a.firstChildElement(QLatin1String(part))),
                canonical(b.firstChildElement(QLatin1String(part))))
          << part;
    }
  }
}

// What no part names stays in place when the settings change after the
// load, but a step the technician removed is not brought back from the
// file.
TEST_F(StoredForm, AStepRemovedAfterTheLoadStaysRemoved) {
  host::SequenceDocument sequence;
  sequence.LoadXml(QStringLiteral(
      "<TestSequence><TestElement ClassName=\"RV1XTests.CTestShock\" TestID=\"700\" ID=\"1\">"
      "<PlugInData PlugIn=\"RV-1X\" Bench=\"3\"><ShockAdvice Key=\"::1\"><WaveFormIndex>1"
      "</WaveFormIndex><Duration>5</Duration><Advice>True</Advice></ShockAdvice></PlugInData>"
      "</TestElement></TestSequence>"));
  ASSERT_EQ(sequence.Problems().size(), 0);
  auto steps =
      std::dynamic_pointer_cast<orvanRV1Xtst::CConfigShock>(sequence.Element(0)->Configuration());
  ASSERT_TRUE(steps);
  steps->Remove(1);
  const QString written = sequence.ToXml();
  EXPECT_FALSE(written.contains(QStringLiteral("ShockAdvice"))) << qPrintable(written);
  EXPECT_TRUE(written.contains(QStringLiteral("Bench=\"3\""))) << qPrintable(written);
}

TEST_F(StoredForm, ABrokenChildIsReportedAndKeptWhileTheRestLoads) {
  for (const ElementClass& c : kClasses) {
    SCOPED_TRACE(c.testID);
    errors().clear();
    QDomDocument document = documentOf(sequenceOfTheSeven());
    QDomElement root = document.documentElement();
    QDomElement entry = root.firstChildElement();
    while (entry.attribute(QStringLiteral("ClassName")) != QLatin1String(c.progId))
      entry = entry.nextSiblingElement();
    // Flags no number of 32 bits can hold.
    entry.firstChildElement(QStringLiteral("ExpectedResult"))
        .firstChildElement(QStringLiteral("Standard"))
        .setAttribute(QStringLiteral("Flags"), QStringLiteral("1e20"));
    const QString xml = textOf(root);

    host::SequenceDocument sequence;
    sequence.LoadXml(xml);
    EXPECT_EQ(sequence.Problems().size(), 1);
    ASSERT_FALSE(errors().reported().isEmpty());
    EXPECT_EQ(errors().reported().first().number, rt::err::Overflow);
    ASSERT_EQ(sequence.Count(), 7);
    for (int i = 0; i < 7; ++i)
      EXPECT_EQ(sequence.Element(i)->Result()->Status(), 1) << "every result loaded all the same";
    const QString written = sequence.ToXml();
    EXPECT_TRUE(written.contains(QStringLiteral("Flags=\"1e20\""))) << "kept as it was";
  }
}

TEST_F(StoredForm, AnElementWithoutStandardsIsStoredWithItsResult) {
  // The verdict tests never have standards; the others have none until
  // one is made for them.
  host::SequenceDocument sequence;
  sequence.LoadXml(QStringLiteral("<TestSequence/>"));
  for (const ElementClass& c : kClasses) {
    const auto test = element(c.testID);
    test->Initialize(host::kProduct, c.testID, 1);
    test->Load(testsupport::xmlElement(QStringLiteral("<ResultItem><Status Code=\"3\"/>"
                                                      "</ResultItem>")),
               nullptr);
    sequence.Append(test, QLatin1String(c.progId));
  }
  host::SequenceDocument reloaded;
  reloaded.LoadXml(sequence.ToXml());
  EXPECT_EQ(sequence.Problems().size(), 0);
  EXPECT_EQ(reloaded.Problems().size(), 0);
  ASSERT_EQ(reloaded.Count(), 7);
  for (int i = 0; i < 7; ++i)
    EXPECT_EQ(reloaded.Element(i)->Result()->Status(), 3) << kClasses[i].testID;
}

TEST_F(StoredForm, LoadAndSaveHandTheBaseObjectsErrorsOnToTheHost) {
  const auto test = element(300);
  EXPECT_EQ(errorOf([&] { test->Load(nullptr, nullptr); }), host::elementerr::NoElement);
  EXPECT_EQ(
      errorOf([&] { test->Load(testsupport::xmlElement(QStringLiteral("<Extra/>")), nullptr); }),
      host::elementerr::UnknownPart);
  EXPECT_FALSE(test->Result()) << "only a result item makes a result";
  host::XmlElementPtr element;
  EXPECT_EQ(errorOf([&] { test->Save(nullptr, QVariant(), element); }),
            host::elementerr::SaveFailed);
  EXPECT_FALSE(element);
  EXPECT_TRUE(errors().reported().isEmpty()) << "handed on, not reported";
}

TEST_F(StoredForm, AResultItemAlwaysGoesIntoAFreshResult) {
  for (const ElementClass& c : kClasses) {
    SCOPED_TRACE(c.testID);
    const auto test = storedElement(c.testID);
    const host::IResultDataPtr before = test->Result();
    test->Load(
        testsupport::xmlElement(QStringLiteral("<ResultItem><Status Code=\"0\"/></ResultItem>")),
        nullptr);
    ASSERT_TRUE(test->Result());
    EXPECT_NE(test->Result(), before);
    EXPECT_EQ(test->Result()->Status(), 0);
  }
}

// rv1x-host resave and report, as a technician runs them on a sequence of
// the seven.
struct Commands : StoredForm {
  using Outcome = testsupport::ProgramOutcome;
  Outcome host(const QStringList& arguments) {
    return testsupport::runHostProgram(registry_->path(), arguments);
  }
  QString file(const QString& name, const QString& content) {
    const QString path = dir.filePath(name);
    QFile out(path);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(content.toUtf8());
    return path;
  }
};

TEST_F(Commands, ResaveWritesTheSevenBackAsTheyWere) {
  const QString original = sequenceOfTheSeven();
  const QString in = file(QStringLiteral("seven.xml"), original);
  const QString out = dir.filePath(QStringLiteral("resaved.xml"));
  const Outcome outcome = host({QStringLiteral("resave"), in, out});
  EXPECT_EQ(outcome.status, 0) << outcome.errors.toStdString();
  QFile written(out);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  EXPECT_EQ(canonical(documentOf(QString::fromUtf8(written.readAll())).documentElement()),
            canonical(documentOf(original).documentElement()));
}

TEST_F(Commands, ResaveCompletesEntriesThatNameOnlyTheirClass) {
  // A technician's sequence may list bare entries: each is saved with its
  // defaults, the class name first, and nothing is reported.
  QString bare = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<TestSequence>\n");
  for (const ElementClass& c : kClasses)
    bare += QStringLiteral("  <TestElement ClassName=\"%1\" TestID=\"%2\" ID=\"%2\"/>\n")
                .arg(QString::fromLatin1(c.progId))
                .arg(c.testID);
  bare += QStringLiteral("</TestSequence>\n");
  const QString in = file(QStringLiteral("bare.xml"), bare);
  const QString out = dir.filePath(QStringLiteral("completed.xml"));
  const Outcome outcome = host({QStringLiteral("resave"), in, out});
  EXPECT_EQ(outcome.status, 0) << outcome.errors.toStdString();
  QFile written(out);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(written.readAll());
  for (const ElementClass& c : kClasses) {
    SCOPED_TRACE(c.testID);
    EXPECT_TRUE(text.contains(QStringLiteral("<TestElement ClassName=\"%1\" TestID=\"%2\"")
                                  .arg(QString::fromLatin1(c.progId))
                                  .arg(c.testID)));
  }
  EXPECT_EQ(text.count(QStringLiteral("<PlugInData")), int(std::size(kClasses)));
}

TEST_F(Commands, ReportPrintsTheSevenIntoAPdf) {
  const QString in = file(QStringLiteral("seven.xml"), sequenceOfTheSeven());
  const QString out = dir.filePath(QStringLiteral("seven.pdf"));
  const Outcome outcome = host({QStringLiteral("report"), in, out});
  EXPECT_EQ(outcome.status, 0) << outcome.errors.toStdString();
  QFile pdf(out);
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.read(5).startsWith("%PDF"));
  if (const QString shots = qEnvironmentVariable("RV1X_SCREENSHOT_DIR"); !shots.isEmpty()) {
    QFile::remove(shots + QStringLiteral("/seven-report.pdf"));
    QFile::copy(out, shots + QStringLiteral("/seven-report.pdf"));
  }
}

}  // namespace
