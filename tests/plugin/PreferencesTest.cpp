// The preferences page in the host's window: what it shows, its up-down
// controls, tabs and lock, and what reaches the setup, the registry and the
// host's callback.

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>
#include <functional>

#include "CRV1XSetup.h"
#include "LanguageScope.h"
#include "PlugInFixture.h"
#include "XPluginPrefs.h"
#include "controls/Label.h"
#include "controls/TabStrip.h"
#include "controls/UpDown.h"
#include "records/RunObjects.h"
#include "typelib/IDialog.h"
#include "ui/Twips.h"
#include "ui/WindowHandles.h"

namespace plugintest {
namespace {

using orvanRV1X::CRV1XSetup;
namespace setting = orvanRV1X::setting;

class PreferencesTest : public PlugInTest {
 protected:
  void TearDown() override {
    if (dialog_) dialog_->Unload();
    dialog_.reset();
    window_.reset();
    PlugInTest::TearDown();
  }

  // The setup's dialog docked into a host window, shown.
  void open() {
    dialog_ = setup_->CreateDialog();
    ASSERT_TRUE(dialog_);
    window_ = std::make_unique<QWidget>();
    window_->resize(ui::toPixels(7230), ui::toPixels(4770));
    window_->show();
    dialog_->Dock(ui::handleOf(window_.get()));
    dialog_->Move(0, 0, 7230, 4770);
    dialog_->Show(0);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    ASSERT_TRUE(page());
  }

  QWidget* page() const { return window_->findChild<QWidget*>(QStringLiteral("isc")); }
  template <class W>
  W* child(const char* name) const {
    W* found = page()->findChild<W*>(QLatin1String(name));
    EXPECT_TRUE(found) << name;
    return found;
  }
  controls::UpDown* upDown(const char* name) const { return child<controls::UpDown>(name); }
  QString caption(const char* label) const { return child<QLabel>(label)->text(); }
  void click(controls::UpDown* control, int direction) {
    QTest::mouseClick(direction > 0 ? control->UpButton() : control->DownButton(), Qt::LeftButton);
  }
  void clickTab(int index) {
    auto* tabs = child<controls::TabStrip>("tbsTabStrip");
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index - 1).center());
  }
  int changes() const {
    auto callBack = std::dynamic_pointer_cast<host::DefaultCallBack>(dialog_->CallBack());
    return callBack ? static_cast<int>(callBack->events().size()) : -1;
  }

  std::shared_ptr<CRV1XSetup> setup_ = std::make_shared<CRV1XSetup>();
  host::IDialogPtr dialog_;
  std::unique_ptr<QWidget> window_;
};

TEST_F(PreferencesTest, PicturesOfBothPagesWithNothingCutOff) {
  writeSetting(setting::RangeThreshold, 990);
  writeSetting(setting::CommTimeOut, 3000);
  for (const char* language : {"en", "de"}) {
    SCOPED_TRACE(language);
    const testsupport::LanguageScope scope{QString::fromLatin1(language)};
    open();
    for (int tab : {1, 2}) {
      clickTab(tab);
      EXPECT_TRUE(testsupport::saveScreenshot(
          *window_, QStringLiteral("preferences-%1-%2").arg(QLatin1String(language)).arg(tab)));
    }
    for (QLabel* label : page()->findChildren<QLabel*>()) {
      if (label->wordWrap() || label->text().isEmpty()) continue;
      EXPECT_LE(label->sizeHint().width(), label->width() + 2)
          << qPrintable(label->objectName()) << " \"" << qPrintable(label->text()) << "\"";
      EXPECT_FALSE(label->text().contains(QStringLiteral("::"))) << "translated";
    }
    dialog_->Unload();
    dialog_.reset();
  }
}

