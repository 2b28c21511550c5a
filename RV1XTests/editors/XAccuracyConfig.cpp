#include "editors/XAccuracyConfig.h"

#include <limits>

#include "com/ServerModule.h"
#include "editors/NoiseList.h"
#include "settings/ConfigCodeTables.h"

namespace orvanRV1Xtst {

XAccuracyConfig::XAccuracyConfig()
    : XChoiceEditor(QStringLiteral("RV1XTests.XAccuracyConfig"), 8055, 2520,
                    "20194::Select Load, Noise, Rate and Amplitude settings for the test. Load and "
                    "noise will be set on the MTI, rate and amplitude will be used to validate "
                    "limits.",
                    {{"lblLoad", "20200::Load:", "cboLoad"},
                     {"lblNoise", "20201::Noise:", "cboNoise"},
                     {"lblRate", "20202::Rate:", "cboRate"},
                     {"lblAmp", "20203::Amplitude:", "cboAmplitude"}}) {
  Fill(LoadColumn, codes::kLoadList);
  FillNoiseListForLoad(0);
  Fill(RateColumn, codes::kRateList);
  Fill(AmplitudeColumn, codes::kAmplitudeList);
  BindChoice(LoadColumn,
             {[this] { return config_->LoadText(); }, [this] { return config_->LoadIndex(); },
              [this](rt::Integer index, const QString& text) {
                config_->SetLoadText(text);
                config_->SetLoadIndex(index);
              }},
             [this] { FollowLoad(); });
  BindChoice(NoiseColumn,
             {[this] { return config_->NoiseText(); }, [this] { return config_->NoiseIndex(); },
              [this](rt::Integer index, const QString& text) {
                config_->SetNoiseIndex(index);
                config_->SetNoiseText(text);
              },
              [this] { ShowNoise(); }});
  BindChoice(RateColumn,
             {[this] { return config_->RateText(); }, [this] { return config_->RateIndex(); },
              [this](rt::Integer index, const QString& text) {
                config_->SetRateText(text);
                config_->SetRateIndex(index);
              }});
  BindChoice(AmplitudeColumn,
             {[this] { return config_->AmpText(); }, [this] { return config_->AmplitudeIndex(); },
              [this](rt::Integer index, const QString& text) {
                config_->SetAmplitudeIndex(index);
                config_->SetAmpText(text);
              }});
  EnableInputs();
  Layout();
}

XAccuracyConfig::~XAccuracyConfig() = default;

void XAccuracyConfig::Initialize(const QVariant& Data) {
  const InitialisingScope filling(*this);
  rt::ignoreErrors([&] { config_ = ConfigurationOf<CConfigAccuracy>(Data); });
  if (config_) {
    rt::ignoreErrorsEach([&] { ShowText(LoadColumn, config_->LoadText()); },
                         [&] { FillNoiseListForLoad(config_->LoadIndex()); }, [&] { ShowNoise(); },
                         [&] { ShowText(RateColumn, config_->RateText()); },
                         [&] { ShowText(AmplitudeColumn, config_->AmpText()); },
                         [&] { BindTestGuideSettings(config_->TestGuideConfig()); });
  }
  EnableInputs();
}

void XAccuracyConfig::FillNoiseListForLoad(rt::Integer loadIndex) {
  const InitialisingScope filling(*this);
  controls::SimpleComboBox& noise = *Box(NoiseColumn);
  noise.Clear();
  for (const QString& entry : noiselist::entries(loadIndex)) noise.AddItem(entry);
}

void XAccuracyConfig::ShowNoise() {
  // The level is what the analyzer applies: its entry shows, also where an
  // earlier release stored the text of another load's list beside it.
  controls::SimpleComboBox& noise = *Box(NoiseColumn);
  const InitialisingScope showing(*this);
  const rt::Integer level = config_->NoiseIndex();
  if (level >= 0 && level < noise.ListCount())
    noise.SetListIndex(level);
  else
    noise.SetText(config_->NoiseText());
}

void XAccuracyConfig::FollowLoad() {
  FillNoiseListForLoad(config_->LoadIndex());
  controls::SimpleComboBox& noise = *Box(NoiseColumn);
  const InitialisingScope selecting(*this);
  noise.SetListIndex(config_->NoiseIndex());
  // The level stays; its text is the one of the new load, as the box shows.
  if (noise.ListIndex() >= 0) config_->SetNoiseText(noise.Text());
}

void XAccuracyConfig::Layout() {
  const double w = std::max<double>(ScaleWidth(), 8055);
  const double h = std::max<double>(ScaleHeight(), 1440);
  const double top = ArrangeHelpLine(h);
  LayOutFrames(w, top - 120, std::numeric_limits<double>::infinity());
}

RV1X_CREATABLE_CLASS("orvanRV1Xtst", XAccuracyConfig)

}  // namespace orvanRV1Xtst
