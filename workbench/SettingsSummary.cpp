#include "SettingsSummary.h"

#include <QStringList>
#include <span>

#include "runtime/ErrorHandling.h"
#include "typelib/IConfigData.h"
#include "typelib/ITestElement.h"
#include "xml/XmlDocument.h"

namespace workbench {

namespace {

struct Shown {
  const char* setting;  // the stored child
  const char* unit;     // after the stored text; empty for a text that carries its own
  // How many children of that name, not a text: the unit of many, and of one.
  bool count = false;
  const char* unitOfOne = "";
};

struct TestSummary {
  rt::Long testID;
  std::span<const Shown> shown;
};

constexpr Shown kChargeTime[] = {{"PresetEnergy", " J"}};
constexpr Shown kDischarge[] = {{"PresetEnergy", " J"}, {"Wavetype", ""}};
constexpr Shown kSensitivity[] = {{"Load", ""}, {"TriggerWave", ""}};
constexpr Shown kRefractory[] = {{"Load", ""}, {"Rate", ""}};
constexpr Shown kAccuracy[] = {{"Load", ""}, {"Rate", ""}, {"Amplitude", ""}};
constexpr Shown kPerformance[] = {{"Amplitude", " mV"}, {"Duration", " s"}};
constexpr Shown kShock[] = {{"ShockAdvice", " steps", true, " step"}};

constexpr TestSummary kSummaries[] = {
    {100, kChargeTime}, {200, kDischarge},   {300, kSensitivity}, {400, kRefractory},
    {500, kAccuracy},   {600, kPerformance}, {700, kShock},
};

QString part(host::XmlElement& settings, const Shown& shown) {
  const QString name = QLatin1String(shown.setting);
  if (shown.count) {
    int count = 0;
    const host::XmlNodeListPtr children = settings.ChildNodes();
    for (rt::Long i = 0; i < children->Length(); ++i)
      if (children->Item(i)->TagName() == name) ++count;
    return QString::number(count) + QLatin1String(count == 1 ? shown.unitOfOne : shown.unit);
  }
  const host::XmlElementPtr child = settings.SelectChild(name);
  const QString text = child ? child->Text().trimmed() : QString();
  return text.isEmpty() ? QString() : text + QLatin1String(shown.unit);
}

}  // namespace

QString settingsSummary(host::ITestElement& test) {
  return rt::orDefault(
      [&] {
        const rt::Long id = test.TestID();
        const auto summary = std::find_if(std::begin(kSummaries), std::end(kSummaries),
                                          [&](const TestSummary& s) { return s.testID == id; });
        const host::IConfigDataPtr configuration = test.Configuration();
        if (summary == std::end(kSummaries) || !configuration) return QString();
        const host::XmlElementPtr settings =
            configuration->Save(std::make_shared<host::XmlDocument>());
        if (!settings) return QString();
        QStringList parts;
        for (const Shown& shown : summary->shown)
          if (const QString text = part(*settings, shown); !text.isEmpty()) parts.append(text);
        return parts.join(QStringLiteral(", "));
      },
      QString());
}

}  // namespace workbench
