// Each run end to end: the commands the analyzer receives, in order, and
// the values the result keeps of what the analyzer measured.

#include "RunFixture.h"
#include "settings/CConfigAccuracy.h"
#include "settings/CConfigChargeTime.h"
#include "settings/CConfigDischarge.h"
#include "settings/CConfigRefractory.h"
#include "settings/CConfigSensitivity.h"
#include "settings/CConfigShock.h"
#include "settings/CShockAdviceSetting.h"

namespace {

using namespace runtests;
using namespace orvanRV1Xtst;
using Sequence = RunTest;

struct Case {
  const char* what;
  rt::Long testID;
  const char* analyzerOptions;
  std::function<void(const host::ITestElementPtr&)> configure;
  QStringList commands;
  Values stored;
};

void performanceFor(const host::ITestElementPtr& test, rt::Long wavetype, float millivolts) {
  auto& c = config<CConfigPerformance>(test);
  c.SetWavetype(wavetype);
  c.SetAmplitude(millivolts);
  c.SetDuration(1);
}

TEST_F(Sequence, EachRunSendsItsCommandsAndKeepsWhatTheAnalyzerMeasured) {
  const Case cases[] = {
      {"charge time, newer analyzer, playback off",
       100,
       "range=H",
       {},
       {"I", "J", "R", "F3", "D", "M"},
       {{"ENGY", 95}, {"CHTI", 4.2}}},
      {"charge time, playback on, the shock after two polls",
       100,
       "range=H,polls=2,energy=120,charge-time=6.5",
       [](const host::ITestElementPtr& t) { config<CConfigChargeTime>(t).SetAutoPlayback(true); },
       {"I", "G", "R", "F3", "D", "D", "D", "M"},
       {{"ENGY", 120}, {"CHTI", 6.5}}},
      {"charge time, older analyzer: no playback command",
       100,
       "mkii,range=H",
       [](const host::ITestElementPtr& t) { config<CConfigChargeTime>(t).SetAutoPlayback(true); },
       {"I", "R", "F3", "D", "M"},
       {{"ENGY", 95}, {"CHTI", 4.2}}},
      {"discharge with its curve",
       200,
       "range=H",
       {},
       {"I", "R", "E04", "A3", "J", "D", "M", "P"},
       {{"ENGY", 95}, {"DELY", 4.5}, {"PEKI", 30.4}, {"PEKU", 1520}}},
      {"discharge, older analyzer, low range, another wave and amplitude, no curve",
       200,
       "mkii,range=L,energy=19.5,delay=3.5",
       [](const host::ITestElementPtr& t) {
         auto& c = config<CConfigDischarge>(t);
         c.SetPresetEnergy(20);
         c.SetWaveFormIndex(7);
         c.SetAmplitudeIndex(4);
         c.SetFetchWaveform(false);
       },
       {"I", "R", "E10", "A1", "D", "M"},
       {{"ENGY", 19.5}, {"DELY", 3.5}, {"PEKI", 30.4}, {"PEKU", 1520}}},
      {"sensitivity",
       300,
       "range=P",
       {},
       {"I", "Q00", "Y01", "M", "S", "M"},
       {{"PADS", 1.2}, {"ECG", 1.2}}},
      {"sensitivity on a variable load: the ECG value follows the load",
       300,
       "range=P,sensitivity-polls=2,sensitivity=3",
       [](const host::ITestElementPtr& t) {
         auto& c = config<CConfigSensitivity>(t);
         c.SetLoadIndex(3);
         c.SetTriggerIndex(5);
       },
       {"I", "Q03", "Y06", "M", "S", "M", "M", "M"},
       {{"PADS", 3}, {"ECG", 0.4}}},
      {"refractory period",
       400,
       "range=P",
       {},
       {"R", "I", "Q00", "M", "C", "D", "D", "M"},
       {{"SENS", 250}, {"PACE", 300}}},
      {"refractory period: pulses and the measurement after polls",
       400,
       "range=P,pacer-polls=1,polls=2,sensed-rp=180,paced-rp=1234",
       [](const host::ITestElementPtr& t) { config<CConfigRefractory>(t).SetLoadIndex(26); },
       {"R", "I", "Q26", "M", "M", "C", "D", "D", "D", "M"},
       {{"SENS", 180}, {"PACE", 1234}}},
      {"pacer accuracy: readings until Stop",
       500,
       "range=P,rate=65,amplitude=42.5,pulse-width=20",
       [](const host::ITestElementPtr& t) {
         auto& c = config<CConfigAccuracy>(t);
         c.SetLoadIndex(2);
         c.SetNoiseIndex(3);
       },
       {"I", "Q02", "N08", "M", "M", "M"},
       {{"RATE", 65}, {"AMPL", 42.5}, {"PWID", 20}}},
      {"ECG performance: the wave, its amplitude, then the outputs off",
       600,
       "range=L",
       [](const host::ITestElementPtr& t) { performanceFor(t, 211, 2.0f); },
       {"I", "E20", "A1", "E01", "W01"},
       {{"PERF", 1}}},
      {"shock advisory: each step's rhythm, and no end code after the last",
       700,
       "range=H",
       [](const host::ITestElementPtr& t) {
         auto& c = config<CConfigShock>(t);
         c.Remove(1);
         for (const auto& [wave, seconds] : {std::pair{2, 1}, {7, 0}, {0, 30}}) {
           const CShockAdviceSettingPtr step = c.AddNew();
           step->SetWaveFormIndex(wave);
           step->SetDuration(seconds);
         }
       },
       {"I", "V03", "V08", "V01"},
       {{"::2", 1}, {"::3", 0}, {"::4", 0}}},
  };
  setRangeThreshold(50);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    rv1xsim::Simulator& sim = analyzer(QLatin1String(c.analyzerOptions));
    const auto test = element(c.testID);
    if (c.configure) c.configure(test);
    perform(test);
    EXPECT_EQ(runCommands(sim), c.commands);
    const Values stored = values(test);
    EXPECT_EQ(stored.size(), c.stored.size());
    for (const auto& [key, value] : c.stored) {
      ASSERT_TRUE(stored.count(key)) << qPrintable(key);
      EXPECT_NEAR(stored.at(key), value, 1e-4) << qPrintable(key);
    }
    // No limit is enabled: the measured values are kept but not judged;
    // the operator's verdicts are judged all the same.
    EXPECT_EQ(status(test), c.testID < 600 ? 0 : 1);
    EXPECT_EQ(notified(test), 1);
    EXPECT_TRUE(messageHeads().isEmpty()) << messageHeads().join(u'|').toStdString();
    simulators_.clear();
  }
}

}  // namespace
