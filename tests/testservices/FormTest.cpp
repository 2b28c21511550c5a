// The form base, the z-order, masked pictures and the synthetic input the
// scripted operator uses.

#include <gtest/gtest.h>

#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "TestSupport.h"
#include "runtime/RuntimeError.h"
#include "ui/Form.h"
#include "ui/MaskedPicture.h"
#include "ui/SyntheticInput.h"
#include "ui/Twips.h"
#include "ui/ZOrder.h"

namespace {

using testsupport::errorOf;

class TestForm : public ui::Form {
 public:
  QStringList events;
  bool cancelClose = false;
  bool failLoad = false;

 protected:
  void Form_Load() override {
    events << QStringLiteral("Load");
    if (failLoad) rt::raise(rt::err::InvalidCall, QStringLiteral("TestForm"));
  }
  void Form_Activate() override { events << QStringLiteral("Activate"); }
  void Form_Resize() override { events << QStringLiteral("Resize"); }
  void Form_QueryUnload(bool& cancel) override {
    events << QStringLiteral("QueryUnload");
    cancel = cancelClose;
  }
  void Form_Unload() override { events << QStringLiteral("Unload"); }
};

TEST(Form, ModalDisplayEndsOnlyAfterTheHidingHandlerHasReturned) {
  TestForm form;
  bool setAfterHide = false;
  QTimer::singleShot(0, &form, [&] {
    form.Hide();
    testsupport::runEventsFor(30);  // events still run; the display has not ended yet
    setAfterHide = true;
  });
  form.Show(ui::form::Modal);
  EXPECT_TRUE(setAfterHide);
  EXPECT_FALSE(form.IsModal());
  EXPECT_TRUE(form.Loaded()) << "hidden, not unloaded";
}

TEST(Form, HideInsideANestedHandlerWaitsForTheOuterHandlerToo) {
  // A run polls inside the Play handler; Abort arrives in between and hides.
  TestForm form;
  bool runEnded = false;
  bool hiddenDuringRun = false;
  QTimer::singleShot(0, &form, [&] {
    QTimer::singleShot(10, &form, [&] {
      form.Hide();
      hiddenDuringRun = true;
    });
    testsupport::runEventsFor(60);
    runEnded = true;
  });
  form.Show(ui::form::Modal);
  EXPECT_TRUE(hiddenDuringRun);
  EXPECT_TRUE(runEnded) << "the display ended before the run's handler returned";
}

TEST(Form, LoadRunsOnceAndShowLoadsAndActivates) {
  TestForm form;
  form.Load();
  form.Load();
  QTimer::singleShot(0, &form, [&] { form.Hide(); });
  form.Show(ui::form::Modal);
  EXPECT_EQ(form.events.count(QStringLiteral("Load")), 1);
  EXPECT_TRUE(form.events.contains(QStringLiteral("Activate")));
}

TEST(Form, AFailingLoadReachesTheCallerAndLeavesTheFormUnloaded) {
  TestForm form;
  form.failLoad = true;
  EXPECT_EQ(errorOf([&] { form.Show(ui::form::Modal); }), rt::err::InvalidCall);
  EXPECT_FALSE(form.Loaded());
  EXPECT_FALSE(form.isVisible());
}

TEST(Form, UnloadEndsTheModalDisplay) {
  TestForm form;
  QTimer::singleShot(0, &form, [&] { form.Unload(); });
  form.Show(ui::form::Modal);
  EXPECT_FALSE(form.Loaded());
  EXPECT_TRUE(form.events.contains(QStringLiteral("Unload")));
  form.events.clear();
  form.Unload();
  EXPECT_TRUE(form.events.isEmpty()) << "an unloaded form is left alone";
}

TEST(Form, ACloseRequestAsksTheFormWhichMayRefuse) {
  TestForm form;
  form.cancelClose = true;
  bool stillShown = false;
  QTimer::singleShot(0, &form, [&] {
    form.close();
    stillShown = form.isVisible() && form.IsModal();
    form.cancelClose = false;
    form.close();
  });
  form.Show(ui::form::Modal);
  EXPECT_TRUE(stillShown);
  EXPECT_EQ(form.events.count(QStringLiteral("QueryUnload")), 2);
  EXPECT_FALSE(form.Loaded()) << "an accepted close request unloads the form";
}

TEST(Form, ShowingAFormModallyTwiceIsError400) {
  TestForm form;
  rt::Long nested = 0;
  QTimer::singleShot(0, &form, [&] {
    nested = errorOf([&] { form.Show(ui::form::Modal); });
    form.Hide();
  });
  form.Show(ui::form::Modal);
  EXPECT_EQ(nested, 400);
}

TEST(Form, ModalObserversAreToldAsTheDisplayStarts) {
  TestForm form;
  ui::Form* seen = nullptr;
  bool modalWhenTold = false;
  const int id = ui::Form::addModalObserver([&](ui::Form& shown) {
    seen = &shown;
    modalWhenTold = shown.IsModal() && ui::Form::activeModal() == &shown;
    QTimer::singleShot(0, &shown, [&shown] { shown.Hide(); });
  });
  form.Show(ui::form::Modal);
  ui::Form::removeModalObserver(id);
  EXPECT_EQ(seen, &form);
  EXPECT_TRUE(modalWhenTold);
  EXPECT_EQ(ui::Form::activeModal(), nullptr);
}

TEST(Form, InnerSizeCaptionIconAndResize) {
  TestForm form;
  form.SetClientSize(8910, 5625);
  EXPECT_EQ(form.ScaleWidth(), 8910);
  EXPECT_EQ(form.ScaleHeight(), 5625);
  form.Show();
  form.events.clear();
  form.SetClientSize(9000, 6000);
  EXPECT_TRUE(form.events.contains(QStringLiteral("Resize")));
  form.SetCaption(QStringLiteral("Test Guide - Discharge"));
  EXPECT_EQ(form.Caption(), QStringLiteral("Test Guide - Discharge"));
  QImage icon(16, 16, QImage::Format_RGB32);
  icon.fill(Qt::blue);
  form.SetIcon(icon);
  EXPECT_EQ(form.Icon(), icon);
  EXPECT_FALSE(form.windowIcon().isNull());
}

TEST(ZOrder, BringsAControlInFrontOfOrBehindItsSiblings) {
  QWidget parent;
  auto* a = new QWidget(&parent);
  auto* b = new QWidget(&parent);
  ui::ZOrder(a);
  EXPECT_EQ(parent.children().last(), a);
  ui::ZOrder(a, ui::zorder::Back);
  EXPECT_EQ(parent.children().last(), b);
  EXPECT_EQ(errorOf([] { ui::ZOrder(nullptr); }), rt::err::ObjectNotSet);
}

TEST(MaskedPicture, MakesExactlyTheMaskColourTransparent) {
  QImage picture(3, 1, QImage::Format_RGB888);
  picture.setPixel(0, 0, qRgb(255, 0, 0));
  picture.setPixel(1, 0, qRgb(254, 0, 0));
  picture.setPixel(2, 0, qRgb(0, 0, 255));
  const QImage masked = ui::maskedPicture(picture, 0x000000FFu);  // red, as 0x00BBGGRR
  EXPECT_EQ(qAlpha(masked.pixel(0, 0)), 0);
  EXPECT_EQ(masked.pixel(1, 0), qRgb(254, 0, 0));
  EXPECT_EQ(masked.pixel(2, 0), qRgb(0, 0, 255));
  EXPECT_TRUE(ui::maskedPicture(QImage(), 0x000000FFu).isNull());
}

TEST(SyntheticInput, ClicksReachOnlyWhatAPersonCouldClick) {
  QWidget window;
  auto* button = new QPushButton(QStringLiteral("Go"), &window);
  int clicks = 0;
  QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });
  window.show();
  EXPECT_TRUE(ui::click(button));
  EXPECT_EQ(clicks, 1);
  button->setEnabled(false);
  EXPECT_FALSE(ui::click(button));
  button->setEnabled(true);
  button->hide();
  EXPECT_FALSE(ui::click(button));
  EXPECT_FALSE(ui::click(nullptr));
  EXPECT_EQ(clicks, 1);
}

TEST(SyntheticInput, TypingReplacesTheText) {
  QLineEdit edit(QStringLiteral("old text"));
  edit.show();
  ui::typeText(&edit, QStringLiteral("SN 4711"));
  EXPECT_EQ(edit.text(), QStringLiteral("SN 4711"));
  ui::typeText(&edit, QString());
  EXPECT_EQ(edit.text(), QString());
}

}  // namespace
