#include "editors/XPerformanceConfig.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "com/ServerModule.h"
#include "controls/CheckListBox.h"
#include "controls/DropDownList.h"
#include "controls/Slider.h"
#include "editors/TypedNumber.h"
#include "runtime/Conversions.h"
#include "services/LanguageService.h"
#include "settings/ConfigCodeTables.h"
#include "settings/TextSelection.h"
#include "ui/Twips.h"

namespace orvanRV1Xtst {

namespace {

// Wide enough for the layout's three frames side by side: the setup frame
// ends at a quarter of the width + 3015 + 3375.
constexpr double kDesignWidth = 8520, kDesignHeight = 3420;
constexpr const char* kGroupTexts[] = {"20408::Normal Sinus Rythm", "20409::Arrhythmia",
                                       "20410::Performance"};
constexpr double kMillivoltsPerStep = 0.5;
constexpr rt::Long kShortest = 1, kLongest = 60;  // seconds

QString amplitudeText(rt::Single millivolts) {
  return rt::cstr(millivolts) + QStringLiteral(" mV");
}

QString durationText(rt::Long seconds) {
  return QString::number(seconds) + QStringLiteral(" s");
}

// The analyzer's amplitudes; any other typed value is refused.
std::optional<double> acceptAmplitude(double typed) {
  for (const codes::PerformanceAmplitude& amplitude : codes::kPerformanceAmplitudes)
    if (static_cast<rt::Single>(typed) == amplitude.millivolts) return amplitude.millivolts;
  return std::nullopt;
}

std::optional<double> acceptDuration(double typed) {
  const double seconds = rt::roundHalfEven(typed);
  if (seconds < kShortest || seconds > kLongest) return std::nullopt;
  return seconds;
}

}  // namespace

XPerformanceConfig::XPerformanceConfig()
    : XConfigEditor(QStringLiteral("RV1XTests.XPerformanceConfig"), kDesignWidth, kDesignHeight) {
  fraTestGuideSettings_ = AddFrame("fraTestGuideSettings", this, {0, 0, 2055, 1695});
  lblTestGuideSettings_ =
      AddCaption("lblTestGuideSettings", "20310::Test guide settings:", fraTestGuideSettings_,
                 {120, 120, 1815, 240});
  AddTestGuideSettings(fraTestGuideSettings_, {120, 360, 1815, 735});

  fraWaveforms_ = AddFrame("fraWaveforms", this, {2160, 0, 2775, 2175});
  AddCaption("lblWaveform", "20028::Waveform", fraWaveforms_, {120, 120, 1620, 240});
  cboWaveType_ = Add<controls::DropDownList>("cboWaveType", fraWaveforms_, {120, 360, 2535, 315});
  for (int group = 0; group < kGroups; ++group) {
    const QByteArray name = "lstWave" + QByteArray::number(group);
    lstWave_.at(group) =
        Add<controls::CheckListBox>(name.constData(), fraWaveforms_, {120, 720, 2535, 1395});
  }

  fraTestSetup_ = AddFrame("fraTestSetup", this, {5040, 0, 3375, 2055});
  AddCaption("lblAmp", "20216::ECG amplitude:", fraTestSetup_, {120, 120, 2175, 255});
  txtAmpSlider_ = AddTextBox("txtAmpSlider", "", fraTestSetup_, {2520, 180, 615, 285});
  sldAmpSlider_ = Add<controls::Slider>("sldAmpSlider", fraTestSetup_, {120, 480, 3060, 495});
  sldAmpSlider_->SetRange(1, 4);
  AddCaption("lblDuration", "20217::Duration:", fraTestSetup_, {120, 1080, 960, 255});
  chkIndefiniteDuration_ =
      Add<QCheckBox>("chkIndefiniteDuration", fraTestSetup_, {1080, 1080, 1395, 285});
  chkIndefiniteDuration_->setText(QStringLiteral("20218::Indefinite"));
  txtTimeSlider_ = AddTextBox("txtTimeSlider", "", fraTestSetup_, {2520, 1080, 615, 285});
  sldTimeSlider_ = Add<controls::Slider>("sldTimeSlider", fraTestSetup_, {120, 1440, 3060, 510});
  sldTimeSlider_->SetRange(kShortest, kLongest);
  sldTimeSlider_->setTickInterval(5);
  sldTimeSlider_->setToolTip(
      QStringLiteral("20219::Sets the runtime for each of the ECG waves (1-60 s)"));

  AddHelpText("20195::Select ECG wave, amplitude and duration for the performance test.",
              {0, 2445, kDesignWidth, 975});
  TranslateCaptions();
  FillWaveLists();

  connect(cboWaveType_, &controls::DropDownList::Click, this, [this] {
    Handle([&] {
      if (!Initialising()) ShowWaveList(cboWaveType_->ListIndex());
    });
  });
  for (int group = 0; group < kGroups; ++group) {
    connect(lstWave_.at(group), &controls::CheckListBox::ItemCheck, this,
            [this, group](int item) { Handle([&] { WaveTicked(group, item); }); });
  }
  BindNumberBox(txtAmpSlider_,
                {acceptAmplitude, [this] { return double(com::must(config_).Amplitude()); },
                 [this](double millivolts) {
                   const bool changed = millivolts != com::must(config_).Amplitude();
                   StoreAmplitude(millivolts);
                   return changed;
                 },
                 [this] { return amplitudeText(com::must(config_).Amplitude()); },
                 "20372::Enter an ECG amplitude of 0.5, 1, 1.5 or 2 mV.", QVariant(), QVariant()});
  BindNumberBox(txtTimeSlider_,
                {acceptDuration, [this] { return double(com::must(config_).Duration()); },
                 [this](double seconds) {
                   const auto value = static_cast<rt::Long>(seconds);
                   const bool changed = value != com::must(config_).Duration();
                   StoreDuration(value);
                   return changed;
                 },
                 [this] { return durationText(com::must(config_).Duration()); },
                 "20371::Enter a duration from %%1 s to %%2 s.", QVariant::fromValue(kShortest),
                 QVariant::fromValue(kLongest)});
  SelectAllOnFocus(txtAmpSlider_);
  SelectAllOnFocus(txtTimeSlider_);
  // Both sliders store what they show as the thumb moves.
  connect(sldAmpSlider_, &controls::Slider::Scroll, this, [this] {
    Handle([&] {
      if (!config_ || Locked() || Initialising()) return;
      const rt::Single millivolts = sldAmpSlider_->Value() * kMillivoltsPerStep;
      const bool changed = millivolts != config_->Amplitude();
      StoreAmplitude(millivolts);
      txtAmpSlider_->setText(amplitudeText(millivolts));
      if (changed) ReportChange();
    });
  });
  connect(sldTimeSlider_, &controls::Slider::Scroll, this, [this] {
    Handle([&] {
      if (!config_ || Locked() || Initialising()) return;
      const rt::Long seconds = sldTimeSlider_->Value();
      const bool changed = seconds != config_->Duration();
      StoreDuration(seconds);
      txtTimeSlider_->setText(durationText(seconds));
      if (changed) ReportChange();
    });
  });
  connect(chkIndefiniteDuration_, &QCheckBox::clicked, this,
          [this](bool ticked) { Handle([&] { IndefiniteClicked(ticked); }); });
  EnableInputs();
  Layout();
}

XPerformanceConfig::~XPerformanceConfig() = default;

void XPerformanceConfig::FillWaveLists() {
  const InitialisingScope filling(*this);
  for (const char* group : kGroupTexts)
    cboWaveType_->AddItem(host::translated(QLatin1String(group)));
  for (controls::CheckListBox* list : lstWave_) list->Clear();
  // The waves in code order: list (code / 100 - 1), position code mod 100.
  for (const codes::PerformanceWave& wave : codes::kPerformanceWaves)
    lstWave_.at(rt::intDiv(wave.wavetype, 100) - 1)
        ->AddItem(host::translated(QLatin1String(wave.textKey)));
}

void XPerformanceConfig::Initialize(const QVariant& Data) {
  const InitialisingScope filling(*this);
  config_ = ConfigurationOf<CConfigPerformance>(Data);
  if (config_) {
    txtAmpSlider_->setText(amplitudeText(config_->Amplitude()));
    sldAmpSlider_->SetValue(
        static_cast<int>(rt::roundHalfEven(config_->Amplitude() / kMillivoltsPerStep)));
    txtTimeSlider_->setText(durationText(config_->Duration()));
    sldTimeSlider_->SetValue(config_->Duration());
    chkIndefiniteDuration_->setChecked(config_->Duration() < kShortest);
    BindTestGuideSettings(config_->TestGuideConfig());
    SelectWaveCode(config_->Wavetype());
  }
  EnableInputs();
}

void XPerformanceConfig::SetFocus() {
  rt::ignoreErrors([&] { cboWaveType_->setFocus(Qt::OtherFocusReason); });
}

void XPerformanceConfig::EnableInputs() {
  const bool bound = config_ != nullptr;
  const bool editable = bound && !Locked();
  const bool timed = !chkIndefiniteDuration_->isChecked();
  for (controls::CheckListBox* list : lstWave_) list->setEnabled(editable);
  cboWaveType_->setEnabled(bound);
  cboWaveType_->SetLocked(Locked());
  sldAmpSlider_->setEnabled(editable);
  sldTimeSlider_->setEnabled(editable && timed);
  chkIndefiniteDuration_->setEnabled(editable);
  txtAmpSlider_->setEnabled(bound);
  txtAmpSlider_->setReadOnly(Locked());
  txtTimeSlider_->setEnabled(bound && timed);
  txtTimeSlider_->setReadOnly(Locked());
  QPalette ground = txtTimeSlider_->palette();
  ground.setColor(QPalette::Base,
                  ui::toQColor(timed ? ui::syscolor::Window : ui::syscolor::ButtonFace));
  txtTimeSlider_->setPalette(ground);
}

void XPerformanceConfig::SetAllListItems(controls::CheckListBox& list, bool ticked) {
  for (int item = 0; item < list.ListCount(); ++item) list.SetChecked(item, ticked);
}

void XPerformanceConfig::ShowWaveList(int group) {
  if (group < 0 || group >= kGroups) return;
  for (int i = 0; i < kGroups; ++i) lstWave_.at(i)->setVisible(i == group);
}

void XPerformanceConfig::SelectWaveCode(rt::Long code) {
  const InitialisingScope selecting(*this);
  const rt::Long group = rt::intDiv(code, 100) - 1;
  const rt::Long item = rt::intMod(code, 100);
  for (controls::CheckListBox* list : lstWave_) SetAllListItems(*list, false);
  // A code of no list shows the first group with nothing ticked.
  const bool known = group >= 0 && group < kGroups && item < lstWave_.at(group)->ListCount();
  const int shown = known ? static_cast<int>(group) : 0;
  if (known) {
    lstWave_.at(shown)->SetChecked(static_cast<int>(item), true);
    lstWave_.at(shown)->SetTopIndex(static_cast<int>(item));
  }
  ShowWaveList(shown);
  cboWaveType_->SetListIndex(shown);
}

void XPerformanceConfig::CheckOnlyItem(controls::CheckListBox& list, int item) {
  list.SetListIndex(item);
  for (int i = 0; i < list.ListCount(); ++i) list.SetChecked(i, i == item);
}

void XPerformanceConfig::WaveTicked(int group, int item) {
  if (!config_ || Locked() || Initialising()) return;
  {
    const InitialisingScope ticking(*this);
    for (int other = 0; other < kGroups; ++other) {
      if (other == group) continue;
      SetAllListItems(*lstWave_.at(other), false);
      lstWave_.at(other)->SetListIndex(-1);
    }
    // Clearing the one ticked wave ticks it again: one wave is always chosen.
    CheckOnlyItem(*lstWave_.at(group), item);
  }
  const rt::Long code = (group + 1) * 100 + item;
  if (code == config_->Wavetype()) return;
  config_->SetWavetype(code);
  ReportChange();
}

void XPerformanceConfig::StoreAmplitude(double millivolts) {
  const InitialisingScope showing(*this);
  config_->SetAmplitude(static_cast<rt::Single>(millivolts));
  sldAmpSlider_->SetValue(static_cast<int>(rt::roundHalfEven(millivolts / kMillivoltsPerStep)));
}

void XPerformanceConfig::StoreDuration(rt::Long seconds) {
  const InitialisingScope showing(*this);
  config_->SetDuration(seconds);
  sldTimeSlider_->SetValue(seconds);
}

void XPerformanceConfig::IndefiniteClicked(bool ticked) {
  if (!config_ || Locked() || Initialising()) return;
  rt::Long seconds = 0;
  if (!ticked) {
    // The duration the box shows, or the slider's when the box shows none.
    const std::optional<double> typed = typedNumber(txtTimeSlider_->text());
    const std::optional<double> shown = typed ? acceptDuration(*typed) : std::nullopt;
    seconds = shown ? static_cast<rt::Long>(*shown) : sldTimeSlider_->Value();
    const InitialisingScope showing(*this);
    txtTimeSlider_->setText(durationText(seconds));
  }
  const bool changed = seconds != config_->Duration();
  if (ticked)
    config_->SetDuration(0);
  else
    StoreDuration(seconds);
  EnableInputs();
  if (changed) ReportChange();
}

void XPerformanceConfig::Layout() {
  const double w = std::max<double>(ScaleWidth(), 8055);
  const double h = std::max<double>(ScaleHeight(), 2055);
  const double a = ArrangeHelpLine(h) - 120;
  const double g = Clamp(w * 0.25, 2055, 2895);
  Move(fraTestGuideSettings_, 0, 0, g, a);
  Move(lblTestGuideSettings_, 120, 120, g - 240);
  if (xtgTestGuideConfig_) xtgTestGuideConfig_->Move(120, 420, g - 240);
  Move(fraWaveforms_, g + 120, 0, 2775, a);
  for (controls::CheckListBox* list : lstWave_) Move(list, 120, 720, 2535, a - 780);
  Move(fraTestSetup_, g + 3015, 0, 3375, a);
}

RV1X_CREATABLE_CLASS("orvanRV1Xtst", XPerformanceConfig)

}  // namespace orvanRV1Xtst
