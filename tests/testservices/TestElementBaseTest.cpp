// The test element's base object, its info and the host's element list.

#include <gtest/gtest.h>

#include "RecordingParts.h"
#include "RecordingReport.h"
#include "StubTestElement.h"
#include "TestSupport.h"
#include "elements/TestCollection.h"
#include "elements/TestElementBase.h"
#include "elements/TestInfo.h"
#include "records/RunObjects.h"

namespace {

using namespace testservices;
using testsupport::errorOf;
using testsupport::raisedBy;

struct BaseFixture : ::testing::Test {
  JournalPtr journal = std::make_shared<Journal>();
  std::shared_ptr<RecordingConfig> config = std::make_shared<RecordingConfig>(journal);
  std::shared_ptr<RecordingLimits> limits = std::make_shared<RecordingLimits>(journal);
  std::shared_ptr<RecordingResult> result = std::make_shared<RecordingResult>(journal);
  host::TestElementBasePtr base = std::make_shared<host::TestElementBase>();
  host::XmlDocumentPtr document = std::make_shared<host::XmlDocument>();

  void SetUp() override {
    base->Initialize(host::kProduct, 200, 0);
    base->SetConfiguration(config);
    base->SetLimits(limits);
    base->SetResult(result);
  }

  host::XmlElementPtr element(const QString& xml) {
    document->LoadXml(xml);
    return document->DocumentElement();
  }
};

TEST_F(BaseFixture, InitializeSetsTheIdentityAndAFailedOneChangesNothing) {
  EXPECT_EQ(base->PlugInID(), host::kProduct);
  EXPECT_EQ(base->TestID(), 200);
  EXPECT_EQ(base->ID(), 0);
  base->Initialize(host::kProduct, 300, 7);
  EXPECT_EQ(base->TestID(), 300);
  EXPECT_EQ(base->ID(), 7);
  base->Initialize(host::kProduct, 300, QVariant());
  EXPECT_EQ(base->ID(), 7) << "an empty third argument keeps the ID";
  EXPECT_EQ(errorOf([&] { base->Initialize(QStringLiteral("X"), QStringLiteral("abc"), 1); }),
            rt::err::TypeMismatch);
  EXPECT_EQ(base->PlugInID(), host::kProduct);
  EXPECT_EQ(base->TestID(), 300);
}

TEST_F(BaseFixture, KeepsWhatWasSetAndNothingDropsTheResult) {
  EXPECT_EQ(base->Configuration(), config);
  EXPECT_EQ(base->Limits(), limits);
  EXPECT_EQ(base->Result(), result);
  base->SetResult(nullptr);
  EXPECT_EQ(base->Result(), nullptr);
  ASSERT_NE(base->Info(), nullptr);
  ASSERT_NE(base->Filter(), nullptr);
  auto parent = std::make_shared<testsupport::StubTestElement>(1);
  base->SetParent(parent);
  EXPECT_EQ(base->Parent(), parent);
  parent.reset();
  EXPECT_EQ(base->Parent(), nullptr) << "the parent is a weak back-reference";
}

TEST_F(BaseFixture, ACopyIsIndependentAndHasNoResult) {
  config->value = QStringLiteral("100");
  base->SetID(5);
  base->Info()->SetName(QStringLiteral("Discharge"));
  base->Filter()->setFlags(host::TestFilter::BuildServiceRecord);
  const host::TestElementBasePtr copy = base->Copy();
  EXPECT_EQ(copy->TestID(), 200);
  EXPECT_EQ(copy->ID(), 5);
  EXPECT_EQ(copy->PlugInID(), host::kProduct);
  EXPECT_EQ(copy->Result(), nullptr);
  EXPECT_EQ(copy->Filter()->Flags(), host::TestFilter::BuildServiceRecord);
  ASSERT_NE(copy->Configuration(), nullptr);
  EXPECT_NE(copy->Configuration(), base->Configuration());
  EXPECT_EQ(std::dynamic_pointer_cast<RecordingConfig>(copy->Configuration())->value,
            QStringLiteral("100"));
  EXPECT_NE(copy->Limits(), base->Limits());
  copy->Info()->SetName(QStringLiteral("Copy"));
  EXPECT_EQ(base->Info()->Name(), QStringLiteral("Discharge"));
}

TEST_F(BaseFixture, LoadHandsEachPartItsOwnElement) {
  base->Load(element(QStringLiteral("<PlugInData Value=\"c\"/>")), nullptr);
  base->Load(element(QStringLiteral("<ExpectedResult Value=\"l\"/>")), nullptr);
  base->Load(element(QStringLiteral("<ResultItem Value=\"r\"/>")), nullptr);
  base->Load(element(QStringLiteral("<Info Name=\"N\" Type=\"T\" Parameter=\"P\"/>")), nullptr);
  EXPECT_EQ(journal->lines, (QStringList{QStringLiteral("config.Load PlugInData"),
                                         QStringLiteral("limits.Load ExpectedResult"),
                                         QStringLiteral("result.Load ResultItem")}));
  EXPECT_EQ(base->Info()->Name(), QStringLiteral("N"));
  EXPECT_EQ(base->Info()->Type(), QStringLiteral("T"));
  EXPECT_EQ(base->Info()->Parameter(), QStringLiteral("P"));
  EXPECT_EQ(base->Info()->Description(), QString());
}

TEST_F(BaseFixture, LoadFailuresHaveTheBaseObjectsNumbers) {
  auto bare = std::make_shared<host::TestElementBase>();
  config->behaviour.loadFails = rt::err::TypeMismatch;
  struct Case {
    const char* what;
    std::function<void()> load;
    rt::Long number;
  } cases[] = {
      {"no element", [&] { base->Load(nullptr, nullptr); }, host::elementerr::NoElement},
      {"unknown tag", [&] { base->Load(element(QStringLiteral("<Bogus/>")), nullptr); },
       host::elementerr::UnknownPart},
      {"no result object", [&] { bare->Load(element(QStringLiteral("<ResultItem/>")), nullptr); },
       host::elementerr::NoPartObject},
      {"the part's own failure",
       [&] { base->Load(element(QStringLiteral("<PlugInData/>")), nullptr); },
       host::elementerr::PartLoadFailed},
  };
  for (const Case& c : cases) EXPECT_EQ(errorOf(c.load), c.number) << c.what;
  const rt::RuntimeError wrapped =
      raisedBy([&] { base->Load(element(QStringLiteral("<PlugInData/>")), nullptr); });
  EXPECT_TRUE(wrapped.Description().contains(QStringLiteral("PlugInData")));
  EXPECT_TRUE(wrapped.Description().contains(QStringLiteral("refused")));
}

TEST_F(BaseFixture, SaveWritesTheIdentityAndEveryPartInLoadOrder) {
  base->SetID(3);
  base->Info()->SetName(QStringLiteral("Discharge test"));
  const host::XmlElementPtr saved = base->Save(document, QVariant());
  ASSERT_NE(saved, nullptr);
  EXPECT_EQ(saved->TagName(), QStringLiteral("TestElement"));
  EXPECT_EQ(saved->Attribute(QStringLiteral("TestID")), QStringLiteral("200"));
  EXPECT_EQ(saved->Attribute(QStringLiteral("ID")), QStringLiteral("3"));
  QStringList tags;
  const host::XmlNodeListPtr children = saved->ChildNodes();
  for (rt::Long i = 0; i < children->Length(); ++i) tags << children->Item(i)->TagName();
  EXPECT_EQ(tags, (QStringList{QStringLiteral("Info"), QStringLiteral("PlugInData"),
                               QStringLiteral("ExpectedResult"), QStringLiteral("ResultItem")}));

  base->Info()->SetName(QString());
  base->SetResult(nullptr);
  EXPECT_EQ(base->Save(document, QVariant())->ChildNodes()->Length(), 2)
      << "no info without texts, no result without one";
}

TEST_F(BaseFixture, SaveFailsWithItsNumberWhenAPartGivesNothing) {
  EXPECT_EQ(errorOf([&] { base->Save(nullptr, QVariant()); }), host::elementerr::SaveFailed);
  for (PartBehaviour* failing : {&config->behaviour, &result->behaviour}) {
    failing->saveGivesNothing = true;
    const rt::RuntimeError error = raisedBy([&] { base->Save(document, QVariant()); });
    EXPECT_EQ(error.Number(), host::elementerr::SaveFailed);
    EXPECT_TRUE(error.Description().contains(failing == &config->behaviour
                                                 ? QStringLiteral("configuration")
                                                 : QStringLiteral("result")));
    failing->saveGivesNothing = false;
  }
}

TEST_F(BaseFixture, ALimitSetWithNothingToStoreIsLeftOut) {
  limits->behaviour.saveGivesNothing = true;
  const host::XmlElementPtr saved = base->Save(document, QVariant());
  ASSERT_NE(saved, nullptr);
  QStringList tags;
  const host::XmlNodeListPtr children = saved->ChildNodes();
  for (rt::Long i = 0; i < children->Length(); ++i) tags << children->Item(i)->TagName();
  EXPECT_EQ(tags, (QStringList{QStringLiteral("PlugInData"), QStringLiteral("ResultItem")}));
}

TEST_F(BaseFixture, PrintReportPrintsHeadingConfigurationLimitsAndResult) {
  base->Info()->SetName(QStringLiteral("Discharge test"));
  base->Info()->SetTypeAndParameter(QStringLiteral("Defibrillator"), QStringLiteral("Energy"));
  auto report = std::make_shared<testsupport::RecordingReport>();
  base->PrintReport(report, QVariant());
  QStringList texts;
  for (const testsupport::ReportCall& call : report->calls())
    if (call.name == QLatin1String("Text")) texts << call.args.value(0).toString();
  EXPECT_EQ(texts, (QStringList{QStringLiteral("Discharge test"),
                                QStringLiteral("Defibrillator / Energy")}));
  EXPECT_EQ(journal->lines,
            (QStringList{QStringLiteral("config.Print"), QStringLiteral("limits.Print"),
                         QStringLiteral("result.Print")}));
  ASSERT_NE(limits->printedWith, nullptr);
  EXPECT_EQ(limits->printedWith->SelectedStandards(), nullptr) << "no run: every standard";

  auto ctx = std::make_shared<host::RunContext>();
  base->PrintReport(report, com::toVariantOf(ctx));
  EXPECT_EQ(limits->printedWith, ctx);
  EXPECT_EQ(com::toObject(result->printedWith), com::ObjectPtr(ctx));
}

TEST_F(BaseFixture, PrintReportGoesOnPastAMissingPartAndTerminateReleasesAll) {
  base->SetConfiguration(nullptr);
  base->PrintReport(std::make_shared<testsupport::RecordingReport>(), QVariant());
  EXPECT_EQ(journal->lines,
            (QStringList{QStringLiteral("limits.Print"), QStringLiteral("result.Print")}));
  base->Terminate();
  EXPECT_EQ(base->Limits(), nullptr);
  EXPECT_EQ(base->Result(), nullptr);
  EXPECT_EQ(base->Info(), nullptr);
}

TEST(TestInfo, SavesOnlyTheTextsItHasAndReadsThemBack) {
  auto document = std::make_shared<host::XmlDocument>();
  host::TestInfo info;
  EXPECT_EQ(info.Save(document), nullptr) << "no texts, no element";
  info.SetTypeAndParameter(QStringLiteral("Pacer"), QStringLiteral("Sensitivity"));
  info.SetDescription(QStringLiteral("Demand-mode sensitivity"));
  const host::XmlElementPtr saved = info.Save(document);
  ASSERT_NE(saved, nullptr);
  EXPECT_EQ(saved->TagName(), QStringLiteral("Info"));
  EXPECT_FALSE(saved->dom().hasAttribute(QStringLiteral("Name")));
  host::TestInfo read;
  read.SetName(QStringLiteral("stale"));
  read.Load(saved);
  EXPECT_EQ(read.Name(), QString()) << "an absent attribute reads as empty";
  EXPECT_EQ(read.Type(), QStringLiteral("Pacer"));
  EXPECT_EQ(read.Parameter(), QStringLiteral("Sensitivity"));
  EXPECT_EQ(read.Description(), QStringLiteral("Demand-mode sensitivity"));
}

TEST(TestCollection, KeepsOrderInsertsBeforeAndCountsFromOne) {
  host::TestCollection list;
  auto a = std::make_shared<testsupport::StubTestElement>(100);
  auto b = std::make_shared<testsupport::StubTestElement>(200);
  auto c = std::make_shared<testsupport::StubTestElement>(300);
  list.Add(a, nullptr, 1);
  list.Add(c, nullptr, 1);
  list.Add(b, c, 1);
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Item(1), a);
  EXPECT_EQ(list.Item(2), b);
  EXPECT_EQ(list.Item(3), c);
  QList<host::ITestElementPtr> walked(list.begin(), list.end());
  EXPECT_EQ(walked, (QList<host::ITestElementPtr>{a, b, c}));
  EXPECT_EQ(errorOf([&] { list.Item(0); }), rt::err::SubscriptOutOfRange);
  EXPECT_EQ(errorOf([&] { list.Item(4); }), rt::err::SubscriptOutOfRange);
  EXPECT_EQ(errorOf([&] { list.Add(nullptr, nullptr, 1); }), rt::err::ObjectNotSet);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

// A group: a test element that is a list of elements too.
class Group final : public host::TestElementBase, public host::TestCollection {};

TEST(TestCollection, FindAnswersTheFirstOfATestIDAlsoInsideGroups) {
  host::TestCollection list;
  auto group = std::make_shared<Group>();
  group->Initialize(host::kProduct, 1000, 0);
  auto member = std::make_shared<testsupport::StubTestElement>(300);
  group->Add(member, nullptr, 1);
  auto first = std::make_shared<testsupport::StubTestElement>(200);
  auto second = std::make_shared<testsupport::StubTestElement>(200);
  list.Add(first, nullptr, 1);
  list.Add(group, nullptr, 1);
  list.Add(second, nullptr, 1);
  EXPECT_EQ(list.Find(200), first) << "of two with one test ID, the first";
  EXPECT_EQ(list.Find(1000), group);
  EXPECT_EQ(list.Find(300), member);
  EXPECT_EQ(list.Find(700), nullptr);
}

}  // namespace
