// One shock-advisory step: its rhythm table, the advice that follows a
// chosen rhythm, and its stored "ShockAdvice" element.

#include <gtest/gtest.h>

#include <QTemporaryFile>

#include "StoredElements.h"
#include "TestSupport.h"
#include "runtime/RuntimeError.h"
#include "services/ErrorService.h"
#include "services/LanguageService.h"
#include "settings/CShockAdviceSetting.h"
#include "ui/MessageBoxes.h"
#include "xml/XmlDocument.h"

namespace {

using orvanRV1Xtst::CShockAdviceSetting;

constexpr rt::Long kSaveFailed = rt::hresult(0x8004A3C3);
const QString kSource = QStringLiteral("RV1XTests.CShockAdvice");

class ShockAdviceSetting : public ::testing::Test {
 protected:
  void SetUp() override {
    host::ErrorService::instance()->clear();
    ui::MessageBoxes::instance().clear();
  }

  // A "ShockAdvice" element built from its children's (name, text) pairs.
  host::XmlElementPtr element(const QString& key,
                              const QList<std::pair<QString, QString>>& children) {
    auto e = document_->CreateElement(QStringLiteral("ShockAdvice"));
    if (!key.isNull()) e->SetAttribute(QStringLiteral("Key"), key);
    for (const auto& [name, text] : children) e->AddChild(name, text);
    return e;
  }

  std::shared_ptr<host::XmlDocument> document_ = std::make_shared<host::XmlDocument>();
};

TEST_F(ShockAdviceSetting, NewStepHasTheDefaults) {
  CShockAdviceSetting step;
  EXPECT_EQ(step.Key(), QString());
  EXPECT_EQ(step.WaveFormIndex(), 0);
  EXPECT_EQ(step.Duration(), 30);
  EXPECT_FALSE(step.Advice());
  EXPECT_EQ(step.WaveCode(), QStringLiteral("V01"));
  EXPECT_EQ(step.WaveText(), QStringLiteral("Asystolic"));
}

TEST_F(ShockAdviceSetting, RhythmTableGivesNameCodeAndAdvicePerIndex) {
  struct Row {
    rt::Long index;
    const char* name;
    const char* code;
    bool advice;
  };
  const Row rows[] = {{0, "Asystolic", "V01", false}, {1, "CVF", "V02", true},
                      {2, "FVF", "V03", true},        {3, "MVT1", "V04", true},
                      {4, "MVT2", "V05", true},       {5, "PVT1", "V06", true},
                      {6, "PVT2", "V07", true},       {7, "NSR 90", "V08", false}};
  for (const Row& row : rows) {
    CShockAdviceSetting step;
    step.SetAdvice(!row.advice);
    step.SetWaveFormIndex(row.index);
    EXPECT_EQ(step.WaveText(), QLatin1String(row.name)) << row.index;
    EXPECT_EQ(step.WaveCode(), QLatin1String(row.code)) << row.index;
    EXPECT_EQ(step.Advice(), row.advice) << row.index;
  }
}

// Choosing a rhythm always sets the advice that rhythm calls for, so a step
// switched from a shockable rhythm to asystole or a normal sinus rhythm no
// longer expects a shock.
TEST_F(ShockAdviceSetting, ChoosingARhythmSetsItsAdviceUntilTheNextChoice) {
  CShockAdviceSetting step;
  step.SetWaveFormIndex(3);
  EXPECT_TRUE(step.Advice());
  step.SetAdvice(false);
  EXPECT_FALSE(step.Advice());
  step.SetDuration(10);
  EXPECT_FALSE(step.Advice()) << "only a new rhythm changes the advice";
  step.SetWaveFormIndex(7);
  EXPECT_FALSE(step.Advice());
  step.SetWaveFormIndex(1);
  step.SetWaveFormIndex(0);
  EXPECT_FALSE(step.Advice()) << "asystole after a shockable rhythm expects no shock";
}

TEST_F(ShockAdviceSetting, IndexOutsideTheTableExpectsAShockAndHasNoName) {
  CShockAdviceSetting step;
  for (rt::Long index : {8, 9, 99, -1}) {
    step.SetAdvice(false);
    step.SetWaveFormIndex(index);
    EXPECT_TRUE(step.Advice()) << index;
    EXPECT_EQ(step.WaveText(), QString()) << index;
  }
  step.SetWaveFormIndex(9);
  EXPECT_EQ(step.WaveCode(), QStringLiteral("V10"));
  step.SetWaveFormIndex(99);
  EXPECT_EQ(step.WaveCode(), QStringLiteral("V100"));
}

TEST_F(ShockAdviceSetting, WaveTextIsTranslated) {
  QTemporaryFile table;
  ASSERT_TRUE(table.open());
  table.write("[RV-1X]\n20177=Grobes Kammerflimmern\n");
  table.close();
  auto language = host::LanguageService::instance();
  ASSERT_TRUE(language->loadTable(table.fileName()));
  CShockAdviceSetting step;
  step.SetWaveFormIndex(1);
  EXPECT_EQ(step.WaveText(), QStringLiteral("Grobes Kammerflimmern"));
  language->setLanguage(language->language());
}

TEST_F(ShockAdviceSetting, InitStoresValuesWithoutDerivingTheAdvice) {
  CShockAdviceSetting step;
  step.Init(QStringLiteral("::4"), 2);
  EXPECT_EQ(step.Key(), QStringLiteral("::4"));
  EXPECT_EQ(step.WaveFormIndex(), 2);
  EXPECT_FALSE(step.Advice());
  EXPECT_EQ(step.Duration(), 30);
  step.Init(QStringLiteral("::5"), std::nullopt, 0, true);
  EXPECT_EQ(step.WaveFormIndex(), 2);
  EXPECT_EQ(step.Duration(), 0);
  EXPECT_TRUE(step.Advice());
}

TEST_F(ShockAdviceSetting, CloneIsAnIndependentCopy) {
  CShockAdviceSetting step;
  step.Init(QStringLiteral("::3"), 7, 120, true);
  auto copy = step.Clone();
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy->Key(), QStringLiteral("::3"));
  EXPECT_EQ(copy->WaveFormIndex(), 7);
  EXPECT_EQ(copy->Duration(), 120);
  EXPECT_TRUE(copy->Advice());
  copy->SetDuration(5);
  EXPECT_EQ(step.Duration(), 120);
}

