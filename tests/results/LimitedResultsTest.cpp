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
      {reply(34, {{1, "9.99"}}), 0, 0, 0},          // shorter than column 35
      {reply(38, {{35, " 2.5"}}), 4, 2.5f, 0.25f},  // ends inside the field
      {reply(40, {{35, "-1.5  "}}), 0, -1.5f, -1.5f},
      {reply(40, {{35, "1.2E1 "}}), 0, 12, 12},
      {reply(40, {{35, " 1 .2\t"}}), 0, 1.2f, 1.2f},
      {reply(40, {{35, "  ?!  "}}), 0, 0, 0},
      {reply(45, {{35, "  1.201.7"}}), 0, 1.2f, 1.2f},  // only six characters count
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

// A fresh result of the class that has taken the reply.
template <class Result>
std::shared_ptr<CResultBase> afterReply(const QString& text) {
  auto result = std::make_shared<Result>();
  result->Initialize();
  result->StoreResult(text);
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
       reply(50, {{44, "   250"}}),
       {{"SENS", 250.0}, {"PACE", 0.0}}},
      {afterReply<CResultRefractory>,
       reply(59, {{44, "  +2e2"}, {53, "   -1  "}}),
       {{"SENS", 200.0}, {"PACE", -1.0}}},
      {afterReply<CResultChargeTime>,
       reply(40, {{1, "  98.7"}, {35, "   4.2"}}),
       {{"ENGY", 98.7}, {"CHTI", 4.2}}},
      {afterReply<CResultChargeTime>, QStringLiteral(" 355.0"), {{"ENGY", 355.0}, {"CHTI", 0.0}}},
      {afterReply<CResultChargeTime>,
       QStringLiteral("garbage, not a measurement reply"),
       {{"ENGY", 0.0}, {"CHTI", 0.0}}},
      {afterReply<CResultAccuracy>,
       QStringLiteral("072      10.0     70.0"),
       {{"RATE", 72.0}, {"PWID", 10.0}, {"AMPL", 70.0}}},
      {afterReply<CResultAccuracy>,
       QStringLiteral("072"),
       {{"RATE", 72.0}, {"PWID", 0.0}, {"AMPL", 0.0}}},
      {afterReply<CResultAccuracy>,
       QStringLiteral("0721234567890123456789"),
       {{"RATE", 72.0}, {"PWID", 567890.0}, {"AMPL", 456789.0}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(qPrintable(c.reply));
    const std::shared_ptr<CResultBase> result = c.store(c.reply);
    for (auto it = c.values.begin(); it != c.values.end(); ++it)
      EXPECT_EQ(valueOf(*result, qPrintable(it.key())), it.value()) << qPrintable(it.key());
    EXPECT_TRUE(result->ResultStored());
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

  // A number beyond the single range is not taken either.
  sensitivity.StoreResult(reply(40, {{35, "1e39  "}}), 0);
  EXPECT_FALSE(sensitivity.HasMeasuredValue());
}

// --- verdict --------------------------------------------------------------------

class LimitedVerdict : public ResultTest {};

TEST_F(LimitedVerdict, OneFailingMeasurementFailsTheResultAndEveryValueIsSummarised) {
  RunBench bench(400);
  RunBench::bound(bench.standard(QStringLiteral("IEC")), QStringLiteral("PACE"), 280.0f,
                  std::nullopt);
  CResultRefractory result;
  result.Initialize();
  result.StoreResult(reply(59, {{44, "   250"}, {53, "    300"}}));
  result.UpdateStatus(bench.test, bench.selected, false);
  EXPECT_EQ(result.Status(), 2);
  EXPECT_EQ(result.MeasurementByKey(QStringLiteral("SENS"))->Status(), 1);
  EXPECT_EQ(result.MeasurementByKey(QStringLiteral("PACE"))->Status(), 2);
  EXPECT_TRUE(recordOf(result).built());
  EXPECT_EQ(recordOf(result).flag(), QStringLiteral("F"));
  EXPECT_EQ(recordOf(result).summary(), QStringLiteral("/250/300"));
}

TEST_F(LimitedVerdict, RelativeLimitsAreJudgedForThePreset) {
  RunBench bench(500);
  // 40 ppm set: X+Y with 5 and -5 gives 35..45.
  RunBench::bound(bench.standard(QStringLiteral("AAMI")), QStringLiteral("RATE"), 5.0f, -5.0f,
                  QStringLiteral("X+Y"));
  CResultAccuracy result;
  result.Initialize(std::make_shared<CConfigAccuracy>());
  for (const auto& [rate, status] : {std::pair{"045", 1}, {"035", 1}, {"046", 2}, {"072", 2}}) {
    result.StoreResult(QStringLiteral("%1      10.0     70.0").arg(QLatin1String(rate)));
    result.UpdateStatus(bench.test, bench.selected, false);
    EXPECT_EQ(result.Status(), status) << rate;
  }
  EXPECT_EQ(recordOf(result).summary(), QStringLiteral("/72/70/10"));
  // The measurements after the failed one are judged all the same.
  result.Initialize(std::make_shared<CConfigAccuracy>());
  result.StoreResult(QStringLiteral("072      10.0     70.0"));
  result.UpdateStatus(bench.test, bench.selected, false);
  EXPECT_EQ(result.MeasurementByKey(QStringLiteral("RATE"))->Status(), 2);
  EXPECT_EQ(result.MeasurementByKey(QStringLiteral("AMPL"))->Status(), 1);
  EXPECT_EQ(result.MeasurementByKey(QStringLiteral("PWID"))->Status(), 1);
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
  EXPECT_EQ(recordOf(result).flag(), QString());
  EXPECT_EQ(recordOf(result).summary(), QStringLiteral("/1.2/0.48"));

  result.StoreResult(reply(40, {{35, "  1.25"}}), 1);  // ECG 0.5
  result.UpdateStatus(bench.test, bench.selected, false);
  EXPECT_EQ(result.Status(), 2);

  // No standard selected: nothing can fail.
  result.UpdateStatus(bench.test, std::make_shared<host::StandardsCollection>(), false);
  EXPECT_EQ(result.Status(), 1);
}

TEST_F(LimitedVerdict, ABlankFieldOfAReplyIsJudgedAsZero) {
  RunBench bench(400);
  RunBench::bound(bench.standard(QStringLiteral("IEC")), QStringLiteral("PACE"), std::nullopt,
                  200.0f);
  CResultRefractory result;
  result.Initialize();
  result.StoreResult(reply(59, {{44, "   250"}}));
  result.UpdateStatus(bench.test, bench.selected, false);
  EXPECT_EQ(result.Status(), 2);
  EXPECT_EQ(recordOf(result).summary(), QStringLiteral("/250/0"));
}

TEST_F(LimitedVerdict, AReadingBeyondTheSingleRangeIsNotJudgedAsZero) {
  RunBench bench(400);
  RunBench::bound(bench.standard(QStringLiteral("IEC")), QStringLiteral("PACE"), 280.0f,
                  std::nullopt);
  CResultRefractory result;
  result.Initialize();
  result.StoreResult(reply(59, {{44, "   250"}, {53, "   1e39"}}));
  result.UpdateStatus(bench.test, bench.selected, false);
  EXPECT_EQ(result.MeasurementByKey(QStringLiteral("PACE"))->Status(), 2);
  EXPECT_EQ(result.Status(), 2);
}

TEST_F(LimitedVerdict, WithoutAMeasuredValueNothingIsJudged) {
  RunBench bench(100);
  bench.standard(QStringLiteral("IEC"));
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
    EXPECT_FALSE(result.HasMeasuredValue()) << run.what;
    EXPECT_FALSE(result.ServiceRecord()) << run.what;
    for (const CMeasurementPtr& m : result.MeasurementList()) EXPECT_EQ(m->Status(), 0);
    EXPECT_TRUE(childTags(result.Save(document_)) == QStringList{QStringLiteral("Status")});
  }
  // Not applicable is the operator's own verdict and needs no value.
  CResultChargeTime skipped;
  skipped.Initialize();
  skipped.UpdateStatus(bench.test, bench.selected, true);
  EXPECT_EQ(skipped.Status(), 3);
  EXPECT_EQ(recordOf(skipped).flag(), QStringLiteral("NA"));
}

