// The shock-advisory result: one expected advice per configured step, the
// operator's verdicts judged against them, its versioned stored form and the
// older layout that carried the steps themselves.

#include "RecordingReport.h"
#include "ResultCases.h"
#include "records/RunObjects.h"
#include "report/HostReport.h"

namespace {

using namespace orvanRV1Xtst;
using namespace resultstest;

class ShockResult : public ResultTest {
 protected:
  // Steps "::1" CVF (shock expected), "::2" NSR 90 (none), "::3" FVF (shock).
  void SetUp() override {
    ResultTest::SetUp();
    config_->Item(1)->SetWaveFormIndex(1);
    config_->AddNew()->SetWaveFormIndex(7);
    config_->AddNew()->SetWaveFormIndex(2);
    result_.Initialize(config_);
  }

  void answer(std::initializer_list<QVariant> verdicts) {
    rt::Long position = 1;
    for (const QVariant& verdict : verdicts)
      result_.MeasurementList().Item(position++)->SetValue(verdict);
  }

  QList<rt::Long> stepStatuses() {
    QList<rt::Long> statuses;
    for (const CMeasurementPtr& m : result_.MeasurementList()) statuses.append(m->Status());
    return statuses;
  }

  host::ServiceRecord& record() { return com::must(result_.ServiceRecord()); }

  std::shared_ptr<CConfigShock> config_ = std::make_shared<CConfigShock>();
  RunBench bench_{700};
  CResultShock result_;
};

TEST_F(ShockResult, NewResultHasAnEmptyRecordAndNoStepsUntilInitialized) {
  CResultShock fresh;
  EXPECT_EQ(fresh.MeasurementCount(), 0);
  EXPECT_FALSE(fresh.Measurement(1));
  ASSERT_TRUE(fresh.ServiceRecord());
  EXPECT_FALSE(fresh.ServiceRecord()->built());
  EXPECT_EQ(
      canonical(fresh.Save(document_)),
      canonicalXml(QStringLiteral("<ResultItem Version=\"2\"><Status Code=\"0\"/>"
                                  "<ServiceRecord Built=\"False\" Flag=\"\"/></ResultItem>")));
}

TEST_F(ShockResult, OneUnansweredStepPerConfiguredStepExpectingItsAdvice) {
  ASSERT_EQ(result_.MeasurementCount(), 3);
  const QStringList keys{"::1", "::2", "::3"};
  const QStringList waves{"CVF", "NSR 90", "FVF"};
  const QList<bool> advice{true, false, true};
  for (int i = 0; i < 3; ++i) {
    const CMeasurementPtr m = result_.MeasurementList().Item(i + 1);
    EXPECT_EQ(m->Key(), keys.at(i));
    EXPECT_EQ(m->DescriptionKey(), waves.at(i));
    EXPECT_TRUE(m->Unit().isEmpty());
    EXPECT_EQ(m->ValueType(), 3);
    EXPECT_EQ(m->PresetValue(), QVariant(advice.at(i)));
    EXPECT_FALSE(m->HasValue());
  }
  result_.Initialize(nullptr);
  EXPECT_EQ(result_.MeasurementCount(), 0) << "a second Initialize starts afresh";
}

TEST_F(ShockResult, VerdictsAreJudgedAgainstTheExpectedAdvice) {
  const struct {
    std::initializer_list<QVariant> verdicts;
    QList<rt::Long> steps;
    rt::Long status;
    const char* flag;
    const char* summary;
  } cases[] = {
      {{true, false, false}, {1, 1, 2}, 2, "F", "/True/False/False"},
      {{{}, true, {}}, {0, 2, 0}, 2, "F", "/False/True/False"},
      {{true, false, true}, {1, 1, 1}, 1, "", "/True/False/True"},
      // Steps left unanswered: passed needs every step, so not evaluated,
      // and the record stays as it was.
      {{true, {}, {}}, {1, 0, 0}, 0, nullptr, nullptr},
      {{true, false, {}}, {1, 1, 0}, 0, nullptr, nullptr},
  };
  int row = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(++row);
    result_.Initialize(config_);
    answer(c.verdicts);
    const host::ServiceRecordPtr before = result_.ServiceRecord();
    result_.UpdateStatus(bench_.test, false);
    EXPECT_EQ(stepStatuses(), c.steps);
    EXPECT_EQ(result_.Status(), c.status);
    if (!c.flag) {
      EXPECT_EQ(result_.ServiceRecord(), before);
      continue;
    }
    EXPECT_TRUE(record().built());
    EXPECT_EQ(record().flag(), QLatin1String(c.flag));
    EXPECT_EQ(record().summary(), QLatin1String(c.summary));
  }
}

