// The analyzer command codes the configurations select, checked as tables.

#include "ConfigFixture.h"
#include "settings/CConfigAccuracy.h"
#include "settings/CConfigDischarge.h"
#include "settings/CConfigPerformance.h"
#include "settings/CConfigRefractory.h"
#include "settings/CConfigSensitivity.h"
#include "settings/ConfigCodeTables.h"

namespace {

using namespace orvanRV1Xtst;

// The codes of indexes first..last of a code function.
template <class Code>
QStringList codesOf(Code code, int first, int last) {
  QStringList result;
  for (int index = first; index <= last; ++index)
    result.append(code(static_cast<rt::Integer>(index)));
  return result;
}

TEST(CodeTables, LoadCodesAreTheSameForTheThreeLoadConfigurations) {
  QStringList expected{""};
  for (int i = 0; i <= 26; ++i)
    expected.append(QStringLiteral("Q%1").arg(i, 2, 10, QLatin1Char('0')));
  expected.append(QString());
  CConfigSensitivity sensitivity;
  CConfigRefractory refractory;
  CConfigAccuracy accuracy;
  EXPECT_EQ(codesOf([&](rt::Integer i) { return sensitivity.LoadCode(i); }, -1, 27), expected);
  EXPECT_EQ(codesOf([&](rt::Integer i) { return refractory.LoadCode(i); }, -1, 27), expected);
  EXPECT_EQ(codesOf([&](rt::Integer i) { return accuracy.LoadCode(i); }, -1, 27), expected);
  EXPECT_EQ(sensitivity.LoadCode(-32768), QString());
  EXPECT_EQ(sensitivity.LoadCode(32767), QString());
}

TEST(CodeTables, TriggerCodesCountFromOne) {
  CConfigSensitivity config;
  EXPECT_EQ(codesOf([&](rt::Integer i) { return config.TriggerCode(i); }, -1, 15),
            (QStringList{"", "Y01", "Y02", "Y03", "Y04", "Y05", "Y06", "Y07", "Y08", "Y09", "Y10",
                         "Y11", "Y12", "Y13", "Y14", "Y15", ""}));
}

// The codes mirror around Off (N11): 50 Hz from N10 (smallest) down to N01,
// 60 Hz from N12 (smallest) up to N21; nothing beyond the list.
TEST(CodeTables, NoiseCodes) {
  CConfigAccuracy config;
  EXPECT_EQ(codesOf([&](rt::Integer i) { return config.NoiseCode(i); }, -1, 22),
            (QStringList{"",    "N11", "N10", "N09", "N08", "N07", "N06", "N05",
                         "N04", "N03", "N02", "N01", "N12", "N13", "N14", "N15",
                         "N16", "N17", "N18", "N19", "N20", "N21", "",    ""}));
}

TEST(CodeTables, EveryNoiseListEntrySendsALevelOfItsOwnAndOnlyOffSwitchesNoiseOff) {
  CConfigAccuracy config;
  QSet<QString> seen;
  for (rt::Integer index = 0; index <= 20; ++index) {
    const QString code = config.NoiseCode(index);
    EXPECT_FALSE(seen.contains(code)) << "position " << index << " repeats " << code.toStdString();
    seen.insert(code);
    if (index > 0) {
      EXPECT_NE(code, QStringLiteral("N11")) << "position " << index;
    }
  }
}

TEST(CodeTables, DischargeWaveCodesNameTheirWave) {
  const char* expected[][2] = {
      {"E03", "Sine 30 BPM"},  {"E04", "Sine 60 BPM"},  {"E05", "Sine 80 BPM"},
      {"E06", "Sine 120 BPM"}, {"E07", "Sine 180 BPM"}, {"E08", "Sine 240 BPM"},
      {"E09", "Sine 300 BPM"}, {"E10", "Afib"},         {"E11", "Blk II"},
      {"E12", "RBBB"},         {"E13", "PAC"},          {"E14", "PVC Early"},
      {"E15", "PVC Std"},      {"E16", "PVC RonT"},     {"E17", "MF PVC"},
      {"E18", "Bigeminy"},     {"E19", "Run 5 PVC"},    {"E20", "Vtach"},
      {"E02", "Vfib"},         {"E01", "OFF"}};
  CConfigDischarge config;
  EXPECT_EQ(config.WavetypeText(), QString()) << "empty until a code was asked for";
  for (rt::Integer index = 0; index < 20; ++index) {
    EXPECT_EQ(config.WaveCode(index), QLatin1String(expected[index][0])) << index;
    EXPECT_EQ(config.WavetypeText(), QLatin1String(expected[index][1])) << index;
  }
  (void)config.WaveCode(18);
  EXPECT_EQ(config.WaveCode(20), QString());
  EXPECT_EQ(config.WaveCode(-1), QString());
  EXPECT_EQ(config.WavetypeText(), QStringLiteral("Vfib"))
      << "an index outside the list changes nothing";
}

TEST(CodeTables, DischargeAmplitudeCodesRunDownwards) {
  CConfigDischarge config;
  EXPECT_EQ(codesOf([&](rt::Integer i) { return config.AmplitudeCode(i); }, -1, 5),
            (QStringList{"", "", "A4", "A3", "A2", "A1", ""}));
}

TEST(CodeTables, PerformanceWaveCodesOverTheWholeCodeRange) {
  CConfigPerformance config;
  QMap<rt::Long, QString> commands;
  for (int group = 0; group < 4; ++group)
    for (rt::Long code = group * 100; code < group * 100 + 100; ++code) {
      config.SetWavetype(code);
      const QString command = config.ParameterCode(CConfigPerformance::WaveParameter);
      if (!command.isEmpty()) commands.insert(code, command);
    }
  QMap<rt::Long, QString> expected;
  const char* sinus[] = {"E03", "E04", "E05", "E06", "E07", "E08", "E09"};
  for (int i = 0; i < 7; ++i) expected.insert(100 + i, QLatin1String(sinus[i]));
  expected.insert(200, QStringLiteral("E02"));
  for (int i = 1; i <= 11; ++i) expected.insert(200 + i, QStringLiteral("E%1").arg(9 + i));
  for (int i = 0; i <= 12; ++i)
    expected.insert(300 + i, QStringLiteral("W%1").arg(i + 2, 2, 10, QLatin1Char('0')));
  EXPECT_EQ(commands, expected);
  for (rt::Long outside : {-1, 313, 1000}) {
    config.SetWavetype(outside);
    EXPECT_EQ(config.ParameterCode(CConfigPerformance::WaveParameter), QString()) << outside;
  }
  EXPECT_EQ(QLatin1String(codes::performanceWave(301)->textKey),
            QStringLiteral("20522::Square 2 Hz"));
}

TEST(CodeTables, PerformanceAmplitudeCodesMatchExactValuesOnly) {
  CConfigPerformance config;
  const std::pair<rt::Single, const char*> cases[] = {{0.5f, "A4"}, {1.0f, "A3"}, {1.5f, "A2"},
                                                      {2.0f, "A1"}, {1.25f, ""},  {0.0f, ""},
                                                      {2.5f, ""},   {1.0001f, ""}};
  for (const auto& [millivolts, code] : cases) {
    config.SetAmplitude(millivolts);
    EXPECT_EQ(config.ParameterCode(CConfigPerformance::AmplitudeParameter), QLatin1String(code))
        << millivolts;
  }
  EXPECT_EQ(config.ParameterCode(2), QString());
  EXPECT_EQ(config.ParameterCode(-1), QString());
}

TEST(CodeTables, DefaultTextsAreTheEntriesAtTheDefaultIndexes) {
  CConfigSensitivity sensitivity;
  EXPECT_EQ(sensitivity.LoadText(), QLatin1String(codes::kLoadList[sensitivity.LoadIndex()]));
  EXPECT_EQ(sensitivity.TriggerWaveText(),
            QLatin1String(codes::kTriggerWaveList[sensitivity.TriggerIndex()]));
  CConfigRefractory refractory;
  EXPECT_EQ(refractory.RateText(), QLatin1String(codes::kRateList[refractory.RateIndex()]));
  CConfigAccuracy accuracy;
  EXPECT_EQ(accuracy.RateText(), QLatin1String(codes::kRateList[accuracy.RateIndex()]));
  EXPECT_EQ(accuracy.AmpText(), QLatin1String(codes::kAmplitudeList[accuracy.AmplitudeIndex()]));
  EXPECT_EQ(QLatin1String(codes::kLoadList.back()), QStringLiteral("43.8K Ohm"));
  EXPECT_EQ(QLatin1String(codes::kAmplitudeList.back()), QStringLiteral("200 mA"));
  CConfigPerformance performance;
  EXPECT_EQ(performance.ParameterCode(CConfigPerformance::WaveParameter), QStringLiteral("W03"));
  EXPECT_EQ(performance.ParameterCode(CConfigPerformance::AmplitudeParameter),
            QStringLiteral("A3"));
}

}  // namespace
