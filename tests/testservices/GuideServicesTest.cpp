// The guide's host services and the run context's navigation code.

#include <gtest/gtest.h>

#include "StubTestElement.h"
#include "TestSupport.h"
#include "elements/TestElementBase.h"
#include "elements/TestInfo.h"
#include "guide/ImageService.h"
#include "guide/TestGuideService.h"
#include "records/RunContext.h"
#include "ui/MessageBoxes.h"

namespace {

using testsupport::errorOf;

TEST(TestGuideService, CaptionNamesTheTestByItsBestText) {
  struct Case {
    QString name, parameter, expected;
  } cases[] = {
      {QStringLiteral("Discharge test"), QStringLiteral("Energy"),
       QStringLiteral("Test Guide - Discharge test")},
      {QString(), QStringLiteral("Energy"), QStringLiteral("Test Guide - Energy")},
      {QString(), QString(), QStringLiteral("Test Guide - Test 200")},
  };
  for (const Case& c : cases) {
    auto test = std::make_shared<host::TestElementBase>();
    test->Initialize(host::kProduct, 200, 0);
    test->Info()->SetName(c.name);
    test->Info()->SetTypeAndParameter(QString(), c.parameter);
    QString caption;
    host::TestGuideService::instance()->GetCaption(test, caption);
    EXPECT_EQ(caption, c.expected);
  }
  QString caption;
  host::TestGuideService::instance()->GetCaption(nullptr, caption);
  EXPECT_EQ(caption, QStringLiteral("Test Guide"));
  // A test without info objects still gets its number.
  host::TestGuideService::instance()->GetCaption(
      std::make_shared<testsupport::StubTestElement>(700), caption);
  EXPECT_EQ(caption, QStringLiteral("Test Guide - Test 700"));
}

TEST(TestGuideService, ConfirmAbortAsksAYesNoQuestion) {
  ui::MessageBoxes& boxes = ui::MessageBoxes::instance();
  boxes.clear();
  boxes.queueAnswers({ui::mb::Yes, ui::mb::No});
  bool confirmed = false;
  host::TestGuideService::instance()->ConfirmAbort(confirmed);
  EXPECT_TRUE(confirmed);
  host::TestGuideService::instance()->ConfirmAbort(confirmed);
  EXPECT_FALSE(confirmed);
  host::TestGuideService::instance()->ConfirmAbort(confirmed);
  EXPECT_FALSE(confirmed) << "unattended without an answer: the sequence goes on";
  ASSERT_EQ(boxes.shown().size(), 3);
  EXPECT_EQ(boxes.shown().at(0).style, ui::mb::YesNo | ui::mb::Question);
  EXPECT_EQ(boxes.shown().at(0).text, host::TestGuideService::abortQuestion());
  boxes.clear();
}

TEST(ImageService, HasTheGuideIconAndNothingElse) {
  QImage picture;
  host::ImageService::instance()->GetImage(host::image::TestGuide, picture);
  EXPECT_EQ(picture.size(), QSize(32, 32));
  EXPECT_EQ(errorOf([&] { host::ImageService::instance()->GetImage(102, picture); }), 326);
}

TEST(RunContext, TellsWhetherATestWroteANavigationCode) {
  host::RunContext ctx;
  EXPECT_FALSE(ctx.navigationCodeWritten());
  ctx.SetNavigationCode(host::navigation::Abort);
  EXPECT_TRUE(ctx.navigationCodeWritten());
  EXPECT_EQ(ctx.NavigationCode(), host::navigation::Abort);
  ctx.resetNavigationCode();
  EXPECT_FALSE(ctx.navigationCodeWritten());
  EXPECT_EQ(ctx.NavigationCode(), host::navigation::Next);
}

}  // namespace
