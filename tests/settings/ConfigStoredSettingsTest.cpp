// Each configuration's stored children: defaults, every field changed, the
// conversions of the texts read back, missing children.

#include "ConfigFixture.h"
#include "settings/CConfigAccuracy.h"
#include "settings/CConfigChargeTime.h"
#include "settings/CConfigDischarge.h"
#include "settings/CConfigPerformance.h"
#include "settings/CConfigRefractory.h"
#include "settings/CConfigSensitivity.h"

namespace {

using namespace orvanRV1Xtst;
using namespace settingstest;

const QString kGuide = QStringLiteral("TestGuideSettings=");

using StoredSettings = ConfigTest;

TEST_F(StoredSettings, SensitivityDefaultsAndEveryFieldRoundTrip) {
  CConfigSensitivity config;
  EXPECT_EQ(children(save(config)), (QStringList{"LoadIndex=0", "TriggerIndex=0", "Load=Fixed load",
                                                 "TriggerWave=10 ms Sqr.", kGuide}));

  config.SetLoadIndex(5);
  config.SetLoadText(QStringLiteral("300 Ohm"));
  config.SetTriggerIndex(-1);
  config.SetTriggerWaveText(QStringLiteral("my own wave"));
  config.SetRangeHigh(1.5f);
  EXPECT_EQ(children(save(config)), (QStringList{"LoadIndex=5", "TriggerIndex=-1", "Load=300 Ohm",
                                                 "TriggerWave=my own wave", kGuide}));
  CConfigSensitivity loaded;
  roundTrip(config, loaded);
  EXPECT_EQ(loaded.LoadIndex(), 5);
  EXPECT_EQ(loaded.LoadText(), QStringLiteral("300 Ohm"));
  EXPECT_EQ(loaded.LoadCode(loaded.LoadIndex()), QStringLiteral("Q05"));
  EXPECT_EQ(loaded.TriggerIndex(), -1);
  EXPECT_EQ(loaded.TriggerWaveText(), QStringLiteral("my own wave"));
  EXPECT_EQ(loaded.RangeHigh(), 0.0f) << "the range is never saved";
}

TEST_F(StoredSettings, SensitivityReadsTheRangeOnlyFromAStoredDocument) {
  CConfigSensitivity config;
  config.Load(plugInData(QStringLiteral("<RangeHigh>1.5</RangeHigh><RangeLow>0.4</RangeLow>")),
              nullptr);
  EXPECT_EQ(config.RangeHigh(), 1.5f);
  EXPECT_EQ(config.RangeLow(), 0.4f);
  EXPECT_EQ(config.LoadIndex(), 0) << "a missing child keeps the field";
  EXPECT_EQ(config.LoadText(), QStringLiteral("Fixed load"));
  for (const QString& line : children(save(config)))
    EXPECT_FALSE(line.startsWith(QStringLiteral("Range")));
}

TEST_F(StoredSettings, WholeNumberFieldsTakeTheNearestValueWithHalvesToEven) {
  struct Case {
    const char* text;
    rt::Integer expected;
  } cases[] = {{"2.5", 2}, {"3.5", 4},       {"-2.5", -2},       {" 1 2", 12}, {"7 ppm", 7},
               {"abc", 0}, {"32767", 32767}, {"-32768", -32768}, {"2.4999", 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    CConfigRefractory config;
    config.Load(plugInData(QStringLiteral("<RateIndex>%1</RateIndex>").arg(QLatin1String(c.text))),
                nullptr);
    EXPECT_EQ(config.RateIndex(), c.expected);
    EXPECT_TRUE(reported().isEmpty());
  }
}

TEST_F(StoredSettings, AnIndexBeyondItsRangeIsReportedAndLeavesWhatFollowsAsItWas) {
  // Beyond 16 bits, and beyond what a number can hold at all.
  for (const QString& index : {QStringLiteral("40000"), QStringLiteral("1") + QString(400, u'0')}) {
    SCOPED_TRACE(index.size());
    errors().clear();
    CConfigSensitivity config;
    config.SetTriggerIndex(7);
    config.TestGuideConfig()->SetButtonMask(host::guidebutton::Skip);
    const auto guideSettings = config.TestGuideConfig();
    config.Load(plugInData(QStringLiteral("<Load>100 Ohm</Load><LoadIndex>%1</LoadIndex>"
                                          "<TriggerIndex>3</TriggerIndex>"
                                          "<TestGuideSettings ButtonMask=\"1\"/>")
                               .arg(index)),
                nullptr);
    EXPECT_EQ(config.LoadText(), QStringLiteral("100 Ohm")) << "read before the failure";
    EXPECT_EQ(config.LoadIndex(), 0);
    EXPECT_EQ(config.TriggerIndex(), 7) << "the load ended at the failure";
    EXPECT_EQ(config.TestGuideConfig(), guideSettings) << "the guide settings were not read";
    EXPECT_EQ(config.TestGuideConfig()->ButtonMask(), host::guidebutton::Skip);
    const auto entries = reported();
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries.first().number, rt::err::Overflow);
    EXPECT_EQ(entries.first().source, QStringLiteral("RV1XTests.CConfigSensitivity"));
  }
}

TEST_F(StoredSettings, ALoadEndsAtTheFirstChildItCannotConvertInItsOwnReadingOrder) {
  // Every child holds a new value and one does not fit its field: the
  // children read before it take their values, those read after it (the
  // guide settings too) keep theirs, whatever order the element has.
  const QString beyondSingle = QStringLiteral("1") + QString(39, u'0');
  const struct Case {
    std::function<std::shared_ptr<CConfigBase>()> make;
    QString children;
    QStringList saved;
  } cases[] = {
      {makeConfig<CConfigChargeTime>,
       "<AutoPlayback>True</AutoPlayback><PresetEnergy>" + beyondSingle + "</PresetEnergy>",
       {"PresetEnergy=360", "AutoPlayback=False"}},
      {makeConfig<CConfigSensitivity>,
       "<TriggerWave>25 ms Sqr.</TriggerWave><RangeLow>" + beyondSingle +
           "</RangeLow><TriggerIndex>1</TriggerIndex><LoadIndex>2</LoadIndex><Load>100 Ohm</Load>",
       {"LoadIndex=2", "TriggerIndex=1", "Load=100 Ohm", "TriggerWave=10 ms Sqr."}},
      {makeConfig<CConfigRefractory>,
       "<RateIndex>3</RateIndex><LoadIndex>40000</LoadIndex><Rate>70 ppm</Rate><Load>50 Ohm</Load>",
       {"Load=50 Ohm", "Rate=70 ppm", "RateIndex=2", "LoadIndex=0"}},
      {makeConfig<CConfigAccuracy>,
       "<RateIndex>1</RateIndex><Rate>50 ppm</Rate><AmplitudeIndex>40000</AmplitudeIndex>"
       "<Amplitude>35 mA</Amplitude><NoiseIndex>2</NoiseIndex><Noise>50 Hz 2 mV</Noise>"
       "<LoadIndex>1</LoadIndex><Load>50 Ohm</Load>",
       {"Noise=50 Hz 2 mV", "NoiseIndex=2", "Amplitude=35 mA", "AmplitudeIndex=0", "Load=50 Ohm",
        "LoadIndex=1", "Rate=40 ppm", "RateIndex=0"}},
      {makeConfig<CConfigDischarge>,
       "<AutoPlayback>True</AutoPlayback><WaveFormIndex>3</WaveFormIndex><Wavetype>PAC</Wavetype>"
       "<AmplitudeIndex>" +
           beyondSingle +
           "</AmplitudeIndex><Amplitude>2,0 mV</Amplitude>"
           "<PresetEnergy>50</PresetEnergy>",
       {"Amplitude=2,0 mV", "AmplitudeIndex=2", "PresetEnergy=50", "Wavetype=", "WaveFormIndex=1",
        "FetchWaveform=True", "PrintWaveform=True", "AutoPlayback=False"}},
      {makeConfig<CConfigPerformance>,
       "<Version>2.3.1</Version><Wavetype>100</Wavetype><Amplitude>" + beyondSingle +
           "</Amplitude><Duration>30</Duration>",
       {"Version=2.3.1", "Duration=30", "Amplitude=1", "Wavetype=301"}},
  };
  for (const Case& c : cases) {
    auto config = c.make();
    SCOPED_TRACE(qPrintable(config->kind().source));
    errors().clear();
    config->Load(plugInData(c.children + QStringLiteral("<TestGuideSettings ButtonMask=\"1\"/>")),
                 nullptr);
    ASSERT_EQ(reported().size(), 1);
    EXPECT_EQ(reported().first().number, rt::err::Overflow);
    EXPECT_EQ(children(save(*config)), c.saved + QStringList{kGuide});
    EXPECT_EQ(config->TestGuideConfig()->ButtonMask(), host::guidebutton::Default);
  }
}

TEST_F(StoredSettings, ChargeTimeRoundTripAndFlagsOnlyFromTheExactTrue) {
  CConfigChargeTime config;
  EXPECT_EQ(children(save(config)),
            (QStringList{"PresetEnergy=360", "AutoPlayback=False", kGuide}));
  config.SetPresetEnergy(12.5f);
  config.SetAutoPlayback(true);
  CConfigChargeTime loaded;
  roundTrip(config, loaded);
  EXPECT_EQ(loaded.PresetEnergy(), 12.5f);
  EXPECT_TRUE(loaded.AutoPlayback());

  for (const char* text : {"true", "TRUE", "1", "-1", " True", ""}) {
    SCOPED_TRACE(text);
    CConfigChargeTime flagged;
    flagged.SetAutoPlayback(true);
    flagged.Load(
        plugInData(QStringLiteral("<AutoPlayback>%1</AutoPlayback>").arg(QLatin1String(text))),
        nullptr);
    EXPECT_FALSE(flagged.AutoPlayback());
  }
  CConfigChargeTime noNumber;
  noNumber.Load(plugInData(QStringLiteral("<PresetEnergy>J 200</PresetEnergy>")), nullptr);
  EXPECT_EQ(noNumber.PresetEnergy(), 0.0f);
}

TEST_F(StoredSettings, RefractoryRoundTripAndItsTextsStandAlone) {
  CConfigRefractory config;
  EXPECT_EQ(children(save(config)),
            (QStringList{"Load=Fixed load", "Rate=60 ppm", "RateIndex=2", "LoadIndex=0", kGuide}));
  config.SetLoadText(QStringLiteral("43.8K Ohm"));
  config.SetLoadIndex(26);
  config.SetRateText(QStringLiteral("180 ppm"));
  config.SetRateIndex(14);
  CConfigRefractory loaded;
  roundTrip(config, loaded);
  EXPECT_EQ(loaded.LoadText(), QStringLiteral("43.8K Ohm"));
  EXPECT_EQ(loaded.LoadIndex(), 26);
  EXPECT_EQ(loaded.RateText(), QStringLiteral("180 ppm"));
  EXPECT_EQ(loaded.RateIndex(), 14);

  CConfigRefractory onlyIndex;
  onlyIndex.Load(plugInData(QStringLiteral("<RateIndex>9</RateIndex>")), nullptr);
  EXPECT_EQ(onlyIndex.RateText(), QStringLiteral("60 ppm"))
      << "the text is never derived from the index";
  EXPECT_EQ(onlyIndex.RateIndex(), 9);
}

TEST_F(StoredSettings, AccuracyWritesItsIndexesAsPlainDigits) {
  CConfigAccuracy config;
  EXPECT_EQ(children(save(config)),
            (QStringList{"Noise=Off", "NoiseIndex=0", "Amplitude=30 mA", "AmplitudeIndex=0",
                         "Load=Fixed load", "LoadIndex=0", "Rate=40 ppm", "RateIndex=0", kGuide}));
  config.SetNoiseText(QStringLiteral("60 Hz 100 mV"));
  config.SetNoiseIndex(20);
  config.SetAmpText(QStringLiteral("200 mA"));
  config.SetAmplitudeIndex(34);
  config.SetLoadText(QStringLiteral("typed"));
  config.SetLoadIndex(-1);
  config.SetRateText(QStringLiteral("90 ppm"));
  config.SetRateIndex(5);
  EXPECT_EQ(
      children(save(config)),
      (QStringList{"Noise=60 Hz 100 mV", "NoiseIndex=20", "Amplitude=200 mA", "AmplitudeIndex=34",
                   "Load=typed", "LoadIndex=-1", "Rate=90 ppm", "RateIndex=5", kGuide}));
  CConfigAccuracy loaded;
  roundTrip(config, loaded);
  EXPECT_EQ(loaded.NoiseText(), QStringLiteral("60 Hz 100 mV"));
  EXPECT_EQ(loaded.NoiseIndex(), 20);
  EXPECT_EQ(loaded.AmpText(), QStringLiteral("200 mA"));
  EXPECT_EQ(loaded.AmplitudeIndex(), 34);
  EXPECT_EQ(loaded.LoadText(), QStringLiteral("typed"));
  EXPECT_EQ(loaded.LoadIndex(), -1);
  EXPECT_EQ(loaded.RateText(), QStringLiteral("90 ppm"));
  EXPECT_EQ(loaded.RateIndex(), 5);
}

TEST_F(StoredSettings, DischargeDefaultsAndEveryFieldRoundTrip) {
  CConfigDischarge config;
  EXPECT_EQ(children(save(config)),
            (QStringList{"Amplitude=1,0 mV", "AmplitudeIndex=2", "PresetEnergy=100",
                         "Wavetype=", "WaveFormIndex=1", "FetchWaveform=True", "PrintWaveform=True",
                         "AutoPlayback=False", kGuide}));
  CConfigDischarge defaults;
  defaults.SetWaveFormIndex(9);
  defaults.SetAmplitudeText(QStringLiteral("changed"));
  roundTrip(config, defaults);
  EXPECT_EQ(defaults.AmplitudeText(), QStringLiteral("1,0 mV"));
  EXPECT_EQ(defaults.WaveFormIndex(), 1);

  config.SetPresetEnergy(360.5f);
  config.SetAmplitudeIndex(4);
  config.SetAmplitudeText(QStringLiteral("2,0 mV"));
  config.SetWaveFormIndex(18);
  EXPECT_EQ(config.WaveCode(18), QStringLiteral("E02"));
  config.SetFetchWaveform(false);
  config.SetPrintWaveform(false);
  config.SetAutoPlayback(true);
  CConfigDischarge loaded;
  roundTrip(config, loaded);
  EXPECT_EQ(loaded.PresetEnergy(), 360.5f);
  EXPECT_EQ(loaded.AmplitudeIndex(), 4);
  EXPECT_EQ(loaded.AmplitudeText(), QStringLiteral("2,0 mV"));
  EXPECT_EQ(loaded.WaveFormIndex(), 18);
  EXPECT_EQ(loaded.WavetypeText(), QStringLiteral("Vfib"));
  EXPECT_FALSE(loaded.FetchWaveform());
  EXPECT_FALSE(loaded.PrintWaveform());
  EXPECT_TRUE(loaded.AutoPlayback());
}

TEST_F(StoredSettings, DischargeAmplitudeStepIsReadRoundedAndOverflowsOnlyWhenRead) {
  auto owned = std::make_shared<CConfigDischarge>();
  CConfigDischarge& config = *owned;
  config.Load(plugInData(QStringLiteral("<AmplitudeIndex>2.5</AmplitudeIndex>")), nullptr);
  EXPECT_EQ(config.AmplitudeIndex(), 2);
  config.Load(plugInData(QStringLiteral("<AmplitudeIndex>3.5</AmplitudeIndex>")), nullptr);
  EXPECT_EQ(config.AmplitudeIndex(), 4);

  config.Load(plugInData(QStringLiteral("<AmplitudeIndex>40000</AmplitudeIndex>")), nullptr);
  EXPECT_TRUE(reported().isEmpty()) << "a large step is kept without error";
  EXPECT_EQ(errorOf([&] { (void)config.AmplitudeIndex(); }), rt::err::Overflow);
  EXPECT_FALSE(config.Clone());
  ASSERT_EQ(reported().size(), 1);
  EXPECT_EQ(reported().first().number, rt::err::Overflow);
  EXPECT_EQ(reported().first().source, QStringLiteral("RV1XTests.CConfigDischarge"));
}

TEST_F(StoredSettings, StoredNumbersDoNotDependOnTheUserLocale) {
  for (const QLocale& locale : {LocaleScope::english(), LocaleScope::german()}) {
    SCOPED_TRACE(qPrintable(locale.name()));
    const LocaleScope scope(locale);
    CConfigDischarge discharge;
    discharge.Load(plugInData(QStringLiteral("<AmplitudeIndex>2.5</AmplitudeIndex>"
                                             "<PresetEnergy>12.5</PresetEnergy>")),
                   nullptr);
    QStringList stored = children(save(discharge));
    EXPECT_EQ(stored.at(1), QStringLiteral("AmplitudeIndex=2.5"));
    EXPECT_EQ(stored.at(2), QStringLiteral("PresetEnergy=12.5"));
    CConfigDischarge again;
    roundTrip(discharge, again);
    EXPECT_EQ(children(save(again)), stored) << "a fractional step survives the next save";

    CConfigPerformance performance;
    performance.SetAmplitude(1.5f);
    CConfigPerformance loaded;
    roundTrip(performance, loaded);
    EXPECT_EQ(loaded.Amplitude(), 1.5f);
    EXPECT_EQ(children(save(performance)).at(2), QStringLiteral("Amplitude=1.5"));
  }
}

TEST_F(StoredSettings, PerformanceWritesTheLibraryVersionFirst) {
  CConfigPerformance config;
  EXPECT_EQ(children(save(config)),
            (QStringList{"Version=2.3.1", "Duration=7", "Amplitude=1", "Wavetype=301", kGuide}));
  config.SetDuration(0);
  config.SetAmplitude(0.5f);
  config.SetWavetype(211);
  CConfigPerformance loaded;
  roundTrip(config, loaded);
  EXPECT_EQ(loaded.Duration(), 0);
  EXPECT_EQ(loaded.Amplitude(), 0.5f);
  EXPECT_EQ(loaded.Wavetype(), 211);
}

TEST_F(StoredSettings, PerformanceReadsTheOlderLayoutWithoutAVersion) {
  CConfigPerformance config;
  config.Load(plugInData(QStringLiteral("<AmplitudeIndex>3</AmplitudeIndex>"
                                        "<DurationIndex>20</DurationIndex>"
                                        "<WaveFormIndex>4</WaveFormIndex>"
                                        "<Wavetype>101</Wavetype>"
                                        "<TestGuideSettings ButtonMask=\"1\"/>")),
              nullptr);
  EXPECT_EQ(config.Amplitude(), 1.5f);
  EXPECT_EQ(config.Duration(), 20);
  EXPECT_EQ(config.Wavetype(), 304);
  EXPECT_EQ(config.ParameterCode(CConfigPerformance::WaveParameter), QStringLiteral("W06"));
  EXPECT_EQ(config.TestGuideConfig()->ButtonMask(), host::guidebutton::Default)
      << "the older layout had no guide settings";
  // The next save writes the current layout.
  EXPECT_EQ(children(save(config)),
            (QStringList{"Version=2.3.1", "Duration=20", "Amplitude=1.5", "Wavetype=304", kGuide}));

  CConfigPerformance rounded;
  rounded.Load(plugInData(QStringLiteral("<WaveFormIndex>2.5</WaveFormIndex>"
                                         "<DurationIndex>3.5</DurationIndex>")),
               nullptr);
  EXPECT_EQ(rounded.Wavetype(), 302);
  EXPECT_EQ(rounded.Duration(), 4);
  EXPECT_EQ(rounded.Amplitude(), 1.0f) << "a missing child keeps the setting";
}

TEST_F(StoredSettings, PerformanceWithAVersionAndNothingElseKeepsItsSettings) {
  for (const char* version : {"<Version>2.3.1</Version>", "<Version/>"}) {
    CConfigPerformance config;
    config.SetDuration(15);
    config.SetAmplitude(2.0f);
    config.SetWavetype(100);
    config.Load(
        plugInData(QLatin1String(version) + QStringLiteral("<AmplitudeIndex>3</AmplitudeIndex>")),
        nullptr);
    EXPECT_EQ(config.Duration(), 15);
    EXPECT_EQ(config.Amplitude(), 2.0f);
    EXPECT_EQ(config.Wavetype(), 100);
  }
}

TEST_F(StoredSettings, ClonesCarryTheCopiedFields) {
  auto sensitivity = std::make_shared<CConfigSensitivity>();
  sensitivity->Load(plugInData(QStringLiteral("<RangeHigh>5</RangeHigh><LoadIndex>3</LoadIndex>"
                                              "<Load>150 Ohm</Load><TriggerIndex>7</TriggerIndex>"
                                              "<TriggerWave>40 ms Tri.</TriggerWave>")),
                    nullptr);
  auto sensitivityClone = std::dynamic_pointer_cast<CConfigSensitivity>(sensitivity->Clone());
  ASSERT_TRUE(sensitivityClone);
  EXPECT_EQ(sensitivityClone->LoadIndex(), 3);
  EXPECT_EQ(sensitivityClone->LoadText(), QStringLiteral("150 Ohm"));
  EXPECT_EQ(sensitivityClone->TriggerIndex(), 7);
  EXPECT_EQ(sensitivityClone->TriggerWaveText(), QStringLiteral("40 ms Tri."));
  EXPECT_EQ(sensitivityClone->RangeHigh(), 0.0f) << "the range is not copied";

  auto accuracy = std::make_shared<CConfigAccuracy>();
  accuracy->SetNoiseIndex(11);
  accuracy->SetNoiseText(QStringLiteral("60 Hz 1 mV"));
  accuracy->SetAmplitudeIndex(2);
  accuracy->SetAmpText(QStringLiteral("40 mA"));
  accuracy->SetLoadIndex(1);
  accuracy->SetLoadText(QStringLiteral("50 Ohm"));
  accuracy->SetRateIndex(3);
  accuracy->SetRateText(QStringLiteral("70 ppm"));

  auto discharge = std::make_shared<CConfigDischarge>();
  discharge->SetAmplitudeIndex(3);
  discharge->SetWaveFormIndex(7);
  (void)discharge->WaveCode(7);
  discharge->SetFetchWaveform(false);
  discharge->SetPresetEnergy(50);

  auto chargeTime = std::make_shared<CConfigChargeTime>();
  chargeTime->SetPresetEnergy(150);
  chargeTime->SetAutoPlayback(true);

  auto refractory = std::make_shared<CConfigRefractory>();
  refractory->SetLoadIndex(4);
  refractory->SetLoadText(QStringLiteral("200 Ohm"));
  refractory->SetRateIndex(0);
  refractory->SetRateText(QStringLiteral("40 ppm"));

  auto performance = std::make_shared<CConfigPerformance>();
  performance->SetDuration(60);
  performance->SetAmplitude(2.0f);
  performance->SetWavetype(205);

  // Every copied field shows in the stored form.
  for (const std::shared_ptr<CConfigBase>& config :
       std::initializer_list<std::shared_ptr<CConfigBase>>{accuracy, discharge, chargeTime,
                                                           refractory, performance}) {
    SCOPED_TRACE(qPrintable(config->kind().source));
    host::IConfigDataPtr clone = config->Clone();
    ASSERT_TRUE(clone);
    EXPECT_EQ(children(save(*clone)), children(save(*config)));
  }
  EXPECT_EQ(std::dynamic_pointer_cast<CConfigDischarge>(discharge->Clone())->WavetypeText(),
            QStringLiteral("Afib"));
  EXPECT_TRUE(reported().isEmpty());
}

}  // namespace