TEST_F(ShockResult, NoVerdictLeavesTheResultUnevaluatedAndItsRecord) {
  const host::ServiceRecordPtr before = result_.ServiceRecord();
  result_.UpdateStatus(bench_.test, false);
  EXPECT_EQ(result_.Status(), 0);
  EXPECT_EQ(result_.ServiceRecord(), before);
  EXPECT_FALSE(result_.HasMeasuredValue());
}

TEST_F(ShockResult, SkippingDiscardsTheVerdicts) {
  answer({true, true, false});
  result_.UpdateStatus(bench_.test, false);
  result_.UpdateStatus(bench_.test, true);
  EXPECT_EQ(result_.Status(), 3);
  EXPECT_EQ(stepStatuses(), (QList<rt::Long>{0, 0, 0}));
  EXPECT_FALSE(result_.HasMeasuredValue());
  EXPECT_EQ(record().flag(), QStringLiteral("NA"));
  EXPECT_TRUE(record().summary().isEmpty());
}

// The status comment is a person's words: it is written back as read.
TEST_F(ShockResult, StoresVersionTwoWithoutPresetsAndKeepsTheStatusComment) {
  answer({true, false, false});
  result_.UpdateStatus(bench_.test, false);
  result_.SetMTIID(4);
  result_.Load(element(QStringLiteral("<ResultItem MTI=\"4\" Version=\"2\">"
                                      "<Status Code=\"2\">operator text</Status></ResultItem>")),
               nullptr);
  EXPECT_EQ(result_.StatusText(), QStringLiteral("operator text"));
  EXPECT_EQ(result_.MTIID(), 4);
  EXPECT_EQ(canonical(result_.Save(document_)),
            canonicalXml(QStringLiteral(
                "<ResultItem MTI=\"4\" Version=\"2\"><Status Code=\"2\">operator text</Status>"
                "<ServiceRecord Built=\"True\" Flag=\"F\">/True/False/False</ServiceRecord>"
                "<Measurement Key=\"::1\"><Description>CVF</Description>"
                "<Value Type=\"3\" Kind=\"Boolean\">True</Value><Status Code=\"1\"/></Measurement>"
                "<Measurement Key=\"::2\"><Description>NSR 90</Description>"
                "<Value Type=\"3\" Kind=\"Boolean\">False</Value><Status Code=\"1\"/></Measurement>"
                "<Measurement Key=\"::3\"><Description>FVF</Description>"
                "<Value Type=\"3\" Kind=\"Boolean\">False</Value><Status Code=\"2\"/></Measurement>"
                "</ResultItem>")));
}

TEST_F(ShockResult, CurrentLayoutLoadsIntoTheConfiguredSteps) {
  answer({true, {}, false});
  result_.UpdateStatus(bench_.test, false);
  const host::XmlElementPtr stored = result_.Save(document_);
  EXPECT_EQ(canonical(stored->ChildNodes()->Item(3)),
            canonicalXml(QStringLiteral("<Measurement Key=\"::2\"><Description>NSR 90</Description>"
                                        "<Value Type=\"3\" Kind=\"Empty\"/><Status Code=\"0\">"
                                        "20653::the operator gave no verdict</Status>"
                                        "</Measurement>")));

  CResultShock loaded;
  loaded.Initialize(config_);
  loaded.Load(stored, std::make_shared<host::HostLog>());
  EXPECT_TRUE(reported().isEmpty());
  EXPECT_EQ(loaded.Status(), 2);
  EXPECT_EQ(loaded.MeasurementByKey(QStringLiteral("::1"))->Value(), QVariant(true));
  EXPECT_FALSE(loaded.MeasurementByKey(QStringLiteral("::2"))->HasValue());
  EXPECT_EQ(loaded.MeasurementByKey(QStringLiteral("::3"))->Status(), 2);
  EXPECT_EQ(loaded.MeasurementByKey(QStringLiteral("::3"))->PresetValue(), QVariant(true));
  EXPECT_EQ(loaded.ServiceRecord()->summary(), QStringLiteral("/True/False/False"));
}

// One step of three answered, as it expects: no verdict yet, but the answer
// is kept, stored, read back and printed, and the result says why.
TEST_F(ShockResult, APartlyAnsweredResultKeepsItsAnswerAndSaysWhyItIsNotJudged) {
  LanguageScope english{QStringLiteral("en")};
  answer({true});
  result_.UpdateStatus(bench_.test, false);
  EXPECT_EQ(result_.Status(), 0);
  EXPECT_EQ(result_.NotJudgedReason(), QStringLiteral("not every step was answered"));
  const host::XmlElementPtr stored = result_.Save(document_);
  EXPECT_EQ(childTags(stored).count(QStringLiteral("Measurement")), 3);

  CResultShock loaded;
  loaded.Initialize(config_);
  loaded.Load(stored, nullptr);
  EXPECT_TRUE(reported().isEmpty());
  EXPECT_EQ(loaded.Status(), 0);
  EXPECT_EQ(loaded.MeasurementByKey(QStringLiteral("::1"))->Value(), QVariant(true));
  EXPECT_EQ(loaded.MeasurementByKey(QStringLiteral("::1"))->Status(), 1);
  EXPECT_EQ(loaded.NotJudgedReason(), QStringLiteral("not every step was answered"));
  auto report = std::make_shared<testsupport::RecordingReport>();
  loaded.PrintReport(report, QVariant());
  QString rows;
  for (const testsupport::ReportCall& call : report->calls())
    if (call.name == QLatin1String("AddTable")) rows = call.args.value(2).toString();
  EXPECT_TRUE(rows.startsWith(QStringLiteral("|      CVF|Shock|Shock|;"))) << qPrintable(rows);
}

