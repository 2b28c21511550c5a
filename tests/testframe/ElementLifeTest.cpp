// The seven test elements outside a run: made by registered name with
// their configuration and limit set, the host's interface, copies, and the
// stored form through the host's sequence document.

#include "FrameFixture.h"
#include "QtPrinters.h"
#include "StoredElements.h"
#include "elements/TestInfo.h"
#include "limits/Limit.h"
#include "limits/Standard.h"
#include "limits/StandardsCollection.h"
#include "results/CResultBase.h"
#include "runtime/Conversions.h"
#include "sequence/SequenceDocument.h"
#include "settings/CConfigAccuracy.h"
#include "settings/CConfigChargeTime.h"
#include "settings/CConfigDischarge.h"
#include "settings/CConfigPerformance.h"
#include "settings/CConfigRefractory.h"
#include "settings/CConfigSensitivity.h"
#include "settings/CConfigShock.h"
#include "settings/CLimitData.h"
#include "typelib/IConfigData.h"
#include "typelib/IResultData.h"
#include "xml/XmlDocument.h"

namespace {

using namespace frametests;
using orvanRV1Xtst::CLimitData;
using testsupport::errorOf;

template <class Config>
bool holds(const host::IConfigDataPtr& config) {
  return std::dynamic_pointer_cast<Config>(config) != nullptr;
}

struct ClassCase {
  rt::Long testID;
  bool (*ownConfiguration)(const host::IConfigDataPtr&);
  QStringList measurementKeys;  // of GetMeasurementList
  QString source;               // of the element's reports
};

const ClassCase kCases[] = {
    {100, holds<orvanRV1Xtst::CConfigChargeTime>, {"ENGY", "CHTI"}, "RV1XTests.CTestChargeTime"},
    {200,
     holds<orvanRV1Xtst::CConfigDischarge>,
     {"ENGY", "DELY", "PEKI", "PEKU"},
     "RV1XTests.CTestDischarge"},
    {300, holds<orvanRV1Xtst::CConfigSensitivity>, {"PADS", "ECG"}, "RV1XTests.CTestSensitivity"},
    {400, holds<orvanRV1Xtst::CConfigRefractory>, {"PACE", "SENS"}, "RV1XTests.CTestRefractory"},
    {500, holds<orvanRV1Xtst::CConfigAccuracy>, {"RATE", "AMPL", "PWID"}, "CTestAccuracy"},
    {600, holds<orvanRV1Xtst::CConfigPerformance>, {}, "CTestPerformance"},
    {700, holds<orvanRV1Xtst::CConfigShock>, {}, "CTestShock"},
};

QStringList keysOf(const QVariant& list) {
  QStringList keys;
  for (const QVariant& row : list.toList()) keys.append(row.toStringList().value(0));
  return keys;
}

using ElementLife = FrameTest;

TEST_F(ElementLife, EachClassIsMadeWithItsConfigurationAndAnOwnedLimitSet) {
  for (const ClassCase& c : kCases) {
    SCOPED_TRACE(c.testID);
    const auto test = element(c.testID);
    ASSERT_TRUE(test);
    EXPECT_EQ(test->TestID(), c.testID);
    EXPECT_EQ(test->PlugInID(), host::kProduct);
    EXPECT_EQ(test->ID(), 0);
    EXPECT_TRUE(c.ownConfiguration(test->Configuration()));
    EXPECT_FALSE(test->Result()) << "a result is made for a run or a load";
    EXPECT_EQ(test->kind().source, c.source);
    EXPECT_TRUE(test->Info());
    EXPECT_TRUE(test->Filter());

    const auto limits = std::dynamic_pointer_cast<CLimitData>(test->Limits());
    ASSERT_TRUE(limits);
    EXPECT_EQ(limits->Owner(), test) << "the limit set belongs to the element from the start";
    EXPECT_TRUE(limits->HasDialog());
    // A new standard of the limit set has the test's own default limits.
    const host::StandardPtr standard =
        limits->CreateStandard(QStringLiteral("HOUSE"), QStringLiteral("House standard"));
    ASSERT_TRUE(standard);
    QStringList limitKeys;
    for (const host::LimitPtr& limit : standard->Limits()) limitKeys.append(limit->Key());
    for (const QString& key : c.measurementKeys)
      EXPECT_TRUE(limitKeys.contains(key)) << qPrintable(key);

    const QVariant list = test->GetMeasurementList();
    EXPECT_EQ(keysOf(list), c.measurementKeys);
    EXPECT_EQ(list.isValid(), !c.measurementKeys.isEmpty()) << "no rows: an empty variant";
    bool allowed = false;
    test->QuerySetParent(nullptr, allowed);
    EXPECT_TRUE(allowed);
  }
}

TEST_F(ElementLife, MeasurementCaptionsAreTranslated) {
  const QVariantList rows = element(400)->GetMeasurementList().toList();
  ASSERT_EQ(rows.size(), 2);
  EXPECT_EQ(rows.at(0).toStringList(), (QStringList{"PACE", "Paced Rp"}));
  EXPECT_EQ(rows.at(1).toStringList(), (QStringList{"SENS", "Sensed Rp"}));
}

TEST_F(ElementLife, InitializeIsPassedOnAndGivesVerdictTestsALimitSetWithoutDialog) {
  for (const ClassCase& c : kCases) {
    SCOPED_TRACE(c.testID);
    const auto test = element(c.testID);
    const host::ILimitDataPtr before = test->Limits();
    test->Initialize(host::kProduct, c.testID, 42);
    EXPECT_EQ(test->ID(), 42);
    const bool verdictTest = c.testID == 600 || c.testID == 700;
    const auto limits = std::dynamic_pointer_cast<CLimitData>(test->Limits());
    ASSERT_TRUE(limits);
    EXPECT_EQ(limits != before, verdictTest);
    EXPECT_EQ(limits->HasDialog(), !verdictTest);
    EXPECT_EQ(limits->Owner(), test);
    // A number that is none is the base object's failure, ignored.
    test->Initialize(host::kProduct, QStringLiteral("x"), 7);
    EXPECT_EQ(test->TestID(), c.testID);
  }
}

TEST_F(ElementLife, AClonedElementIsACopyOfItsOwn) {
  for (const ClassCase& c : kCases) {
    SCOPED_TRACE(c.testID);
    const auto test = element(c.testID);
    test->Initialize(host::kProduct, c.testID, 5);
    com::must(test->Info()).SetName(QStringLiteral("Original"));
    com::must(test->Limits())
        .CreateStandard(QStringLiteral("HOUSE"), QStringLiteral("House standard"));
    test->Load(testsupport::xmlElement(QStringLiteral("<ResultItem/>")), nullptr);
    ASSERT_TRUE(test->Result());

    const auto copy = std::dynamic_pointer_cast<orvanRV1Xtst::CTestFrame>(test->Clone());
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->kind().source, test->kind().source) << "the same class";
    EXPECT_EQ(copy->TestID(), c.testID);
    EXPECT_EQ(copy->ID(), 5);
    EXPECT_FALSE(copy->Result()) << "a copy is a test still to be run";
    EXPECT_NE(copy->Configuration(), test->Configuration());
    EXPECT_TRUE(c.ownConfiguration(copy->Configuration()));
    const auto limits = std::dynamic_pointer_cast<CLimitData>(copy->Limits());
    ASSERT_TRUE(limits);
    EXPECT_NE(limits, test->Limits());
    EXPECT_EQ(limits->Owner(), copy);
    EXPECT_EQ(limits->HasDialog(), c.testID != 600 && c.testID != 700)
        << "a copied limit set keeps its dialog";
    EXPECT_EQ(com::must(limits->Standards()).Count(), 1);

    com::must(test->Info()).SetName(QStringLiteral("Changed"));
    com::must(test->Limits()).CreateStandard(QStringLiteral("AAMI"), QStringLiteral("AAMI"));
    test->SetID(9);
    EXPECT_EQ(com::must(copy->Info()).Name(), QStringLiteral("Original"));
    EXPECT_EQ(com::must(limits->Standards()).Count(), 1);
    EXPECT_EQ(copy->ID(), 5);
  }
}

TEST_F(ElementLife, UpdateReferencesBindsTheStandardsToTheElement) {
  const auto test = element(300);
  test->UpdateReferences();  // a limit set without standards yet: nothing to bind
  com::must(test->Limits()).CreateStandard(QStringLiteral("HOUSE"), QStringLiteral("House"));
  const host::StandardsCollectionPtr standards = com::must(test->Limits()).Standards();
  const auto other = element(400);
  com::must(standards).SetOwner(other);
  test->UpdateReferences();
  EXPECT_EQ(standards->owner(), test);
}

}  // namespace
