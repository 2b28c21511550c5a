// The ECG-performance editor: the wave in three lists, its amplitude and the
// duration of the run.

#include <QCheckBox>
#include <QLineEdit>

#include "EditorFixture.h"
#include "controls/CheckListBox.h"
#include "controls/DropDownList.h"
#include "controls/Slider.h"
#include "settings/CConfigPerformance.h"

namespace {

using editortest::LocaleScope;
using orvanRV1Xtst::CConfigPerformance;

class PerformanceEditor : public editortest::EditorTest {
 protected:
  void open() { EditorTest::open(config_, 8535, 3420); }
  controls::CheckListBox* list(int group) const {
    const QByteArray name = "lstWave" + QByteArray::number(group);
    return child<controls::CheckListBox>(name.constData());
  }
  controls::DropDownList* groups() const { return child<controls::DropDownList>("cboWaveType"); }
  QLineEdit* amplitudeText() const { return child<QLineEdit>("txtAmpSlider"); }
  QLineEdit* durationText() const { return child<QLineEdit>("txtTimeSlider"); }
  controls::Slider* amplitude() const { return child<controls::Slider>("sldAmpSlider"); }
  controls::Slider* duration() const { return child<controls::Slider>("sldTimeSlider"); }
  QCheckBox* indefinite() const { return child<QCheckBox>("chkIndefiniteDuration"); }
  // The ticked waves of all three lists, as "list:item".
  QStringList ticked() const {
    QStringList marks;
    for (int group = 0; group < 3; ++group)
      for (int item = 0; item < list(group)->ListCount(); ++item)
        if (list(group)->Checked(item)) marks.append(QStringLiteral("%1:%2").arg(group).arg(item));
    return marks;
  }
  // A click on the check box of a list entry.
  void tickEntry(int group, int item) {
    controls::CheckListBox& entries = *list(group);
    const QRect row = entries.visualItemRect(entries.item(item));
    click(entries.viewport(), QPoint(row.left() + row.height() / 2, row.center().y()));
  }

