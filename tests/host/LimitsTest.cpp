// Limits, standards and the standards collection with its stored form.

#include <gtest/gtest.h>

#include <functional>

#include "MakeLimit.h"
#include "QtPrinters.h"
#include "StubTestElement.h"
#include "TestSupport.h"
#include "limits/Limit.h"
#include "limits/Standard.h"
#include "limits/StandardsCollection.h"
#include "services/HostLog.h"
#include "xml/XmlDocument.h"
#include "xml/XmlHelper.h"

namespace {

using host::Limit;
using host::LimitPtr;
using host::Standard;
using host::StandardPtr;
using host::StandardsCollection;
namespace limitindex = host::limitindex;
namespace checkstatus = host::checkstatus;

using testsupport::errorOf;
using testsupport::makeLimit;

TEST(Limit, OperatorsGiveTheBoundsForAPreset) {
  const struct {
    const char* op;
    float y, preset, bound;
  } cases[] = {
      {"", 10, 200, 10},
      {"Y", 10, 200, 10},
      {"X+Y", 15, 100, 115},
      {"X+Y", -15, 100, 85},
      {"X+(X*Y%)", 15, 200, 230},
      {"X+(X*Y%)", -15, 200, 170},
      {"X+(X*Y%)", 10, 1.1f, 1.21f},
      {"X+Y", 0.5f, 0, 0.5f},
  };
  for (const auto& c : cases) {
    auto limit = makeLimit(QStringLiteral("ENGY"), QLatin1String(c.op), c.y, true, c.y, true);
    EXPECT_FLOAT_EQ(limit->ValueForPreset(c.preset, limitindex::High), c.bound)
        << c.op << " " << c.y;
    EXPECT_FLOAT_EQ(limit->ValueForPreset(c.preset, limitindex::Low), c.bound)
        << c.op << " " << c.y;
    EXPECT_EQ(limit->Operator(0), QLatin1String(c.op));
    EXPECT_FLOAT_EQ(limit->Value(limitindex::High), c.y) << "the value stays Y";
  }
  auto relative = com::queryInterface<host::IRelativeLimit>(
      com::ObjectPtr(makeLimit(QStringLiteral("ENGY"), QStringLiteral("X+Y"), 1, true, 1, true)));
  ASSERT_TRUE(relative);
  EXPECT_FLOAT_EQ(relative->ValueForPreset(2, limitindex::High), 3);
}

TEST(Limit, AValueEqualToABoundPasses) {
  const struct {
    const char* op;
    float high, low;
    bool highOn, lowOn;
    float preset, value;
    bool passes;
  } cases[] = {
      {"Y", 10, 5, true, true, 0, 10, true},
      {"Y", 10, 5, true, true, 0, 5, true},
      {"Y", 10, 5, true, true, 0, 10.001f, false},
      {"Y", 10, 5, true, true, 0, 4.999f, false},
      {"Y", 10, 5, false, true, 0, 1e9f, true},
      {"Y", 10, 5, true, false, 0, -1e9f, true},
      {"Y", 10, 5, false, false, 0, -1e9f, true},
      {"X+Y", 15, -15, true, true, 100, 115, true},
      {"X+Y", 15, -15, true, true, 100, 85, true},
      {"X+Y", 15, -15, true, true, 100, 115.01f, false},
      {"X+(X*Y%)", 15, -15, true, true, 200, 230, true},
      {"X+(X*Y%)", 15, -15, true, true, 200, 170, true},
      {"X+(X*Y%)", 15, -15, true, true, 200, 169.9f, false},
      {"X+(X*Y%)", 10, -10, true, true, 1.1f, 1.21f, true},
      {"X+(X*Y%)", 10, -10, true, true, 1.1f, 0.99f, true},
  };
  for (const auto& c : cases) {
    auto limit =
        makeLimit(QStringLiteral("ENGY"), QLatin1String(c.op), c.high, c.highOn, c.low, c.lowOn);
    EXPECT_EQ(limit->Passes(c.value, c.preset), c.passes)
        << c.op << " preset " << c.preset << " value " << c.value;
  }
}

// "Within 15 % of the preset or 3 J, whichever is greater": the wider of the
// two on each side, a value on a bound passing as on every bound.
TEST(Limit, TheGreaterOfARelativeAndAnAbsoluteTolerance) {
  auto limit =
      makeLimit(QStringLiteral("ENGY"), host::kGreaterToleranceOperator, 15, true, -15, true);
  limit->SetAbsolute(limitindex::High, 3);
  limit->SetAbsolute(limitindex::Low, -3);
  const struct {
    float preset, value;
    bool passes;
  } cases[] = {
      {5, 7, true},     {5, 8, true},       {5, 8.01f, false},  {5, 2, true},
      {5, 1.9f, false}, {10, 12, true},     {10, 13.5f, false}, {10, 7, true},
      {20, 23, true},   {20, 16.9f, false}, {100, 114, true},   {100, 116, false},
      {100, 85, true},  {360, 306, true},   {360, 305, false},  {360, 414, true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(limit->Passes(c.value, c.preset), c.passes)
        << "preset " << c.preset << " value " << c.value;
  EXPECT_FLOAT_EQ(limit->ValueForPreset(5, limitindex::High), 8);
  EXPECT_FLOAT_EQ(limit->ValueForPreset(360, limitindex::Low), 306);
  EXPECT_FLOAT_EQ(limit->Absolute(limitindex::Low), -3);
  EXPECT_EQ(errorOf([&] { limit->Absolute(2); }), 9);
  EXPECT_FLOAT_EQ(limit->Clone()->Absolute(limitindex::High), 3);

  // Stored with its absolute tolerances; a limit of another operator
  // stores none.
  auto standards = std::make_shared<StandardsCollection>();
  auto standard = std::make_shared<Standard>();
  standard->Init(QStringLiteral("IEC"), QStringLiteral("IEC 60601-2-4"), 1);
  standard->AddLimit(limit);
  standard->AddLimit(makeLimit(QStringLiteral("DELY"), QStringLiteral("X+Y"), 1, true, -1, true));
  standards->Add(standard);
  const host::XmlElementPtr saved = standards->Save(host::XmlHelper::instance()->NewDocument());
  const host::XmlElementPtr stored = saved->ChildNodes()->Item(0)->ChildNodes()->Item(0);
  // A host that knows only the three operators of the design reads the
  // relative one, and judges by 15 % alone.
  EXPECT_EQ(stored->Attribute(QStringLiteral("Operator")), QStringLiteral("X+(X*Y%)"));
  EXPECT_EQ(stored->Attribute(QStringLiteral("HighZ")), QStringLiteral("3"));
  EXPECT_EQ(stored->Attribute(QStringLiteral("LowZ")), QStringLiteral("-3"));
  EXPECT_FALSE(saved->ChildNodes()->Item(0)->ChildNodes()->Item(1)->dom().hasAttribute(
      QStringLiteral("HighZ")));
  auto loaded = std::make_shared<StandardsCollection>();
  loaded->Load(saved, nullptr);
  const LimitPtr back = loaded->Item(1)->FindLimit(QStringLiteral("ENGY"));
  EXPECT_EQ(back->Operator(0), host::kGreaterToleranceOperator);
  EXPECT_FLOAT_EQ(back->Absolute(limitindex::Low), -3);
  EXPECT_EQ(loaded->Item(1)->Check(QStringLiteral("ENGY"), 12, QVariant(10.0f)),
            checkstatus::Passed);
  EXPECT_EQ(loaded->Item(1)->FindLimit(QStringLiteral("DELY"))->Operator(0), QStringLiteral("X+Y"));

  // The operator stored by an earlier release of this host reads the same.
  const host::XmlDocumentPtr earlier = host::XmlHelper::instance()->NewDocument();
  earlier->LoadXml(QStringLiteral(
      "<Standards><Standard AlphaName=\"IEC\" CompleteName=\"IEC 60601-2-4\" Flags=\"1\">"
      "<Limit Key=\"ENGY\" Unit=\"J\" Operator=\"X+max(X*Y%,Z)\" High=\"15\" "
      "HighEnabled=\"True\" Low=\"-15\" LowEnabled=\"True\" HighZ=\"3\" LowZ=\"-3\"/>"
      "</Standard></Standards>"));
  auto fromEarlier = std::make_shared<StandardsCollection>();
  fromEarlier->Load(earlier->DocumentElement(), nullptr);
  const LimitPtr same = fromEarlier->Item(1)->FindLimit(QStringLiteral("ENGY"));
  EXPECT_EQ(same->Operator(0), host::kGreaterToleranceOperator);
  EXPECT_FLOAT_EQ(same->ValueForPreset(5, limitindex::High), 8);
}

TEST(Limit, IndexesAndOperatorsThatAreNotOffered) {
  auto limit =
      makeLimit(QStringLiteral("CHTI"), QString(), 10, true, 0, false, QStringLiteral("s"));
  EXPECT_EQ(limit->Key(), QStringLiteral("CHTI"));
  EXPECT_EQ(limit->Unit(), QStringLiteral("s"));
  EXPECT_EQ(limit->Operator(0), QString());
  EXPECT_TRUE(limit->Enabled(limitindex::High));
  EXPECT_FALSE(limit->Enabled(limitindex::Low));
  for (rt::Integer index : {-1, 2}) {
    EXPECT_EQ(errorOf([&] { limit->Value(index); }), 9);
    EXPECT_EQ(errorOf([&] { limit->Enabled(index); }), 9);
    EXPECT_EQ(errorOf([&] { limit->SetValue(index, 1); }), 9);
    EXPECT_EQ(errorOf([&] { limit->ValueForPreset(1, index); }), 9);
  }
  EXPECT_EQ(errorOf([&] { limit->Operator(1); }), 9);
  EXPECT_EQ(errorOf([&] { limit->SetOperator(1, QStringLiteral("Y")); }), 9);
  EXPECT_EQ(errorOf([&] { limit->SetOperator(0, QStringLiteral("X*Y")); }), 5);
  EXPECT_EQ(limit->Operator(0), QString()) << "a refused operator changes nothing";
  auto copy = limit->Clone();
  copy->SetValue(limitindex::High, 99);
  EXPECT_FLOAT_EQ(limit->Value(limitindex::High), 10) << "a clone is independent";
}

StandardPtr iec() {
  auto standard = std::make_shared<Standard>();
  standard->Init(QStringLiteral("IEC"), QStringLiteral("IEC 60601-2-4"), 1);
  standard->AddLimit(
      makeLimit(QStringLiteral("ENGY"), QStringLiteral("X+(X*Y%)"), 15, true, -15, true));
  standard->AddLimit(
      makeLimit(QStringLiteral("CHTI"), QString(), 15, true, 0, false, QStringLiteral("s")));
  standard->AddLimit(
      makeLimit(QStringLiteral("DELY"), QString(), 60, false, 0, false, QStringLiteral("ms")));
  return standard;
}

TEST(Standard, CheckAnswersTheStatusOfAValue) {
  StandardPtr standard = iec();
  EXPECT_EQ(standard->AlphaName(), QStringLiteral("IEC"));
  EXPECT_EQ(standard->CompleteName(), QStringLiteral("IEC 60601-2-4"));
  EXPECT_EQ(standard->Flags(), 1);
  ASSERT_EQ(standard->Limits().size(), 3);
  EXPECT_EQ(standard->Limits().at(1)->Key(), QStringLiteral("CHTI")) << "in the order added";
  const struct {
    const char* key;
    float value;
    QVariant preset;
    rt::Long status;
  } cases[] = {
      {"ENGY", 230, QVariant::fromValue<float>(200), checkstatus::Passed},
      {"engy", 170, QVariant::fromValue<float>(200), checkstatus::Passed},
      {"ENGY", 231, QVariant::fromValue<float>(200), checkstatus::Failed},
      {"ENGY", 0, QVariant(), checkstatus::Passed},  // no preset: X is 0
      {"ENGY", 1, QVariant(), checkstatus::Failed},
      {"CHTI", 15, QVariant(), checkstatus::Passed},
      {"CHTI", 15.5f, QVariant(), checkstatus::Failed},
      {"CHTI", -100, QVariant(), checkstatus::Passed},
      {"DELY", 1000, QVariant(), checkstatus::NotChecked},  // no enabled bound
      {"PEKI", 1000, QVariant(), checkstatus::NotChecked},
  };
  for (const auto& c : cases)
    EXPECT_EQ(standard->Check(QLatin1String(c.key), c.value, c.preset), c.status)
        << c.key << " " << c.value;
  EXPECT_EQ(standard->FindLimit(QStringLiteral("chti"))->Unit(), QStringLiteral("s"));
  EXPECT_FALSE(standard->FindLimit(QStringLiteral("PEKI")));
  EXPECT_EQ(errorOf([&] { standard->AddLimit(nullptr); }), 91);
}

TEST(Standard, TheCopyForReuseIsIndependent) {
  StandardPtr standard = iec();
  StandardPtr copy = standard->Copy();
  ASSERT_NE(copy, standard);
  EXPECT_EQ(copy->AlphaName(), standard->AlphaName());
  EXPECT_EQ(copy->Flags(), standard->Flags());
  ASSERT_EQ(copy->Limits().size(), 3);
  EXPECT_NE(copy->Limits().at(0), standard->Limits().at(0));
  copy->Limits().at(0)->SetValue(limitindex::High, 50);
  EXPECT_FLOAT_EQ(standard->Limits().at(0)->Value(limitindex::High), 15);
  EXPECT_EQ(copy->Limits().at(0)->Operator(0), QStringLiteral("X+(X*Y%)"));
}

std::shared_ptr<StandardsCollection> collection() {
  auto standards = std::make_shared<StandardsCollection>();
  standards->Add(iec());
  auto aami = std::make_shared<Standard>();
  aami->Init(QStringLiteral("AAMI"), QStringLiteral("AAMI DF80"), 0);
  aami->AddLimit(
      makeLimit(QStringLiteral("ENGY"), QStringLiteral("X+Y"), 0.1f, true, -1.0f / 3.0f, true));
  aami->AddLimit(makeLimit(QStringLiteral("PEKU"), QStringLiteral("Y"), 3.4028235e38f, false,
                           -35.05f, true, QStringLiteral("V")));
  standards->Add(aami);
  auto empty = std::make_shared<Standard>();
  empty->Init(QStringLiteral("PERF"), QString(), 1);
  standards->Add(empty);
  return standards;
}

void expectSameStandards(StandardsCollection& a, StandardsCollection& b) {
  ASSERT_EQ(a.Count(), b.Count());
  for (rt::Long i = 1; i <= a.Count(); ++i) {
    Standard& sa = *a.Item(i);
    Standard& sb = *b.Item(i);
    EXPECT_EQ(sa.AlphaName(), sb.AlphaName());
    EXPECT_EQ(sa.CompleteName(), sb.CompleteName());
    EXPECT_EQ(sa.Flags(), sb.Flags());
    ASSERT_EQ(sa.Limits().size(), sb.Limits().size());
    for (qsizetype j = 0; j < sa.Limits().size(); ++j) {
      Limit& la = *sa.Limits().at(j);
      Limit& lb = *sb.Limits().at(j);
      EXPECT_EQ(la.Key(), lb.Key());
      EXPECT_EQ(la.Unit(), lb.Unit());
      EXPECT_EQ(la.Operator(0), lb.Operator(0));
      for (rt::Integer index : {limitindex::High, limitindex::Low}) {
        EXPECT_EQ(la.Value(index), lb.Value(index))
            << qPrintable(la.Key()) << " exactly, not nearly";
        EXPECT_EQ(la.Enabled(index), lb.Enabled(index));
      }
    }
  }
}

TEST(StandardsCollection, FindsByBothNames) {
  auto standards = collection();
  EXPECT_EQ(standards->Count(), 3);
  StandardPtr found = standards->Find(0, QStringLiteral("aami"), QStringLiteral("AAMI df80"));
  ASSERT_TRUE(found);
  EXPECT_EQ(found, standards->Item(2));
  EXPECT_FALSE(standards->Find(0, QStringLiteral("AAMI"), QStringLiteral("IEC 60601-2-4")));
  EXPECT_FALSE(standards->Find(0, QStringLiteral("IEC"), QString()));
  EXPECT_TRUE(standards->Find(0, QStringLiteral("PERF"), QString()));
  EXPECT_EQ(errorOf([&] { standards->Item(0); }), 9);
  EXPECT_EQ(errorOf([&] { standards->Item(4); }), 9);
  EXPECT_EQ(errorOf([&] { standards->Add(nullptr); }), 91);
  QStringList order;
  for (const StandardPtr& s : *standards) order << s->AlphaName();
  EXPECT_EQ(order,
            (QStringList{QStringLiteral("IEC"), QStringLiteral("AAMI"), QStringLiteral("PERF")}));
}

TEST(StandardsCollection, CloneIsDeep) {
  auto standards = collection();
  auto copy = standards->Clone();
  expectSameStandards(*standards, *copy);
  EXPECT_NE(copy->Item(1), standards->Item(1));
  copy->Item(1)->Limits().at(0)->SetEnabled(limitindex::High, false);
  copy->Item(1)->AddLimit(makeLimit(QStringLiteral("PEKI"), QString(), 1, true, 0, false));
  EXPECT_TRUE(standards->Item(1)->Limits().at(0)->Enabled(limitindex::High));
  EXPECT_EQ(standards->Item(1)->Limits().size(), 3);
  copy->Add(std::make_shared<Standard>());
  EXPECT_EQ(standards->Count(), 3);
}

TEST(StandardsCollection, SaveAndLoadRoundTripExactly) {
  auto standards = collection();
  auto document = host::XmlHelper::instance()->NewDocument();
  host::XmlElementPtr saved = standards->Save(document);
  ASSERT_TRUE(saved);
  saved->SetTagName(QStringLiteral("ExpectedResult"));  // as the limit set stores it
  document->SetDocumentElement(saved);
  auto reread = host::XmlHelper::instance()->NewDocument();
  reread->LoadXml(document->toString());

  auto loaded = std::make_shared<StandardsCollection>();
  loaded->Load(reread->DocumentElement(), std::make_shared<host::HostLog>());
  expectSameStandards(*standards, *loaded);
  auto again = std::make_shared<StandardsCollection>();
  again->Load(loaded->Save(host::XmlHelper::instance()->NewDocument()), nullptr);
  expectSameStandards(*standards, *again);
}

TEST(StandardsCollection, LoadReplacesOnlyWhenItSucceeds) {
  auto standards = collection();
  auto document = host::XmlHelper::instance()->NewDocument();
  document->LoadXml(QStringLiteral(
      "<ExpectedResult>note<Other/><Standard AlphaName=\"X\" CompleteName=\"Y\" Flags=\"1\">"
      "<Limit Key=\"ENGY\" Unit=\"J\" Operator=\"X*Y\" High=\"1\" HighEnabled=\"True\"/></Standard>"
      "</ExpectedResult>"));
  EXPECT_NE(errorOf([&] { standards->Load(document->DocumentElement(), nullptr); }), 0);
  EXPECT_EQ(standards->Count(), 3) << "a failed load keeps what was there";
  // Limits that cannot say what judges: a bound enabled without a value, a
  // standard there twice under the same names.
  for (const char* unreadable :
       {"<ExpectedResult><Standard AlphaName=\"X\" CompleteName=\"Y\">"
        "<Limit Key=\"ENGY\" High=\"1\" LowEnabled=\"True\"/></Standard></ExpectedResult>",
        "<ExpectedResult><Standard AlphaName=\"X\" CompleteName=\"Y\">"
        "<Limit Key=\"ENGY\" High=\"\" HighEnabled=\"True\"/></Standard></ExpectedResult>",
        "<ExpectedResult><Standard AlphaName=\"X\" CompleteName=\"Y\"/>"
        "<Standard AlphaName=\"x\" CompleteName=\"y\"/></ExpectedResult>"}) {
    SCOPED_TRACE(unreadable);
    document->LoadXml(QString::fromLatin1(unreadable));
    EXPECT_EQ(errorOf([&] { standards->Load(document->DocumentElement(), nullptr); }), 5);
    EXPECT_EQ(standards->Count(), 3);
  }
  document->LoadXml(
      QStringLiteral("<ExpectedResult><Other/><Standard AlphaName=\"X\" CompleteName=\"Y\">"
                     "<Limit Key=\"ENGY\" High=\"1.5\" HighEnabled=\"true\" Low=\"-2\" "
                     "LowEnabled=\"True\"/><Junk/></Standard>"
                     "</ExpectedResult>"));
  standards->Load(document->DocumentElement(), nullptr);
  ASSERT_EQ(standards->Count(), 1);
  LimitPtr limit = standards->Item(1)->Limits().at(0);
  EXPECT_FLOAT_EQ(limit->Value(limitindex::High), 1.5f);
  EXPECT_FALSE(limit->Enabled(limitindex::High)) << "only the exact text True reads as true";
  EXPECT_TRUE(limit->Enabled(limitindex::Low));
  EXPECT_FLOAT_EQ(limit->Value(limitindex::Low), -2);
  document->LoadXml(QStringLiteral("<ExpectedResult/>"));
  standards->Load(document->DocumentElement(), nullptr);
  EXPECT_EQ(standards->Count(), 0);
  EXPECT_EQ(errorOf([&] { standards->Load(nullptr, nullptr); }), 91);
  EXPECT_EQ(errorOf([&] { standards->Save(nullptr); }), 91);
}

TEST(StandardsCollection, ValuesNotWrittenAsSaveWritesThemAreToldToTheLog) {
  auto document = host::XmlHelper::instance()->NewDocument();
  document->LoadXml(QStringLiteral(
      "<ExpectedResult><Standard AlphaName=\"IEC\" CompleteName=\"IEC 60601\" Flags=\"one\">"
      "<Limit Key=\"ENGY\" Unit=\"J\" High=\"1,5\" HighEnabled=\"yes\" Low=\"x\" "
      "LowEnabled=\"False\"/>"
      "<Limit Key=\"DELY\" High=\" -1.5e2 \" HighEnabled=\"True\" Low=\"\"/>"
      "</Standard></ExpectedResult>"));
  auto log = std::make_shared<host::HostLog>();
  auto standards = std::make_shared<StandardsCollection>();
  standards->Load(document->DocumentElement(), log);

  // Read as before: the leading number, or False.
  ASSERT_EQ(standards->Count(), 1);
  const LimitPtr energy = standards->Item(1)->FindLimit(QStringLiteral("ENGY"));
  EXPECT_FLOAT_EQ(energy->Value(limitindex::High), 1);
  EXPECT_FALSE(energy->Enabled(limitindex::High));
  EXPECT_FLOAT_EQ(energy->Value(limitindex::Low), 0);
  EXPECT_FLOAT_EQ(standards->Item(1)->FindLimit(QStringLiteral("DELY"))->Value(limitindex::High),
                  -150);

  QStringList messages;
  for (const host::LogEntry& entry : log->entries()) {
    EXPECT_EQ(entry.kind, host::LogEntry::Message);
    EXPECT_EQ(entry.number, host::kStandardsLoadError);
    EXPECT_EQ(entry.severity, 2);
    messages.append(entry.text);
  }
  EXPECT_EQ(
      messages,
      (QStringList{
          "Standard \"IEC\" (IEC 60601): Flags \"one\" is not a number, read as 0",
          "Standard \"IEC\" (IEC 60601), limit \"ENGY\": High \"1,5\" is not a number, "
          "read as 1",
          "Standard \"IEC\" (IEC 60601), limit \"ENGY\": Low \"x\" is not a number, read as 0",
          "Standard \"IEC\" (IEC 60601), limit \"ENGY\": HighEnabled \"yes\" is neither True "
          "nor False, read as False",
      }));
}

TEST(StandardsCollection, TheOwnerIsAWeakBinding) {
  auto standards = collection();
  EXPECT_FALSE(standards->bound());
  auto owner = std::make_shared<testsupport::StubTestElement>(200);
  std::weak_ptr<testsupport::StubTestElement> watch = owner;
  standards->SetOwner(owner);
  EXPECT_TRUE(standards->bound());
  EXPECT_EQ(standards->owner(), owner);
  standards->Unbind();
  EXPECT_FALSE(standards->bound());
  standards->SetOwner(owner);
  auto copy = standards->Clone();
  copy->Unbind();  // what a cloned test does with its copy
  EXPECT_FALSE(copy->bound());
  EXPECT_TRUE(standards->bound());
  owner.reset();
  EXPECT_TRUE(watch.expired()) << "the collection does not keep its owner alive";
  EXPECT_FALSE(standards->bound());
  EXPECT_FALSE(standards->owner());
}

}  // namespace
