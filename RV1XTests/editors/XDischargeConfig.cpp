#include "editors/XDischargeConfig.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <array>

#include "com/ServerModule.h"
#include "controls/DropDownList.h"
#include "controls/Slider.h"
#include "editors/EnergyField.h"
#include "runtime/Conversions.h"
#include "runtime/NumberDisplay.h"
#include "services/LanguageService.h"
#include "settings/TextSelection.h"
#include "ui/Twips.h"

namespace orvanRV1Xtst {

namespace {

constexpr double kDesignWidth = 8055, kDesignHeight = 2895;
constexpr double kFramesHeight = 1815;

// The ECG waves by WaveFormIndex; VFib comes last although its text number
// lies between the sinus and the arrhythmia waves.
constexpr std::array<const char*, 19> kEcgWaves = {
    "20500::Sine 30 BPM",  "20501::Sine 60 BPM",  "20502::Sine 80 BPM",
    "20503::Sine 120 BPM", "20504::Sine 180 BPM", "20505::Sine 240 BPM",
    "20506::Sine 300 BPM", "20508::AFib",         "20509::Second Degree Block Type I",
    "20510::RBBB",         "20511::PAC",          "20512::PVC Early",
    "20513::PVC Std",      "20514::PVC RonT",     "20515::MF PVC",
    "20516::Bigemeny",     "20517::Run 5 PVC",    "20518::Vtach",
    "20507::VFib"};

// The amplitude text stored for each slider step, the same in every
// language.
constexpr std::array<const char*, 4> kAmplitudeTexts = {"0,5 mV", "1,0 mV", "1,5 mV", "2,0 mV"};
constexpr double kMillivoltsPerStep = 0.5;

// The amplitude of a step as the label shows it, one way whether the editor
// opens, the thumb moves or the step is set: in the user's locale.
QString shownAmplitude(double step) {
  return rt::formatNumber(step * kMillivoltsPerStep, QStringLiteral("0.0")) + QStringLiteral(" mV");
}

}  // namespace

XDischargeConfig::XDischargeConfig()
    : XConfigEditor(QStringLiteral("RV1XTests.XDischargeConfig"), kDesignWidth, kDesignHeight) {
  fraTestGuideSettings_ = AddFrame("fraTestGuideSettings", this, {0, 0, 2055, kFramesHeight});
  lblTestGuideSettings_ =
      AddCaption("lblTestGuideSettings", "20310::Test guide settings:", fraTestGuideSettings_,
                 {120, 120, 1815, 240});
  AddTestGuideSettings(fraTestGuideSettings_, {120, 360, 1815, 735});

  fraTestSetup_ = AddFrame("fraTestSetup", this, {2160, 0, 2415, kFramesHeight});
  AddCaption("lblPresetEnergy", "20207::Preset energy", fraTestSetup_, {120, 120, 2175, 240});
  txtEnergy_ = AddTextBox("txtEnergy", "100", fraTestSetup_, {240, 360, 735, 285});
  AddCaption("lblECGAmp", "20209::ECG amplitude", fraTestSetup_, {120, 780, 2175, 240});
  sldAmplitude_ = Add<controls::Slider>("sldAmplitude", fraTestSetup_, {120, 1020, 1440, 495});
  sldAmplitude_->SetRange(1, 4);
  sldAmplitude_->SetSmallChange(1);
  lblAmplitude_ = Add<QLabel>("lblAmplitude", fraTestSetup_, {1560, 1080, 615, 255});

  fraECGWave_ = AddFrame("fraECGWave", this, {4680, 0, 3255, kFramesHeight});
  lblECGWave_ =
      AddCaption("lblECGWave", "20208::Select ECG wave:", fraECGWave_, {120, 120, 3015, 240});
  cboECGWave_ = Add<controls::DropDownList>("cboECGWave", fraECGWave_, {240, 360, 2775, 315});
  chkAutoPlayback_ = Add<QCheckBox>("chkAutoPlayback", fraECGWave_, {240, 840, 2895, 255});
  chkAutoPlayback_->setText(QStringLiteral("20352::Auto-playback curve"));
  chkFetchWaveform_ = Add<QCheckBox>("chkFetchWaveform", fraECGWave_, {240, 1140, 2895, 255});
  chkFetchWaveform_->setText(QStringLiteral("20353::Fetch waveform"));
  chkPrintWaveform_ = Add<QCheckBox>("chkPrintWaveform", fraECGWave_, {240, 1440, 2895, 255});
  chkPrintWaveform_->setText(QStringLiteral("20354::Print waveform"));

  AddHelpText("20191::Select ECG wave  and amplitude to be used in Defibrillator discharge test.",
              {0, 1920, kDesignWidth, 975});
  setTabOrder(txtEnergy_, sldAmplitude_);
  setTabOrder(sldAmplitude_, cboECGWave_);
  setTabOrder(cboECGWave_, chkAutoPlayback_);
  setTabOrder(chkAutoPlayback_, chkFetchWaveform_);
  setTabOrder(chkFetchWaveform_, chkPrintWaveform_);
  TranslateCaptions();
  FillEcgWaveList();

  BindNumberBox(txtEnergy_, energyfield::rule(config_));
  SelectAllOnFocus(txtEnergy_);
  connect(cboECGWave_, &controls::DropDownList::Click, this,
          [this] { Handle([&] { WaveChosen(); }); });
  connect(sldAmplitude_, &controls::Slider::Scroll, this, [this] {
    // The label follows the thumb; the step is stored once the operator has
    // set it (Click).
    Handle([&] { lblAmplitude_->setText(shownAmplitude(sldAmplitude_->Value())); });
  });
  connect(sldAmplitude_, &controls::Slider::Click, this,
          [this] { Handle([&] { AmplitudeSet(); }); });
  for (QCheckBox* box : {chkAutoPlayback_, chkFetchWaveform_, chkPrintWaveform_}) {
    connect(box, &QCheckBox::clicked, this,
            [this, box](bool ticked) { Handle([&] { SwitchClicked(box, ticked); }); });
  }
  EnableInputs();
  Layout();
}

XDischargeConfig::~XDischargeConfig() = default;

void XDischargeConfig::FillEcgWaveList() {
  const InitialisingScope filling(*this);
  for (const char* wave : kEcgWaves) {
    rt::ignoreErrors([&] { cboECGWave_->AddItem(host::translated(QLatin1String(wave))); });
  }
}

void XDischargeConfig::Initialize(const QVariant& Data) {
  const InitialisingScope filling(*this);
  rt::ignoreErrors([&] { config_ = ConfigurationOf<CConfigDischarge>(Data); });
  if (config_) {
    // Filling the boxes writes nothing: the check boxes show the stored
    // switches as they are.
    rt::ignoreErrorsEach(
        [&] { txtEnergy_->setText(energyfield::shown(config_->PresetEnergy())); },
        [&] { lblAmplitude_->setText(shownAmplitude(config_->AmplitudeIndex())); },
        [&] { sldAmplitude_->SetValue(config_->AmplitudeIndex()); },
        [&] { BindTestGuideSettings(config_->TestGuideConfig()); },
        [&] {
          const rt::Long wave = config_->WaveFormIndex();
          cboECGWave_->SetListIndex(wave >= 0 && wave < cboECGWave_->ListCount() ? wave : -1);
        },
        [&] { chkAutoPlayback_->setChecked(config_->AutoPlayback()); },
        [&] { chkFetchWaveform_->setChecked(config_->FetchWaveform()); },
        [&] { ShowPrintWaveform(); });
  }
  EnableInputs();
}

void XDischargeConfig::SetFocus() {
  rt::ignoreErrors([&] {
    txtEnergy_->setFocus(Qt::OtherFocusReason);
    MMiscUtils::SelectAllText(txtEnergy_);
  });
}

void XDischargeConfig::EnableInputs() {
  const bool editable = config_ && !Locked();
  for (QWidget* input : std::initializer_list<QWidget*>{txtEnergy_, sldAmplitude_, cboECGWave_,
                                                        chkAutoPlayback_, chkFetchWaveform_})
    input->setEnabled(editable);
  chkPrintWaveform_->setEnabled(editable && chkFetchWaveform_->isChecked());
}

void XDischargeConfig::WaveChosen() {
  if (!config_ || Locked() || Initialising()) return;
  const int wave = cboECGWave_->ListIndex();
  if (wave < 0 || wave == config_->WaveFormIndex()) return;
  config_->SetWaveFormIndex(wave);
  ReportChange();
}

void XDischargeConfig::AmplitudeSet() {
  if (!config_ || Locked() || Initialising()) return;
  const int step = sldAmplitude_->Value();
  if (step < 1 || step > static_cast<int>(kAmplitudeTexts.size())) return;
  const QString text = QLatin1String(kAmplitudeTexts.at(step - 1));
  lblAmplitude_->setText(shownAmplitude(step));
  // A stored step beyond the 16-bit range reads as an error: then it differs.
  const rt::Integer stored =
      rt::orDefault([&] { return config_->AmplitudeIndex(); }, rt::Integer(0));
  if (stored == step && config_->AmplitudeText() == text) return;
  config_->SetAmplitudeIndex(static_cast<rt::Integer>(step));
  config_->SetAmplitudeText(text);
  ReportChange();
}

void XDischargeConfig::SwitchClicked(QCheckBox* box, bool ticked) {
  if (!config_ || Locked() || Initialising()) return;
  if (box == chkAutoPlayback_) {
    config_->SetAutoPlayback(ticked);
  } else if (box == chkPrintWaveform_) {
    config_->SetPrintWaveform(ticked);
  } else {
    config_->SetFetchWaveform(ticked);
    // Printing needs the waveform fetched.
    if (!ticked) config_->SetPrintWaveform(false);
    ShowPrintWaveform();
    EnableInputs();
  }
  ReportChange();
}

void XDischargeConfig::ShowPrintWaveform() {
  // Without the waveform nothing is printed, whatever was stored: the box
  // shows what will happen, and the stored switch is not rewritten.
  chkPrintWaveform_->setChecked(config_->FetchWaveform() && config_->PrintWaveform());
}

void XDischargeConfig::Layout() {
  const double w = std::max<double>(ScaleWidth(), kDesignWidth);
  const double h = std::max<double>(ScaleHeight(), 1440);
  if (h < 2520)
    ShrinkHelpLine(h - 1680, 240);
  else
    RestoreHelpLine();
  const double a = std::min(HelpLineTop() - 120, 3500.0);
  const double g = Clamp(w * 0.25, 2055, 2895);
  Move(fraTestGuideSettings_, 0, 0, g, a);
  Move(lblTestGuideSettings_, 120, 120, g - 240);
  if (xtgTestGuideConfig_) xtgTestGuideConfig_->Move(120, 360, g - 240);
  Move(fraTestSetup_, g + 120, 0, -1, a);
  const double e = g + 120 + ui::toTwips(fraTestSetup_->width()) + 120;
  const double r = std::min(w - e, 3500.0);
  Move(fraECGWave_, e, 0, r, a);
  Move(lblECGWave_, 120, 120, r - 240);
  Move(cboECGWave_, 120, 360, r - 240);
}

RV1X_CREATABLE_CLASS("orvanRV1Xtst", XDischargeConfig)

}  // namespace orvanRV1Xtst