TEST_F(PreferencesTest, OpeningShowsTheStoredValuesAndWritesNothing) {
  writeSetting(setting::RangeThreshold, 70);
  setup_->SetRangeThresholdValue(10);
  setup_->SetCommTimeOutValue(2000);
  open();
  EXPECT_EQ(caption("lblThreshold"), QStringLiteral("70"));
  EXPECT_EQ(caption("lblComms"), QStringLiteral("600")) << "the default of a missing value";
  EXPECT_EQ(setup_->RangeThresholdValue(), 70);
  EXPECT_EQ(setup_->CommTimeOutValue(), 600);
  EXPECT_FALSE(storedSetting(setting::CommTimeOut).isValid()) << "opening writes nothing";
  EXPECT_EQ(changes(), 0) << "opening is no change";
  EXPECT_EQ(dynamic_cast<orvanRV1X::XPluginPrefs*>(page())->CurrentPage(), 0);
  EXPECT_TRUE(child<QWidget>("pboPictureBoxes(0)")->isVisible());
  EXPECT_FALSE(child<QWidget>("pboPictureBoxes(1)")->isVisible());
}

TEST_F(PreferencesTest, EachStepMovesByTheIncrementWithinTheRange) {
  struct Case {
    const char* what;
    const char* upDown;
    const char* label;
    QString value;
    int stored;
    int direction;
    int shown;  // after the step
  };
  const Case cases[] = {
      {"threshold up", "updRangeThreshold", "lblThreshold", setting::RangeThreshold, 50, 1, 60},
      {"threshold down", "updRangeThreshold", "lblThreshold", setting::RangeThreshold, 50, -1, 40},
      {"threshold at its top", "updRangeThreshold", "lblThreshold", setting::RangeThreshold, 990, 1,
       990},
      {"threshold at its bottom", "updRangeThreshold", "lblThreshold", setting::RangeThreshold, 10,
       -1, 10},
      {"threshold from 0", "updRangeThreshold", "lblThreshold", setting::RangeThreshold, 0, 1, 10},
      {"time-out up", "updCommTimeOut", "lblComms", setting::CommTimeOut, 600, 1, 700},
      {"time-out at its bottom", "updCommTimeOut", "lblComms", setting::CommTimeOut, 300, -1, 300},
      {"time-out at its top", "updCommTimeOut", "lblComms", setting::CommTimeOut, 3000, 1, 3000},
      {"time-out from beyond its top", "updCommTimeOut", "lblComms", setting::CommTimeOut, 5000, -1,
       3000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    platform::RegistryStore::instance().deleteKey(platform::hive::LocalMachine,
                                                  orvanRV1X::kSettingsKey);
    writeSetting(c.value, c.stored);
    open();
    click(upDown(c.upDown), c.direction);
    const bool moved = c.shown != c.stored;
    EXPECT_EQ(caption(c.label), QString::number(c.shown));
    const rt::Long inSetup = c.value == setting::CommTimeOut ? setup_->CommTimeOutValue()
                                                             : setup_->RangeThresholdValue();
    EXPECT_EQ(inSetup, c.shown);
    EXPECT_EQ(changes(), moved ? 1 : 0);
    EXPECT_EQ(storedSetting(c.value).toInt(), c.shown) << "the changed value is written";
    const QString other =
        c.value == setting::CommTimeOut ? setting::RangeThreshold : setting::CommTimeOut;
    EXPECT_FALSE(storedSetting(other).isValid()) << "the other one is not";
    dialog_->Unload();
    dialog_.reset();
  }
}

TEST_F(PreferencesTest, ChangesGoToTheHostsCallbackOnceItIsSet) {
  open();
  auto own = std::make_shared<host::DefaultCallBack>();
  dialog_->SetCallBack(own);
  click(upDown("updRangeThreshold"), 1);
  click(upDown("updRangeThreshold"), 1);
  EXPECT_EQ(own->events(), (QStringList{"Change", "Change"}));
}

TEST_F(PreferencesTest, LockedDisablesBothUpDowns) {
  open();
  for (bool locked : {true, true, false, false}) {
    dialog_->SetLocked(locked);
    EXPECT_EQ(dialog_->Locked(), locked);
    EXPECT_EQ(upDown("updRangeThreshold")->isEnabled(), !locked);
    EXPECT_EQ(upDown("updCommTimeOut")->isEnabled(), !locked);
  }
  // Each call applies the flag, also when it is the one the page holds.
  upDown("updRangeThreshold")->setEnabled(false);
  dialog_->SetLocked(false);
  EXPECT_TRUE(upDown("updRangeThreshold")->isEnabled());
  dialog_->SetLocked(true);
  click(upDown("updRangeThreshold"), 1);
  EXPECT_EQ(caption("lblThreshold"), QStringLiteral("50"));
  EXPECT_EQ(changes(), 0);
  clickTab(2);
  EXPECT_TRUE(child<QWidget>("pboPictureBoxes(1)")->isVisible()) << "the tabs still switch";
}

TEST_F(PreferencesTest, TabsShowTheirPages) {
  open();
  auto* prefs = dynamic_cast<orvanRV1X::XPluginPrefs*>(page());
  clickTab(2);
  EXPECT_EQ(prefs->CurrentPage(), 1);
  EXPECT_TRUE(child<QWidget>("pboPictureBoxes(1)")->isVisible());
  EXPECT_FALSE(child<QWidget>("pboPictureBoxes(0)")->isVisible());
  clickTab(2);
  EXPECT_EQ(prefs->CurrentPage(), 1);
  EXPECT_TRUE(child<QWidget>("pboPictureBoxes(1)")->isVisible());
  clickTab(1);
  EXPECT_EQ(prefs->CurrentPage(), 0);
  EXPECT_TRUE(child<QWidget>("pboPictureBoxes(0)")->isVisible());
  EXPECT_EQ(changes(), 0);
}

TEST_F(PreferencesTest, TheShownPageFollowsTheTabWhicheverWayItIsChosen) {
  open();
  auto* prefs = dynamic_cast<orvanRV1X::XPluginPrefs*>(page());
  auto* tabs = child<controls::TabStrip>("tbsTabStrip");
  const auto wheel = [&](int delta) {
    const QPointF at = tabs->tabRect(0).center();
    QWheelEvent event(at, tabs->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(tabs, &event);
  };
  const struct {
    const char* what;
    std::function<void()> choose;
  } ways[] = {
      {"wheel on", [&] { wheel(-120); }},
      {"wheel back", [&] { wheel(120); }},
      {"key right", [&] { QTest::keyClick(tabs, Qt::Key_Right); }},
      {"key left", [&] { QTest::keyClick(tabs, Qt::Key_Left); }},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.what);
    way.choose();
    const int selected = tabs->SelectedIndex() - 1;
    EXPECT_EQ(prefs->CurrentPage(), selected);
    EXPECT_TRUE(
        child<QWidget>(selected == 0 ? "pboPictureBoxes(0)" : "pboPictureBoxes(1)")->isVisible());
    EXPECT_FALSE(
        child<QWidget>(selected == 0 ? "pboPictureBoxes(1)" : "pboPictureBoxes(0)")->isVisible());
  }
  EXPECT_EQ(prefs->CurrentPage(), 0);
}

TEST_F(PreferencesTest, DataThatIsNoSetupKeepsTheSetupBound) {
  open();
  dialog_->Initialize(QVariant(42));
  click(upDown("updRangeThreshold"), 1);
  EXPECT_EQ(setup_->RangeThresholdValue(), 60);
  EXPECT_EQ(changes(), 1);
}

TEST_F(PreferencesTest, WithoutASetupAStepChangesNothingElse) {
  const auto prefs =
      com::createObjectAs<host::ICustomControl>(QStringLiteral("SelkamRV1X.XPluginPrefs"));
  auto* widget = dynamic_cast<QWidget*>(prefs.get());
  ASSERT_TRUE(widget);
  prefs->Initialize(QVariant(QStringLiteral("no setup")));
  auto* threshold = widget->findChild<controls::UpDown*>(QStringLiteral("updRangeThreshold"));
  ASSERT_TRUE(threshold);
  QTest::mouseClick(threshold->UpButton(), Qt::LeftButton);
  auto callBack = std::dynamic_pointer_cast<host::DefaultCallBack>(prefs->CallBack());
  ASSERT_TRUE(callBack) << "a callback of the page's own";
  EXPECT_TRUE(callBack->events().isEmpty());
  EXPECT_TRUE(reportedNumbers().isEmpty());
  EXPECT_FALSE(storedSetting(setting::RangeThreshold).isValid());
}

}  // namespace
}  // namespace plugintest
