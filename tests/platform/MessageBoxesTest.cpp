// The message-box service, unattended.

#include <gtest/gtest.h>

#include "QtPrinters.h"
#include "ui/MessageBoxes.h"

namespace {

namespace mb = ui::mb;

class MessageBoxesTest : public ::testing::Test {
 protected:
  void SetUp() override { boxes().clear(); }
  void TearDown() override { boxes().clear(); }
  static ui::MessageBoxes& boxes() { return ui::MessageBoxes::instance(); }
};

TEST_F(MessageBoxesTest, WithoutQueuedAnswersTheQuestionIsEnded) {
  const struct {
    int style;
    int answer;
  } cases[] = {
      {mb::OkOnly, mb::Ok},
      {mb::OkOnly | mb::Exclamation, mb::Ok},
      {mb::OkCancel, mb::Cancel},
      {mb::RetryCancel, mb::Cancel},
      {mb::RetryCancel | mb::Critical, mb::Cancel},
      {mb::YesNoCancel | mb::Question, mb::Cancel},
      {mb::YesNo | mb::Question, mb::No},
      {mb::AbortRetryIgnore, mb::Abort},
  };
  for (const auto& c : cases)
    EXPECT_EQ(boxes().show(QStringLiteral("text"), c.style, QStringLiteral("RV-1X")), c.answer)
        << c.style;
  EXPECT_EQ(boxes().shown().size(), static_cast<qsizetype>(std::size(cases)));
}

TEST_F(MessageBoxesTest, QueuedAnswersComeFirstInOrder) {
  boxes().queueAnswers({mb::Retry, mb::Retry});
  int retries = 0;
  // A retry loop as the link runs it: it ends once the queue is used up.
  while (boxes().show(QStringLiteral("Port unavailable"), mb::RetryCancel | mb::Exclamation,
                      QStringLiteral("orvanRV1Xvti")) == mb::Retry)
    ++retries;
  EXPECT_EQ(retries, 2);
  ASSERT_EQ(boxes().shown().size(), 3);
  EXPECT_EQ(boxes().shown().at(2).answer, mb::Cancel);
  EXPECT_EQ(boxes().shown().at(0).style, mb::RetryCancel | mb::Exclamation);
}

TEST_F(MessageBoxesTest, EachMessageIsRecordedAndPrinted) {
  ::testing::internal::CaptureStderr();
  boxes().show(QStringLiteral("No MTI was found connected."), mb::OkOnly, QStringLiteral("RV-1X"));
  boxes().show(QStringLiteral("Error # 5"), mb::OkOnly, QString());
  const std::string printed = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(printed,
            "message: RV-1X: No MTI was found connected.\nmessage: rv1x-tests: Error # 5\n");
  ASSERT_EQ(boxes().shown().size(), 2);
  EXPECT_EQ(boxes().shown().at(0).caption, QStringLiteral("RV-1X"));
  EXPECT_EQ(boxes().shown().at(0).text, QStringLiteral("No MTI was found connected."));
  EXPECT_EQ(boxes().shown().at(1).caption, QStringLiteral("rv1x-tests"))
      << "the program's title by default";
}

TEST_F(MessageBoxesTest, WithoutADisplayEveryBoxIsUnattended) {
  boxes().setUnattended(false);
  EXPECT_TRUE(boxes().unattended()) << "the offscreen platform never shows a box";
  EXPECT_EQ(boxes().show(QStringLiteral("t"), mb::OkCancel, QStringLiteral("c")), mb::Cancel);
  boxes().setUnattended(true);
}

}  // namespace
