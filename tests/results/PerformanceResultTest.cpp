// The performance result: the one judgement named after the configured wave,
// its status and service record, and its stored form.

#include "ResultCases.h"
#include "records/RunObjects.h"

namespace {

using namespace orvanRV1Xtst;
using namespace resultstest;

class PerformanceResult : public ResultTest {
 protected:
  void SetUp() override {
    ResultTest::SetUp();
    result_.Initialize(std::make_shared<CConfigPerformance>());
  }

  void judge(const QVariant& value, rt::Long status) {
    const CMeasurementPtr perf = result_.MeasurementByKey(QStringLiteral("PERF"));
    perf->SetValue(value);
    perf->SetStatus(status);
  }

  RunBench bench_{600};
  CResultPerformance result_;
};

TEST_F(PerformanceResult, TheMeasurementIsNamedAfterTheConfiguredWave) {
  const struct {
    rt::Long wavetype;
    const char* description;
  } cases[] = {
      {100, "20500::Sine 30 BPM"},
      {106, "20506::Sine 300 BPM"},
      {107, ""},
      {200, "20507::VFib"},
      {211, "20518::Vtach"},
      {212, ""},
      {301, "20522::Square 2 Hz"},
      {312, "20533::Pulse 60 BPM"},
      {313, ""},
      {99, ""},
      {0, ""},
  };
  for (const auto& c : cases) {
    auto config = std::make_shared<CConfigPerformance>();
    config->SetWavetype(c.wavetype);
    CResultPerformance result;
    result.Initialize(config);
    ASSERT_EQ(result.MeasurementCount(), 1);
    const CMeasurementPtr perf = result.MeasurementByKey(QStringLiteral("PERF"));
    EXPECT_EQ(perf->DescriptionKey(), QLatin1String(c.description)) << c.wavetype;
    EXPECT_EQ(perf->ValueType(), 3);
    EXPECT_TRUE(perf->Unit().isEmpty());
    EXPECT_FALSE(perf->PresetValue().isValid());
    EXPECT_TRUE(perf->ValueFormat().isEmpty());
  }
  CResultPerformance fresh;
  EXPECT_EQ(fresh.MeasurementCount(), 0);
}

TEST_F(PerformanceResult, TheJudgementIsTheStatus) {
  const struct {
    QVariant value;
    rt::Long judged;
    rt::Long status;
    bool record;
    const char* flag;
    const char* summary;
  } cases[] = {
      {{}, 0, 0, false, "", ""},
      {true, 1, 1, true, "", "/True"},
      {false, 2, 2, true, "F", "/False"},
  };
  for (const auto& c : cases) {
    CResultPerformance result;
    result.Initialize(std::make_shared<CConfigPerformance>());
    result.MeasurementByKey(QStringLiteral("PERF"))->SetValue(c.value);
    result.MeasurementByKey(QStringLiteral("PERF"))->SetStatus(c.judged);
    result.UpdateStatus(bench_.test, false);
    EXPECT_EQ(result.Status(), c.status);
    ASSERT_EQ(bool(result.ServiceRecord()), c.record) << c.judged;
    if (!c.record) continue;
    EXPECT_EQ(result.ServiceRecord()->flag(), QLatin1String(c.flag));
    EXPECT_EQ(result.ServiceRecord()->summary(), QLatin1String(c.summary));
  }
}

TEST_F(PerformanceResult, SkippingClearsTheJudgement) {
  judge(true, 1);
  result_.UpdateStatus(bench_.test, true);
  EXPECT_EQ(result_.Status(), 3);
  const CMeasurementPtr perf = result_.MeasurementByKey(QStringLiteral("PERF"));
  EXPECT_EQ(perf->Status(), 0);
  EXPECT_FALSE(perf->HasValue());
  EXPECT_EQ(result_.ServiceRecord()->flag(), QStringLiteral("NA"));
  EXPECT_TRUE(result_.ServiceRecord()->summary().isEmpty());
}

TEST_F(PerformanceResult, ASecondInitializeLosesTheJudgement) {
  judge(true, 1);
  result_.Initialize(std::make_shared<CConfigPerformance>());
  EXPECT_FALSE(result_.MeasurementByKey(QStringLiteral("PERF"))->HasValue());
}

TEST_F(PerformanceResult, StoresTheJudgedMeasurementAndReadsItBack) {
  EXPECT_EQ(childTags(result_.Save(document_)), QStringList{QStringLiteral("Status")});
  judge(true, 1);
  result_.UpdateStatus(bench_.test, false);
  result_.SetMTIID(1);
  const host::XmlElementPtr stored = result_.Save(document_);
  EXPECT_EQ(canonical(stored),
            canonicalXml(QStringLiteral(
                "<ResultItem MTI=\"1\"><Status Code=\"1\"/>"
                "<ServiceRecord Built=\"True\" Flag=\"\">/True</ServiceRecord>"
                "<Measurement Key=\"PERF\"><Description>20522::Square 2 Hz</Description>"
                "<Value Type=\"3\" Kind=\"Boolean\">True</Value><Status Code=\"1\"/></Measurement>"
                "</ResultItem>")));

  CResultPerformance loaded;
  loaded.Initialize(std::make_shared<CConfigPerformance>());
  auto log = std::make_shared<host::HostLog>();
  loaded.Load(stored, log);
  EXPECT_EQ(loaded.Status(), 1);
  EXPECT_EQ(loaded.MeasurementByKey(QStringLiteral("PERF"))->Value(), QVariant(true));
  EXPECT_EQ(loaded.ServiceRecord()->summary(), QStringLiteral("/True"));
  EXPECT_EQ(log->entries().first().text, QStringLiteral("Loading Performance Test result data"));
}

}  // namespace