TEST_F(ShockResult, AStepRemovedSinceTheRunIsReportedAndTheLaterStepsStillLoad) {
  answer({true, false, false});
  result_.UpdateStatus(bench_.test, false);
  const host::XmlElementPtr stored = result_.Save(document_);
  config_->Remove(2);
  CResultShock loaded;
  loaded.Initialize(config_);
  loaded.Load(stored, nullptr);
  ASSERT_EQ(reported().size(), 1);
  EXPECT_EQ(reported().first().source, QStringLiteral("RV1XTests.CResultShock"));
  EXPECT_EQ(loaded.MeasurementCount(), 2);
  EXPECT_EQ(loaded.MeasurementByKey(QStringLiteral("::3"))->Value(), QVariant(false));
  EXPECT_EQ(loaded.MeasurementByKey(QStringLiteral("::3"))->Status(), 2);
}

TEST_F(ShockResult, OlderLayoutRebuildsTheStepsAndTheirExpectedAdvice) {
  const auto step = [](const char* key, const char* description, const char* verdict,
                       const char* status) {
    const QString value = *verdict ? QStringLiteral("<Value Type=\"3\" Kind=\"Boolean\">%1</Value>")
                                         .arg(QLatin1String(verdict))
                                   : QString();
    return QStringLiteral(
               "<Measurement Key=\"%1\"><Description>%2</Description>%3"
               "<Status Code=\"%4\"/></Measurement>")
        .arg(QLatin1String(key), QLatin1String(description), value, QLatin1String(status));
  };
  const QString older =
      QStringLiteral(
          "<ResultItem MTI=\"2\"%1><Status Code=\"2\"/><Comment>Older file</Comment>"
          "<ServiceRecord Built=\"True\" Flag=\"F\">/False/False</ServiceRecord>") +
      step("::1", "Asystolic", "False", "1") + step("::2", "MVT1", "False", "2") +
      step("::3", "Gone", "", "0") +       // unanswered and no longer configured
      step("::1", "Again", "True", "1") +  // a second step of one key
      step("::4", "Waiting", "", "0") + QStringLiteral("</ResultItem>");
  // Configured now: "::1" NSR 90 (no shock), "::2", "::4" CVF (a shock).
  auto config = std::make_shared<CConfigShock>();
  config->Item(1)->SetWaveFormIndex(7);
  config->AddNew();
  config->AddNew();
  config->AddNew()->SetWaveFormIndex(1);
  config->Remove(3);
  for (const char* version : {"", " Version=\"1\"", " Version=\"\"", " Version=\"x\""}) {
    SCOPED_TRACE(version);
    errors().clear();
    CResultShock loaded;
    loaded.Initialize(config);
    loaded.Load(element(older.arg(QLatin1String(version))), nullptr);
    ASSERT_EQ(loaded.MeasurementCount(), 4);
    const CMeasurementPtr passed = loaded.MeasurementList().Item(1);
    EXPECT_EQ(passed->DescriptionKey(), QStringLiteral("Asystolic"));
    EXPECT_EQ(passed->PresetValue(), QVariant(false)) << "a passed step expected its verdict";
    EXPECT_EQ(loaded.MeasurementByKey(QStringLiteral("::2"))->PresetValue(), QVariant(true))
        << "a failed step expected the other advice";
    EXPECT_FALSE(loaded.MeasurementByKey(QStringLiteral("::3"))->PresetValue().isValid())
        << "no verdict and no step: nothing expected";
    EXPECT_EQ(loaded.MeasurementByKey(QStringLiteral("::4"))->PresetValue(), QVariant(true))
        << "no verdict: the configuration's advice";
    EXPECT_EQ(loaded.Comment(), QStringLiteral("Older file"));
    EXPECT_EQ(loaded.ServiceRecord()->summary(), QStringLiteral("/False/False"));
    ASSERT_EQ(reported().size(), 1) << "the second step of one key";
    EXPECT_EQ(reported().first().number, rt::err::DuplicateKey);
    // A re-save writes the current layout.
    EXPECT_EQ(loaded.Save(document_)->Attribute(QStringLiteral("Version")), QStringLiteral("2"));
  }
}

}  // namespace
