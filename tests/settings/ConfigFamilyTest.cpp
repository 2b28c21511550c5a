// The mechanics every configuration shares: the element check with its error,
// the guide settings' life, save failures, clones.

#include "ConfigFixture.h"
#include "StoredElements.h"
#include "services/HostLog.h"

namespace {

using namespace orvanRV1Xtst;
using namespace settingstest;

class ConfigFamily : public ConfigTest, public ::testing::WithParamInterface<ConfigCase> {};

TEST_P(ConfigFamily, KnowsItsSourceAndHasADialog) {
  auto config = GetParam().make();
  EXPECT_EQ(config->kind().source, QLatin1String(GetParam().source));
  EXPECT_TRUE(config->HasDialog());
  EXPECT_TRUE(config->TestGuideConfig());
}

// The shock-advisory configuration loads any element (see its own tests).
class ConfigElementCheck : public ConfigFamily {};

std::vector<ConfigCase> classesThatCheckTheirElement() {
  std::vector<ConfigCase> checking;
  for (const ConfigCase& c : kConfigClasses)
    if (c.checksElement) checking.push_back(c);
  return checking;
}

TEST_P(ConfigElementCheck, RejectsAnElementThatIsNotItsOwnWithItsLoadError) {
  const QString wrong[] = {
      QStringLiteral("<plugindata PlugIn=\"RV-1X\"/>"),
      QStringLiteral("<PLUGINDATA PlugIn=\"RV-1X\"/>"),
      QStringLiteral("<Configuration PlugIn=\"RV-1X\"/>"),
      QStringLiteral("<PlugInData PlugIn=\"rv-1x\"/>"),
      QStringLiteral("<PlugInData PlugIn=\"RV-1Y\"/>"),
      QStringLiteral("<PlugInData/>"),
      QStringLiteral("<PlugInData plugin=\"RV-1X\"/>"),
  };
  for (const QString& xml : wrong) {
    SCOPED_TRACE(qPrintable(xml));
    errors().clear();
    auto config = GetParam().make();
    const auto before = config->TestGuideConfig();
    const rt::RuntimeError raised = raisedBy([&] { config->Load(element(xml), nullptr); });
    EXPECT_EQ(raised.Number(), kConfigLoadError);
    EXPECT_EQ(raised.Source(), QLatin1String(GetParam().source));
    ASSERT_EQ(errors().entries().size(), 1);
    const host::ErrorEntry& entry = errors().entries().first();
    EXPECT_FALSE(entry.reported);
    EXPECT_EQ(entry.product, QStringLiteral("RV-1X"));
    EXPECT_EQ(entry.number, kConfigLoadError);
    EXPECT_EQ(entry.severity, 4);
    EXPECT_EQ(entry.source, QLatin1String(GetParam().source));
    // A rejected element was not read: the guide settings stay as they were.
    EXPECT_EQ(config->TestGuideConfig(), before);
  }
}

TEST_P(ConfigFamily, LoadWithoutGuideSettingsLeavesAFreshSettingsObject) {
  auto config = GetParam().make();
  config->TestGuideConfig()->SetButtonMask(0);
  const auto before = config->TestGuideConfig();
  config->Load(plugInData(QStringLiteral("<Version>2.3.1</Version>")), nullptr);
  EXPECT_TRUE(reported().isEmpty());
  ASSERT_TRUE(config->TestGuideConfig());
  EXPECT_NE(config->TestGuideConfig(), before);
  EXPECT_EQ(config->TestGuideConfig()->ButtonMask(), host::guidebutton::Default);
}

TEST_P(ConfigFamily, GuideSettingsTravelAsTheLastChild) {
  auto config = GetParam().make();
  config->TestGuideConfig()->SetButtonMask(host::guidebutton::Skip);
  host::XmlElementPtr stored = save(*config);
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->TagName(), QStringLiteral("PlugInData"));
  EXPECT_EQ(stored->Attribute(QStringLiteral("PlugIn")), QStringLiteral("RV-1X"));
  host::XmlNodeListPtr nodes = stored->ChildNodes();
  EXPECT_EQ(nodes->Item(nodes->Length() - 1)->TagName(), QStringLiteral("TestGuideSettings"));

  auto loaded = GetParam().make();
  loaded->Load(stored, std::make_shared<host::HostLog>());
  EXPECT_EQ(loaded->TestGuideConfig()->ButtonMask(), host::guidebutton::Skip);
}

TEST_P(ConfigFamily, SaveHandsOnItsSaveErrorWhenTheDocumentMakesNoElement) {
  auto config = GetParam().make();
  host::XmlElementPtr result;
  EXPECT_EQ(errorOf([&] {
              result = config->Save(
                  std::make_shared<testsupport::RefusingDocument>(QStringLiteral("PlugInData")));
            }),
            kConfigSaveError);
  ASSERT_EQ(errors().entries().size(), 1);
  EXPECT_EQ(errors().entries().first().severity, 3);
  EXPECT_EQ(errors().entries().first().source, QLatin1String(GetParam().source));
  EXPECT_FALSE(errors().entries().first().reported);
}

TEST_P(ConfigFamily, MissingObjectsAreReportedWithTheClassSourceAndEndTheOperation) {
  auto config = GetParam().make();
  EXPECT_EQ(errorOf([&] { config->Load(nullptr, nullptr); }), 0);
  host::XmlElementPtr saved;
  EXPECT_EQ(errorOf([&] { saved = config->Save(nullptr); }), 0);
  EXPECT_FALSE(saved);
  const auto entries = reported();
  ASSERT_EQ(entries.size(), 2);
  for (const host::ErrorEntry& entry : entries) {
    EXPECT_EQ(entry.number, rt::err::ObjectNotSet);
    EXPECT_EQ(entry.source, QLatin1String(GetParam().source));
  }
}

TEST_P(ConfigFamily, CloneIsOfTheSameClassWithItsOwnGuideSettings) {
  auto config = GetParam().make();
  config->TestGuideConfig()->SetButtonMask(host::guidebutton::Previous);
  auto clone = std::dynamic_pointer_cast<CConfigBase>(config->Clone());
  ASSERT_TRUE(clone);
  const CConfigBase& copy = *clone;
  const CConfigBase& original = *config;
  EXPECT_EQ(typeid(copy), typeid(original));
  EXPECT_NE(clone->TestGuideConfig(), config->TestGuideConfig());
  EXPECT_EQ(clone->TestGuideConfig()->ButtonMask(), host::guidebutton::Previous);
  clone->TestGuideConfig()->SetButtonMask(host::guidebutton::Skip);
  EXPECT_EQ(config->TestGuideConfig()->ButtonMask(), host::guidebutton::Previous);
}

INSTANTIATE_TEST_SUITE_P(EveryConfiguration, ConfigFamily, ::testing::ValuesIn(kConfigClasses),
                         configClassName);
INSTANTIATE_TEST_SUITE_P(EveryCheckingConfiguration, ConfigElementCheck,
                         ::testing::ValuesIn(classesThatCheckTheirElement()), configClassName);

}  // namespace