TEST_F(LimitedVerdict, SkippingBuildsANotApplicableRecordAndStoresNoMeasurements) {
  RunBench bench(300);
  CResultSensitivity result;
  result.Initialize();
  result.StoreResult(reply(40, {{35, "  1.20"}}), 0);
  result.SetMTIID(1);
  result.UpdateStatus(bench.test, bench.selected, true);
  EXPECT_EQ(result.Status(), 3);
  EXPECT_EQ(
      canonical(result.Save(document_)),
      canonicalXml(QStringLiteral("<ResultItem MTI=\"1\"><Status Code=\"3\"/>"
                                  "<ServiceRecord Built=\"True\" Flag=\"NA\"/></ResultItem>")));
}

TEST_F(LimitedVerdict, WithoutTheFilterBitTheEarlierRecordStays) {
  RunBench bench(400);
  CResultRefractory result;
  result.Initialize();
  result.StoreResult(reply(59, {{44, "   250"}, {53, "    300"}}));
  result.UpdateStatus(bench.test, bench.selected, false);
  const host::ServiceRecordPtr first = result.ServiceRecord();
  ASSERT_TRUE(first);
  bench.filter->setFlags(0);
  result.UpdateStatus(bench.test, bench.selected, true);
  EXPECT_EQ(result.Status(), 3);
  EXPECT_EQ(result.ServiceRecord(), first);

  // A test element without limit set or filter still gets a verdict.
  bench.test->limits = nullptr;
  bench.test->filter = nullptr;
  result.UpdateStatus(bench.test, bench.selected, false);
  EXPECT_EQ(result.Status(), 1);
  result.UpdateStatus(nullptr, nullptr, false);
  EXPECT_EQ(result.Status(), 1);
  EXPECT_EQ(result.ServiceRecord(), first);
}

// --- stored forms -----------------------------------------------------------------

TEST_F(LimitedVerdict, SensitivityStoresItsEvaluatedRun) {
  RunBench bench(300);
  CResultSensitivity result;
  result.Initialize();
  result.StoreResult(reply(40, {{35, "  1.20"}}), 1);
  result.UpdateStatus(bench.test, bench.selected, false);
  result.SetMTIID(3);
  result.SetComment(QStringLiteral("Pacer in demand mode"));
  EXPECT_EQ(canonical(result.Save(document_)),
            canonicalXml(QStringLiteral(
                "<ResultItem MTI=\"3\"><Status Code=\"1\"/>"
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
  CResultChargeTime result;
  result.Initialize(std::make_shared<CConfigChargeTime>());
  result.StoreResult(reply(40, {{1, " 355.0"}, {35, "   4.2"}}));
  result.UpdateStatus(bench.test, bench.selected, false);
  result.SetMTIID(2);
  const host::XmlElementPtr stored = result.Save(document_);
  EXPECT_EQ(canonical(stored),
            canonicalXml(QStringLiteral(
                "<ResultItem MTI=\"2\"><Status Code=\"1\"/>"
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
