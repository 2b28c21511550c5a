// The limit set: default and stored standards, the failed-standards check,
// the stored form, the copy and the end of a limit set.

#include <gtest/gtest.h>

#include "LimitFixtures.h"
#include "MakeLimit.h"
#include "RecordingReport.h"
#include "TestSupport.h"
#include "limits/Limit.h"
#include "limits/Standard.h"
#include "limits/StandardsCollection.h"
#include "records/RunContext.h"
#include "report/HostReport.h"
#include "services/ErrorService.h"
#include "settings/CLimitData.h"
#include "xml/XmlDocument.h"

namespace {

using orvanRV1Xtst::CLimitData;
using namespace limitfixtures;

constexpr rt::Long kNotSet = rt::err::ObjectNotSet;

host::LimitPtr limit(const QString& key, const QString& op, float high, float low) {
  return testsupport::makeLimit(key, op, high, true, low, true, QString());
}

host::StandardPtr standard(const QString& alpha, const QString& complete,
                           QList<host::LimitPtr> limits = {}) {
  auto s = std::make_shared<host::Standard>();
  s->Init(alpha, complete, 1);
  for (const host::LimitPtr& l : limits) s->AddLimit(l);
  return s;
}

QStringList alphaNames(const host::StandardsCollectionPtr& standards) {
  QStringList names;
  if (standards)
    for (const host::StandardPtr& s : *standards) names.append(s->AlphaName());
  return names;
}

class LimitData : public ::testing::Test {
 protected:
  void SetUp() override { errors().clear(); }
  static host::ErrorService& errors() { return host::errors(); }
};

struct DefaultLimit {
  const char* key;
  const char* unit;
  const char* op;
};

// No plug-in is linked here (none outlives its test), so every standard is
// a default one.
TEST_F(LimitData, NewStandardHoldsTheDefaultLimitsOfItsTestType) {
  const struct {
    rt::Long testID;
    QList<DefaultLimit> limits;
  } cases[] = {
      {100, {{"ENGY", "J", "X+(X*Y%)"}, {"CHTI", "s", ""}}},
      {200, {{"ENGY", "J", "X+(X*Y%)"}, {"DELY", "ms", ""}, {"PEKI", "A", ""}, {"PEKU", "V", ""}}},
      {300, {{"PADS", "mV", ""}, {"ECG", "mV", ""}}},
      {400, {{"SENS", "ms", ""}, {"PACE", "ms", ""}}},
      {500, {{"RATE", "ppm", ""}, {"AMPL", "mA", ""}, {"PWID", "ms", ""}}},
      {600, {}},
      {700, {}},
      {999, {}},
  };
  for (const auto& c : cases) {
    auto owner = std::make_shared<TestElement>(c.testID);
    auto limits = limitSetOf(owner);
    const host::StandardPtr created =
        limits->CreateStandard(QStringLiteral("IEC"), QStringLiteral("IEC 60601-2-4"));
    ASSERT_TRUE(created) << c.testID;
    EXPECT_EQ(created->AlphaName(), QStringLiteral("IEC"));
    EXPECT_EQ(created->CompleteName(), QStringLiteral("IEC 60601-2-4"));
    ASSERT_EQ(created->Limits().size(), c.limits.size()) << c.testID;
    for (int i = 0; i < c.limits.size(); ++i) {
      host::Limit& l = *created->Limits().at(i);
      EXPECT_EQ(l.Key(), QLatin1String(c.limits[i].key)) << c.testID;
      EXPECT_EQ(l.Unit(), QLatin1String(c.limits[i].unit)) << c.testID;
      EXPECT_EQ(l.Operator(0), QLatin1String(c.limits[i].op)) << c.testID;
      for (rt::Integer bound : {host::limitindex::High, host::limitindex::Low}) {
        EXPECT_EQ(l.Value(bound), 0.0f) << c.testID << " " << c.limits[i].key;
        EXPECT_FALSE(l.Enabled(bound)) << c.testID << " " << c.limits[i].key;
      }
    }
    ASSERT_TRUE(limits->Standards());
    EXPECT_EQ(limits->Standards()->Count(), 1);
    EXPECT_EQ(limits->Standards()->Find(0, QStringLiteral("iec"), QStringLiteral("iec 60601-2-4")),
              created);
  }
  EXPECT_TRUE(errors().entries().isEmpty());
}

TEST_F(LimitData, StoredStandardOfTheLinkedPlugInIsTakenWithoutDefaultLimits) {
  auto plugIn = std::make_shared<PlugIn>();
  const host::StandardPtr stored =
      standard(QStringLiteral("AAMI"), QStringLiteral("AAMI DF80"),
               {limit(QStringLiteral("ENGY"), QStringLiteral("X+Y"), 20, -20)});
  plugIn->store(200, stored);
  orvanRV1Xtst::GGlobals().SetPlugInPointer(plugIn);

  auto owner = std::make_shared<TestElement>(200);
  auto limits = limitSetOf(owner);
  const host::StandardPtr taken =
      limits->CreateStandard(QStringLiteral("AAMI"), QStringLiteral("AAMI DF80"));
  ASSERT_TRUE(taken);
  EXPECT_NE(taken, stored) << "the plug-in hands out a copy for reuse";
  ASSERT_EQ(taken->Limits().size(), 1);
  EXPECT_EQ(taken->Limits().at(0)->Operator(0), QStringLiteral("X+Y"));
  EXPECT_EQ(taken->Limits().at(0)->Value(host::limitindex::High), 20.0f);

  const host::StandardPtr other =
      limits->CreateStandard(QStringLiteral("IEC"), QStringLiteral("IEC"));
  ASSERT_TRUE(other);
  EXPECT_EQ(other->Limits().size(), 4) << "a name the plug-in lacks gets the defaults";
  EXPECT_EQ(alphaNames(limits->Standards()), (QStringList{"AAMI", "IEC"}));
}

TEST_F(LimitData, StandardWithoutOwnerIsReportedAndNotAdded) {
  auto plugIn = std::make_shared<PlugIn>();
  orvanRV1Xtst::GGlobals().SetPlugInPointer(plugIn);

  CLimitData unowned;
  auto gone = std::make_shared<TestElement>(200);
  auto ownerGone = limitSetOf(gone);
  gone.reset();
  for (CLimitData* limits : {&unowned, ownerGone.get()}) {
    errors().clear();
    EXPECT_FALSE(limits->CreateStandard(QStringLiteral("IEC"), QStringLiteral("IEC")));
    EXPECT_FALSE(limits->Standards());
    EXPECT_FALSE(limits->Owner());
    ASSERT_EQ(errors().reported().size(), 1);
    EXPECT_EQ(errors().reported().at(0).number, kNotSet);
    EXPECT_EQ(errors().reported().at(0).source, QStringLiteral("CLimitData"));
  }
  EXPECT_EQ(plugIn->asked, 0) << "without owner there is no test to ask for";
}

TEST_F(LimitData, HostsOwnStandardFailureReachesTheCallerOtherFailuresAreReported) {
  auto owner = std::make_shared<TestElement>(100);
  auto limits = limitSetOf(owner);
  owner->failWith = orvanRV1Xtst::kLimitStandardError;
  EXPECT_EQ(testsupport::errorOf(
                [&] { limits->CreateStandard(QStringLiteral("IEC"), QStringLiteral("IEC")); }),
            orvanRV1Xtst::kLimitStandardError);
  EXPECT_TRUE(errors().reported().isEmpty());

  owner->failWith = rt::err::InvalidCall;
  host::StandardPtr created;
  EXPECT_NO_THROW(created = limits->CreateStandard(QStringLiteral("IEC"), QStringLiteral("IEC")));
  EXPECT_FALSE(created);
  ASSERT_EQ(errors().reported().size(), 1);
  EXPECT_EQ(errors().reported().at(0).number, rt::err::InvalidCall);
  EXPECT_EQ(errors().reported().at(0).source, QStringLiteral("CLimitData"));
  EXPECT_FALSE(limits->Standards());
}

// A standard that cannot judge a value.
class BrokenStandard final : public host::Standard {
 public:
  rt::Long Check(const QString&, rt::Single, const QVariant&) override {
    rt::raise(rt::err::Overflow);
  }
};

class FailedStandards : public LimitData {
 protected:
  void SetUp() override {
    LimitData::SetUp();
    plugIn_ = std::make_shared<PlugIn>();
    // IEC: energy within 15 % of the preset, delay at most 60 ms.
    plugIn_->store(200,
                   standard(QStringLiteral("IEC"), QStringLiteral("IEC 60601-2-4"),
                            {limit(QStringLiteral("ENGY"), QStringLiteral("X+(X*Y%)"), 15, -15),
                             limit(QStringLiteral("DELY"), QString(), 60, 0)}));
    // AAMI: energy within 10 J of the preset.
    plugIn_->store(200, standard(QStringLiteral("AAMI"), QStringLiteral("AAMI DF80"),
                                 {limit(QStringLiteral("ENGY"), QStringLiteral("X+Y"), 10, -10)}));
    orvanRV1Xtst::GGlobals().SetPlugInPointer(plugIn_);
    limits_ = limitSetOf(owner_);
    ASSERT_TRUE(limits_->CreateStandard(QStringLiteral("IEC"), QStringLiteral("IEC 60601-2-4")));
    ASSERT_TRUE(limits_->CreateStandard(QStringLiteral("AAMI"), QStringLiteral("AAMI DF80")));

    // The run's selection, by name only: other objects, another order, and
    // one this limit set does not hold.
    selected_->Add(standard(QStringLiteral("AAMI"), QStringLiteral("AAMI DF80")));
    selected_->Add(standard(QStringLiteral("UL"), QStringLiteral("UL 2601")));
    selected_->Add(standard(QStringLiteral("IEC"), QStringLiteral("IEC 60601-2-4")));
  }

