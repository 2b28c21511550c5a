// Controls added to a container at run time by registered name, held
// through their extenders.

#include <gtest/gtest.h>

#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

#include "QtPrinters.h"
#include "TestControl.h"
#include "TestSupport.h"
#include "com/CreateObject.h"
#include "ui/Controls.h"
#include "ui/Twips.h"
#include "ui/UserControl.h"
#include "ui/WindowHandles.h"

namespace {

using testsupport::TemporaryRegistry;

using testsupport::errorOf;

// A form that adds controls at run time: its collection is a member, so it
// gives the controls back before Qt destroys the form's children.
class Form : public QWidget {
 public:
  ui::Controls controls{this};
};

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(
        testsupport::registerServer(testsupport::builtLibrary(QStringLiteral("rv1xtestserver"))));
    ASSERT_DOUBLE_EQ(ui::twipsPerPixel(), 15.0) << "the offscreen screen is 96 DPI";
  }
  TemporaryRegistry registry;
};

TEST_F(ControlsTest, AddsAControlByRegisteredNameUnderItsControlName) {
  Form form;
  auto extender = form.controls.Add(QStringLiteral("rv1xtest.CONTROL"), QStringLiteral("isc"));
  ASSERT_TRUE(extender);
  EXPECT_EQ(extender->Name(), QStringLiteral("isc"));
  QWidget* widget = extender->widget();
  ASSERT_TRUE(widget);
  EXPECT_EQ(widget->objectName(), QStringLiteral("isc"));
  EXPECT_EQ(widget->parentWidget(), &form);
  EXPECT_TRUE(com::queryInterface<ITestControl>(extender->Object()));
  auto control = com::queryInterface<ui::UserControl>(extender->Object());
  ASSERT_TRUE(control);
  EXPECT_EQ(control->ContainerExtender(), extender.get());
  EXPECT_EQ(form.controls.Item(QStringLiteral("ISC")), extender);
  EXPECT_FALSE(form.controls.Item(QStringLiteral("other")));
  EXPECT_EQ(form.controls.Count(), 1);
}

TEST_F(ControlsTest, PlacesAndSizesAreTwips) {
  Form form;
  auto extender =
      form.controls.Add(QStringLiteral("RV1XTest.Control"), QStringLiteral("irvResult"));
  extender->Move(150, 300, 1500, 750);
  EXPECT_EQ(extender->widget()->geometry(), QRect(10, 20, 100, 50));
  EXPECT_EQ(extender->Left(), 150);
  EXPECT_EQ(extender->Top(), 300);
  EXPECT_EQ(extender->Width(), 1500);
  EXPECT_EQ(extender->Height(), 750);
  extender->Move(30, 45);  // width and height left out keep theirs
  EXPECT_EQ(extender->widget()->geometry(), QRect(2, 3, 100, 50));
  extender->SetWidth(2475);
  extender->SetHeight(100);  // 6.67 pixels: the nearest
  extender->SetTop(0);
  extender->SetLeft(15);
  EXPECT_EQ(extender->widget()->geometry(), QRect(1, 0, 165, 7));
  EXPECT_EQ(extender->Height(), 105);
  auto control = com::queryInterface<ui::UserControl>(extender->Object());
  EXPECT_EQ(control->ScaleWidth(), 2475);
  EXPECT_EQ(control->ScaleHeight(), 105);
}

TEST_F(ControlsTest, AMoveToANegativeSizeFailsAndLeavesTheControlWhereItWas) {
  Form form;
  auto extender = form.controls.Add(QStringLiteral("RV1XTest.Control"), QStringLiteral("isc"));
  extender->Move(150, 300, 1500, 750);
  const QRect place = extender->widget()->geometry();
  const std::vector<std::function<void()>> moves{
      [&] { extender->Move(0, 0, -15, 750); },
      [&] { extender->Move(0, 0, 1500, -1); },
      [&] { extender->SetWidth(-120); },
      [&] { extender->SetHeight(-0.5); },
  };
  for (const auto& move : moves) {
    EXPECT_EQ(errorOf(move), 380);
    EXPECT_EQ(extender->widget()->geometry(), place);
  }
  extender->Move(0, 0, 0, 0);
  EXPECT_EQ(extender->widget()->geometry(), QRect(0, 0, 0, 0)) << "an empty size is a size";
}

TEST_F(ControlsTest, VisibleAndTag) {
  Form form;
  form.show();
  auto extender =
      form.controls.Add(QStringLiteral("RV1XTest.Control"), QStringLiteral("xddDropDown"));
  EXPECT_TRUE(extender->Visible());
  EXPECT_TRUE(extender->widget()->isVisible());
  extender->SetVisible(false);
  EXPECT_FALSE(extender->Visible());
  EXPECT_FALSE(extender->widget()->isVisible());
  extender->SetVisible(true);
  EXPECT_TRUE(extender->widget()->isVisible());
  form.hide();
  EXPECT_TRUE(extender->Visible()) << "the property, not whether the form shows it";
  EXPECT_TRUE(extender->Tag().isEmpty());
  extender->SetTag(QStringLiteral("1"));
  EXPECT_EQ(extender->Tag(), QStringLiteral("1"));
}

