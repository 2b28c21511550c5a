#include "editors/XSensitivityConfig.h"

#include "com/ServerModule.h"
#include "runtime/NumberDisplay.h"
#include "settings/ConfigCodeTables.h"

namespace orvanRV1Xtst {

namespace {
// A stored text that is a plain number shows as a whole number; the list
// texts are no numbers and show as they are.
QString shown(const QString& text) {
  return rt::format(text, QStringLiteral("0"));
}
}  // namespace

XSensitivityConfig::XSensitivityConfig()
    : XChoiceEditor(QStringLiteral("RV1XTests.XSensitivityConfig"), kTwoListsDesignWidth, 2520,
                    "20192::Enter desired settings for load and trigger wave.",
                    {{"lblLoad", "20235::Load:", "cboLoad"},
                     {"lblTrigger", "20236::Trigger wave:", "cboTrigger"}}) {
  Fill(LoadColumn, codes::kLoadList);
  Fill(TriggerColumn, codes::kTriggerWaveList);
  BindChoice(LoadColumn,
             {[this] { return config_->LoadText(); }, [this] { return config_->LoadIndex(); },
              [this](rt::Integer index, const QString& text) {
                config_->SetLoadIndex(index);
                config_->SetLoadText(text);
              }});
  BindChoice(TriggerColumn, {[this] { return config_->TriggerWaveText(); },
                             [this] { return config_->TriggerIndex(); },
                             [this](rt::Integer index, const QString& text) {
                               config_->SetTriggerIndex(index);
                               config_->SetTriggerWaveText(text);
                             }});
  EnableInputs();
  LayOutTwoLists();
}

XSensitivityConfig::~XSensitivityConfig() = default;

void XSensitivityConfig::Initialize(const QVariant& Data) {
  const InitialisingScope filling(*this);
  rt::ignoreErrors([&] { config_ = ConfigurationOf<CConfigSensitivity>(Data); });
  if (config_) {
    rt::ignoreErrorsEach([&] { ShowText(LoadColumn, shown(config_->LoadText())); },
                         [&] { ShowText(TriggerColumn, shown(config_->TriggerWaveText())); },
                         [&] { BindTestGuideSettings(config_->TestGuideConfig()); });
  }
  EnableInputs();
}

RV1X_CREATABLE_CLASS("orvanRV1Xtst", XSensitivityConfig)

}  // namespace orvanRV1Xtst