  QStringList failedFor(const QString& key, const QVariant& value, const QVariant& preset) {
    const host::StandardsCollectionPtr failed =
        limits_->FindFailedStandards(std::make_shared<Measurement>(key, value, preset), selected_);
    if (failed) {
      EXPECT_GT(failed->Count(), 0) << "an empty collection instead of Nothing";
    }
    return alphaNames(failed);
  }

  std::shared_ptr<PlugIn> plugIn_;
  std::shared_ptr<TestElement> owner_ = std::make_shared<TestElement>(200);
  std::shared_ptr<CLimitData> limits_;
  host::StandardsCollectionPtr selected_ = std::make_shared<host::StandardsCollection>();
};

TEST_F(FailedStandards, NamesTheOwnStandardsThatTheValueFailsInTheSelectedOrder) {
  const struct {
    const char* key;
    QVariant value;
    QVariant preset;
    QStringList failed;
  } cases[] = {
      {"ENGY", 100.0, 100.0f, {}},
      {"ENGY", 110.0, 100.0f, {}},                       // AAMI's high bound
      {"ENGY", 90.0f, 100.0f, {}},                       // AAMI's low bound
      {"ENGY", 115.0, QStringLiteral("100"), {"AAMI"}},  // IEC's high bound
      {"ENGY", 85.0, 100.0, {"AAMI"}},                   // IEC's low bound
      {"ENGY", 115.5, 100.0, {"AAMI", "IEC"}},
      {"engy", 50.0, 100.0, {"AAMI", "IEC"}},
      {"ENGY", QVariant(), 100.0, {"AAMI", "IEC"}},  // an empty value is 0
      {"ENGY", 10.0, QVariant(), {"IEC"}},           // an empty preset is 0
      {"DELY", 60.0, QVariant(), {}},
      {"DELY", 60.5, QVariant(), {"IEC"}},
      {"PEKI", 1e6, QVariant(), {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(failedFor(QLatin1String(c.key), c.value, c.preset), c.failed)
        << c.key << " " << qPrintable(c.value.toString());

  const host::StandardsCollectionPtr failed = limits_->FindFailedStandards(
      std::make_shared<Measurement>(QStringLiteral("ENGY"), 200.0, 100.0), selected_);
  ASSERT_TRUE(failed);
  EXPECT_EQ(failed->Item(1),
            limits_->Standards()->Find(0, QStringLiteral("AAMI"), QStringLiteral("AAMI DF80")))
      << "the limit set's own standard, not the selected one";
}

TEST_F(FailedStandards, NothingToCheckAnswersNothing) {
  const auto measurement = std::make_shared<Measurement>(QStringLiteral("ENGY"), 500.0, 100.0);
  EXPECT_FALSE(limits_->FindFailedStandards(nullptr, selected_));
  EXPECT_FALSE(limits_->FindFailedStandards(measurement, nullptr));
  EXPECT_FALSE(
      limits_->FindFailedStandards(measurement, std::make_shared<host::StandardsCollection>()));
  EXPECT_FALSE(CLimitData().FindFailedStandards(measurement, selected_));
}

TEST_F(FailedStandards, StandardThatCannotCheckCountsAsFailed) {
  auto broken = std::make_shared<BrokenStandard>();
  broken->Init(QStringLiteral("UL"), QStringLiteral("UL 2601"), 1);
  plugIn_->lend(200, broken);
  ASSERT_EQ(limits_->CreateStandard(QStringLiteral("UL"), QStringLiteral("UL 2601")), broken);
  EXPECT_EQ(failedFor(QStringLiteral("ENGY"), 100.0, 100.0), QStringList{"UL"});
}

TEST_F(LimitData, SavesAndLoadsItsStandardsAsExpectedResult) {
  auto owner = std::make_shared<TestElement>(200);
  auto limits = limitSetOf(owner);
  const host::StandardPtr iec =
      limits->CreateStandard(QStringLiteral("IEC"), QStringLiteral("IEC 60601-2-4"));
  ASSERT_TRUE(iec);
  iec->FindLimit(QStringLiteral("ENGY"))->SetValue(host::limitindex::High, 15);
  iec->FindLimit(QStringLiteral("ENGY"))->SetEnabled(host::limitindex::High, true);

  auto document = std::make_shared<host::XmlDocument>();
  const host::XmlElementPtr saved = limits->Save(document);
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->TagName(), QStringLiteral("ExpectedResult"));

  CLimitData loaded;
  loaded.Load(saved, nullptr);
  ASSERT_TRUE(loaded.Standards());
  const host::StandardPtr back =
      loaded.Standards()->Find(0, QStringLiteral("IEC"), QStringLiteral("IEC 60601-2-4"));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->Limits().size(), 4);
  EXPECT_EQ(back->FindLimit(QStringLiteral("ENGY"))->Operator(0), QStringLiteral("X+(X*Y%)"));
  EXPECT_EQ(back->FindLimit(QStringLiteral("ENGY"))->Value(host::limitindex::High), 15.0f);
  EXPECT_TRUE(back->FindLimit(QStringLiteral("ENGY"))->Enabled(host::limitindex::High));
  EXPECT_TRUE(errors().entries().isEmpty());
}

TEST_F(LimitData, ExpectedResultWithoutStandardsLeavesNone) {
  CLimitData limits;
  auto owner = std::make_shared<TestElement>(100);
  limits.Init(owner, true);
  ASSERT_TRUE(limits.CreateStandard(QStringLiteral("IEC"), QStringLiteral("IEC")));
  auto document = std::make_shared<host::XmlDocument>();
  limits.Load(document->CreateElement(QStringLiteral("ExpectedResult")), nullptr);
  EXPECT_FALSE(limits.Standards());
  EXPECT_FALSE(limits.Save(document));
  EXPECT_TRUE(errors().entries().isEmpty());
}

TEST_F(LimitData, ElementOfAnotherNameIsRefusedAndTheStandardsStay) {
  auto owner = std::make_shared<TestElement>(100);
  auto limits = limitSetOf(owner);
  ASSERT_TRUE(limits->CreateStandard(QStringLiteral("IEC"), QStringLiteral("IEC")));
  const host::StandardsCollectionPtr before = limits->Standards();

  auto document = std::make_shared<host::XmlDocument>();
  const host::XmlElementPtr foreign = before->Save(document);  // "Standards", not ours
  EXPECT_EQ(testsupport::errorOf([&] { limits->Load(foreign, nullptr); }),
            orvanRV1Xtst::kLimitLoadError);
  EXPECT_EQ(limits->Standards(), before);
  EXPECT_EQ(before->Count(), 1);
  ASSERT_FALSE(errors().entries().isEmpty());
  const host::ErrorEntry& raised = errors().entries().first();
  EXPECT_EQ(raised.number, orvanRV1Xtst::kLimitLoadError);
  EXPECT_TRUE(raised.product.isEmpty());
  EXPECT_EQ(raised.source, QStringLiteral("OrvanVPI.CLimitData"));
  EXPECT_EQ(raised.severity, 1);
  EXPECT_TRUE(errors().reported().isEmpty());

  limits->Load(nullptr, nullptr);
  ASSERT_EQ(errors().reported().size(), 1) << "any other failure is reported";
  EXPECT_EQ(errors().reported().at(0).source, QStringLiteral("OrvanVPI.CLimitData"));
}

TEST_F(LimitData, AMalformedExpectedResultIsReportedAndKeepsTheLimits) {
  auto owner = std::make_shared<TestElement>(100);
  auto limits = limitSetOf(owner);
  const host::StandardPtr iec =
      limits->CreateStandard(QStringLiteral("IEC"), QStringLiteral("IEC"));
  ASSERT_TRUE(iec);
  const host::StandardsCollectionPtr before = limits->Standards();

  auto document = std::make_shared<host::XmlDocument>();
  document->LoadXml(QStringLiteral(
      "<ExpectedResult><Standard AlphaName=\"AAMI\" CompleteName=\"AAMI\" Flags=\"1\">"
      "<Limit Key=\"ENGY\" Unit=\"J\" Operator=\"X*Y\" High=\"1\" HighEnabled=\"True\"/>"
      "</Standard></ExpectedResult>"));
  limits->Load(document->DocumentElement(), nullptr);
  ASSERT_EQ(errors().reported().size(), 1);
  EXPECT_EQ(errors().reported().at(0).source, QStringLiteral("OrvanVPI.CLimitData"));
  EXPECT_EQ(limits->Standards(), before);
  EXPECT_EQ(alphaNames(limits->Standards()), QStringList{"IEC"});
  const host::XmlElementPtr saved = limits->Save(std::make_shared<host::XmlDocument>());
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->ChildNodes()->Length(), 1) << "the next save still writes the old limits";
}

TEST_F(LimitData, CloneCopiesStandardsAndFlagButNotTheOwner) {
  auto owner = std::make_shared<TestElement>(200);
  for (bool hasDialog : {true, false}) {
    auto limits = limitSetOf(owner, hasDialog);
    const host::StandardPtr iec =
        limits->CreateStandard(QStringLiteral("IEC"), QStringLiteral("IEC"));
    ASSERT_TRUE(iec);
    const host::ILimitDataPtr copy = limits->Clone();
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->HasDialog(), hasDialog);
    EXPECT_FALSE(copy->Owner());
    ASSERT_TRUE(copy->Standards());
    EXPECT_NE(copy->Standards(), limits->Standards());
    const host::StandardPtr copied =
        copy->Standards()->Find(0, QStringLiteral("IEC"), QStringLiteral("IEC"));
    ASSERT_TRUE(copied);
    EXPECT_NE(copied, iec);
    EXPECT_EQ(copied->Limits().size(), 4);
    copied->FindLimit(QStringLiteral("DELY"))->SetValue(host::limitindex::High, 99);
    EXPECT_EQ(iec->FindLimit(QStringLiteral("DELY"))->Value(host::limitindex::High), 0.0f);
  }
  const host::ILimitDataPtr empty = std::make_shared<CLimitData>()->Clone();
  ASSERT_TRUE(empty);
  EXPECT_FALSE(empty->Standards());
}

