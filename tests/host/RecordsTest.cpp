// Service records, guide settings, the run context and the analyzer
// identity list.

#include <gtest/gtest.h>

#include <functional>

#include "QtPrinters.h"
#include "StubTestElement.h"
#include "TestSupport.h"
#include "limits/StandardsCollection.h"
#include "records/RunContext.h"
#include "records/RunObjects.h"
#include "records/ServiceRecord.h"
#include "records/TestGuideSettingsObject.h"
#include "xml/XmlDocument.h"
#include "xml/XmlHelper.h"

namespace {

using host::XmlElementPtr;

using testsupport::errorOf;

// The element as another run reads it: stored as text and parsed again.
XmlElementPtr reread(const XmlElementPtr& element) {
  auto document = host::XmlHelper::instance()->NewDocument();
  document->SetDocumentElement(element);
  auto again = host::XmlHelper::instance()->NewDocument();
  again->LoadXml(document->toString());
  return again->DocumentElement();
}

TEST(ServiceRecord, RoundTripsBuiltAndUnbuiltRecords) {
  const struct {
    bool build;
    const char* flag;
    const char* summary;
  } cases[] = {
      {true, "", "/12.5/3"}, {true, "F", "/0.1/-7/True"}, {true, "NA", ""}, {false, "", ""}};
  for (const auto& c : cases) {
    host::ServiceRecord record;
    if (c.build)
      record.Build(std::make_shared<host::TestFilter>(), QLatin1String(c.flag),
                   QLatin1String(c.summary));
    XmlElementPtr saved = record.Save(host::XmlHelper::instance()->NewDocument());
    ASSERT_TRUE(saved) << "a record never built saves too";
    EXPECT_EQ(saved->TagName(), QStringLiteral("ServiceRecord"));
    host::ServiceRecord loaded;
    loaded.Load(reread(saved), nullptr);
    EXPECT_EQ(loaded.built(), c.build);
    EXPECT_EQ(loaded.flag(), QLatin1String(c.flag));
    EXPECT_EQ(loaded.summary(), QLatin1String(c.summary));
  }
  host::ServiceRecord record;
  EXPECT_EQ(errorOf([&] {
              record.Load(host::XmlHelper::instance()->NewDocument()->CreateElement(
                              QStringLiteral("Other")),
                          nullptr);
            }),
            5);
  EXPECT_EQ(errorOf([&] { record.Load(nullptr, nullptr); }), 91);
}

TEST(TestGuideSettingsObject, RoundTripsAndClonesIndependently) {
  host::TestGuideSettingsObject settings;
  EXPECT_EQ(settings.ButtonMask(), host::guidebutton::Default);
  settings.SetButtonMask(host::guidebutton::Skip | host::guidebutton::Previous);
  XmlElementPtr saved = settings.Save(host::XmlHelper::instance()->NewDocument());
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->TagName(), QStringLiteral("TestGuideSettings"));
  host::TestGuideSettingsObject loaded;
  loaded.Load(reread(saved), nullptr);
  EXPECT_EQ(loaded.ButtonMask(), 9);
  for (rt::Long mask : {0, -1, 0x7FFFFFFF}) {
    settings.SetButtonMask(mask);
    loaded.Load(reread(settings.Save(host::XmlHelper::instance()->NewDocument())), nullptr);
    EXPECT_EQ(loaded.ButtonMask(), mask);
  }
  auto document = host::XmlHelper::instance()->NewDocument();
  host::TestGuideSettingsObject untouched;
  untouched.Load(document->CreateElement(QStringLiteral("TestGuideSettings")), nullptr);
  EXPECT_EQ(untouched.ButtonMask(), host::guidebutton::Default)
      << "no stored mask keeps the default";
  auto copy = loaded.Clone();
  copy->SetButtonMask(1);
  EXPECT_EQ(loaded.ButtonMask(), 0x7FFFFFFF);
  EXPECT_EQ(errorOf([&] { loaded.Load(nullptr, nullptr); }), 91);
}

TEST(RunContext, HandsOutWhatTheRunNeeds) {
  host::RunContext context;
  auto test = std::make_shared<testsupport::StubTestElement>(400);
  bool mayRun = false;
  context.MayRun(test, mayRun);
  EXPECT_TRUE(mayRun);
  context.setMayRun(false);
  context.MayRun(test, mayRun);
  EXPECT_FALSE(mayRun);
  EXPECT_EQ(context.NavigationCode(), host::navigation::Next);
  context.SetNavigationCode(host::navigation::Skip);
  EXPECT_EQ(context.NavigationCode(), 3);
  ASSERT_TRUE(context.SelectedStandards());
  EXPECT_EQ(context.SelectedStandards()->Count(), 0);
  ASSERT_TRUE(context.MtiList());
  EXPECT_EQ(context.MtiList(), context.MtiList()) << "one list for the whole run";
  context.Notify(test);
  ASSERT_EQ(context.notified().size(), 1);
  EXPECT_EQ(context.notified().at(0).lock(), test);
  test.reset();
  EXPECT_TRUE(context.notified().at(0).expired()) << "the context does not keep tests alive";
}

TEST(MtiList, AddedEntriesAreFoundForTheRestOfTheRun) {
  auto list = std::make_shared<host::MtiList>();
  EXPECT_FALSE(list->Find(host::kProduct, 1));
  for (rt::Long index : {1, 2}) {
    auto entry = std::make_shared<host::MtiEntry>();
    entry->SetOwner(host::kProduct, index);
    entry->SetIdentity(index == 1 ? QStringLiteral("RV-12P") : QStringLiteral("RV-15"),
                       QStringLiteral("SN%1").arg(index), QStringLiteral("1.0%1").arg(index));
    list->Add(entry);
  }
  auto other = std::make_shared<host::MtiEntry>();
  other->SetOwner(QStringLiteral("Other"), 1);
  list->Add(other);
  auto found = list->Find(QStringLiteral("rv-1x"), 2);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->Index(), 2);
  EXPECT_EQ(found->MtiType(), QStringLiteral("RV-15"));
  EXPECT_EQ(found->Serial(), QStringLiteral("SN2"));
  EXPECT_EQ(found->Firmware(), QStringLiteral("1.02"));
  EXPECT_EQ(list->Find(QStringLiteral("Other"), 1), other);
  EXPECT_FALSE(list->Find(host::kProduct, 3));
  QStringList types;
  for (const host::MtiEntryPtr& entry : *list) types << entry->MtiType();
  EXPECT_EQ(types, (QStringList{QStringLiteral("RV-12P"), QStringLiteral("RV-15"), QString()}));
  EXPECT_EQ(errorOf([&] { list->Add(nullptr); }), 91);
  EXPECT_EQ(list->Count(), 3);
}

TEST(DefaultCallBack, CountsTheEvents) {
  auto callBack = std::make_shared<host::DefaultCallBack>();
  std::shared_ptr<host::HostCallBack> asHost = callBack;
  QString name = QStringLiteral("Change");
  QVariantList args;
  EXPECT_FALSE(asHost->Notify(name, args).isValid());
  asHost->Notify(name, args);
  EXPECT_EQ(callBack->events(), (QStringList{QStringLiteral("Change"), QStringLiteral("Change")}));
  host::TestFilter filter;
  EXPECT_EQ(filter.Flags(), 0);
  filter.setFlags(host::TestFilter::BuildServiceRecord);
  EXPECT_EQ(filter.Flags() & 1, 1);
}

}  // namespace
