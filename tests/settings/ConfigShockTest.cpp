// The shock-advisory configuration: its keyed steps, keys from the running
// counter, loading any element, the stored steps and its clone.

#include "ConfigFixture.h"
#include "RecordingReport.h"
#include "report/HostReport.h"
#include "settings/CConfigShock.h"

namespace {

using namespace orvanRV1Xtst;
using namespace settingstest;

QStringList keys(const CConfigShock& config) {
  QStringList result;
  for (const CShockAdviceSettingPtr& step : config.NewEnum()) result.append(step->Key());
  return result;
}

QString step(const char* key, int wave, int duration, bool advice) {
  return QStringLiteral(
             "<ShockAdvice Key=\"%1\"><WaveFormIndex>%2</WaveFormIndex><Duration>%3</Duration>"
             "<Advice>%4</Advice></ShockAdvice>")
      .arg(QLatin1String(key))
      .arg(wave)
      .arg(duration)
      .arg(advice ? QStringLiteral("True") : QStringLiteral("False"));
}

using ConfigShock = ConfigTest;

TEST_F(ConfigShock, ANewConfigurationHoldsOneDefaultStep) {
  CConfigShock config;
  ASSERT_EQ(config.Count(), 1);
  const CShockAdviceSettingPtr first = config.Item(1);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->Key(), QStringLiteral("::1"));
  EXPECT_EQ(first->WaveFormIndex(), 0);
  EXPECT_EQ(first->Duration(), 30);
  EXPECT_FALSE(first->Advice());
  EXPECT_EQ(first->WaveText(), QStringLiteral("Asystolic"));
  EXPECT_EQ(config.Item(QStringLiteral("::1")), first);
  EXPECT_EQ(config.kind().source, QStringLiteral("RV1XTests.CConfigShock"));
  EXPECT_TRUE(config.HasDialog());
}

TEST_F(ConfigShock, KeysComeFromACounterThatNeverRepeats) {
  CConfigShock config;
  EXPECT_EQ(config.AddNew()->Key(), QStringLiteral("::2"));
  EXPECT_EQ(config.AddNew()->Key(), QStringLiteral("::3"));
  config.Remove(3);
  EXPECT_EQ(config.AddNew()->Key(), QStringLiteral("::4"))
      << "a removed step's key is not handed out again";
  EXPECT_EQ(keys(config), (QStringList{"::1", "::2", "::4"}));
  EXPECT_EQ(config.Item(QStringLiteral("::4")), config.Item(3));
}

TEST_F(ConfigShock, CollectionOperationsNeverRaise) {
  CConfigShock config;
  config.AddNew();
  for (rt::Integer position : {rt::Integer(0), rt::Integer(-1), rt::Integer(3), rt::Integer(32767)})
    config.Remove(position);
  EXPECT_EQ(keys(config), (QStringList{"::1", "::2"}));

  auto duplicate = std::make_shared<CShockAdviceSetting>();
  duplicate->Init(QStringLiteral("::2"), 5);
  config.Add(duplicate);
  config.Add(nullptr);
  EXPECT_EQ(config.Count(), 2);
  EXPECT_NE(config.Item(2), duplicate);

  auto added = std::make_shared<CShockAdviceSetting>();
  added->Init(QStringLiteral("::9"));
  config.Add(added);
  EXPECT_EQ(config.Item(QStringLiteral("::9")), added);
  EXPECT_FALSE(config.Item(0));
  EXPECT_FALSE(config.Item(4));
  EXPECT_FALSE(config.Item(QStringLiteral("::7")));

  config.Remove(1);
  EXPECT_EQ(keys(config), (QStringList{"::2", "::9"}));
}

TEST_F(ConfigShock, RemovingTheLastStepLeavesNoStepsAndANewAdditionStartsAgain) {
  CConfigShock config;
  config.Remove(1);
  EXPECT_EQ(config.Count(), 0);
  EXPECT_TRUE(config.NewEnum().empty());
  EXPECT_FALSE(config.Item(1));
  EXPECT_FALSE(config.Item(QStringLiteral("::1")));
  config.Remove(1);

  EXPECT_EQ(children(save(config)), (QStringList{"TestGuideSettings="}));
  CConfigShock loaded;
  loaded.Load(save(config), nullptr);
  EXPECT_EQ(loaded.Count(), 0);

  EXPECT_EQ(config.AddNew()->Key(), QStringLiteral("::2"));
  EXPECT_EQ(config.Count(), 1);
}

TEST_F(ConfigShock, WaveFormIndexOfAStepSetsItsAdvice) {
  CConfigShock config;
  const CShockAdviceSettingPtr first = config.Item(1);
  first->SetWaveFormIndex(3);
  EXPECT_TRUE(first->Advice());
  first->SetAdvice(false);
  EXPECT_FALSE(config.Item(QStringLiteral("::1"))->Advice()) << "steps are edited in place";
  first->SetWaveFormIndex(7);
  EXPECT_FALSE(first->Advice());
}

