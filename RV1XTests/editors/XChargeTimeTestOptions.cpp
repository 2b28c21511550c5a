#include "editors/XChargeTimeTestOptions.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "com/ServerModule.h"
#include "editors/EnergyField.h"
#include "settings/TextSelection.h"
#include "ui/Twips.h"

namespace orvanRV1Xtst {

namespace {
constexpr double kDesignWidth = 5190, kDesignHeight = 2520;
// The inputs' frames end here; below them lies the help line.
constexpr double kFramesHeight = 1455;
constexpr double kHelpHeight = 975;
}  // namespace

XChargeTimeTestOptions::XChargeTimeTestOptions()
    : XConfigEditor(QStringLiteral("RV1XTests.XChargeTimeTestOptions"), kDesignWidth,
                    kDesignHeight) {
  fraTestSetup_ = AddFrame("fraTestSetup", this, {120, 0, 2535, kFramesHeight});
  lblTestGudeSettings_ = AddCaption(
      "lblTestGudeSettings", "20310::Test guide settings:", fraTestSetup_, {120, 120, 2055, 240});
  AddTestGuideSettings(fraTestSetup_, {120, 360, 2175, 735});
  Frame1_ = AddFrame("Frame1", this, {2760, 0, 2295, kFramesHeight});
  lblPresetEnergy_ =
      AddCaption("lblPresetEnergy", "20205::Preset energy:", Frame1_, {120, 120, 2055, 285});
  txtEnergy_ = AddTextBox("txtEnergy", "360", Frame1_, {360, 480, 855, 285});
  chkAutoPlayback_ = Add<QCheckBox>("chkAutoPlayback", Frame1_, {240, 1080, 1935, 255});
  chkAutoPlayback_->setText(QStringLiteral("20352::Auto-playback curve"));
  AddHelpText("20190::Select energy according to 'Energy select' settings on the defibrillator.",
              {0, 1545, kDesignWidth, kHelpHeight});
  TranslateCaptions();

  BindNumberBox(txtEnergy_, energyfield::rule(config_));
  SelectAllOnFocus(txtEnergy_);
  // The focus given to the editor itself goes on to the energy.
  setFocusProxy(txtEnergy_);
  connect(chkAutoPlayback_, &QCheckBox::clicked, this, [this](bool ticked) {
    Handle([&] {
      if (!config_ || Locked() || ticked == config_->AutoPlayback()) return;
      config_->SetAutoPlayback(ticked);
      ReportChange();
    });
  });
  EnableInputs();
}

XChargeTimeTestOptions::~XChargeTimeTestOptions() = default;

void XChargeTimeTestOptions::Initialize(const QVariant& Data) {
  const InitialisingScope filling(*this);
  rt::ignoreErrors([&] { config_ = ConfigurationOf<CConfigChargeTime>(Data); });
  if (!config_) {
    BindTestGuideSettings(nullptr);
  } else {
    rt::ignoreErrorsEach([&] { BindTestGuideSettings(config_->TestGuideConfig()); },
                         [&] { txtEnergy_->setText(energyfield::shown(config_->PresetEnergy())); },
                         [&] { chkAutoPlayback_->setChecked(config_->AutoPlayback()); });
  }
  EnableInputs();
}

void XChargeTimeTestOptions::SetFocus() {
  rt::ignoreErrors([&] {
    txtEnergy_->setFocus(Qt::OtherFocusReason);
    MMiscUtils::SelectAllText(txtEnergy_);
  });
}

void XChargeTimeTestOptions::EnableInputs() {
  const bool editable = config_ && !Locked();
  txtEnergy_->setEnabled(editable);
  chkAutoPlayback_->setEnabled(editable);
}

void XChargeTimeTestOptions::Layout() {
  const double h = ScaleHeight();
  if (h <= kFramesHeight) return;
  if (h < kDesignHeight) {
    ShrinkHelpLine(h - kFramesHeight - 240, 120);
    return;
  }
  RestoreHelpLine();
  if (xtgTestGuideConfig_)
    xtgTestGuideConfig_->Move(120, 420, ui::toTwips(fraTestSetup_->width()) - 240);
}

RV1X_CREATABLE_CLASS("orvanRV1Xtst", XChargeTimeTestOptions)

}  // namespace orvanRV1Xtst
