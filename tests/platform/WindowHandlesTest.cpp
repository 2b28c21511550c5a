// Window handles and the two window calls of docking.

#include <gtest/gtest.h>

#include <QPointer>
#include <QWidget>

#include "QtPrinters.h"
#include "TestControl.h"
#include "TestSupport.h"
#include "com/CreateObject.h"
#include "ui/UserControl.h"
#include "ui/WindowHandles.h"

namespace {

TEST(WindowHandles, AHandleNamesOneWidgetUntilItIsGone) {
  auto* widget = new QWidget;
  const ui::HWnd handle = ui::handleOf(widget);
  EXPECT_NE(handle, 0);
  EXPECT_EQ(ui::handleOf(widget), handle);
  EXPECT_EQ(ui::widgetOf(handle), widget);
  QWidget other;
  EXPECT_NE(ui::handleOf(&other), handle);
  delete widget;
  EXPECT_EQ(ui::widgetOf(handle), nullptr);
  EXPECT_EQ(ui::handleOf(nullptr), 0);
  EXPECT_EQ(ui::widgetOf(0), nullptr);
  EXPECT_EQ(ui::widgetOf(12345), nullptr);
}

TEST(WindowHandles, SetParentDocksIntoAnotherWindowAndBack) {
  QWidget form, host;
  auto* control = new QWidget(&form);
  form.show();
  host.show();
  const ui::HWnd hControl = ui::handleOf(control);
  EXPECT_EQ(ui::SetParent(hControl, ui::handleOf(&host)), ui::handleOf(&form));
  EXPECT_EQ(control->parentWidget(), &host);
  EXPECT_TRUE(control->isVisible()) << "a shown window stays shown in its new parent";
  EXPECT_EQ(ui::SetParent(hControl, ui::handleOf(&form)), ui::handleOf(&host));
  EXPECT_EQ(control->parentWidget(), &form);
  EXPECT_TRUE(control->isVisible());

  control->hide();
  ui::SetParent(hControl, ui::handleOf(&host));
  EXPECT_FALSE(control->isVisible()) << "a hidden window stays hidden";

  EXPECT_EQ(ui::SetParent(0, ui::handleOf(&host)), 0) << "no child window";
  EXPECT_EQ(ui::SetParent(hControl, 999999), 0) << "an unknown parent changes nothing";
  EXPECT_EQ(control->parentWidget(), &host);
  EXPECT_EQ(ui::SetParent(hControl, 0), ui::handleOf(&host));
  EXPECT_EQ(control->parentWidget(), nullptr);
  EXPECT_TRUE(control->isWindow());
  delete control;
}

TEST(WindowHandles, SetWindowPosPlacesInPixels) {
  QWidget frame;
  auto* combo = new QWidget(&frame);
  EXPECT_TRUE(ui::SetWindowPos(ui::handleOf(combo), 8, 24, 120, 300));
  EXPECT_EQ(combo->geometry(), QRect(8, 24, 120, 300));
  EXPECT_FALSE(ui::SetWindowPos(0, 1, 2, 3, 4));
  EXPECT_FALSE(ui::SetWindowPos(424242, 1, 2, 3, 4));
}

TEST(WindowHandles, AWindowGoingDoesNotTakeADockedControlWithIt) {
  testsupport::TemporaryRegistry registry;
  ASSERT_TRUE(
      testsupport::registerServer(testsupport::builtLibrary(QStringLiteral("rv1xtestserver"))));
  com::ObjectPtr object = com::createObject(QStringLiteral("RV1XTest.Control"));
  QPointer<QWidget> control = com::queryInterface<ui::UserControl>(object).get();
  {
    QWidget hostWindow;
    ui::SetParent(ui::handleOf(control), ui::handleOf(&hostWindow));
    EXPECT_EQ(control->parentWidget(), &hostWindow);
  }
  ASSERT_TRUE(control) << "its references own the control";
  EXPECT_EQ(control->parentWidget(), nullptr);
  object.reset();
  EXPECT_FALSE(control);
}

}  // namespace