TEST_F(ShockAdviceSetting, SaveWritesKeyAndChildrenInOrder) {
  CShockAdviceSetting step;
  step.Init(QStringLiteral("::12"), 4, 0, true);
  auto saved = step.Save(document_);
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->TagName(), QStringLiteral("ShockAdvice"));
  EXPECT_EQ(saved->Attribute(QStringLiteral("Key")), QStringLiteral("::12"));
  auto children = saved->ChildNodes();
  ASSERT_EQ(children->Length(), 3);
  const QString names[] = {QStringLiteral("WaveFormIndex"), QStringLiteral("Duration"),
                           QStringLiteral("Advice")};
  const QString texts[] = {QStringLiteral("4"), QStringLiteral("0"), QStringLiteral("True")};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(children->Item(i)->TagName(), names[i]);
    EXPECT_EQ(children->Item(i)->Text(), texts[i]);
  }
}

TEST_F(ShockAdviceSetting, SaveThenLoadReproducesEveryField) {
  for (bool advice : {true, false}) {
    CShockAdviceSetting step;
    step.Init(QStringLiteral("::7"), 6, 60, advice);
    auto saved = step.Save(document_);
    ASSERT_TRUE(saved);
    CShockAdviceSetting loaded;
    loaded.Load(saved, nullptr);
    EXPECT_EQ(loaded.Key(), QStringLiteral("::7"));
    EXPECT_EQ(loaded.WaveFormIndex(), 6);
    EXPECT_EQ(loaded.Duration(), 60);
    EXPECT_EQ(loaded.Advice(), advice);
  }
  EXPECT_TRUE(host::ErrorService::instance()->entries().isEmpty());
}