TEST_F(ConfigShock, SavesItsStepsInOrderAndLoadsThemBack) {
  CConfigShock config;
  config.Item(1)->SetWaveFormIndex(2);
  const CShockAdviceSettingPtr second = config.AddNew();
  second->SetWaveFormIndex(7);
  second->SetDuration(0);
  config.TestGuideConfig()->SetButtonMask(host::guidebutton::Skip);

  host::XmlElementPtr stored = save(config);
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->TagName(), QStringLiteral("PlugInData"));
  EXPECT_EQ(stored->Attribute(QStringLiteral("PlugIn")), QStringLiteral("RV-1X"));
  EXPECT_EQ(children(stored),
            (QStringList{"ShockAdvice=230True", "ShockAdvice=70False", "TestGuideSettings="}));

  CConfigShock loaded;
  loaded.Load(stored, nullptr);
  ASSERT_EQ(keys(loaded), (QStringList{"::1", "::2"}));
  EXPECT_EQ(loaded.Item(1)->WaveFormIndex(), 2);
  EXPECT_TRUE(loaded.Item(1)->Advice());
  EXPECT_EQ(loaded.Item(2)->WaveFormIndex(), 7);
  EXPECT_EQ(loaded.Item(2)->Duration(), 0);
  EXPECT_FALSE(loaded.Item(2)->Advice());
  EXPECT_EQ(loaded.TestGuideConfig()->ButtonMask(), host::guidebutton::Skip);
  EXPECT_EQ(loaded.AddNew()->Key(), QStringLiteral("::3"));
}

TEST_F(ConfigShock, LoadGivesKeylessStepsTheNextKeyAndContinuesAfterTheLargest) {
  CConfigShock config;
  config.Load(
      plugInData(step("::5", 1, 10, true) +
                 QStringLiteral("<ShockAdvice><WaveFormIndex>4</WaveFormIndex></ShockAdvice>") +
                 step("::2", 0, 5, false)),
      nullptr);
  EXPECT_EQ(keys(config), (QStringList{"::5", "::1", "::2"}));
  EXPECT_EQ(config.Item(QStringLiteral("::1"))->WaveFormIndex(), 4);
  EXPECT_FALSE(config.Item(QStringLiteral("::1"))->Advice())
      << "a stored index does not set the advice";
  EXPECT_EQ(config.AddNew()->Key(), QStringLiteral("::6"));
}

TEST_F(ConfigShock, AKeylessStepNeverTakesTheKeyOfALaterStoredStep) {
  CConfigShock config;
  config.Load(
      plugInData(QStringLiteral("<ShockAdvice><WaveFormIndex>4</WaveFormIndex></ShockAdvice>") +
                 step("::1", 2, 20, true) +
                 QStringLiteral("<ShockAdvice><WaveFormIndex>6</WaveFormIndex></ShockAdvice>") +
                 step("::3", 7, 5, false)),
      nullptr);
  QStringList steps;
  for (const CShockAdviceSettingPtr& s : config.NewEnum())
    steps.append(s->Key() + u'=' + QString::number(s->WaveFormIndex()));
  EXPECT_EQ(steps, (QStringList{"::2=4", "::1=2", "::4=6", "::3=7"}));
  EXPECT_EQ(config.AddNew()->Key(), QStringLiteral("::5"));
  EXPECT_TRUE(reported().isEmpty());
}

TEST_F(ConfigShock, AStepThatCannotBeReadIsReportedAndLeftOut) {
  CConfigShock config;
  config.Load(plugInData(step("::1", 1, 10, true) +
                         QStringLiteral("<ShockAdvice Key=\"::2\"><WaveFormIndex>3</WaveFormIndex>"
                                        "<Duration>1e12</Duration></ShockAdvice>") +
                         step("::3", 7, 5, false)),
              nullptr);
  EXPECT_EQ(keys(config), (QStringList{"::1", "::3"}));
  const auto entries = reported();
  ASSERT_EQ(entries.size(), 1);
  EXPECT_EQ(entries.first().number, rt::err::Overflow);
  EXPECT_EQ(entries.first().source, QStringLiteral("RV1XTests.CShockAdvice"));
}

TEST_F(ConfigShock, AddNewPassesOverKeysThatStepsHoldAlready) {
  CConfigShock config;
  for (const char* key : {"::2", "::3"}) {
    auto own = std::make_shared<CShockAdviceSetting>();
    own->Init(QLatin1String(key));
    config.Add(own);
  }
  const CShockAdviceSettingPtr added = config.AddNew();
  EXPECT_EQ(added->Key(), QStringLiteral("::4"));
  EXPECT_EQ(config.Item(QStringLiteral("::4")), added);
  EXPECT_EQ(config.Count(), 4);
}

TEST_F(ConfigShock, LoadKeepsTheFirstOfTwoStepsWithOneKey) {
  CConfigShock config;
  config.Load(plugInData(step("::1", 1, 10, true) + step("::1", 2, 20, false)), nullptr);
  ASSERT_EQ(config.Count(), 1);
  EXPECT_EQ(config.Item(1)->WaveFormIndex(), 1);
  EXPECT_TRUE(reported().isEmpty());
}

