// The result comment dialog in the dialog host: the comment read-only under
// its title, the custom-control members that keep nothing, and the layout
// on resize.

#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>

#include "QtPrinters.h"
#include "TestSupport.h"
#include "records/RunObjects.h"
#include "results/CResultChargeTime.h"
#include "settings/FDialogWrapper.h"
#include "typelib/ICustomControl.h"
#include "ui/Extender.h"
#include "ui/Twips.h"

namespace {

using orvanRV1Xtst::FDialogWrapper;

class DetailedResultTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(testsupport::registerServer(testsupport::builtLibrary("orvanRV1Xtst")));
    extender = dialog.CreateSetupCtrl(QStringLiteral("RV1XTests.XDetailedResult"));
    ASSERT_TRUE(extender);
    control = com::cast<host::ICustomControl>(extender->Object());
    view = extender->widget();
    title = view->findChild<QLabel*>(QStringLiteral("lblTitle"));
    comment = view->findChild<QPlainTextEdit*>(QStringLiteral("txtComment"));
    ASSERT_TRUE(title && comment);
  }

  void TearDown() override { dialog.Unload(); }

  void showComment(const QString& text) {
    auto result = std::make_shared<orvanRV1Xtst::CResultChargeTime>();
    result->SetComment(text);
    dialog.Initialize(com::toVariantOf(result));
  }

  void resizeTo(int widthTwips, int heightTwips) {
    view->resize(ui::toPixels(widthTwips), ui::toPixels(heightTwips));
  }

  static QString twips(const QWidget* widget) {
    const QRect place = widget->geometry();
    return QStringLiteral("%1, %2, %3, %4")
        .arg(ui::toTwips(place.x()))
        .arg(ui::toTwips(place.y()))
        .arg(ui::toTwips(place.width()))
        .arg(ui::toTwips(place.height()));
  }

  testsupport::TemporaryRegistry registry;
  FDialogWrapper dialog;
  std::shared_ptr<ui::Extender> extender;
  host::ICustomControlPtr control;
  QWidget* view = nullptr;
  QLabel* title = nullptr;
  QPlainTextEdit* comment = nullptr;
};

TEST_F(DetailedResultTest, ShowsTheCommentReadOnlyUnderItsTitle) {
  EXPECT_EQ(title->text(), QStringLiteral("Comment"));
  EXPECT_TRUE(title->font().bold());
  EXPECT_TRUE(title->font().italic());
  EXPECT_DOUBLE_EQ(title->font().pointSizeF(), 9.75);

  showComment(QStringLiteral("Paddles cleaned before the test."));
  EXPECT_EQ(comment->toPlainText(), QStringLiteral("Paddles cleaned before the test."));
  EXPECT_TRUE(comment->isReadOnly());
  EXPECT_EQ(comment->palette().color(QPalette::Base), ui::toQColor(ui::syscolor::ButtonFace));

  dialog.show();
  control->SetFocus();
  EXPECT_EQ(comment->window()->focusWidget(), comment) << "the comment takes the focus";
  QTest::keyClicks(comment, QStringLiteral("typed"));
  EXPECT_EQ(comment->toPlainText(), QStringLiteral("Paddles cleaned before the test."));
  for (bool locked : {false, true}) {
    control->SetLocked(locked);
    EXPECT_FALSE(control->Locked());
    EXPECT_TRUE(comment->isReadOnly());
  }
}

TEST_F(DetailedResultTest, EmptyCommentsAndDataThatIsNoResult) {
  showComment(QString());
  EXPECT_TRUE(comment->toPlainText().isEmpty());
  EXPECT_TRUE(comment->isReadOnly());

  showComment(QStringLiteral("an earlier comment"));
  dialog.Initialize(QVariant(QStringLiteral("no result")));
  EXPECT_TRUE(comment->toPlainText().isEmpty()) << "no comment of another result stays";
  dialog.Initialize(com::toVariant(nullptr));
  EXPECT_TRUE(comment->toPlainText().isEmpty());
}

TEST_F(DetailedResultTest, KeepsNoCallBackAndAnswersItsHostsVisibility) {
  control->SetCallBack(std::make_shared<host::DefaultCallBack>());
  EXPECT_FALSE(control->CallBack());
  EXPECT_EQ(control->hWnd(), ui::handleOf(view));

  control->SetVisible(false);
  EXPECT_FALSE(control->Visible());
  EXPECT_FALSE(extender->Visible()) << "the host extender's property";
  extender->SetVisible(true);
  EXPECT_TRUE(control->Visible());
}

TEST_F(DetailedResultTest, LayoutFollowsTheSizeAndKeepsWhatNoLongerFits) {
  dialog.show();  // a control hears of its resizes once shown
  resizeTo(4800, 2400);
  EXPECT_EQ(twips(title), "120, 0, 4680, 255");
  EXPECT_EQ(twips(comment), "120, 255, 4680, 2145");

  resizeTo(3000, 1500);
  EXPECT_EQ(twips(title), "120, 0, 2880, 255");
  EXPECT_EQ(twips(comment), "120, 255, 2880, 1245");

  resizeTo(105, 1500);  // narrower than the indent: neither can be moved
  EXPECT_EQ(twips(title), "120, 0, 2880, 255");
  EXPECT_EQ(twips(comment), "120, 255, 2880, 1245");

  resizeTo(2400, 150);  // lower than the title: only the comment stays
  EXPECT_EQ(twips(title), "120, 0, 2280, 255");
  EXPECT_EQ(twips(comment), "120, 255, 2880, 1245");

  resizeTo(2400, 255);
  EXPECT_EQ(twips(comment), "120, 255, 2280, 0") << "exactly the title's height fits";
}

TEST_F(DetailedResultTest, ALongCommentWrapsAndScrolls) {
  QStringList lines;
  for (int i = 1; i <= 40; ++i)
    lines << QStringLiteral("Line %1 of a long comment about the defibrillator's paddles.").arg(i);
  showComment(lines.join(u'\n'));
  resizeTo(4800, 2400);
  dialog.show();
  dialog.resize(view->size());
  QTest::qWait(0);
  EXPECT_TRUE(comment->verticalScrollBar()->isVisible());
  EXPECT_FALSE(comment->horizontalScrollBar()->isVisible());
  EXPECT_EQ(comment->toPlainText(), lines.join(u'\n'));
  EXPECT_TRUE(testsupport::saveScreenshot(*view, QStringLiteral("XDetailedResult")));
}

TEST_F(DetailedResultTest, AResultsDialogShowsItsComment) {
  auto owned = std::make_shared<orvanRV1Xtst::CResultChargeTime>();
  owned->SetComment(QStringLiteral("Charged twice."));
  const host::IDialogPtr resultDialog = owned->CreateDialog();
  ASSERT_TRUE(resultDialog);
  auto* form = dynamic_cast<QWidget*>(resultDialog.get());
  ASSERT_TRUE(form);
  auto* shown = form->findChild<QPlainTextEdit*>(QStringLiteral("txtComment"));
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->toPlainText(), QStringLiteral("Charged twice."));
  EXPECT_TRUE(shown->isReadOnly());
  resultDialog->Unload();
}

}  // namespace
