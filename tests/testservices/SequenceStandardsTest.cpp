// The standards a stored sequence selects for each element: kept with the
// element as "Selected", the ones a run judges it by, and the ones its
// report prints it with.

#include <gtest/gtest.h>

#include "QtPrinters.h"
#include "TestSupport.h"
#include "limits/Standard.h"
#include "limits/StandardsCollection.h"
#include "sequence/SequenceDocument.h"
#include "services/ErrorService.h"
#include "xml/XmlDocument.h"

namespace {

struct SequenceStandards : ::testing::Test {
  testsupport::TemporaryRegistry registry;
  host::SequenceDocument sequence;

  void SetUp() override {
    ASSERT_TRUE(
        testsupport::registerServer(testsupport::builtLibrary(QStringLiteral("rv1xfakeelements"))));
    host::ErrorService::instance()->clear();
  }

  // One fake element with the standards HOUSE and LAX, and these children.
  void load(const QString& children) {
    sequence.LoadXml(
        QStringLiteral("<TestSequence><TestElement ClassName=\"RV1XTest.FakeTestElement\" "
                       "TestID=\"900\" ID=\"1\"><ExpectedResult>"
                       "<Standard AlphaName=\"HOUSE\" CompleteName=\"House\" Flags=\"1\"/>"
                       "<Standard AlphaName=\"LAX\" CompleteName=\"Lax\" Flags=\"1\"/>"
                       "</ExpectedResult>%1</TestElement></TestSequence>")
            .arg(children));
    ASSERT_EQ(sequence.Count(), 1);
  }

  static QStringList names(const host::StandardsCollectionPtr& standards) {
    QStringList list;
    if (standards)
      for (const host::StandardPtr& s : *standards) list.append(s->AlphaName());
    return list;
  }
};

TEST_F(SequenceStandards, WithoutAStoredChoiceTheFirstStandardJudges) {
  load(QString());
  EXPECT_FALSE(sequence.Selected(0));
  EXPECT_EQ(names(sequence.JudgingStandards(0)), QStringList{"HOUSE"});
  EXPECT_EQ(names(sequence.JudgedBy(0)), QStringList{"HOUSE"});
  EXPECT_FALSE(sequence.ToXml().contains(QStringLiteral("Selected"))) << "nothing is added";
}

TEST_F(SequenceStandards, AStoredChoiceJudgesAndIsWrittenBack) {
  load(QStringLiteral("<Selected AlphaName=\"LAX\" CompleteName=\"Lax\"/>"));
  EXPECT_TRUE(host::ErrorService::instance()->reported().isEmpty()) << "no unknown child";
  EXPECT_EQ(names(sequence.Selected(0)), QStringList{"LAX"});
  const host::StandardsCollectionPtr judging = sequence.JudgingStandards(0);
  EXPECT_EQ(names(judging), QStringList{"LAX"});
  EXPECT_EQ(judging->Item(1)->CompleteName(), QStringLiteral("Lax"));
  EXPECT_EQ(names(sequence.JudgedBy(0)), QStringList{"LAX"});
  EXPECT_EQ(sequence.ToXml().count(QStringLiteral("<Selected ")), 1);
  EXPECT_TRUE(sequence.ToXml().contains(
      QStringLiteral("<Selected AlphaName=\"LAX\" CompleteName=\"Lax\"/>")));

  // A run's choice replaces it; an empty one removes it.
  auto house = std::make_shared<host::StandardsCollection>();
  auto standard = std::make_shared<host::Standard>();
  standard->Init(QStringLiteral("HOUSE"), QStringLiteral("House"), 1);
  house->Add(standard);
  sequence.SetSelected(0, house);
  EXPECT_TRUE(sequence.ToXml().contains(
      QStringLiteral("<Selected AlphaName=\"HOUSE\" CompleteName=\"House\"/>")));
  EXPECT_FALSE(sequence.ToXml().contains(QStringLiteral("\"LAX\" CompleteName=\"Lax\"/>")));
  sequence.SetSelected(0, nullptr);
  EXPECT_FALSE(sequence.ToXml().contains(QStringLiteral("Selected")));
}

TEST_F(SequenceStandards, AChoiceTheLimitSetLacksJudgesNothingAndIsKept) {
  load(QStringLiteral("<Selected AlphaName=\"GONE\" CompleteName=\"Gone\"/>"));
  const host::StandardsCollectionPtr judging = sequence.JudgingStandards(0);
  EXPECT_EQ(names(judging), QStringList{"GONE"});
  EXPECT_TRUE(judging->Item(1)->Limits().isEmpty()) << "a bare name";
  EXPECT_TRUE(sequence.ToXml().contains(QStringLiteral("AlphaName=\"GONE\"")));
}

}  // namespace
