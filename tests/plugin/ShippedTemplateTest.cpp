// The test template that ships beside the plug-in: the seven tests under
// their class's test IDs, translated texts, and default standards that
// judge as a technician reads their names.

#include <QFileInfo>
#include <QTextStream>

#include "LanguageScope.h"
#include "PlugInFixture.h"
#include "TemplateLoader.h"
#include "com/RegisteredName.h"
#include "elements/TestInfo.h"
#include "limits/Limit.h"
#include "limits/Standard.h"
#include "limits/StandardsCollection.h"
#include "sequence/SequenceDocument.h"
#include "typelib/ILimitData.h"
#include "typelib/ITestElement.h"
#include "xml/XmlDocument.h"

namespace plugintest {
namespace {

struct ShippedTest {
  const char* className;
  rt::Long id;
  QStringList keys;  // of every standard's limits, in the limit set's order
};

const ShippedTest kShipped[] = {
    {"RV1XTests.CTestChargeTime", 100, {"ENGY", "CHTI"}},
    {"RV1XTests.CTestDischarge", 200, {"ENGY", "DELY", "PEKI", "PEKU"}},
    {"RV1XTests.CTestSensitivity", 300, {"PADS", "ECG"}},
    {"RV1XTests.CTestRefractory", 400, {"SENS", "PACE"}},
    {"RV1XTests.CTestAccuracy", 500, {"RATE", "AMPL", "PWID"}},
    {"RV1XTests.CTestPerformance", 600, {}},
    {"RV1XTests.CTestShock", 700, {}},
};

QList<host::XmlElementPtr> templateEntries(const QString& path) {
  auto document = std::make_shared<host::XmlDocument>();
  document->Load(path);
  const host::XmlNodeListPtr nodes =
      document->DocumentElement()->SelectChild(QStringLiteral("TemplateData"))->ChildNodes();
  QList<host::XmlElementPtr> entries;
  for (rt::Long i = 0; i < nodes->Length(); ++i) entries.append(nodes->Item(i));
  return entries;
}

QList<host::XmlElementPtr> shippedEntries() {
  return templateEntries(testsupport::buildLibraryDir() + QStringLiteral("/orvanRV1X.mpc"));
}

host::StandardsCollectionPtr standardsOf(const host::XmlElementPtr& entry) {
  auto standards = std::make_shared<host::StandardsCollection>();
  if (host::XmlElementPtr expected = entry->SelectChild(QStringLiteral("ExpectedResult")))
    standards->Load(expected, nullptr);
  return standards;
}

TEST(ShippedTemplate, ListsTheSevenTestsWithTranslatedTexts) {
  const QList<host::XmlElementPtr> entries = shippedEntries();
  ASSERT_EQ(entries.size(), static_cast<int>(std::size(kShipped)));
  QStringList names;
  for (int i = 0; i < entries.size(); ++i) {
    SCOPED_TRACE(kShipped[i].className);
    EXPECT_EQ(entries[i]->Attribute(QStringLiteral("ClassName")),
              QLatin1String(kShipped[i].className));
    EXPECT_EQ(entries[i]->Attribute(QStringLiteral("ID")).toInt(), kShipped[i].id);
    for (const char* text : {"Type", "Parameter", "Name", "Description"}) {
      const host::XmlElementPtr node = entries[i]->SelectChild(QLatin1String(text));
      ASSERT_TRUE(node) << text;
      const QString english = orvanRV1X::TemplateLoader::GetLocalizedNodeText(node);
      EXPECT_FALSE(english.isEmpty()) << text;
      EXPECT_FALSE(english.contains(QStringLiteral("::"))) << text;
      if (QLatin1String(text) == QLatin1String("Name")) names.append(english);
      const testsupport::LanguageScope german(QStringLiteral("de"));
      if (QLatin1String(text) != QLatin1String("Type")) {
        EXPECT_NE(orvanRV1X::TemplateLoader::GetLocalizedNodeText(node), english)
            << text << " has a German text";
      }
    }
  }
  names.removeDuplicates();
  EXPECT_EQ(names.size(), entries.size()) << "every test has a name of its own";
}

TEST(ShippedTemplate, EveryStandardCarriesTheLimitsOfItsTest) {
  const QList<host::XmlElementPtr> entries = shippedEntries();
  ASSERT_EQ(entries.size(), static_cast<int>(std::size(kShipped)));
  for (int i = 0; i < entries.size(); ++i) {
    SCOPED_TRACE(kShipped[i].className);
    const host::StandardsCollectionPtr standards = standardsOf(entries[i]);
    EXPECT_EQ(standards->Count() == 0, kShipped[i].keys.isEmpty())
        << "the tests with limits, and only they, have a default standard";
    QStringList names;
    for (const host::StandardPtr& standard : *standards) {
      SCOPED_TRACE(qPrintable(standard->AlphaName()));
      QStringList keys;
      for (const host::LimitPtr& limit : standard->Limits()) keys.append(limit->Key());
      EXPECT_EQ(keys, kShipped[i].keys);
      names.append(standard->AlphaName());
    }
    names.removeDuplicates();
    EXPECT_EQ(names.size(), standards->Count()) << "a standard is found by its names";
  }
}

TEST(ShippedTemplate, DefibrillatorStandardsJudgeAsTheirNamesSay) {
  const QList<host::XmlElementPtr> entries = shippedEntries();
  struct Case {
    int entry;
    const char* alpha;
    const char* key;
    float preset, value;
    rt::Long status;
  };
  const char* iec = "IEC 60601-2-4";
  constexpr auto passed = host::checkstatus::Passed;
  constexpr auto failed = host::checkstatus::Failed;
  // Energy within 15 % of the preset or 3 J, whichever is greater, at every
  // preset, for either test; a value on a bound passes.
  const Case cases[] = {
      {0, iec, "ENGY", 5, 7, passed},
      {0, iec, "ENGY", 5, 8, passed},
      {0, iec, "ENGY", 5, 8.1f, failed},
      {0, iec, "ENGY", 5, 2, passed},
      {0, iec, "ENGY", 5, 1.9f, failed},
      {0, iec, "ENGY", 10, 12, passed},
      {0, iec, "ENGY", 10, 13.5f, failed},
      {0, iec, "ENGY", 10, 7, passed},
      {0, iec, "ENGY", 20, 23, passed},
      {0, iec, "ENGY", 20, 16.9f, failed},
      {0, iec, "ENGY", 100, 114, passed},
      {0, iec, "ENGY", 100, 116, failed},
      {0, iec, "ENGY", 360, 306, passed},
      {0, iec, "ENGY", 360, 305, failed},
      {0, iec, "ENGY", 360, 414, passed},
      {0, iec, "ENGY", 360, 420, failed},
      {0, iec, "CHTI", 360, 15, passed},
      {0, iec, "CHTI", 360, 15.5f, failed},
      {1, iec, "ENGY", 5, 7, passed},
      {1, iec, "ENGY", 5, 1.9f, failed},
      {1, iec, "ENGY", 10, 12, passed},
      {1, iec, "ENGY", 10, 13.5f, failed},
      {1, iec, "ENGY", 100, 114, passed},
      {1, iec, "ENGY", 100, 116, failed},
      {1, iec, "ENGY", 360, 306, passed},
      {1, iec, "ENGY", 360, 305, failed},
      {1, iec, "DELY", 0, 60, host::checkstatus::Passed},
      {1, iec, "DELY", 0, 61, host::checkstatus::Failed},
      {1, iec, "PEKI", 0, 1e6f, host::checkstatus::NotChecked},  // still to be set
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.alpha << " " << c.key << " " << c.value);
    const host::StandardsCollectionPtr standards = standardsOf(entries[c.entry]);
    host::StandardPtr standard;
    for (const host::StandardPtr& s : *standards)
      if (s->AlphaName() == QLatin1String(c.alpha)) standard = s;
    ASSERT_TRUE(standard);
    EXPECT_EQ(standard->Check(QLatin1String(c.key), c.value, QVariant(c.preset)), c.status);
  }
}

TEST(ShippedTemplate, PacerLimitsArePresentButStillToBeSet) {
  const QList<host::XmlElementPtr> entries = shippedEntries();
  for (int i : {2, 3, 4}) {
    SCOPED_TRACE(kShipped[i].className);
    const host::StandardsCollectionPtr standards = standardsOf(entries[i]);
    ASSERT_EQ(standards->Count(), 1);
    EXPECT_TRUE(standards->Item(1)->CompleteName().contains(QStringLiteral("labelled accuracy")));
    for (const host::LimitPtr& limit : standards->Item(1)->Limits())
      EXPECT_FALSE(limit->Enabled(host::limitindex::High) || limit->Enabled(host::limitindex::Low))
          << qPrintable(limit->Key());
  }
}

// The demo's template is the shipped one but for the pacer tests, whose
// standard carries example limits, every one enabled, and says so.
TEST(ShippedTemplate, TheDemosTemplateDiffersOnlyInItsMarkedExamplePacerLimits) {
  const QList<host::XmlElementPtr> shipped = shippedEntries();
  const QList<host::XmlElementPtr> demo =
      templateEntries(QStringLiteral(RV1X_SOURCE_DIR "/scripts/demo-template.mpc"));
  ASSERT_EQ(demo.size(), shipped.size());
  for (int i = 0; i < shipped.size(); ++i) {
    SCOPED_TRACE(kShipped[i].className);
    const bool pacer = kShipped[i].id >= 300 && kShipped[i].id <= 500;
    for (const host::XmlElementPtr& entries : {shipped[i], demo[i]}) {
      const host::XmlElementPtr limits = entries->SelectChild(QStringLiteral("ExpectedResult"));
      if (limits && pacer) entries->removeChild(limits);
    }
    QString a, b;
    QTextStream shippedText(&a), demoText(&b);
    shipped[i]->dom().save(shippedText, 0);
    demo[i]->dom().save(demoText, 0);
    EXPECT_EQ(a, b);
    if (!pacer) continue;
    const host::StandardsCollectionPtr example = standardsOf(
        templateEntries(QStringLiteral(RV1X_SOURCE_DIR "/scripts/demo-template.mpc"))[i]);
    ASSERT_EQ(example->Count(), 1);
    EXPECT_EQ(example->Item(1)->AlphaName(), QStringLiteral("Demo example"));
    EXPECT_TRUE(example->Item(1)->CompleteName().contains(QStringLiteral("taken from no pacer")));
    for (const host::LimitPtr& limit : example->Item(1)->Limits())
      EXPECT_TRUE(limit->Enabled(host::limitindex::High) && limit->Enabled(host::limitindex::Low))
          << qPrintable(limit->Key());
  }
}

TEST_F(PlugInTest, ThePlugInOffersTheSevenTestsOfItsShippedTemplate) {
  const host::IPlugInPtr plugIn = newPlugIn();
  plugIn->Initialize(nullptr);
  EXPECT_TRUE(reportedNumbers().isEmpty());
  const host::ITestElementListPtr tests = plugIn->Tests();
  ASSERT_TRUE(tests);
  ASSERT_EQ(tests->Count(), static_cast<rt::Long>(std::size(kShipped)));
  for (rt::Long i = 1; i <= tests->Count(); ++i) {
    const ShippedTest& shipped = kShipped[i - 1];
    SCOPED_TRACE(shipped.className);
    EXPECT_EQ(com::registeredNameOf(tests->Item(i)), QLatin1String(shipped.className));
    EXPECT_FALSE(tests->Item(i)->Info()->Name().isEmpty());
    const host::ITestElementPtr created = plugIn->CreateTest(shipped.id);
    ASSERT_TRUE(created);
    EXPECT_EQ(created->TestID(), shipped.id);
    EXPECT_EQ(com::registeredNameOf(created), QLatin1String(shipped.className));
  }
  // A new test's limit set takes a standard of the template's by its names,
  // with the template's limits.
  const host::ITestElementPtr chargeTime = plugIn->CreateTest(100);
  const host::StandardPtr iec = chargeTime->Limits()->Standards()->Item(1);
  const host::StandardPtr made =
      chargeTime->Limits()->CreateStandard(iec->AlphaName(), iec->CompleteName());
  ASSERT_TRUE(made);
  EXPECT_EQ(made->Check(QStringLiteral("CHTI"), 16, QVariant(360.0f)), host::checkstatus::Failed);
}

TEST_F(PlugInTest, EveryNewTestOfTheCatalogueIsStoredInASequence) {
  const host::IPlugInPtr plugIn = newPlugIn();
  plugIn->Initialize(nullptr);
  host::SequenceDocument sequence;
  for (const ShippedTest& shipped : kShipped)
    sequence.Append(plugIn->CreateTest(shipped.id), QLatin1String(shipped.className));
  const QString path = dir_.filePath(QStringLiteral("sequence.xml"));
  sequence.Save(path);
  EXPECT_EQ(sequence.Problems().size(), 0);
  EXPECT_TRUE(reportedNumbers().isEmpty());

  host::SequenceDocument read;
  read.Load(path);
  ASSERT_EQ(read.Count(), static_cast<int>(std::size(kShipped)));
  for (int i = 0; i < read.Count(); ++i) {
    SCOPED_TRACE(kShipped[i].className);
    ASSERT_TRUE(read.Element(i));
    EXPECT_EQ(read.Element(i)->TestID(), kShipped[i].id);
  }
}

}  // namespace
}  // namespace plugintest
