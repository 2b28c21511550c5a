#include "settings/CShockAdviceSetting.h"

#include <functional>
#include <utility>

#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "runtime/NumberDisplay.h"
#include "services/ErrorService.h"
#include "services/LanguageService.h"
#include "services/NumberFormatter.h"
#include "settings/CConfigBase.h"
#include "settings/ErrorHandOn.h"
#include "xml/XmlDocument.h"

namespace orvanRV1Xtst {

namespace {

const QString kErrorSource = QStringLiteral("RV1XTests.CShockAdvice");

const QString kElement = QStringLiteral("ShockAdvice");
const QString kKey = QStringLiteral("Key");
const QString kWaveFormIndex = QStringLiteral("WaveFormIndex");
const QString kDuration = QStringLiteral("Duration");
const QString kAdvice = QStringLiteral("Advice");

bool knownRhythm(rt::Long index) {
  return index >= 0 && index < static_cast<rt::Long>(kShockRhythms.size());
}

}  // namespace

CShockAdviceSetting::CShockAdviceSetting() = default;
CShockAdviceSetting::~CShockAdviceSetting() = default;

void CShockAdviceSetting::SetWaveFormIndex(rt::Long index) {
  waveFormIndex_ = index;
  advice_ = knownRhythm(index) ? kShockRhythms[static_cast<std::size_t>(index)].advice : true;
}

QString CShockAdviceSetting::WaveText() const {
  const QString textKey =
      knownRhythm(waveFormIndex_)
          ? QString::fromLatin1(kShockRhythms[static_cast<std::size_t>(waveFormIndex_)].textKey)
          : QString();
  return host::translated(textKey);
}

QString CShockAdviceSetting::WaveCode() const {
  return QStringLiteral("V") +
         rt::formatNumber(static_cast<rt::Double>(waveFormIndex_) + 1, QStringLiteral("00"));
}

void CShockAdviceSetting::Init(const QString& key, std::optional<rt::Long> index,
                               std::optional<rt::Long> duration, std::optional<bool> advice) {
  key_ = key;
  if (index) waveFormIndex_ = *index;
  if (duration) duration_ = *duration;
  if (advice) advice_ = *advice;
}

CShockAdviceSettingPtr CShockAdviceSetting::Clone() const {
  return rt::onError(
      [&] {
        auto copy = std::make_shared<CShockAdviceSetting>();
        copy->Init(key_, waveFormIndex_, duration_, advice_);
        return copy;
      },
      [](const rt::RuntimeError& error) -> CShockAdviceSettingPtr {
        host::errors().ReportError(error, kErrorSource);
        return nullptr;
      });
}

bool CShockAdviceSetting::Load(const host::XmlElementPtr& ixeIn,
                               const host::HostLogPtr& /*iprLog*/) {
  // Each child is applied as it comes, so a child met twice wins the second
  // time. The index is taken as stored: the stored advice, not the rhythm's,
  // is what the operator chose.
  const std::pair<const QString&, std::function<void(const QString&)>> readers[] = {
      {kWaveFormIndex, [this](const QString& text) { waveFormIndex_ = rt::toLong(rt::val(text)); }},
      {kDuration, [this](const QString& text) { duration_ = rt::toLong(rt::val(text)); }},
      {kAdvice, [this](const QString& text) { advice_ = text == QLatin1String("True"); }},
  };
  return rt::onError(
      [&] {
        duration_ = kDefaultDuration;
        key_ = com::must(ixeIn).Attribute(kKey);
        const host::XmlNodeListPtr children = ixeIn->ChildNodes();
        const rt::Long count = com::must(children).Length();
        for (rt::Long i = 0; i < count; ++i) {
          const host::XmlElementPtr child = children->Item(i);
          const QString name = com::must(child).TagName();
          for (const auto& [childName, read] : readers)
            if (name == childName) read(child->Text());
        }
        return true;
      },
      [](const rt::RuntimeError& error) {
        host::errors().ReportError(error, kErrorSource);
        return false;
      });
}

host::XmlElementPtr CShockAdviceSetting::Save(const host::XmlDocumentPtr& ixdOwner) {
  return rt::onError(
      [&] {
        const host::XmlElementPtr element = com::must(ixdOwner).CreateElement(kElement);
        if (!element)
          // The configurations' own "could not save", as they raise it.
          host::errors().RaiseError(host::kProduct, kConfigSaveError, kErrorSource,
                                    kConfigSaveSeverity);
        const auto numbers = host::NumberFormatter::instance();
        com::must(element).SetAttribute(kKey, key_);
        element->AddChild(kWaveFormIndex, numbers->NumberText(QVariant(waveFormIndex_)));
        element->AddChild(kDuration, numbers->NumberText(QVariant(duration_)));
        element->AddChild(kAdvice, advice_ ? QStringLiteral("True") : QStringLiteral("False"));
        return element;
      },
      [](const rt::RuntimeError& error) -> host::XmlElementPtr {
        handOnOrReport(error, kConfigSaveError, kErrorSource);
        return nullptr;
      });
}

}  // namespace orvanRV1Xtst
