// The test template that ships beside the plug-in: the seven tests under
// their class's test IDs, translated texts, and default standards that
// judge as a technician reads their names.

#include <QFileInfo>

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

QList<host::XmlElementPtr> shippedEntries() {
  auto document = std::make_shared<host::XmlDocument>();
  document->Load(testsupport::buildLibraryDir() + QStringLiteral("/orvanRV1X.mpc"));
  const host::XmlNodeListPtr nodes =
      document->DocumentElement()->SelectChild(QStringLiteral("TemplateData"))->ChildNodes();
  QList<host::XmlElementPtr> entries;
  for (rt::Long i = 0; i < nodes->Length(); ++i) entries.append(nodes->Item(i));
  return entries;
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
  const char* low = "IEC 60601-2-4 below 20 J";
  const Case cases[] = {
      {0, iec, "ENGY", 360, 410, host::checkstatus::Passed},  // +13.9 %
      {0, iec, "ENGY", 360, 420, host::checkstatus::Failed},  // +16.7 %
      {0, iec, "ENGY", 360, 300, host::checkstatus::Failed},  // -16.7 %
      {0, iec, "CHTI", 360, 15, host::checkstatus::Passed},
      {0, iec, "CHTI", 360, 15.5f, host::checkstatus::Failed},
      {0, low, "ENGY", 10, 12.9f, host::checkstatus::Passed},
      {0, low, "ENGY", 10, 6.9f, host::checkstatus::Failed},
      {1, iec, "ENGY", 100, 114, host::checkstatus::Passed},
      {1, iec, "ENGY", 100, 86, host::checkstatus::Passed},
      {1, iec, "ENGY", 100, 84, host::checkstatus::Failed},
      {1, low, "ENGY", 5, 7.5f, host::checkstatus::Passed},  // +50 % but within 3 J
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
  EXPECT_EQ(sequence.Reported(), 0);
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