TEST_F(LimitData, DescriptionIsAlwaysEmptyAndNoDialogWithoutTheFlag) {
  auto owner = std::make_shared<TestElement>(100);
  auto limits = limitSetOf(owner, false);
  limits->SetDescription(QStringLiteral("anything"));
  EXPECT_TRUE(limits->Description().isEmpty());
  EXPECT_EQ(limits->Owner(), owner);
  EXPECT_FALSE(limits->HasDialog());
  EXPECT_FALSE(limits->CreateDialog());
  EXPECT_TRUE(CLimitData().HasDialog());
}

TEST_F(LimitData, WithoutTheHostsLimitViewThereIsNoDialog) {
  testsupport::TemporaryRegistry nothingRegistered;
  auto owner = std::make_shared<TestElement>(100);
  EXPECT_FALSE(limitSetOf(owner)->CreateDialog());
  EXPECT_TRUE(errors().entries().isEmpty());
}

TEST_F(LimitData, PrintsTheSelectedStandardsBesideTheTestsMeasurements) {
  auto owner = std::make_shared<TestElement>(200);
  auto result = std::make_shared<Result>();
  result->add(std::make_shared<Measurement>(QStringLiteral("ENGY"), 198.7f, 200.0f));
  owner->result = result;
  auto limits = limitSetOf(owner);
  auto report = std::make_shared<testsupport::RecordingReport>();
  auto ctx = std::make_shared<host::RunContext>();
  limits->PrintReport(report, ctx);
  EXPECT_TRUE(report->calls().isEmpty()) << "without standards nothing is printed";

  const host::StandardPtr iec =
      limits->CreateStandard(QStringLiteral("IEC"), QStringLiteral("IEC 60601-2-4"));
  ASSERT_TRUE(iec);
  setBounds(*iec->FindLimit(QStringLiteral("ENGY")), 15, -15);
  ASSERT_TRUE(limits->CreateStandard(QStringLiteral("AAMI"), QStringLiteral("AAMI DF80")));
  auto selected = std::make_shared<host::StandardsCollection>();
  selected->Add(standard(QStringLiteral("IEC"), QStringLiteral("IEC 60601-2-4")));
  ctx->setSelectedStandards(selected);

  limits->PrintReport(report, ctx);
  QStringList texts;
  QStringList tables;
  for (const testsupport::ReportCall& call : report->calls()) {
    if (call.name == QLatin1String("Text")) texts.append(call.args.value(0).toString());
    if (call.name == QLatin1String("AddTable")) tables.append(call.args.value(2).toString());
  }
  EXPECT_EQ(texts, QStringList{"IEC 60601-2-4 (IEC)"});
  ASSERT_EQ(tables.size(), 1);
  EXPECT_EQ(tables.first().toStdString(),
            "|      Energy|170.0|230.0|198.7|J|Passed;|      Delay||||ms|;"
            "|      Peak I||||A|;|      Peak U||||V|;");
  EXPECT_TRUE(errors().entries().isEmpty());

  limits->PrintReport(report, nullptr);
  ASSERT_EQ(errors().reported().size(), 1);
  EXPECT_EQ(errors().reported().at(0).source, QStringLiteral("OrvanVPI.CLimitData"));
}

TEST_F(LimitData, EndingLetsTheStandardsGoUnbound) {
  auto owner = std::make_shared<TestElement>(100);
  auto limits = limitSetOf(owner);
  ASSERT_TRUE(limits->CreateStandard(QStringLiteral("IEC"), QStringLiteral("IEC")));
  const host::StandardsCollectionPtr standards = limits->Standards();
  standards->SetOwner(owner);
  ASSERT_TRUE(standards->bound());
  limits.reset();
  EXPECT_FALSE(standards->bound());
}

}  // namespace