TEST_F(ShockAdviceSetting, LoadTakesTheStoredAdviceNotTheRhythms) {
  CShockAdviceSetting step;
  step.Load(
      element(QStringLiteral("::1"), {{QStringLiteral("WaveFormIndex"), QStringLiteral("4")}}),
      nullptr);
  EXPECT_EQ(step.WaveFormIndex(), 4);
  EXPECT_FALSE(step.Advice());
}

TEST_F(ShockAdviceSetting, LoadWithoutDurationGivesThirtySeconds) {
  CShockAdviceSetting step;
  step.SetDuration(120);
  step.Load(element(QStringLiteral("::1"), {}), nullptr);
  EXPECT_EQ(step.Duration(), 30);
}

TEST_F(ShockAdviceSetting, LoadReadsTextsAsTheStoreWritesThem) {
  CShockAdviceSetting step;
  step.Init(QStringLiteral("::9"), 2, 10, true);
  step.Load(element(QString(), {{QStringLiteral("WaveFormIndex"), QStringLiteral(" 2.5x")},
                                {QStringLiteral("Duration"), QStringLiteral("abc")},
                                {QStringLiteral("Advice"), QStringLiteral("true")},
                                {QStringLiteral("Comment"), QStringLiteral("ignored")},
                                {QStringLiteral("WaveFormIndex"), QStringLiteral("5.5")}}),
            nullptr);
  EXPECT_EQ(step.Key(), QString()) << "a missing key attribute reads as empty";
  EXPECT_EQ(step.WaveFormIndex(), 6) << "the last of two children wins, halves go to even";
  EXPECT_EQ(step.Duration(), 0) << "a text without a number reads as 0";
  EXPECT_FALSE(step.Advice()) << "only the exact text True is true";
}

TEST_F(ShockAdviceSetting, LoadFailureIsReportedAndKeepsWhatWasRead) {
  CShockAdviceSetting step;
  EXPECT_FALSE(step.Load(
      element(QStringLiteral("::2"), {{QStringLiteral("WaveFormIndex"), QStringLiteral("3")},
                                      {QStringLiteral("Duration"), QStringLiteral("1e12")},
                                      {QStringLiteral("Advice"), QStringLiteral("True")}}),
      nullptr));
  const auto reported = host::ErrorService::instance()->reported();
  ASSERT_EQ(reported.size(), 1);
  EXPECT_EQ(reported[0].number, rt::err::Overflow);
  EXPECT_EQ(reported[0].source, kSource);
  EXPECT_EQ(step.WaveFormIndex(), 3);
  EXPECT_FALSE(step.Advice()) << "the load ended at the overflowing duration";

  CShockAdviceSetting other;
  EXPECT_FALSE(other.Load(nullptr, nullptr));
  EXPECT_EQ(host::ErrorService::instance()->reported().size(), 2);
}

TEST_F(ShockAdviceSetting, SaveIntoADocumentThatMakesNoElementRaisesToTheCaller) {
  CShockAdviceSetting step;
  const rt::RuntimeError raised = testsupport::raisedBy([&] {
    step.Save(std::make_shared<testsupport::RefusingDocument>(QStringLiteral("ShockAdvice")));
  });
  EXPECT_EQ(raised.Number(), kSaveFailed);
  EXPECT_EQ(raised.Source(), kSource);
  const auto& entries = host::ErrorService::instance()->entries();
  ASSERT_EQ(entries.size(), 1);
  EXPECT_FALSE(entries[0].reported);
  EXPECT_EQ(entries[0].number, kSaveFailed);
  EXPECT_EQ(entries[0].severity, 3);
  EXPECT_EQ(entries[0].product, QStringLiteral("RV-1X"));
}

TEST_F(ShockAdviceSetting, SaveWithoutADocumentIsReportedAndGivesNothing) {
  CShockAdviceSetting step;
  host::XmlElementPtr saved;
  EXPECT_NO_THROW(saved = step.Save(nullptr));
  EXPECT_FALSE(saved);
  const auto reported = host::ErrorService::instance()->reported();
  ASSERT_EQ(reported.size(), 1);
  EXPECT_EQ(reported[0].number, rt::err::ObjectNotSet);
  EXPECT_EQ(reported[0].source, kSource);
}

}  // namespace
