// The discharge editor: the ECG wave and amplitude, the preset energy and
// the waveform switches.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include "EditorFixture.h"
#include "controls/DropDownList.h"
#include "controls/Slider.h"
#include "settings/CConfigDischarge.h"

namespace {

using editortest::LocaleScope;
using orvanRV1Xtst::CConfigDischarge;

class DischargeEditor : public editortest::EditorTest {
 protected:
  void open() { EditorTest::open(config_, 8055, 2895); }
  controls::DropDownList* waves() const { return child<controls::DropDownList>("cboECGWave"); }
  controls::Slider* amplitude() const { return child<controls::Slider>("sldAmplitude"); }
  QString amplitudeLabel() const { return child<QLabel>("lblAmplitude")->text(); }
  QCheckBox* box(const char* name) const { return child<QCheckBox>(name); }

  std::shared_ptr<CConfigDischarge> config_ = std::make_shared<CConfigDischarge>();
};

TEST_F(DischargeEditor, ShowsTheStoredSettings) {
  config_->SetPresetEnergy(99.6f);
  config_->SetWaveFormIndex(18);
  open();
  EXPECT_EQ(child<QLineEdit>("txtEnergy")->text(), QStringLiteral("100 J"));
  EXPECT_EQ(waves()->ListCount(), 19);
  EXPECT_EQ(waves()->Text(), QStringLiteral("VFib"));
  EXPECT_EQ(waves()->List(7), QStringLiteral("AFib"));
  EXPECT_EQ(amplitude()->Value(), 2);
  EXPECT_EQ(amplitudeLabel(), QStringLiteral("1.0 mV"));
  EXPECT_TRUE(box("chkFetchWaveform")->isChecked());
  EXPECT_TRUE(box("chkPrintWaveform")->isChecked());
  EXPECT_FALSE(box("chkAutoPlayback")->isChecked());
}

TEST_F(DischargeEditor, TheAmplitudeShowsInTheUsersLocale) {
  const LocaleScope german{LocaleScope::german()};
  open();
  EXPECT_EQ(amplitudeLabel(), QStringLiteral("1,0 mV"));
  amplitude()->setFocus();
  key(amplitude(), Qt::Key_Right);
  EXPECT_EQ(amplitudeLabel(), QStringLiteral("1,5 mV"));
}

TEST_F(DischargeEditor, TheFirstWaveChosenIsStoredAndTheSameWaveAgainIsNoChange) {
  open();
  waves()->setFocus();
  key(waves(), Qt::Key_Up);  // from "Sine 60 BPM" to the first entry
  EXPECT_EQ(config_->WaveFormIndex(), 0);
  EXPECT_EQ(changes(), 1);
  Q_EMIT waves()->activated(0);
  EXPECT_EQ(changes(), 1);
  key(waves(), Qt::Key_End);
  EXPECT_EQ(config_->WaveFormIndex(), 18);
  EXPECT_EQ(changes(), 2);
}

// The stored text is the same in every language; the label shows the
// amplitude as the interface writes numbers, as it did when the editor
// opened.
TEST_F(DischargeEditor, AStepSetWithTheKeysIsStoredAndShownOneWay) {
  open();
  const struct {
    Qt::Key key;
    rt::Integer step;
    const char* stored;
    const char* shown;
  } cases[] = {{Qt::Key_Right, 3, "1,5 mV", "1.5 mV"},
               {Qt::Key_End, 4, "2,0 mV", "2.0 mV"},
               {Qt::Key_Home, 1, "0,5 mV", "0.5 mV"},
               {Qt::Key_Right, 2, "1,0 mV", "1.0 mV"}};
  amplitude()->setFocus();
  int expectedChanges = 0;
  for (const auto& c : cases) {
    key(amplitude(), c.key);
    EXPECT_EQ(config_->AmplitudeIndex(), c.step);
    EXPECT_EQ(config_->AmplitudeText(), QLatin1String(c.stored));
    EXPECT_EQ(amplitudeLabel(), QLatin1String(c.shown));
    EXPECT_EQ(changes(), ++expectedChanges);
  }
  key(amplitude(), Qt::Key_Home);
  key(amplitude(), Qt::Key_Left);  // at the end already: nothing moves
  EXPECT_EQ(changes(), expectedChanges + 1);
}

TEST_F(DischargeEditor, WhileDraggedTheLabelFollowsAndLettingGoStores) {
  open();
  drag(amplitude(), 4, [&] {
    EXPECT_EQ(amplitudeLabel(), QStringLiteral("2.0 mV"));
    EXPECT_EQ(config_->AmplitudeIndex(), 2) << "nothing stored while the thumb is held";
    EXPECT_EQ(changes(), 0);
  });
  EXPECT_EQ(config_->AmplitudeIndex(), 4);
  EXPECT_EQ(config_->AmplitudeText(), QStringLiteral("2,0 mV"));
  EXPECT_EQ(amplitudeLabel(), QStringLiteral("2.0 mV"));
  EXPECT_EQ(changes(), 1);
}

TEST_F(DischargeEditor, PrintingNeedsTheWaveformFetched) {
  open();
  tick(box("chkFetchWaveform"));
  EXPECT_FALSE(config_->FetchWaveform());
  EXPECT_FALSE(config_->PrintWaveform());
  EXPECT_FALSE(box("chkPrintWaveform")->isChecked());
  EXPECT_FALSE(box("chkPrintWaveform")->isEnabled());
  EXPECT_EQ(changes(), 1);
  tick(box("chkFetchWaveform"));
  EXPECT_TRUE(config_->FetchWaveform());
  EXPECT_TRUE(box("chkPrintWaveform")->isEnabled());
  EXPECT_FALSE(config_->PrintWaveform());
  tick(box("chkPrintWaveform"));
  tick(box("chkAutoPlayback"));
  EXPECT_TRUE(config_->PrintWaveform());
  EXPECT_TRUE(config_->AutoPlayback());
  EXPECT_EQ(changes(), 4);
}

// An older document may hold print without fetch: nothing would be
// printed, and the box says so without rewriting what was stored.
TEST_F(DischargeEditor, AStoredPrintWithoutFetchShowsClearedAndIsNotOffered) {
  config_->SetFetchWaveform(false);
  open();
  EXPECT_FALSE(box("chkPrintWaveform")->isChecked());
  EXPECT_FALSE(box("chkPrintWaveform")->isEnabled());
  EXPECT_TRUE(config_->PrintWaveform());
  tick(box("chkFetchWaveform"));
  EXPECT_TRUE(box("chkPrintWaveform")->isChecked()) << "printed as stored, once fetched";
  EXPECT_TRUE(box("chkPrintWaveform")->isEnabled());
}

TEST_F(DischargeEditor, TheEnergyReadsTheUsersDecimalSeparatorAndThePoint) {
  const LocaleScope german{LocaleScope::german()};
  open();
  QLineEdit* energy = child<QLineEdit>("txtEnergy");
  for (const char* typed : {"12,5 J", "12.5"}) {
    empty(energy);
    type(energy, QLatin1String(typed));
    EXPECT_EQ(config_->PresetEnergy(), 12.5f) << typed;
  }
}

}  // namespace
