// The plug-in object: identity, icons, life cycle, the catalogue, new test
// elements by test ID and the standards it hands the test library.

#include <QImage>

#include "LanguageScope.h"
#include "PlugInFixture.h"
#include "elements/TestInfo.h"
#include "limits/Limit.h"
#include "limits/Standard.h"
#include "limits/StandardsCollection.h"
#include "settings/PlugInLink.h"
#include "typelib/ILimitData.h"
#include "typelib/ISetup.h"
#include "typelib/ITestElement.h"

namespace plugintest {
namespace {

TEST_F(PlugInTest, TellsWhoItIs) {
  const host::IPlugInPtr plugIn = newPlugIn();
  EXPECT_EQ(plugIn->ID(), QStringLiteral("RV-1X"));
  EXPECT_EQ(plugIn->Version(), QStringLiteral("2.3.1"));
  EXPECT_EQ(plugIn->Flags(), 0);
  EXPECT_EQ(plugIn->Name(), QStringLiteral("RV-12P/15 Defibrillator Analyzer"));
  {
    const testsupport::LanguageScope german(QStringLiteral("de"));
    EXPECT_EQ(plugIn->Name(), QStringLiteral("RV-12P/15 Defibrillator-Analysator"));
  }
  EXPECT_FALSE(plugIn->ControlPanel());
  EXPECT_FALSE(plugIn->PlugInMenu());
  EXPECT_FALSE(plugIn->CreateDutData());
  EXPECT_FALSE(plugIn->Setup()) << "no setup before Initialize";
}

TEST_F(PlugInTest, IconsByTestIdAndSize) {
  struct Case {
    rt::Long testID, size;
    QSize expected;  // empty: no picture
  };
  const Case cases[] = {
      {0, host::icon::Small, {16, 16}},
      {0, host::icon::Large, {}},
      {0, host::icon::ExtraLarge, {32, 32}},
      {100, host::icon::Small, {16, 16}},
      {100, host::icon::Large, {32, 16}},
      {100, host::icon::ExtraLarge, {}},
      {200, host::icon::Small, {16, 16}},
      {500, host::icon::Large, {32, 16}},
      {700, host::icon::Large, {32, 16}},
      {800, host::icon::Small, {}},
      {300, 3, {}},
  };
  const host::IPlugInPtr plugIn = newPlugIn();
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.testID << "/" << c.size);
    for (rt::Long colours : {0, 1, 8}) {
      const QImage icon = plugIn->Icon(c.testID, c.size, colours);
      EXPECT_EQ(icon.isNull(), c.expected.isEmpty()) << colours;
      if (icon.isNull()) continue;
      EXPECT_EQ(icon.size(), c.expected) << colours;
      // The tests' bitmaps have a palette of 256 colours at most; the
      // plug-in's own are true colour.
      if (c.testID == 0) {
        EXPECT_TRUE(icon.colorTable().isEmpty());
        EXPECT_GE(icon.depth(), 24);
      } else {
        EXPECT_EQ(icon.format(), QImage::Format_Indexed8);
        EXPECT_LE(icon.colorCount(), 256);
      }
    }
  }
  // Each test has a picture of its own.
  EXPECT_NE(plugIn->Icon(100, host::icon::Small, 0), plugIn->Icon(200, host::icon::Small, 0));
}

TEST_F(PlugInTest, AnswersNoCatalogueBeforeInitialize) {
  const host::IPlugInPtr plugIn = newPlugIn();
  EXPECT_EQ(testsupport::errorOf([&] { plugIn->Tests(); }), orvanRV1X::plugInErr::NotInitialised);
  EXPECT_EQ(lastRaisedSeverity(orvanRV1X::plugInErr::NotInitialised), 4);
  host::ErrorService::instance()->clear();
  EXPECT_EQ(testsupport::errorOf([&] { plugIn->CreateTest(900); }),
            orvanRV1X::plugInErr::NotInitialised);
  EXPECT_EQ(lastRaisedSeverity(orvanRV1X::plugInErr::NotInitialised), 4);
  auto own = std::dynamic_pointer_cast<orvanRV1Xtst::IRV1XPlugIn>(plugIn);
  ASSERT_TRUE(own);
  EXPECT_FALSE(own->LoadStandard(900, QStringLiteral("A"), QStringLiteral("Alpha")));
  EXPECT_TRUE(reportedNumbers().isEmpty());
}

TEST_F(PlugInTest, InitializeLoadsTheCatalogueAndHandsItselfToTheTestLibrary) {
  const host::IPlugInPtr plugIn = plugInWith(templateOf(
      fakeEntry(QStringLiteral("<Name LID=\"20620::Charge time test\"/><ExpectedResult>") +
                standard("A", "Alpha") + "</ExpectedResult>")));
  ASSERT_TRUE(plugIn->Setup());
  EXPECT_TRUE(plugIn->Setup()->HasDialog());
  const host::ITestElementListPtr tests = plugIn->Tests();
  ASSERT_TRUE(tests);
  ASSERT_EQ(tests->Count(), 1);
  EXPECT_EQ(tests->Item(1)->TestID(), 900);
  EXPECT_EQ(tests->Item(1)->ID(), 900);
  EXPECT_EQ(tests->Item(1)->PlugInID(), QStringLiteral("RV-1X"));
  EXPECT_EQ(tests->Item(1)->Info()->Name(), QStringLiteral("Charge time test"));
  // The limit sets of the test library now find the template's standards.
  const auto standard = std::dynamic_pointer_cast<host::Standard>(
      orvanRV1Xtst::MMiscUtils::LoadStandard(900, QStringLiteral("a"), QStringLiteral("ALPHA")));
  ASSERT_TRUE(standard);
  EXPECT_EQ(standard->CompleteName(), QStringLiteral("Alpha"));
  EXPECT_TRUE(reportedNumbers().isEmpty());
}

