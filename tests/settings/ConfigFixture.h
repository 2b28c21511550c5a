#pragma once
// Shared by the configuration tests: the seven configuration classes, a
// document to save into and load from, the stored children of an element as
// "Name=Text" lines, and the errors the configurations raised or reported.

#include <gtest/gtest.h>

#include <QStringList>
#include <functional>

#include "LocaleScope.h"
#include "QtPrinters.h"
#include "StoredElements.h"
#include "TestSupport.h"
#include "records/TestGuideSettingsObject.h"
#include "runtime/ErrorHandling.h"
#include "services/ErrorService.h"
#include "settings/CConfigAccuracy.h"
#include "settings/CConfigBase.h"
#include "settings/CConfigChargeTime.h"
#include "settings/CConfigDischarge.h"
#include "settings/CConfigPerformance.h"
#include "settings/CConfigRefractory.h"
#include "settings/CConfigSensitivity.h"
#include "settings/CConfigShock.h"
#include "xml/XmlDocument.h"

namespace settingstest {

using host::errors;

using testsupport::errorOf;
using testsupport::LocaleScope;
using testsupport::raisedBy;

// A configuration class: its registered name (the source of its errors), the
// editor its dialog hosts, whether its Load rejects an element that is not
// its own, and a new object of it.
struct ConfigCase {
  const char* source;
  const char* editor;
  bool checksElement;
  std::function<std::shared_ptr<orvanRV1Xtst::CConfigBase>()> make;
};

// Parameterised tests name the class in their messages.
inline void PrintTo(const ConfigCase& c, std::ostream* out) {
  *out << c.source;
}

template <class Config>
std::shared_ptr<orvanRV1Xtst::CConfigBase> makeConfig() {
  return std::make_shared<Config>();
}

inline const ConfigCase kConfigClasses[] = {
    {"RV1XTests.CConfigChargeTime", "RV1XTests.XChargeTimeTestOptions", true,
     makeConfig<orvanRV1Xtst::CConfigChargeTime>},
    {"RV1XTests.CConfigDischarge", "RV1XTests.XDischargeConfig", true,
     makeConfig<orvanRV1Xtst::CConfigDischarge>},
    {"RV1XTests.CConfigSensitivity", "RV1XTests.XSensitivityConfig", true,
     makeConfig<orvanRV1Xtst::CConfigSensitivity>},
    {"RV1XTests.CConfigRefractory", "RV1XTests.XRefractoryConfig", true,
     makeConfig<orvanRV1Xtst::CConfigRefractory>},
    {"RV1XTests.CConfigAccuracy", "RV1XTests.XAccuracyConfig", true,
     makeConfig<orvanRV1Xtst::CConfigAccuracy>},
    {"RV1XTests.CConfigPerformance", "RV1XTests.XPerformanceConfig", true,
     makeConfig<orvanRV1Xtst::CConfigPerformance>},
    {"RV1XTests.CConfigShock", "RV1XTests.XShockConfig", false,
     makeConfig<orvanRV1Xtst::CConfigShock>},
};

// The test name of a parameterised test over the classes: the class name.
inline std::string configClassName(const ::testing::TestParamInfo<ConfigCase>& info) {
  return QString::fromLatin1(info.param.source).section(u'.', 1).toStdString();
}

// The child elements of an element, in order, as "Name=Text".
inline QStringList children(const host::XmlElementPtr& element) {
  QStringList lines;
  host::XmlNodeListPtr nodes = com::must(element).ChildNodes();
  for (rt::Long i = 0; i < nodes->Length(); ++i) {
    host::XmlElementPtr child = nodes->Item(i);
    lines.append(child->TagName() + u'=' + child->Text());
  }
  return lines;
}

// The errors reported (not raised) since the test began.
inline QList<host::ErrorEntry> reported() {
  return errors().reported();
}

class ConfigTest : public ::testing::Test {
 protected:
  void SetUp() override { errors().clear(); }
  void TearDown() override { errors().clear(); }

  // A stored element read from XML text.
  host::XmlElementPtr element(const QString& xml) { return testsupport::xmlElement(xml); }

  // A "PlugInData" element of the product with the given children.
  host::XmlElementPtr plugInData(const QString& childrenXml) {
    return element(QStringLiteral("<PlugInData PlugIn=\"RV-1X\">%1</PlugInData>").arg(childrenXml));
  }

  host::XmlElementPtr save(host::IConfigData& config) { return config.Save(document_); }

  // Saves one configuration and loads the element into another.
  void roundTrip(host::IConfigData& from, host::IConfigData& to) {
    host::XmlElementPtr stored = save(from);
    ASSERT_TRUE(stored);
    to.Load(stored, nullptr);
  }

  LocaleScope locale_{LocaleScope::english()};
  host::XmlDocumentPtr document_ = std::make_shared<host::XmlDocument>();
};

}  // namespace settingstest
