// The results judged against limits: their measurements and presets, their
// reading of the analyzer's reply, their verdict against the selected
// standards, and their stored forms.

#include "ResultCases.h"
#include "records/RunObjects.h"

namespace {

using namespace orvanRV1Xtst;
using namespace resultstest;

QVariant valueOf(CResultBase& result, const char* key) {
  return com::must(result.MeasurementByKey(QLatin1String(key))).Value();
}

host::ServiceRecord& recordOf(CResultBase& result) {
  return com::must(result.ServiceRecord());
}

class LimitedResults : public ResultTest {};

TEST_F(LimitedResults, MeasurementsAreMadeInOrderWithTheirPresets) {
  const struct {
    std::shared_ptr<CResultBase> result;
    QStringList keys;
    QStringList descriptions;
    QStringList units;
    QList<rt::Long> types;
    QStringList patterns;
    QVariantList presets;
  } cases[] = {
      {makeResult<CResultChargeTime, CConfigChargeTime>(),
       {"ENGY", "CHTI"},
       {"20012::Energy", "20011::Charge time"},
       {"J", "s"},
       {1, 1},
       {"# ##0.0", "# ##0.0"},
       {QVariant::fromValue(360.0f), {}}},
      {makeResult<CResultChargeTime>(),
       {"ENGY", "CHTI"},
       {"20012::Energy", "20011::Charge time"},
       {"J", "s"},
       {1, 1},
       {"# ##0.0", "# ##0.0"},
       {{}, {}}},
      {makeResult<CResultSensitivity>(),
       {"PADS", "ECG"},
       {"20146::Sensitivity pads", "20147::Sensitivity ECG"},
       {"mV", "mV"},
       {1, 1},
       {"# ##0.00", "# ##0.00"},
       {{}, {}}},
      {makeResult<CResultRefractory>(),
       {"SENS", "PACE"},
       {"20145::Sensed Rp", "20144::Paced Rp"},
       {"ms", "ms"},
       {2, 2},
       {"# ##0", "# ##0"},
       {{}, {}}},
      {makeResult<CResultAccuracy, CConfigAccuracy>(),
       {"RATE", "AMPL", "PWID"},
       {"20072::Rate", "20070::Amplitude", "20073::Pulse width"},
       {"ppm", "mA", "ms"},
       {2, 1, 1},
       {"# ##0", "# ##0.0", "# ##0.0"},
       {40.0, 30.0, {}}},
      {makeResult<CResultAccuracy>(),
       {"RATE", "AMPL", "PWID"},
       {"20072::Rate", "20070::Amplitude", "20073::Pulse width"},
       {"ppm", "mA", "ms"},
       {2, 1, 1},
       {"# ##0", "# ##0.0", "# ##0.0"},
       {{}, {}, {}}},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(c.result->MeasurementCount(), c.keys.size());
    for (int i = 0; i < c.keys.size(); ++i) {
      const CMeasurementPtr m = c.result->MeasurementList().Item(i + 1);
      SCOPED_TRACE(qPrintable(m->Key()));
      EXPECT_EQ(m->Key(), c.keys.at(i));
      EXPECT_EQ(m->Unit(), c.units.at(i));
      EXPECT_EQ(m->ValueType(), c.types.at(i));
      EXPECT_EQ(m->ValueFormat(), c.patterns.at(i));
      EXPECT_EQ(m->PresetValue(), c.presets.at(i));
      EXPECT_EQ(m->DescriptionKey(), c.descriptions.at(i));
    }
  }
}

TEST_F(LimitedResults, AccuracyPresetsAreTheNumbersOfTheConfiguredTexts) {
  auto config = std::make_shared<CConfigAccuracy>();
  config->SetRateText(QStringLiteral("100 ppm"));
  config->SetAmpText(QStringLiteral("50 mA"));
  CResultAccuracy result;
  result.Initialize(config);
  EXPECT_EQ(valueOf(result, "RATE"), QVariant());
  EXPECT_EQ(result.MeasurementByKey(QStringLiteral("RATE"))->PresetValue(), QVariant(100.0));
  EXPECT_EQ(result.MeasurementByKey(QStringLiteral("AMPL"))->PresetValue(), QVariant(50.0));

  // A second Initialize starts afresh.
  result.MeasurementByKey(QStringLiteral("PWID"))->SetValue(5.0);
  result.Initialize(nullptr);
  EXPECT_EQ(valueOf(result, "PWID"), QVariant());
  EXPECT_EQ(result.MeasurementByKey(QStringLiteral("RATE"))->PresetValue(), QVariant());
}

TEST_F(LimitedResults, SensitivityReadsThePadsAndDividesForTheEcgInput) {
  const QString padsReply = reply(40, {{35, "  1.20"}});
  const struct {
    QString reply;
    rt::Long loadIndex;
    float pads;
    float ecg;
  } cases[] = {
      {padsReply, 0, 1.2f, 1.2f},
      {padsReply, 1, 1.2f, 0.48f},
      {padsReply, 2, 1.2f, 0.24f},
      {padsReply, 3, 1.2f, 0.16f},
      {padsReply, 4, 1.2f, 0.12f},
      {padsReply, 5, 1.2f, 0.08f},
      {padsReply, 6, 1.2f, 0.06f},
      {padsReply, 7, 1.2f, 0.048f},
      {padsReply, 26, 1.2f, 0.048f},
      {padsReply, -1, 1.2f, 1.2f},
      {reply(40, {{35, " 1\t.20"}}), 0, 1.2f, 1.2f},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(qPrintable(c.reply + QStringLiteral(" / %1").arg(c.loadIndex)));
    CResultSensitivity result;
    result.Initialize();
    result.StoreResult(c.reply, c.loadIndex);
    EXPECT_EQ(valueOf(result, "PADS"), QVariant::fromValue(c.pads));
    EXPECT_EQ(valueOf(result, "ECG"), QVariant::fromValue(c.ecg));
    EXPECT_TRUE(result.ResultStored());
  }
}

// The reply handed to a result of any of the classes judged by limits (the
// sensitivity result with load index 0).
void store(CResultBase& result, const QString& text) {
  if (auto* sensitivity = dynamic_cast<CResultSensitivity*>(&result))
    sensitivity->StoreResult(text, 0);
  else if (auto* chargeTime = dynamic_cast<CResultChargeTime*>(&result))
    chargeTime->StoreResult(text);
  else if (auto* discharge = dynamic_cast<CResultDischarge*>(&result))
    discharge->StoreResult(text);
  else if (auto* refractory = dynamic_cast<CResultRefractory*>(&result))
    refractory->StoreResult(text);
  else
    dynamic_cast<CResultAccuracy&>(result).StoreResult(text);
}

// A fresh result of the class that has taken the reply.
template <class Result>
std::shared_ptr<CResultBase> afterReply(const QString& text) {
  auto result = std::make_shared<Result>();
  if constexpr (std::is_same_v<Result, CResultDischarge>)
    result->Initialize(nullptr);
  else
    result->Initialize();
  store(*result, text);
  return result;
}

TEST_F(LimitedResults, RepliesFillTheFieldsOfTheirColumns) {
  const struct {
    std::function<std::shared_ptr<CResultBase>(const QString&)> store;
    QString reply;
    QVariantMap values;
  } cases[] = {
      {afterReply<CResultRefractory>,
       reply(59, {{44, "   250"}, {53, "    300"}}),
       {{"SENS", 250.0}, {"PACE", 300.0}}},
      {afterReply<CResultRefractory>,
       reply(59, {{44, "  +200"}, {53, "    1 0"}}),
       {{"SENS", 200.0}, {"PACE", 10.0}}},
      {afterReply<CResultChargeTime>,
       reply(40, {{1, "  98.7"}, {35, "   4.2"}}),
       {{"ENGY", 98.7}, {"CHTI", 4.2}}},
      {afterReply<CResultAccuracy>,
       QStringLiteral("072      10.0     70.0"),
       {{"RATE", 72.0}, {"PWID", 10.0}, {"AMPL", 70.0}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(qPrintable(c.reply));
    const std::shared_ptr<CResultBase> result = c.store(c.reply);
    for (auto it = c.values.begin(); it != c.values.end(); ++it)
      EXPECT_EQ(valueOf(*result, qPrintable(it.key())), it.value()) << qPrintable(it.key());
    EXPECT_TRUE(result->ResultStored());
  }
}

// "Measured" means a field of a reply in its columns that reads as one
// number. A field the reply does not reach or ends inside, letters, an
// exponent: the measurement stays empty, and that is reported once for it.
TEST_F(LimitedResults, AFieldTheReplyDoesNotWhollyHoldAsANumberIsNotMeasured) {
  const struct {
    const char* what;
    std::function<std::shared_ptr<CResultBase>(const QString&)> store;
    QString reply;
    const char* key;
  } cases[] = {
      {"charge time beyond the reply", afterReply<CResultChargeTime>, QStringLiteral(" 360.0"),
       "CHTI"},
      {"discharge of 22 characters", afterReply<CResultDischarge>,
       reply(22, {{1, "  95.0"}, {9, "1520.0"}, {17, "  30.4"}}), "DELY"},
      {"delay written with an exponent", afterReply<CResultDischarge>,
       reply(31, {{1, "  95.0"}, {9, "1520.0"}, {17, "  30.4"}, {25, "  1e999"}}), "DELY"},
      {"pace reply of 50 characters", afterReply<CResultRefractory>, reply(50, {{44, "   250"}}),
       "PACE"},
      {"letters in the paced period", afterReply<CResultRefractory>,
       reply(59, {{44, "   250"}, {53, "    3O0"}}), "PACE"},
      {"pads with a colon", afterReply<CResultSensitivity>, reply(40, {{35, "  1:20"}}), "PADS"},
      {"pads written with an exponent", afterReply<CResultSensitivity>, reply(40, {{35, "  1e39"}}),
       "PADS"},
      {"pads field blank", afterReply<CResultSensitivity>, reply(40, {{17, "  70.0"}}), "PADS"},
      {"amplitude beyond the reply", afterReply<CResultAccuracy>, QStringLiteral("072"), "AMPL"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    errors().clear();
    const std::shared_ptr<CResultBase> result = c.store(c.reply);
    EXPECT_EQ(valueOf(*result, c.key), QVariant());
    const QList<host::ErrorEntry> faults = reported();
    ASSERT_FALSE(faults.isEmpty());
    EXPECT_TRUE(faults.first().description.contains(QLatin1String(c.key)))
        << qPrintable(faults.first().description);
    EXPECT_EQ(faults.first().source, result->kind().source);
    // The same fault in a later reply of the same result is not told again.
    const auto before = faults.size();
    store(*result, c.reply);
    EXPECT_EQ(reported().size(), before);
  }
  // The pads' fault leaves the derived ECG sensitivity empty too.
  EXPECT_EQ(valueOf(*afterReply<CResultSensitivity>(reply(40, {{35, "  1:20"}})), "ECG"),
            QVariant());
}

// The analyzer shows 0 in a column until it has measured it: where the runs
// take 0 for "none yet" (the energy the discharge poll waits for, the
// charge time, the refractory periods, the pads' sensitivity the poll waits
// for, the pacer's pulses), 0 is no value, and not a fault of the reply.
TEST_F(LimitedResults, TheAnalyzersZeroForNotMeasuredYetIsNoValue) {
  const struct {
    std::function<std::shared_ptr<CResultBase>(const QString&)> store;
    QString reply;
    QStringList empty;
    QVariantMap values;
  } cases[] = {
      {afterReply<CResultChargeTime>,
       reply(40, {{1, " 360.0"}, {35, "   0.0"}}),
       {"CHTI"},
       {{"ENGY", 360.0}}},
      {afterReply<CResultDischarge>,
       reply(31, {{1, "   0.0"}, {9, "   0.0"}, {17, "   0.0"}, {25, "    0.0"}}),
       {"ENGY"},
       {{"PEKU", 0.0}, {"PEKI", 0.0}, {"DELY", 0.0}}},
      {afterReply<CResultRefractory>,
       reply(59, {{44, "     0"}, {53, "    300"}}),
       {"SENS"},
       {{"PACE", 300.0}}},
      {afterReply<CResultRefractory>,
       reply(59, {{44, "   250"}, {53, "      0"}}),
       {"PACE"},
       {{"SENS", 250.0}}},
      {afterReply<CResultAccuracy>,
       QStringLiteral("000       0.0      0.0"),
       {"RATE", "AMPL", "PWID"},
       {}},
      {afterReply<CResultSensitivity>, reply(40, {{35, "  0.00"}}), {"PADS", "ECG"}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(qPrintable(c.reply));
    errors().clear();
    const std::shared_ptr<CResultBase> result = c.store(c.reply);
    for (const QString& key : c.empty)
      EXPECT_EQ(valueOf(*result, qPrintable(key)), QVariant()) << qPrintable(key);
    for (auto it = c.values.begin(); it != c.values.end(); ++it)
      EXPECT_EQ(valueOf(*result, qPrintable(it.key())), it.value()) << qPrintable(it.key());
    EXPECT_TRUE(reported().isEmpty());
  }
}

TEST_F(LimitedResults, AnEmptyReplyChangesNoValueButCountsAsStored) {
  CResultRefractory refractory;
  refractory.Initialize();
  refractory.MeasurementByKey(QStringLiteral("SENS"))->SetValue(250.0);
  refractory.StoreResult(QString());
  EXPECT_EQ(valueOf(refractory, "SENS"), QVariant(250.0));
  EXPECT_EQ(valueOf(refractory, "PACE"), QVariant());
  EXPECT_TRUE(refractory.ResultStored());

  CResultSensitivity sensitivity;
  sensitivity.Initialize();
  sensitivity.StoreResult(QString(), 1);
  EXPECT_FALSE(sensitivity.HasMeasuredValue());
  EXPECT_TRUE(sensitivity.ResultStored());

  // Nor a number written with an exponent.
  sensitivity.StoreResult(reply(40, {{35, "  1e39"}}), 0);
  EXPECT_FALSE(sensitivity.HasMeasuredValue());
}

// --- verdict --------------------------------------------------------------------

class LimitedVerdict : public ResultTest {
 protected:
  LanguageScope english_{QStringLiteral("en")};
};

const QString kFullRefractory = reply(59, {{44, "   250"}, {53, "    300"}});

// Passed only when every measurement a judging standard limits holds a
// measured value within its limits, and one was judged; failed whenever a
// judged value lies outside; not judged, and why, otherwise.
TEST_F(LimitedVerdict, PassedOnlyWhenEveryLimitedValueWasMeasuredWithinItsLimits) {
  const struct {
    const char* what;
    std::vector<std::tuple<const char*, std::optional<float>, std::optional<float>>> bounds;
    bool select;
    QString reply;
    rt::Long status;
    rt::Long sens, pace;  // the measurements' statuses
    const char* reason;
  } cases[] = {
      {"paced period too long", {{"PACE", 280.0f, {}}}, true, kFullRefractory, 2, 0, 2, ""},
      {"paced period within", {{"PACE", 350.0f, {}}}, true, kFullRefractory, 1, 0, 1, ""},
      {"both within",
       {{"PACE", 350.0f, {}}, {"SENS", {}, 200.0f}},
       true,
       kFullRefractory,
       1,
       1,
       1,
       ""},
      {"no limit enabled", {}, true, kFullRefractory, 0, 0, 0, "no limit is enabled"},
      {"no standard selected",
       {{"PACE", 350.0f, {}}},
       false,
       kFullRefractory,
       0,
       0,
       0,
       "no standard of the test is selected"},
      {"the limited period missing from the reply",
       {{"PACE", 350.0f, {}}},
       true,
       reply(50, {{44, "   250"}}),
       0,
       0,
       0,
       "the analyzer gave no paced refractory period"},
      {"the limited period blank, a low bound",
       {{"PACE", {}, 200.0f}},
       true,
       reply(59, {{44, "   250"}}),
       0,
       0,
       0,
       "the analyzer gave no paced refractory period"},
      {"one missing, the other failed",
       {{"PACE", 280.0f, {}}, {"SENS", 300.0f, {}}},
       true,
       reply(59, {{53, "    300"}}),
       2,
       0,
       2,
       ""},
      {"nothing measured",
       {{"PACE", 350.0f, {}}},
       true,
       QString(),
       0,
       0,
       0,
       "nothing was measured"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RunBench bench(400);
    const host::StandardPtr standard = bench.standard(QStringLiteral("IEC"), c.select);
    for (const auto& [key, high, low] : c.bounds)
      RunBench::bound(standard, QLatin1String(key), high, low);
    CResultRefractory result;
    result.Initialize();
    result.StoreResult(c.reply);
    result.UpdateStatus(bench.test, bench.selected, false);
    EXPECT_EQ(result.Status(), c.status);
    EXPECT_EQ(result.MeasurementByKey(QStringLiteral("SENS"))->Status(), c.sens);
    EXPECT_EQ(result.MeasurementByKey(QStringLiteral("PACE"))->Status(), c.pace);
    EXPECT_EQ(result.NotJudgedReason(), QLatin1String(c.reason));
    // Only a verdict has a service record.
    EXPECT_EQ(result.ServiceRecord() != nullptr, c.status != 0);
  }
}

// A limited field that did not convert, or that the reply did not reach,
// never passes as 0, in any of the results.
TEST_F(LimitedVerdict, AnEmptyLimitedValueIsNeverJudgedAsZero) {
  const struct {
    rt::Long testID;
    const char* key;
    float high;
    std::function<std::shared_ptr<CResultBase>(const QString&)> store;
    QString reply;
    const char* reason;
  } cases[] = {
      {100, "CHTI", 15, afterReply<CResultChargeTime>, QStringLiteral(" 360.0"),
       "the analyzer gave no charge time"},
      {200, "DELY", 60, afterReply<CResultDischarge>,
       reply(31, {{1, "  95.0"}, {9, "1520.0"}, {17, "  30.4"}, {25, "  1e999"}}),
       "the analyzer gave no delay"},
      {400, "PACE", 350, afterReply<CResultRefractory>,
       reply(59, {{44, "   250"}, {53, "  1e999"}}),
       "the analyzer gave no paced refractory period"},
      {500, "AMPL", 100, afterReply<CResultAccuracy>, QStringLiteral("072      10.0    1e999"),
       "the analyzer gave no pulse amplitude"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    RunBench bench(c.testID);
    RunBench::bound(bench.standard(QStringLiteral("IEC")), QLatin1String(c.key), c.high, 0.0f);
    const std::shared_ptr<CResultBase> result = c.store(c.reply);
    dynamic_cast<CLimitedResult&>(*result).UpdateStatus(bench.test, bench.selected, false);
    EXPECT_EQ(result->Status(), 0);
    EXPECT_EQ(valueOf(*result, c.key), QVariant());
    EXPECT_EQ(result->NotJudgedReason(), QLatin1String(c.reason));
    EXPECT_EQ(result->MeasurementByKey(QLatin1String(c.key))->NotJudgedReason(),
              QLatin1String(c.reason));
  }
}

TEST_F(LimitedVerdict, OneFailingMeasurementFailsTheResultAndEveryValueIsSummarised) {
  RunBench bench(400);
  RunBench::bound(bench.standard(QStringLiteral("IEC")), QStringLiteral("PACE"), 280.0f,
                  std::nullopt);
  CResultRefractory result;
  result.Initialize();
  result.StoreResult(kFullRefractory);
  result.UpdateStatus(bench.test, bench.selected, false);
  EXPECT_EQ(result.Status(), 2);
  EXPECT_EQ(result.MeasurementByKey(QStringLiteral("SENS"))->NotJudgedReason(),
            QStringLiteral("no limit is enabled"));
  EXPECT_EQ(result.MeasurementByKey(QStringLiteral("PACE"))->Status(), 2);
  EXPECT_TRUE(recordOf(result).built());
  EXPECT_EQ(recordOf(result).flag(), QStringLiteral("F"));
  EXPECT_EQ(recordOf(result).summary(), QStringLiteral("/250/300"));
}

TEST_F(LimitedVerdict, RelativeLimitsAreJudgedForThePreset) {
  RunBench bench(500);
  // 40 ppm set: X+Y with 5 and -5 gives 35..45.
  const host::StandardPtr aami = bench.standard(QStringLiteral("AAMI"));
  RunBench::bound(aami, QStringLiteral("RATE"), 5.0f, -5.0f, QStringLiteral("X+Y"));
  CResultAccuracy result;
  result.Initialize(std::make_shared<CConfigAccuracy>());
  for (const auto& [rate, status] : {std::pair{"045", 1}, {"035", 1}, {"046", 2}, {"072", 2}}) {
    result.StoreResult(QStringLiteral("%1      10.0     70.0").arg(QLatin1String(rate)));
    result.UpdateStatus(bench.test, bench.selected, false);
    EXPECT_EQ(result.Status(), status) << rate;
  }
  EXPECT_EQ(recordOf(result).summary(), QStringLiteral("/72/70/10"));
  // The measurements after the failed one are judged all the same.
  RunBench::bound(aami, QStringLiteral("AMPL"), 100.0f, std::nullopt, QStringLiteral("Y"));
  result.Initialize(std::make_shared<CConfigAccuracy>());
  result.StoreResult(QStringLiteral("072      10.0     70.0"));
  result.UpdateStatus(bench.test, bench.selected, false);
  EXPECT_EQ(result.MeasurementByKey(QStringLiteral("RATE"))->Status(), 2);
  EXPECT_EQ(result.MeasurementByKey(QStringLiteral("AMPL"))->Status(), 1);
  EXPECT_EQ(result.MeasurementByKey(QStringLiteral("PWID"))->Status(), 0);
}

TEST_F(LimitedVerdict, EachSelectedStandardCountsAndUnselectedOnesDoNot) {
  RunBench bench(300);
  const auto iec = bench.standard(QStringLiteral("IEC"));
  const auto aami = bench.standard(QStringLiteral("AAMI"));
  const auto ul = bench.standard(QStringLiteral("UL"), false);
  RunBench::bound(iec, QStringLiteral("ECG"), 2.0f, 0.1f);
  RunBench::bound(aami, QStringLiteral("ECG"), 0.48f, 0.3f);
  RunBench::bound(ul, QStringLiteral("PADS"), 0.5f, std::nullopt);
  CResultSensitivity result;
  result.Initialize();
  result.StoreResult(reply(40, {{35, "  1.20"}}), 1);  // ECG 0.48: on AAMI's bound
  result.UpdateStatus(bench.test, bench.selected, false);
  EXPECT_EQ(result.Status(), 1);
  EXPECT_EQ(result.MeasurementByKey(QStringLiteral("PADS"))->Status(), 0) << "UL is not selected";
  EXPECT_EQ(recordOf(result).flag(), QString());
  EXPECT_EQ(recordOf(result).summary(), QStringLiteral("/1.2/0.48"));
  // The result names the standards that judged it.
  const host::StandardsCollectionPtr judgedBy = result.JudgedBy();
  ASSERT_TRUE(judgedBy);
  ASSERT_EQ(judgedBy->Count(), 2);
  EXPECT_EQ(judgedBy->Item(1)->AlphaName(), QStringLiteral("IEC"));
  EXPECT_EQ(judgedBy->Item(2)->CompleteName(), QStringLiteral("AAMI 1"));

  result.StoreResult(reply(40, {{35, "  1.25"}}), 1);  // ECG 0.5
  result.UpdateStatus(bench.test, bench.selected, false);
  EXPECT_EQ(result.Status(), 2);

  // No standard selected: nothing is judged, and nothing passes.
  result.UpdateStatus(bench.test, std::make_shared<host::StandardsCollection>(), false);
  EXPECT_EQ(result.Status(), 0);
  EXPECT_EQ(result.NotJudgedReason(), QStringLiteral("no standard of the test is selected"));
  EXPECT_FALSE(result.JudgedBy());
}

// " 1D2" is no 100 J: the analyzer writes plain decimals, and a field
// holding an exponent passes no limit.
TEST_F(LimitedVerdict, AValueWrittenWithAnExponentIsNotJudged) {
  RunBench bench(200);
  RunBench::bound(bench.standard(QStringLiteral("IEC")), QStringLiteral("ENGY"), 115.0f, 85.0f);
  CResultDischarge result;
  result.Initialize(nullptr);
  result.StoreResult(reply(31, {{1, "   1D2"}, {9, "1520.0"}, {17, "  30.4"}, {25, "    4.5"}}));
  result.UpdateStatus(bench.test, bench.selected, false);
  EXPECT_EQ(result.MeasurementByKey(QStringLiteral("ENGY"))->Status(), 0);
  EXPECT_EQ(result.Status(), 0);
  EXPECT_EQ(result.NotJudgedReason(), QStringLiteral("the analyzer gave no energy"));
}

TEST_F(LimitedVerdict, WithoutAMeasuredValueNothingIsJudged) {
  RunBench bench(100);
  RunBench::bound(bench.standard(QStringLiteral("IEC")), QStringLiteral("CHTI"), 15.0f,
                  std::nullopt);
  const struct {
    const char* what;
    std::function<void(CResultChargeTime&)> run;
  } runs[] = {
      {"never stored", [](CResultChargeTime&) {}},
      {"empty reply", [](CResultChargeTime& r) { r.StoreResult(QString()); }},
  };
  for (const auto& run : runs) {
    CResultChargeTime result;
    result.Initialize(std::make_shared<CConfigChargeTime>());
    run.run(result);
    result.UpdateStatus(bench.test, bench.selected, false);
    EXPECT_EQ(result.Status(), 0) << run.what;
    EXPECT_EQ(result.NotJudgedReason(), QStringLiteral("nothing was measured")) << run.what;
    EXPECT_FALSE(result.HasMeasuredValue()) << run.what;
    EXPECT_FALSE(result.ServiceRecord()) << run.what;
    for (const CMeasurementPtr& m : result.MeasurementList()) EXPECT_EQ(m->Status(), 0);
    EXPECT_FALSE(childTags(result.Save(document_)).contains(QStringLiteral("Measurement")));
  }
  // Not applicable is the operator's own verdict and needs no value.
  CResultChargeTime skipped;
  skipped.Initialize();
  skipped.UpdateStatus(bench.test, bench.selected, true);
  EXPECT_EQ(skipped.Status(), 3);
  EXPECT_TRUE(skipped.NotJudgedReason().isEmpty());
  EXPECT_EQ(recordOf(skipped).flag(), QStringLiteral("NA"));
}

// Not applicable after a run keeps what was measured: the document holds
// the values that the run printed.
TEST_F(LimitedVerdict, SkippingBuildsANotApplicableRecordAndKeepsTheMeasuredValues) {
  RunBench bench(300);
  CResultSensitivity result;
  result.Initialize();
  result.StoreResult(reply(40, {{35, "  1.20"}}), 0);
  result.SetMTIID(1);
  result.UpdateStatus(bench.test, bench.selected, true);
  EXPECT_EQ(result.Status(), 3);
  EXPECT_EQ(canonical(result.Save(document_)),
            canonicalXml(QStringLiteral(
                "<ResultItem MTI=\"1\"><Status Code=\"3\"/>"
                "<ServiceRecord Built=\"True\" Flag=\"NA\"/>"
                "<Measurement Key=\"PADS\"><Description>20146::Sensitivity pads</Description>"
                "<Value Type=\"1\" Kind=\"Single\">1.2</Value><Unit>mV</Unit>"
                "<Status Code=\"0\"/></Measurement>"
                "<Measurement Key=\"ECG\"><Description>20147::Sensitivity ECG</Description>"
                "<Value Type=\"1\" Kind=\"Single\">1.2</Value><Unit>mV</Unit>"
                "<Status Code=\"0\"/></Measurement></ResultItem>")));
}

TEST_F(LimitedVerdict, WithoutTheFilterBitTheEarlierRecordStays) {
  RunBench bench(400);
  RunBench::bound(bench.standard(QStringLiteral("IEC")), QStringLiteral("PACE"), 350.0f,
                  std::nullopt);
  CResultRefractory result;
  result.Initialize();
  result.StoreResult(kFullRefractory);
  result.UpdateStatus(bench.test, bench.selected, false);
  const host::ServiceRecordPtr first = result.ServiceRecord();
  ASSERT_TRUE(first);
  bench.filter->setFlags(0);
  result.UpdateStatus(bench.test, bench.selected, true);
  EXPECT_EQ(result.Status(), 3);
  EXPECT_EQ(result.ServiceRecord(), first);

  // A test element without limit set has no standard to judge by.
  bench.test->limits = nullptr;
  bench.test->filter = nullptr;
  result.UpdateStatus(bench.test, bench.selected, false);
  EXPECT_EQ(result.Status(), 0);
  result.UpdateStatus(nullptr, nullptr, false);
  EXPECT_EQ(result.Status(), 0);
  EXPECT_EQ(result.NotJudgedReason(), QStringLiteral("no standard of the test is selected"));
  EXPECT_EQ(result.ServiceRecord(), first);
}

// A result not judged keeps why with its status, and names the standards
// consulted; both come back with a load.
TEST_F(LimitedVerdict, TheReasonAndTheJudgingStandardsAreStoredWithTheResult) {
  RunBench bench(400);
  RunBench::bound(bench.standard(QStringLiteral("IEC")), QStringLiteral("PACE"), 350.0f,
                  std::nullopt);
  CResultRefractory result;
  result.Initialize();
  result.StoreResult(reply(50, {{44, "   250"}}));
  result.UpdateStatus(bench.test, bench.selected, false);
  const host::XmlElementPtr stored = result.Save(document_);
  EXPECT_EQ(
      canonical(stored->ChildNodes()->Item(0)),
      canonicalXml(QStringLiteral(
          "<Status Code=\"0\">20668::the analyzer gave no paced refractory period</Status>")));
  EXPECT_EQ(canonical(stored->ChildNodes()->Item(1)),
            canonicalXml(QStringLiteral("<Standard AlphaName=\"IEC\" CompleteName=\"IEC 1\"/>")));

  errors().clear();  // the reply's fault
  CResultRefractory loaded;
  loaded.Initialize();
  loaded.Load(stored, nullptr);
  EXPECT_TRUE(reported().isEmpty());
  EXPECT_EQ(loaded.NotJudgedReason(),
            QStringLiteral("the analyzer gave no paced refractory period"));
  EXPECT_TRUE(loaded.Evaluated());
  ASSERT_TRUE(loaded.JudgedBy());
  EXPECT_EQ(loaded.JudgedBy()->Item(1)->AlphaName(), QStringLiteral("IEC"));
  EXPECT_EQ(loaded.MeasurementByKey(QStringLiteral("SENS"))->Value(), QVariant(250.0));
  EXPECT_EQ(canonical(loaded.Save(document_)), canonical(stored));
}

// --- stored forms -----------------------------------------------------------------

TEST_F(LimitedVerdict, SensitivityStoresItsEvaluatedRun) {
  RunBench bench(300);
  const host::StandardPtr standard = bench.standard(QStringLiteral("IEC"));
  RunBench::bound(standard, QStringLiteral("PADS"), 2.0f, std::nullopt);
  RunBench::bound(standard, QStringLiteral("ECG"), std::nullopt, 0.1f);
  CResultSensitivity result;
  result.Initialize();
  result.StoreResult(reply(40, {{35, "  1.20"}}), 1);
  result.UpdateStatus(bench.test, bench.selected, false);
  result.SetMTIID(3);
  result.SetComment(QStringLiteral("Pacer in demand mode"));
  EXPECT_EQ(canonical(result.Save(document_)),
            canonicalXml(QStringLiteral(
                "<ResultItem MTI=\"3\"><Status Code=\"1\"/>"
                "<Standard AlphaName=\"IEC\" CompleteName=\"IEC 1\"/>"
                "<Comment>Pacer in demand mode</Comment>"
                "<ServiceRecord Built=\"True\" Flag=\"\">/1.2/0.48</ServiceRecord>"
                "<Measurement Key=\"PADS\"><Description>20146::Sensitivity pads</Description>"
                "<Value Type=\"1\" Kind=\"Single\">1.2</Value><Unit>mV</Unit>"
                "<Status Code=\"1\"/></Measurement>"
                "<Measurement Key=\"ECG\"><Description>20147::Sensitivity ECG</Description>"
                "<Value Type=\"1\" Kind=\"Single\">0.48</Value><Unit>mV</Unit>"
                "<Status Code=\"1\"/></Measurement></ResultItem>")));
}

TEST_F(LimitedVerdict, ChargeTimeStoresNoPresetAndGetsItBackFromTheConfiguration) {
  RunBench bench(100);
  const host::StandardPtr standard = bench.standard(QStringLiteral("IEC"));
  RunBench::bound(standard, QStringLiteral("ENGY"), 15.0f, -15.0f, QStringLiteral("X+(X*Y%)"));
  RunBench::bound(standard, QStringLiteral("CHTI"), 15.0f, std::nullopt);
  CResultChargeTime result;
  result.Initialize(std::make_shared<CConfigChargeTime>());
  result.StoreResult(reply(40, {{1, " 355.0"}, {35, "   4.2"}}));
  result.UpdateStatus(bench.test, bench.selected, false);
  result.SetMTIID(2);
  const host::XmlElementPtr stored = result.Save(document_);
  EXPECT_EQ(canonical(stored),
            canonicalXml(QStringLiteral(
                "<ResultItem MTI=\"2\"><Status Code=\"1\"/>"
                "<Standard AlphaName=\"IEC\" CompleteName=\"IEC 1\"/>"
                "<ServiceRecord Built=\"True\" Flag=\"\">/355/4.2</ServiceRecord>"
                "<Measurement Key=\"ENGY\"><Description>20012::Energy</Description>"
                "<Value Type=\"1\" Kind=\"Double\">355</Value><Unit>J</Unit>"
                "<Status Code=\"1\"/></Measurement>"
                "<Measurement Key=\"CHTI\"><Description>20011::Charge time</Description>"
                "<Value Type=\"1\" Kind=\"Double\">4.2</Value><Unit>s</Unit>"
                "<Status Code=\"1\"/></Measurement></ResultItem>")));

  auto config = std::make_shared<CConfigChargeTime>();
  config->SetPresetEnergy(200);
  CResultChargeTime loaded;
  loaded.Initialize(config);
  loaded.Load(stored, nullptr);
  EXPECT_EQ(loaded.MeasurementByKey(QStringLiteral("ENGY"))->PresetValue(),
            QVariant::fromValue(200.0f));
  EXPECT_EQ(valueOf(loaded, "CHTI"), QVariant(4.2));
}

TEST_F(LimitedVerdict, LoadWithoutAServiceRecordKeepsTheOneHeld) {
  RunBench bench(400);
  CResultRefractory result;
  result.Initialize();
  result.StoreResult(reply(59, {{44, "   250"}, {53, "    300"}}));
  result.UpdateStatus(bench.test, bench.selected, false);
  const host::ServiceRecordPtr held = result.ServiceRecord();
  result.Load(element(QStringLiteral("<ResultItem><Status Code=\"2\"/></ResultItem>")), nullptr);
  EXPECT_EQ(result.ServiceRecord(), held);
  EXPECT_EQ(valueOf(result, "SENS"), QVariant(250.0)) << "values not in the element stay";
}

TEST_F(LimitedVerdict, AnOlderAccuracyResultSkipsItsRetiredMeasurementInAnyCase) {
  for (const char* retired : {"PENG", "peng", "Peng"}) {
    errors().clear();
    CResultAccuracy result;
    result.Initialize(std::make_shared<CConfigAccuracy>());
    result.Load(element(QStringLiteral(
                            "<ResultItem MTI=\"1\"><Status Code=\"1\"/>"
                            "<Measurement Key=\"RATE\"><Value Type=\"2\" Kind=\"Double\">40</Value>"
                            "<Status Code=\"1\"/></Measurement>"
                            "<Measurement Key=\"%1\"><Value Type=\"1\" Kind=\"Double\">0.2</Value>"
                            "<Status Code=\"1\"/></Measurement>"
                            "<Measurement Key=\"AMPL\"><Value Type=\"1\" Kind=\"Double\">30</Value>"
                            "<Status Code=\"1\"/></Measurement>"
                            "<Measurement Key=\"PWID\"><Value Type=\"1\" Kind=\"Double\">20</Value>"
                            "<Status Code=\"1\"/></Measurement></ResultItem>")
                            .arg(QLatin1String(retired))),
                nullptr);
    EXPECT_TRUE(reported().isEmpty()) << retired;
    EXPECT_EQ(valueOf(result, "RATE"), QVariant(40.0));
    EXPECT_EQ(valueOf(result, "AMPL"), QVariant(30.0));
    EXPECT_EQ(valueOf(result, "PWID"), QVariant(20.0)) << retired;
    EXPECT_EQ(result.MeasurementCount(), 3);
  }
}

}  // namespace
