#include "editors/XRefractoryConfig.h"

#include "com/ServerModule.h"
#include "settings/ConfigCodeTables.h"

namespace orvanRV1Xtst {

XRefractoryConfig::XRefractoryConfig()
    : XChoiceEditor(
          QStringLiteral("RV1XTests.XRefractoryConfig"), kTwoListsDesignWidth, 2520,
          "20193::Select the load to be used and the applied pacer rate.",
          {{"lblLoad", "20230::Load:", "cboLoad"}, {"lblRate", "20231::Rate:", "cboRate"}}) {
  Fill(LoadColumn, codes::kLoadList);
  Fill(RateColumn, codes::kRateList);
  BindChoice(LoadColumn,
             {[this] { return config_->LoadText(); }, [this] { return config_->LoadIndex(); },
              [this](rt::Integer index, const QString& text) {
                config_->SetLoadText(text);
                config_->SetLoadIndex(index);
              }});
  BindChoice(RateColumn,
             {[this] { return config_->RateText(); }, [this] { return config_->RateIndex(); },
              [this](rt::Integer index, const QString& text) {
                config_->SetRateText(text);
                config_->SetRateIndex(index);
              }});
  EnableInputs();
  LayOutTwoLists();
}

XRefractoryConfig::~XRefractoryConfig() = default;

void XRefractoryConfig::Initialize(const QVariant& Data) {
  const InitialisingScope filling(*this);
  rt::ignoreErrors([&] { config_ = ConfigurationOf<CConfigRefractory>(Data); });
  if (config_) {
    rt::ignoreErrorsEach([&] { ShowText(LoadColumn, config_->LoadText()); },
                         [&] { ShowText(RateColumn, config_->RateText()); },
                         [&] { BindTestGuideSettings(config_->TestGuideConfig()); });
  }
  EnableInputs();
}

RV1X_CREATABLE_CLASS("orvanRV1Xtst", XRefractoryConfig)

}  // namespace orvanRV1Xtst
