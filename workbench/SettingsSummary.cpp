#include "SettingsSummary.h"

#include <QStringList>
#include <span>

#include "runtime/ErrorHandling.h"
#include "services/LanguageService.h"
#include "typelib/IConfigData.h"
#include "typelib/ITestElement.h"
#include "xml/XmlDocument.h"

namespace workbench {

namespace {

struct Shown {
  const char* setting;  // the stored child
  const char* unit;     // after the stored text; empty for a text that carries its own
  // How many children of that name, not a text: the words of many and of
  // one, text keys of the host's language.
  bool count = false;
  const char* oneOf = "";
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
constexpr Shown kShock[] = {{"ShockAdvice", "1440::%%1 steps", true, "1441::%%1 step"}};

constexpr TestSummary kSummaries[] = {
    {100, kChargeTime}, {200, kDischarge},   {300, kSensitivity}, {400, kRefractory},
    {500, kAccuracy},   {600, kPerformance}, {700, kShock},
};

// Stored words shown in the host's language; the stored text stays as it
// is. Values that are the analyzer's own labels ("10 ms Sqr.", "PVC Std")
// and units are shown as stored.
struct ShownWord {
  const char* stored;
  const char* textKey;
};
constexpr ShownWord kShownWords[] = {{"Fixed load", "1442::Fixed load"}};

QString shownWord(const QString& stored) {
  for (const ShownWord& word : kShownWords)
    if (stored == QLatin1String(word.stored)) return host::translated(QLatin1String(word.textKey));
  return stored;
}

QString part(host::XmlElement& settings, const Shown& shown) {
  const QString name = QLatin1String(shown.setting);
  if (shown.count) {
    int count = 0;
    const host::XmlNodeListPtr children = settings.ChildNodes();
    for (rt::Long i = 0; i < children->Length(); ++i)
      if (children->Item(i)->TagName() == name) ++count;
    return host::translated(QLatin1String(count == 1 ? shown.oneOf : shown.unit), {count});
  }
  const host::XmlElementPtr child = settings.SelectChild(name);
  const QString text = child ? child->Text().trimmed() : QString();
  return text.isEmpty() ? QString() : shownWord(text) + QLatin1String(shown.unit);
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
