// The editors whose settings are entries of fixed lists: refractory period,
// sensitivity and pacer accuracy.

#include <QLineEdit>
#include <QListWidget>

#include "EditorFixture.h"
#include "controls/SimpleComboBox.h"
#include "settings/CConfigAccuracy.h"
#include "settings/CConfigRefractory.h"
#include "settings/CConfigSensitivity.h"

namespace {

using namespace orvanRV1Xtst;

class ListEditors : public editortest::EditorTest {
 protected:
  controls::SimpleComboBox* box(const char* name) const {
    return child<controls::SimpleComboBox>(name);
  }
  static QStringList entries(const controls::SimpleComboBox& box) {
    QStringList list;
    for (int i = 0; i < box.ListCount(); ++i) list.append(box.List(i));
    return list;
  }
  // A click on an entry of a box's list.
  static void pick(controls::SimpleComboBox* box, const QString& entry) {
    QListWidget& list = *box->list();
    const QList<QListWidgetItem*> found = list.findItems(entry, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << qPrintable(entry);
    list.scrollToItem(found.first());
    click(list.viewport(), list.visualItemRect(found.first()).center());
  }
  // The operator replaces the box's text.
  static void retype(controls::SimpleComboBox* box, const QString& text) {
    empty(box->field());
    type(box->field(), text);
  }
};

TEST_F(ListEditors, TheListsOfferTheirEntriesAndTheFieldsShowTheStoredTexts) {
  auto config = std::make_shared<CConfigSensitivity>();
  config->SetLoadText(QStringLiteral("100 Ohm"));
  config->SetTriggerWaveText(QStringLiteral("40 ms Tri."));
  open(config, 5055, 2520);
  const QStringList loads = entries(*box("cboLoad"));
  ASSERT_EQ(loads.size(), 27);
  EXPECT_EQ(loads.first(), QStringLiteral("Fixed load"));
  EXPECT_EQ(loads.last(), QStringLiteral("43.8K Ohm"));
  const QStringList triggers = entries(*box("cboTrigger"));
  ASSERT_EQ(triggers.size(), 15);
  EXPECT_EQ(triggers.first(), QStringLiteral("10 ms Sqr."));
  EXPECT_EQ(triggers.last(), QStringLiteral("200 ms SSQ."));
  EXPECT_EQ(box("cboLoad")->Text(), QStringLiteral("100 Ohm"));
  EXPECT_EQ(box("cboTrigger")->Text(), QStringLiteral("40 ms Tri."));
  EXPECT_EQ(box("cboTrigger")->ListIndex(), 7);
  EXPECT_EQ(changes(), 0);
}

TEST_F(ListEditors, AStoredSensitivityTextThatIsANumberShowsAsAWholeNumber) {
  auto config = std::make_shared<CConfigSensitivity>();
  config->SetLoadText(QStringLiteral("12.6"));
  open(config, 5055, 2520);
  EXPECT_EQ(box("cboLoad")->Text(), QStringLiteral("13"));
  EXPECT_EQ(box("cboTrigger")->Text(), QStringLiteral("10 ms Sqr."));
  EXPECT_EQ(config->LoadText(), QStringLiteral("12.6"));
  EXPECT_EQ(changes(), 0);
}

TEST_F(ListEditors, APickedEntryStoresItsPositionAndText) {
  auto refractory = std::make_shared<CConfigRefractory>();
  open(refractory, 5055, 2520);
  pick(box("cboLoad"), QStringLiteral("43.8K Ohm"));
  EXPECT_EQ(refractory->LoadText(), QStringLiteral("43.8K Ohm"));
  EXPECT_EQ(refractory->LoadIndex(), 26);
  EXPECT_EQ(changes(), 1);
  pick(box("cboRate"), QStringLiteral("180 ppm"));
  EXPECT_EQ(refractory->RateIndex(), 14);
  EXPECT_EQ(changes(), 2);
  pick(box("cboRate"), QStringLiteral("180 ppm"));
  EXPECT_EQ(changes(), 2) << "the entry it has already";
  dialog_->Unload();

  auto sensitivity = std::make_shared<CConfigSensitivity>();
  open(sensitivity, 5055, 2520);
  pick(box("cboLoad"), QStringLiteral("200 Ohm"));
  pick(box("cboTrigger"), QStringLiteral("25 ms SSQ."));
  EXPECT_EQ(sensitivity->LoadIndex(), 4);
  EXPECT_EQ(sensitivity->LoadText(), QStringLiteral("200 Ohm"));
  EXPECT_EQ(sensitivity->TriggerIndex(), 11);
  EXPECT_EQ(sensitivity->TriggerWaveText(), QStringLiteral("25 ms SSQ."));
}

TEST_F(ListEditors, ATypedTextStoresOnlyTheEntryItNames) {
  auto config = std::make_shared<CConfigSensitivity>();
  open(config, 5055, 2520);
  controls::SimpleComboBox* load = box("cboLoad");
  retype(load, QStringLiteral("250 Ohm"));
  EXPECT_EQ(config->LoadText(), QStringLiteral("Fixed load"));
  EXPECT_EQ(config->LoadIndex(), 0) << "no entry: nothing stored, never -1";
  EXPECT_EQ(changes(), 0);
  leave(load->field());
  EXPECT_EQ(load->Text(), QStringLiteral("Fixed load")) << "the stored entry shows again";

  retype(load, QStringLiteral("300 ohm"));
  EXPECT_EQ(config->LoadIndex(), 5);
  EXPECT_EQ(config->LoadText(), QStringLiteral("300 Ohm"));
  EXPECT_EQ(changes(), 1);
  leave(load->field());
  EXPECT_EQ(load->Text(), QStringLiteral("300 Ohm"));
  EXPECT_EQ(config->LoadCode(config->LoadIndex()), QStringLiteral("Q05"));
}

TEST_F(ListEditors, TheNoiseListFollowsTheLoad) {
  auto config = std::make_shared<CConfigAccuracy>();
  open(config, 8055, 2520);
  controls::SimpleComboBox* noise = box("cboNoise");
  const QStringList fixed = entries(*noise);
  ASSERT_EQ(fixed.size(), 21);
  EXPECT_EQ(fixed.at(0), QStringLiteral("Off"));
  EXPECT_EQ(fixed.at(1), QStringLiteral("50 Hz 1 mV"));
  EXPECT_EQ(fixed.at(20), QStringLiteral("60 Hz 10 mV"));
  pick(noise, QStringLiteral("50 Hz 2 mV"));
  EXPECT_EQ(config->NoiseIndex(), 2);
  EXPECT_EQ(changes(), 1);

  pick(box("cboLoad"), QStringLiteral("100 Ohm"));
  const QStringList doubled = entries(*noise);
  EXPECT_EQ(doubled.at(1), QStringLiteral("50 Hz 2 mV"));
  EXPECT_EQ(doubled.at(10), QStringLiteral("50 Hz 20 mV"));
  EXPECT_EQ(doubled.at(11), QStringLiteral("60 Hz 2 mV"));
  EXPECT_EQ(noise->ListIndex(), 2);
  EXPECT_EQ(noise->Text(), QStringLiteral("50 Hz 4 mV"));
  EXPECT_EQ(config->NoiseIndex(), 2) << "the level stays";
  EXPECT_EQ(config->NoiseText(), QStringLiteral("50 Hz 4 mV")) << "and names what is shown";
  EXPECT_EQ(changes(), 2) << "one change for the load";

  const struct {
    const char* load;
    const char* first50Hz;
  } factors[] = {{"300 Ohm", "50 Hz 6 mV"},
                 {"400 Ohm", "50 Hz 8 mV"},
                 {"500 Ohm", "50 Hz 10 mV"},
                 {"43.8K Ohm", "50 Hz 10 mV"},
                 {"50 Ohm", "50 Hz 1 mV"}};
  for (const auto& f : factors) {
    pick(box("cboLoad"), QLatin1String(f.load));
    EXPECT_EQ(noise->List(1), QLatin1String(f.first50Hz)) << f.load;
  }
}

TEST_F(ListEditors, OpeningShowsTheNoiseListOfTheStoredLoad) {
  auto config = std::make_shared<CConfigAccuracy>();
  config->SetLoadText(QStringLiteral("150 Ohm"));
  config->SetLoadIndex(3);
  config->SetNoiseIndex(12);
  config->SetNoiseText(QStringLiteral("60 Hz 6 mV"));
  open(config, 8055, 2520);
  EXPECT_EQ(box("cboNoise")->List(12), QStringLiteral("60 Hz 6 mV"));
  EXPECT_EQ(box("cboNoise")->Text(), QStringLiteral("60 Hz 6 mV"));
  EXPECT_EQ(box("cboNoise")->ListIndex(), 12);
}

TEST_F(ListEditors, AnOlderNoiseTextShowsAsTheStoredLevelAlsoAfterTheBoxIsLeft) {
  // Stored by an earlier release: the level's text of the factor-1 list
  // beside a load of factor 2.
  auto config = std::make_shared<CConfigAccuracy>();
  config->SetLoadText(QStringLiteral("100 Ohm"));
  config->SetLoadIndex(2);
  config->SetNoiseIndex(2);
  config->SetNoiseText(QStringLiteral("50 Hz 2 mV"));
  open(config, 8055, 2520);
  controls::SimpleComboBox* noise = box("cboNoise");
  for (const char* when : {"opened", "left"}) {
    SCOPED_TRACE(when);
    EXPECT_EQ(noise->Text(), QStringLiteral("50 Hz 4 mV"));
    EXPECT_EQ(noise->ListIndex(), 2);
    noise->field()->setFocus(Qt::TabFocusReason);
    leave(noise->field());
  }
  EXPECT_EQ(config->NoiseText(), QStringLiteral("50 Hz 2 mV")) << "opening rewrites nothing";
  EXPECT_EQ(changes(), 0);
}

TEST_F(ListEditors, APickWhileLockedIsNotPossible) {
  auto config = std::make_shared<CConfigAccuracy>();
  open(config, 8055, 2520);
  control()->SetLocked(true);
  for (const char* name : {"cboLoad", "cboNoise", "cboRate", "cboAmplitude"})
    EXPECT_FALSE(box(name)->isEnabled()) << name;
  pick(box("cboRate"), QStringLiteral("90 ppm"));
  EXPECT_EQ(config->RateIndex(), 0);
  EXPECT_EQ(changes(), 0);
}

}  // namespace
