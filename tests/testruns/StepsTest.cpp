// The operator's steps each test's window lists, by its settings, and the
// steps marked when the window opens.

#include "RunFixture.h"
#include "settings/CConfigAccuracy.h"
#include "settings/CConfigDischarge.h"
#include "settings/CConfigRefractory.h"
#include "settings/CConfigSensitivity.h"
#include "typelib/GuideControls.h"

namespace {

using namespace runtests;
using namespace orvanRV1Xtst;
using Steps = RunTest;

TEST_F(Steps, EachTestListsTheStepsItsSettingsCallFor) {
  const struct {
    const char* what;
    rt::Long testID;
    std::function<void(const host::ITestElementPtr&)> configure;
    QStringList steps;
    QList<rt::Integer> marked;
  } cases[] = {
      {"charge time",
       100,
       {},
       {"1. On defibrillator, set defibrillator to 360 J.",
        "2. Set range to 'High' on the RV-11/15", "3. Press play to start the test.", ""},
       {}},
      {"discharge at the threshold: the Low range",
       200,
       [](auto& t) { config<CConfigDischarge>(t).SetPresetEnergy(50.4f); },
       {"1. On defibrillator, set Defibrillator energy to 50 J.",
        "2. Set range to 'Low' on the RV-11/15", "3. Press play to start test.", "", ""},
       {}},
      {"discharge above the threshold: the High range",
       200,
       {},
       {"1. On defibrillator, set Defibrillator energy to 100 J.",
        "2. Set range to 'High' on the RV-11/15", "3. Press play to start test.", "", ""},
       {}},
      {"sensitivity on a variable load",
       300,
       [](auto& t) { config<CConfigSensitivity>(t).SetLoadIndex(3); },
       {"1. Connect pacer to Input Variable Load", "2. Connect ECG leads", "3. Set ECG to maximum",
        "4. Set pacer to demand mode", "5. Start pacer", "6. Press Play to start test"},
       {}},
      {"refractory period on the fixed load, the configured rate as shown",
       400,
       {},
       {"1. Connect pacer to Input Fixed Load", "2. Connect ECG leads", "3. Set ECG to maximum",
        "4. Set pacer rate to 60 ppm", "5. Start pacer",
        "6. Press Play to start test, Stop to end test"},
       {}},
      {"pacer accuracy without noise",
       500,
       {},
       {"1. Connect pacer to Input Fixed Load", "2. Connect ECG leads", "3. Set ECG to maximum",
        "4. Set pacer to 40 ppm, 30 mA", "5. Start pacer and press Play to start the test",
        "6. Press Stop to complete the test"},
       {1, 2, 3, 4, 5, 6}},
      {"pacer accuracy with noise on the fixed load: demand mode",
       500,
       [](auto& t) { config<CConfigAccuracy>(t).SetNoiseIndex(3); },
       {"1. Connect pacer to Input Fixed Load", "2. Connect ECG leads, set ECG to maximum",
        "3. Set defib. pacer to Demand mode", "4. Set pacer to 40 ppm, 30 mA",
        "5. Start pacer and press Play to start the test", "6. Press Stop to complete the test"},
       {1, 2, 3, 4, 5, 6}},
      {"pacer accuracy with noise on a variable load: fixed mode",
       500,
       [](auto& t) {
         config<CConfigAccuracy>(t).SetNoiseIndex(3);
         config<CConfigAccuracy>(t).SetLoadIndex(5);
       },
       {"1. Connect pacer to Input Variable Load", "2. Connect ECG leads, set ECG to maximum",
        "3. Set defib. pacer to Fixed mode", "4. Set pacer to 40 ppm, 30 mA",
        "5. Start pacer and press Play to start the test", "6. Press Stop to complete the test"},
       {1, 2, 3, 4, 5, 6}},
      {"ECG performance",
       600,
       {},
       {"1. Set the Range to Low or High", "2. Press 'Play' to start the performance test",
        "3. Sending commands to MTI....", "4. Simulating wave on defib. monitor",
        "5. Press 'Stop' to cancel test ", ""},
       {}},
      {"shock advisory",
       700,
       {},
       {"1. Set defibrillator energy selecte to 100 J (Test)", "2. Press play to start test",
        "3. Making adjustments on connected MTI", "4. Simulating waveform, please wait..."},
       {1, 2}},
  };
  setRangeThreshold(50);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto test = element(c.testID);
    if (c.configure) c.configure(test);
    QStringList steps;
    QList<rt::Integer> marked;
    perform(test, QStringLiteral("%1 next").arg(c.testID),
            [&](QWidget& window, rt::Long, const QString& state) {
              auto* guide = dynamic_cast<FRV1XTestGuide*>(&window);
              if (state != QLatin1String("opened") || !guide) return;
              steps = com::must(guide->xtwDetails()).Steps();
              marked = guide->xtwDetails()->MarkedSteps();
            });
    EXPECT_EQ(steps, c.steps);
    EXPECT_EQ(marked, c.marked);
  }
}

}  // namespace