  std::shared_ptr<CConfigPerformance> config_ = std::make_shared<CConfigPerformance>();
};

TEST_F(PerformanceEditor, ShowsTheStoredWaveInItsList) {
  config_->SetWavetype(201);
  open();
  EXPECT_EQ(groups()->Text(), QStringLiteral("Arrhythmia"));
  EXPECT_TRUE(list(1)->isVisible());
  EXPECT_FALSE(list(0)->isVisible());
  EXPECT_FALSE(list(2)->isVisible());
  EXPECT_EQ(list(1)->List(1), QStringLiteral("AFib"));
  EXPECT_EQ(ticked(), QStringList{QStringLiteral("1:1")});
  EXPECT_EQ(list(1)->TopIndex(), 1) << "the ticked wave is the first line shown";
  EXPECT_EQ(list(0)->ListCount(), 7);
  EXPECT_EQ(list(1)->ListCount(), 12);
  EXPECT_EQ(list(2)->ListCount(), 13);
  EXPECT_EQ(amplitudeText()->text(), QStringLiteral("1 mV"));
  EXPECT_EQ(amplitude()->Value(), 2);
  EXPECT_EQ(durationText()->text(), QStringLiteral("7 s"));
  EXPECT_EQ(duration()->Value(), 7);
  EXPECT_FALSE(indefinite()->isChecked());
}

TEST_F(PerformanceEditor, OneWaveIsTickedAcrossTheLists) {
  open();  // 301: "Square 2 Hz"
  EXPECT_EQ(ticked(), QStringList{QStringLiteral("2:1")});
  groups()->setFocus();
  key(groups(), Qt::Key_Home);
  EXPECT_TRUE(list(0)->isVisible());
  EXPECT_EQ(config_->Wavetype(), 301) << "a group choice only shows its list";
  EXPECT_EQ(changes(), 0);

  tickEntry(0, 3);
  EXPECT_EQ(ticked(), QStringList{QStringLiteral("0:3")});
  EXPECT_EQ(config_->Wavetype(), 103);
  EXPECT_EQ(groups()->ListIndex(), 0);
  EXPECT_EQ(changes(), 1);

  tickEntry(0, 3);  // clearing the one ticked wave ticks it again
  EXPECT_EQ(ticked(), QStringList{QStringLiteral("0:3")});
  EXPECT_EQ(config_->Wavetype(), 103);
  EXPECT_EQ(changes(), 1);

  tickEntry(0, 5);
  EXPECT_EQ(ticked(), QStringList{QStringLiteral("0:5")});
  EXPECT_EQ(config_->Wavetype(), 105);
  EXPECT_EQ(changes(), 2);
}

TEST_F(PerformanceEditor, TheAmplitudeSliderStoresWhatTheTextShows) {
  open();
  amplitude()->setFocus();
  key(amplitude(), Qt::Key_Right);
  EXPECT_EQ(config_->Amplitude(), 1.5f);
  EXPECT_EQ(amplitudeText()->text(), QStringLiteral("1.5 mV"));
  EXPECT_EQ(changes(), 1);
  drag(amplitude(), 1);
  EXPECT_EQ(config_->Amplitude(), 0.5f);
  EXPECT_EQ(amplitudeText()->text(), QStringLiteral("0.5 mV"));
  EXPECT_EQ(changes(), 2);
  EXPECT_EQ(config_->ParameterCode(CConfigPerformance::AmplitudeParameter), QStringLiteral("A4"));
}

TEST_F(PerformanceEditor, ATypedAmplitudeIsOneTheAnalyzerPlays) {
  const LocaleScope german{LocaleScope::german()};
  open();
  EXPECT_EQ(amplitudeText()->text(), QStringLiteral("1 mV"));
  const struct {
    const char* typed;
    rt::Single stored;
    bool refused;
  } cases[] = {{"1,5 mV", 1.5f, false}, {"2", 2, false},   {"0.5", 0.5f, false},
               {"1,2 mV", 1.0f, true},  {"3", 1.0f, true}, {"mV", 1.0f, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    config_->SetAmplitude(1.0f);
    ui::MessageBoxes::instance().clear();
    empty(amplitudeText());
    type(amplitudeText(), QLatin1String(c.typed));
    leave(amplitudeText());
    EXPECT_EQ(config_->Amplitude(), c.stored);
    EXPECT_EQ(shownMessages().size(), c.refused ? 1 : 0);
    if (c.refused) {
      EXPECT_EQ(amplitudeText()->text(), QStringLiteral("1 mV"));
    }
    EXPECT_EQ(amplitude()->Value(), static_cast<int>(c.stored * 2));
  }
}

TEST_F(PerformanceEditor, ATypedDurationIsAWholeNumberOfSecondsUpToAMinute) {
  open();
  const struct {
    const char* typed;
    rt::Long stored;
    bool refused;
  } cases[] = {{"7 s", 7, false}, {"2.5", 2, false}, {"60", 60, false},
               {"75", 7, true},   {"0", 7, true},    {"s", 7, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    config_->SetDuration(7);
    ui::MessageBoxes::instance().clear();
    empty(durationText());
    type(durationText(), QLatin1String(c.typed));
    leave(durationText());
    EXPECT_EQ(config_->Duration(), c.stored);
    if (c.refused) {
      EXPECT_EQ(shownMessages(), QStringList{QStringLiteral("Enter a duration from 1 s to 60 s.")});
      EXPECT_EQ(durationText()->text(), QStringLiteral("7 s"));
    } else {
      EXPECT_TRUE(shownMessages().isEmpty());
      EXPECT_EQ(duration()->Value(), c.stored);
    }
  }
}

TEST_F(PerformanceEditor, TheDurationSliderStoresAsItMoves) {
  open();
  duration()->setFocus();
  key(duration(), Qt::Key_End);
  EXPECT_EQ(config_->Duration(), 60);
  EXPECT_EQ(durationText()->text(), QStringLiteral("60 s"));
  EXPECT_EQ(changes(), 1);
}

TEST_F(PerformanceEditor, IndefiniteStoresNoDurationAndTakesTheDurationControlsOutOfUse) {
  open();
  tick(indefinite());
  EXPECT_EQ(config_->Duration(), 0);
  EXPECT_FALSE(durationText()->isEnabled());
  EXPECT_FALSE(duration()->isEnabled());
  EXPECT_EQ(changes(), 1);
  // Unlocking does not give the duration back while Indefinite is ticked.
  control()->SetLocked(true);
  control()->SetLocked(false);
  EXPECT_FALSE(duration()->isEnabled());
  tick(indefinite());
  EXPECT_EQ(config_->Duration(), 7);
  EXPECT_TRUE(duration()->isEnabled());
  EXPECT_EQ(changes(), 2);
}

TEST_F(PerformanceEditor, AStoredIndefiniteRunOpensWithIndefiniteTicked) {
  config_->SetDuration(0);
  open();
  EXPECT_TRUE(indefinite()->isChecked());
  EXPECT_FALSE(durationText()->isEnabled());
  tick(indefinite());
  EXPECT_EQ(config_->Duration(), 1) << "the slider's shortest run, the text naming none";
  EXPECT_EQ(durationText()->text(), QStringLiteral("1 s"));
}

TEST_F(PerformanceEditor, WhileLockedNothingChanges) {
  open();
  control()->SetLocked(true);
  groups()->setFocus();
  key(groups(), Qt::Key_Home);
  EXPECT_EQ(groups()->ListIndex(), 2);
  type(amplitudeText(), QStringLiteral("2"));
  type(durationText(), QStringLiteral("9"));
  EXPECT_EQ(config_->Amplitude(), 1.0f);
  EXPECT_EQ(config_->Duration(), 7);
  EXPECT_EQ(changes(), 0);
}

TEST_F(PerformanceEditor, AWaveOfNoListShowsNothingTicked) {
  config_->SetWavetype(107);
  open();
  EXPECT_TRUE(ticked().isEmpty());
  EXPECT_EQ(config_->Wavetype(), 107);
}

}  // namespace