TEST_F(ControlsTest, NamesAndRegisteredNamesThatFail) {
  Form form;
  form.controls.Add(QStringLiteral("RV1XTest.Control"), QStringLiteral("isc"));
  EXPECT_EQ(errorOf([&] {
              form.controls.Add(QStringLiteral("RV1XTest.Control"), QStringLiteral("ISC"));
            }),
            5);
  EXPECT_EQ(errorOf([&] {
              form.controls.Add(QStringLiteral("OrvanView.XLimitView"), QStringLiteral("lv"));
            }),
            429);
  EXPECT_EQ(errorOf([&] { form.controls.AddObject(nullptr, QStringLiteral("none")); }), 91);
  EXPECT_EQ(form.controls.Count(), 1);
  form.controls.Remove(QStringLiteral("Isc"));
  EXPECT_EQ(form.controls.Count(), 0);
  // A component that is no widget is held all the same, without a place.
  auto greeter = form.controls.Add(QStringLiteral("RV1XTest.Greeter"), QStringLiteral("g"));
  EXPECT_FALSE(greeter->widget());
  greeter->Move(150, 150, 150, 150);
  EXPECT_EQ(greeter->Left(), 0);
}

TEST_F(ControlsTest, EventsOfTheControlReachTheContainerAtOnce) {
  Form form;
  auto extender =
      form.controls.Add(QStringLiteral("RV1XTest.Control"), QStringLiteral("irvResult"));
  QString name;
  QVariantList parameters;
  QObject::connect(extender.get(), &ui::Extender::ObjectEvent,
                   [&](const QString& n, const QVariantList& p) {
                     name = n;
                     parameters = p;
                   });
  com::cast<ITestControl>(extender->Object())->Fire(QStringLiteral("ItemClicked"), {QVariant(1)});
  EXPECT_EQ(name, QStringLiteral("ItemClicked"));
  EXPECT_EQ(parameters, QVariantList{QVariant(1)});
  com::cast<ITestControl>(extender->Object())->Fire(QStringLiteral("MouseDown"), {});
  EXPECT_EQ(name, QStringLiteral("MouseDown"));
  EXPECT_TRUE(parameters.isEmpty());
}

TEST_F(ControlsTest, AControlDockedElsewhereIsTakenBack) {
  Form form;
  QWidget hostWindow;
  auto extender = form.controls.Add(QStringLiteral("RV1XTest.Control"), QStringLiteral("isc"));
  extender->SetVisible(false);
  ui::SetParent(ui::handleOf(extender->widget()), ui::handleOf(&hostWindow));
  EXPECT_EQ(extender->widget()->parentWidget(), &hostWindow);
  extender->reclaim();
  EXPECT_EQ(extender->widget()->parentWidget(), &form);
  EXPECT_TRUE(extender->widget()->isHidden()) << "its Visible property holds";
  auto control = com::queryInterface<ui::UserControl>(extender->Object());
  EXPECT_EQ(control->BackColor(), ui::syscolor::ButtonFace);
  control->SetBackColor(ui::rgb(255, 255, 255));
  EXPECT_EQ(control->BackColor(), 0xFFFFFFu);
  EXPECT_EQ(control->palette().color(QPalette::Window), QColor(255, 255, 255));
}

TEST_F(ControlsTest, AControlOutlivesItsFormWhileReferenced) {
  std::shared_ptr<ui::Extender> extender;
  com::ObjectPtr control;
  {
    Form form;
    extender = form.controls.Add(QStringLiteral("RV1XTest.Control"), QStringLiteral("isc"));
    control = extender->Object();
  }
  QPointer<QWidget> widget = extender->widget();
  ASSERT_TRUE(widget) << "the form must not delete a control that is still referenced";
  EXPECT_FALSE(widget->parentWidget());
  EXPECT_FALSE(widget->isVisible());
  com::cast<ITestControl>(control)->Fire(QStringLiteral("Late"), {});  // no one listens
  extender.reset();
  EXPECT_TRUE(widget);
  control.reset();
  EXPECT_FALSE(widget) << "the last reference deletes it";
}

TEST_F(ControlsTest, AContainerDestroyedBeforeItsControlsCollection) {
  // A collection that is not a member of its container, destroyed after it.
  auto* container = new QWidget;
  auto controls = std::make_unique<ui::Controls>(container);
  auto extender = controls->Add(QStringLiteral("RV1XTest.Control"), QStringLiteral("isc"));
  QPointer<QWidget> widget = extender->widget();
  delete container;
  ASSERT_TRUE(widget) << "Qt must not delete a control that is still referenced";
  EXPECT_FALSE(widget->parentWidget());
  controls.reset();
  extender.reset();
  EXPECT_FALSE(widget);
}

}  // namespace
