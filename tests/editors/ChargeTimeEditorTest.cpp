// The charge-time editor: the preset energy and the auto-playback switch.

#include <QCheckBox>
#include <QLineEdit>

#include "EditorFixture.h"
#include "settings/CConfigChargeTime.h"

namespace {

using orvanRV1Xtst::CConfigChargeTime;

class ChargeTimeEditor : public editortest::EditorTest {
 protected:
  void open(rt::Single energy = 360) {
    config_ = std::make_shared<CConfigChargeTime>();
    config_->SetPresetEnergy(energy);
    EditorTest::open(config_, 5190, 2520);
  }
  QLineEdit* energy() const { return child<QLineEdit>("txtEnergy"); }
  QCheckBox* autoPlayback() const { return child<QCheckBox>("chkAutoPlayback"); }

  std::shared_ptr<CConfigChargeTime> config_;
};

TEST_F(ChargeTimeEditor, ShowsTheStoredSettingsAndSendsNothingWhileFilling) {
  open();
  EXPECT_EQ(energy()->text(), QStringLiteral("360 J"));
  EXPECT_FALSE(autoPlayback()->isChecked());
  EXPECT_EQ(changes(), 0);
  screenshot(QStringLiteral("charge-time"));
}

}  // namespace