TEST_F(ConfigShock, LoadsAnyElementAndOnlyItsShockAdviceChildren) {
  for (const char* tag : {"PlugInData", "plugindata", "Anything"}) {
    SCOPED_TRACE(tag);
    errors().clear();
    CConfigShock config;
    const auto before = config.TestGuideConfig();
    const QString xml =
        QStringLiteral(
            "<%1 PlugIn=\"other\"><Unrelated/>%2<TestGuideSettings ButtonMask=\"2\"/></%1>")
            .arg(QLatin1String(tag), step("::3", 6, 60, true));
    EXPECT_EQ(errorOf([&] { config.Load(element(xml), nullptr); }), 0);
    EXPECT_TRUE(errors().entries().isEmpty());
    EXPECT_EQ(keys(config), (QStringList{"::3"}));
    EXPECT_NE(config.TestGuideConfig(), before);
    EXPECT_EQ(config.TestGuideConfig()->ButtonMask(), 2);
  }
  CConfigShock empty;
  empty.TestGuideConfig()->SetButtonMask(0);
  empty.Load(element(QStringLiteral("<PlugInData PlugIn=\"RV-1X\"/>")), nullptr);
  EXPECT_EQ(empty.Count(), 0) << "an element without steps leaves none";
  EXPECT_EQ(empty.TestGuideConfig()->ButtonMask(), host::guidebutton::Default);
}

TEST_F(ConfigShock, AFailingLoadIsReportedAndKeepsTheStepsAddedSoFar) {
  CConfigShock config;
  config.Load(
      plugInData(step("::1", 1, 10, true) + QStringLiteral("<ShockAdvice Key=\"::99999999999\"/>")),
      nullptr);
  EXPECT_EQ(keys(config), (QStringList{"::1", "::99999999999"}));
  const auto entries = reported();
  ASSERT_EQ(entries.size(), 1);
  EXPECT_EQ(entries.first().number, rt::err::Overflow);
  EXPECT_EQ(entries.first().source, QStringLiteral("RV1XTests.CConfigShock"));
}

TEST_F(ConfigShock, CloneCopiesTheStepsNotItsOwnFirstStep) {
  auto config = std::make_shared<CConfigShock>();
  config->AddNew();
  config->AddNew()->SetWaveFormIndex(5);
  config->TestGuideConfig()->SetButtonMask(host::guidebutton::Previous);
  auto clone = std::dynamic_pointer_cast<CConfigShock>(config->Clone());
  ASSERT_TRUE(clone);
  EXPECT_EQ(keys(*clone), (QStringList{"::1", "::2", "::3"}));
  EXPECT_NE(clone->Item(3), config->Item(3)) << "the steps are copies";
  EXPECT_EQ(clone->Item(3)->WaveFormIndex(), 5);
  EXPECT_TRUE(clone->Item(3)->Advice());
  EXPECT_EQ(clone->AddNew()->Key(), QStringLiteral("::4"));
  EXPECT_EQ(config->Count(), 3);

  EXPECT_NE(clone->TestGuideConfig(), config->TestGuideConfig());
  clone->TestGuideConfig()->SetButtonMask(host::guidebutton::Skip);
  EXPECT_EQ(config->TestGuideConfig()->ButtonMask(), host::guidebutton::Previous);

  auto keyed = std::make_shared<CConfigShock>();
  keyed->Load(plugInData(step("::7", 0, 30, false)), nullptr);
  auto keyedClone = std::dynamic_pointer_cast<CConfigShock>(keyed->Clone());
  EXPECT_EQ(keyedClone->AddNew()->Key(), QStringLiteral("::8"));

  keyed->Remove(1);
  auto emptyClone = std::dynamic_pointer_cast<CConfigShock>(keyed->Clone());
  ASSERT_TRUE(emptyClone);
  EXPECT_EQ(emptyClone->Count(), 0);
}

TEST_F(ConfigShock, SaveHandsOnAStepThatCannotMakeItsElement) {
  class NoSteps : public host::XmlDocument {
   public:
    host::XmlElementPtr CreateElement(const QString& name) override {
      if (name == QStringLiteral("ShockAdvice")) return nullptr;
      return host::XmlDocument::CreateElement(name);
    }
  };
  CConfigShock config;
  host::XmlElementPtr saved;
  EXPECT_EQ(errorOf([&] { saved = config.Save(std::make_shared<NoSteps>()); }), kConfigSaveError);
  EXPECT_TRUE(reported().isEmpty());
}

TEST_F(ConfigShock, PrintsNothing) {
  CConfigShock config;
  auto report = std::make_shared<testsupport::RecordingReport>();
  config.PrintReport(report);
  EXPECT_EQ(report->callNames(), (QStringList{"Translate", "Translate", "Translate", "PageWidth"}));
  EXPECT_EQ(report->calls().at(3).args, (QVariantList{7}));
  config.PrintReport(nullptr);
}

}  // namespace