TEST_F(PlugInTest, CreateTestClonesThePrototypeWithItsOwnStandards) {
  const host::IPlugInPtr plugIn = plugInWith(
      templateOf(fakeEntry("<ExpectedResult>" + standard("A", "Alpha") + "</ExpectedResult>")));
  const host::ITestElementPtr prototype = plugIn->Tests()->Find(900);
  ASSERT_TRUE(prototype);
  prototype->Limits()->Standards()->SetOwner(prototype);

  const host::ITestElementPtr first = plugIn->CreateTest(900);
  const host::ITestElementPtr second = plugIn->CreateTest(900);
  ASSERT_TRUE(first);
  ASSERT_TRUE(second);
  EXPECT_NE(first, prototype);
  EXPECT_NE(first, second);
  EXPECT_EQ(first->TestID(), 900);
  const host::StandardsCollectionPtr standards = first->Limits()->Standards();
  EXPECT_NE(standards, prototype->Limits()->Standards());
  EXPECT_EQ(standards->Count(), 1);
  EXPECT_FALSE(standards->bound()) << "the copy's standards are let go of the prototype";
  EXPECT_TRUE(prototype->Limits()->Standards()->bound());
}

TEST_F(PlugInTest, CreateTestOfAnIdTheCatalogueLacks) {
  const host::IPlugInPtr plugIn = plugInWith(templateOf(fakeEntry()));
  const rt::RuntimeError error = testsupport::raisedBy([&] { plugIn->CreateTest(999); });
  EXPECT_EQ(error.Number(), orvanRV1X::plugInErr::NoSuchTest);
  EXPECT_TRUE(error.Description().contains(QStringLiteral("999")));
  EXPECT_EQ(lastRaisedSeverity(orvanRV1X::plugInErr::NoSuchTest), 1);
  EXPECT_TRUE(reportedNumbers().isEmpty());
}

TEST_F(PlugInTest, LoadStandardHandsOutACopyOfTheTemplatesStandard) {
  const host::IPlugInPtr plugIn =
      plugInWith(templateOf(fakeEntry("<ExpectedResult>" + standard("A", "Alpha", "ENGY", "12") +
                                      standard("B", "Beta") + "</ExpectedResult>")));
  auto own = std::dynamic_pointer_cast<orvanRV1Xtst::IRV1XPlugIn>(plugIn);
  ASSERT_TRUE(own);
  const auto found = std::dynamic_pointer_cast<host::Standard>(
      own->LoadStandard(900, QStringLiteral("A"), QStringLiteral("Alpha")));
  ASSERT_TRUE(found);
  const host::StandardPtr kept =
      plugIn->Tests()->Find(900)->Limits()->Standards()->Find(0, "A", "Alpha");
  EXPECT_NE(found, kept) << "the prototype keeps its own";
  ASSERT_EQ(found->Limits().size(), 1);
  EXPECT_EQ(found->Limits().first()->Value(0), 12.0f);

  EXPECT_FALSE(own->LoadStandard(900, QStringLiteral("A"), QStringLiteral("Beta")));
  EXPECT_FALSE(own->LoadStandard(100, QStringLiteral("A"), QStringLiteral("Alpha")));
  EXPECT_TRUE(reportedNumbers().isEmpty());
}

TEST_F(PlugInTest, ASecondInitializeReadsTheTemplateAgain) {
  const host::IPlugInPtr plugIn = plugInWith(templateOf(fakeEntry()));
  const host::ISetupPtr firstSetup = plugIn->Setup();
  useTemplate(writeFile(templateOf(fakeEntry() + fakeEntry()), QStringLiteral("two.mpc")));
  plugIn->Initialize(nullptr);
  EXPECT_EQ(plugIn->Tests()->Count(), 2);
  EXPECT_NE(plugIn->Setup(), firstSetup);
}

TEST_F(PlugInTest, ASecondInitializeThatFailsLeavesThePlugInUninitialised) {
  const host::IPlugInPtr plugIn = plugInWith(templateOf(fakeEntry()));
  ASSERT_EQ(plugIn->Tests()->Count(), 1);
  useTemplate(writeFile(templateOf(QStringLiteral("<TestElement ID=\"900\"/>")),
                        QStringLiteral("bad.mpc")));
  EXPECT_EQ(testsupport::errorOf([&] { plugIn->Initialize(nullptr); }),
            orvanRV1X::plugInErr::BadTemplate);
  EXPECT_EQ(testsupport::errorOf([&] { plugIn->Tests(); }), orvanRV1X::plugInErr::NotInitialised);
  EXPECT_EQ(testsupport::errorOf([&] { plugIn->CreateTest(900); }),
            orvanRV1X::plugInErr::NotInitialised);
}

TEST_F(PlugInTest, EndingClearsTheCatalogue) {
  host::IPlugInPtr plugIn = plugInWith(templateOf(fakeEntry()));
  const host::ITestElementListPtr tests = plugIn->Tests();
  ASSERT_EQ(tests->Count(), 1);
  plugIn.reset();
  EXPECT_EQ(tests->Count(), 0);
  EXPECT_FALSE(orvanRV1Xtst::MMiscUtils::LoadStandard(900, "A", "Alpha"));
}

}  // namespace
}  // namespace plugintest
