// The host's editor controls, created by registered name as the editors and
// the preferences page create them.

#include <QCheckBox>
#include <QLabel>
#include <QToolButton>

#include "EditorFixture.h"
#include "com/CreateObject.h"
#include "records/TestGuideSettingsObject.h"
#include "typelib/IEditorControls.h"
#include "ui/Controls.h"

namespace {

using editortest::LanguageScope;

class HostEditorControls : public editortest::EditorTest {
 protected:
  // A control of the host's library on a container, as a form adds it.
  std::shared_ptr<ui::Extender> add(const char* progId, double left, double top, double width,
                                    double height) {
    auto extender = controls_.Add(QLatin1String(progId), QStringLiteral("ctl"));
    extender->Move(left, top, width, height);
    return extender;
  }
  template <class I>
  static std::shared_ptr<I> as(const std::shared_ptr<ui::Extender>& extender) {
    return com::queryInterface<I>(extender->Object());
  }
  // The events the control raises from now on, as "Name parameters".
  QStringList& watch(const std::shared_ptr<ui::Extender>& extender) {
    auto spy = std::make_shared<QStringList>();
    QObject::connect(extender.get(), &ui::Extender::ObjectEvent, extender.get(),
                     [spy](const QString& name, const QVariantList& parameters) {
                       QString line = name;
                       for (const QVariant& p : parameters) line += u' ' + p.toString();
                       spy->append(line);
                     });
    spies_.push_back(spy);
    return *spy;
  }

  QWidget form_;
  ui::Controls controls_{&form_};
  std::vector<std::shared_ptr<QStringList>> spies_;
};

TEST_F(HostEditorControls, TheGuideSettingsEditTheBoundObject) {
  auto control = add("orvanView.XTestGuideSettings", 0, 0, 1815, 735);
  const QStringList& seen = watch(control);
  auto settings = as<host::ITestGuideSettings>(control);
  ASSERT_TRUE(settings);
  auto* skip = control->widget()->findChild<QCheckBox*>(QStringLiteral("chkSkip"));
  auto* previous = control->widget()->findChild<QCheckBox*>(QStringLiteral("chkPrevious"));
  ASSERT_TRUE(skip && previous);
  EXPECT_FALSE(skip->isEnabled()) << "nothing bound, nothing offered";

  auto object = std::make_shared<host::TestGuideSettingsObject>();
  object->SetButtonMask(host::guidebutton::Skip | host::guidebutton::Running);
  settings->Bind(object);
  EXPECT_TRUE(skip->isChecked());
  EXPECT_FALSE(previous->isChecked());
  tick(previous);
  tick(skip);
  EXPECT_EQ(object->ButtonMask(), host::guidebutton::Previous | host::guidebutton::Running)
      << "the guide's own bit stays";
  EXPECT_EQ(seen, (QStringList{"Changed", "Changed"}));

  settings->SetLocked(true);
  EXPECT_TRUE(settings->Locked());
  EXPECT_FALSE(skip->isEnabled());
  settings->Bind(nullptr);
  EXPECT_FALSE(previous->isChecked());
}

TEST_F(HostEditorControls, TheGuideSettingsSpeakTheHostsLanguage) {
  const LanguageScope german{QStringLiteral("de")};
  auto control = add("orvanView.XTestGuideSettings", 0, 0, 1815, 735);
  EXPECT_EQ(control->widget()->findChild<QCheckBox*>(QStringLiteral("chkSkip"))->text(),
            QStringLiteral("Überspringen"));
  EXPECT_EQ(control->widget()->findChild<QCheckBox*>(QStringLiteral("chkNotApplicable"))->text(),
            QStringLiteral("N/A"));
}

TEST_F(HostEditorControls, TheHelpPaneArrangesItselfAlongTheBottom) {
  form_.resize(ui::toPixels(8490), ui::toPixels(3420));
  auto control = add("orvanView.XHelpText", 0, 2445, 8490, 975);
  auto help = as<host::IHelpText>(control);
  ASSERT_TRUE(help);
  help->SetCaption(QStringLiteral("20195::Select ECG wave."));
  // The form's caption translation reaches the pane's caption.
  host::LanguageService::instance()->TranslateControls(host::kProduct, &form_);
  EXPECT_EQ(help->Caption(), QStringLiteral("Select ECG wave."));

  const struct {
    rt::Single height;
    rt::Single top;
    double shownHeight;
    bool visible;
  } cases[] = {
      {3420, 2445, 975, true},   // as designed
      {4000, 3025, 975, true},   // taller: the pane moves down with the bottom
      {3000, 2445, 555, true},   // shorter: it keeps its top and shrinks
      {2685, 2445, 240, false},  // 240 twips or less: hidden
      {2055, 2445, 0, false},    // below its top: hidden, the inputs keep their room
  };
  for (const auto& c : cases) {
    rt::Single height = c.height;
    EXPECT_EQ(help->Arrange(height), c.top) << c.height;
    EXPECT_EQ(control->Visible(), c.visible) << c.height;
    if (c.visible) {
      EXPECT_EQ(control->Top(), ui::toTwips(ui::toPixels(c.top))) << c.height;
      EXPECT_EQ(control->Height(), ui::toTwips(ui::toPixels(c.shownHeight))) << c.height;
    }
  }
}

TEST_F(HostEditorControls, TheDropDownFieldTellsItsKeysClicksAndFocus) {
  form_.show();
  auto control = add("orvanView.XDropDown", 0, 0, 1500, 285);
  auto field = as<host::IDropDown>(control);
  ASSERT_TRUE(field);
  field->SetText(QStringLiteral("30"));
  EXPECT_EQ(field->Text(), QStringLiteral("30"));
  const QStringList& seen = watch(control);
  QWidget* box = control->widget();
  box->setFocus();
  QApplication::processEvents();
  key(box, Qt::Key_Down);
  key(box, Qt::Key_Return);
  QTest::keyClick(box, Qt::Key_Escape, Qt::ShiftModifier);
  click(box->findChild<QToolButton*>(QStringLiteral("cmdDrop")));
  QTest::mouseDClick(box, Qt::LeftButton);
  box->clearFocus();
  QApplication::processEvents();
  EXPECT_EQ(seen, (QStringList{"GotFocus", "KeyDown 40 0", "KeyDown 13 0", "KeyDown 16 1",
                               "KeyDown 27 1", "DropButton", "Commit", "LostFocus"}));
}

}  // namespace
