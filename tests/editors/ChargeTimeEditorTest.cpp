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

TEST_F(ChargeTimeEditor, ShowsThePresetAsAWholeNumberOfJoules) {
  const struct {
    rt::Single preset;
    const char* shown;
  } cases[] = {{360, "360 J"}, {0, "0 J"}, {12.6f, "13 J"}};
  for (const auto& c : cases) {
    open(c.preset);
    EXPECT_EQ(energy()->text(), QLatin1String(c.shown));
    dialog_->Unload();
  }
  EXPECT_EQ(changes(), 0);
}

TEST_F(ChargeTimeEditor, EachKeystrokeOfANumberInRangeStoresIt) {
  open();
  empty(energy());
  EXPECT_EQ(config_->PresetEnergy(), 360) << "an empty field is no energy";
  EXPECT_EQ(changes(), 0);
  type(energy(), QStringLiteral("200"));
  EXPECT_EQ(config_->PresetEnergy(), 200);
  EXPECT_EQ(changes(), 3) << "2, 20 and 200 J each changed the preset";
  type(energy(), QStringLiteral(".5 J"));
  EXPECT_EQ(config_->PresetEnergy(), 200.5f);
  EXPECT_EQ(changes(), 4) << "200. and the unit change nothing";
  leave(energy());
  EXPECT_TRUE(shownMessages().isEmpty());
  EXPECT_EQ(energy()->text(), QStringLiteral("200.5 J")) << "a good entry stays as typed";
}

TEST_F(ChargeTimeEditor, AnEntryOutsideTheRangeIsRefusedAndTheOldValueKept) {
  const struct { const char* typed; } cases[] = {{"J"}, {"0"}, {"-50"}, {"1001"}, {"5000 J"}};
  open();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    ui::MessageBoxes::instance().clear();
    empty(energy());
    type(energy(), QLatin1String(c.typed));
    leave(energy());
    EXPECT_EQ(config_->PresetEnergy(), 360);
    EXPECT_EQ(energy()->text(), QStringLiteral("360 J"));
    EXPECT_EQ(shownMessages(),
              QStringList{QStringLiteral("Enter a preset energy from 1 J to 1000 J.")});
  }
  // "1001" stored 1, 10 and 100 on its way and "5000 J" 5, 50 and 500; each
  // refusal put 360 back, a change again.
  EXPECT_EQ(changes(), 8);
}

TEST_F(ChargeTimeEditor, AClickThatChangesNothingSendsNothing) {
  open();
  click(energy());
  EXPECT_EQ(changes(), 0);
  tick(autoPlayback());
  EXPECT_TRUE(config_->AutoPlayback());
  tick(autoPlayback());
  EXPECT_FALSE(config_->AutoPlayback());
  EXPECT_EQ(changes(), 2);
}

TEST_F(ChargeTimeEditor, AnEditBeforeTheCallbackIsSetChangesTheConfigurationQuietly) {
  open();
  dialog_->SetCallBack(nullptr);
  tick(autoPlayback());
  EXPECT_TRUE(config_->AutoPlayback());
  EXPECT_EQ(changes(), 0);
}

TEST_F(ChargeTimeEditor, ABoundConfigurationEnablesTheEnergyFieldAgain) {
  open();
  control()->Initialize(com::toVariant(nullptr));
  EXPECT_FALSE(energy()->isEnabled());
  control()->Initialize(com::toVariantOf(config_));
  EXPECT_TRUE(energy()->isEnabled());
}

TEST_F(ChargeTimeEditor, TheFocusGoesToTheEnergyWithItsTextSelected) {
  open();
  const std::pair<const char*, std::function<void()>> ways[] = {
      {"SetFocus", [&] { control()->SetFocus(); }},
      {"the editor focused", [&] { editor()->setFocus(); }}};
  for (const auto& [way, focus] : ways) {
    SCOPED_TRACE(way);
    autoPlayback()->setFocus();
    focus();
    EXPECT_TRUE(energy()->hasFocus());
    EXPECT_EQ(energy()->selectedText(), QStringLiteral("360 J"));
  }
}

TEST_F(ChargeTimeEditor, TheHelpLineGetsTheRoomUnderTheInputs) {
  open();
  const struct {
    double height;
    double helpHeight;
    bool visible;
  } cases[] = {{2000, 305, true}, {1800, 105, false}, {1400, 105, false}, {2600, 975, true}};
  for (const auto& c : cases) {
    resize(5190, c.height);
    auto* pane = child("xhtHelpText");
    ASSERT_TRUE(pane);
    EXPECT_EQ(pane->isVisibleTo(editor()), c.visible) << c.height;
    EXPECT_EQ(pane->height(), ui::toPixels(c.helpHeight)) << c.height;
  }
}

}  // namespace
