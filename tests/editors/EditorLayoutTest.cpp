// Each editor lays itself out for its size as its design gives it.

#include <map>

#include "EditorFixture.h"
#include "settings/CConfigAccuracy.h"
#include "settings/CConfigDischarge.h"
#include "settings/CConfigPerformance.h"
#include "settings/CConfigRefractory.h"
#include "settings/CConfigSensitivity.h"

namespace {

using namespace orvanRV1Xtst;

class EditorLayout : public editortest::EditorTest {};

// The place of a control at an editor's inner width and height (twips).
struct LayoutCase {
  const char* editor;
  double width, height;
  const char* control;
  QRectF place;
  bool visible;
};

const LayoutCase kLayouts[] = {
    {"refractory", 4000, 2520, "fraTestGuideSettings", {0, 0, 2055, 1425}, true},
    {"refractory", 4000, 2520, "fraTestSetup", {2175, 0, 2880, 1425}, true},
    {"refractory", 4000, 2520, "lblRate", {1500, 120, 1260, 240}, true},
    {"refractory", 4000, 2520, "cboLoad", {120, 360, 1260, 945}, true},
    {"refractory", 4000, 2520, "cboRate", {1500, 360, 1260, 945}, true},
    {"refractory", 12000, 2520, "fraTestGuideSettings", {0, 0, 2895, 1425}, true},
    {"refractory", 12000, 2520, "fraTestSetup", {3015, 0, 6360, 1425}, true},
    {"refractory", 5010, 2000, "xhtHelpText", {0, 1545, 5055, 320}, true},
    {"refractory", 5010, 1800, "xhtHelpText", {0, 1545, 5055, 120}, false},
    {"sensitivity", 4000, 1000, "fraTestSetup", {2175, 0, 2880, 1425}, true},
    {"sensitivity", 4000, 1000, "xhtHelpText", {0, 1545, 5055, 975}, false},
    {"sensitivity", 12000, 2600, "fraTestSetup", {3015, 0, 6360, 1425}, true},
    {"sensitivity", 12000, 2600, "xhtHelpText", {0, 1545, 5055, 975}, true},
    {"accuracy", 8055, 2520, "fraTestSetup", {2175, 0, 5880, 1425}, true},
    {"accuracy", 8055, 2520, "cboLoad", {120, 360, 1320, 945}, true},
    {"accuracy", 8055, 2520, "cboNoise", {1560, 360, 1320, 945}, true},
    {"accuracy", 8055, 2520, "cboRate", {3000, 360, 1320, 945}, true},
    {"accuracy", 8055, 2520, "lblAmp", {4440, 120, 1320, 240}, true},
    {"accuracy", 6000, 1200, "fraTestGuideSettings", {0, 0, 2055, 1425}, true},
    {"accuracy", 6000, 1200, "xhtHelpText", {0, 1545, 8055, 975}, false},
    {"accuracy", 8055, 3000, "xhtHelpText", {0, 2025, 8055, 975}, true},
    {"accuracy", 8055, 3000, "fraTestSetup", {2175, 0, 5880, 1905}, true},
    {"discharge", 8055, 2895, "fraTestGuideSettings", {0, 0, 2055, 1800}, true},
    {"discharge", 8055, 2895, "fraTestSetup", {2175, 0, 2415, 1800}, true},
    {"discharge", 8055, 2895, "fraECGWave", {4710, 0, 3345, 1800}, true},
    {"discharge", 8055, 2895, "lblECGWave", {120, 120, 3105, 240}, true},
    {"discharge", 12000, 2895, "fraECGWave", {5550, 0, 3500, 1800}, true},
    {"discharge", 8055, 2400, "xhtHelpText", {0, 1920, 8055, 480}, true},
    {"discharge", 8055, 2000, "xhtHelpText", {0, 1920, 8055, 80}, false},
    {"performance", 8535, 3420, "fraTestGuideSettings", {0, 0, 2133.75, 2325}, true},
    {"performance", 8535, 3420, "fraWaveforms", {2253.75, 0, 2775, 2325}, true},
    {"performance", 8535, 3420, "lstWave2", {120, 720, 2535, 1545}, true},
    {"performance", 8535, 3420, "fraTestSetup", {5148.75, 0, 3375, 2325}, true},
    {"performance", 8535, 3420, "lblAmp", {120, 120, 2175, 255}, true},
    {"performance", 8535, 2500, "xhtHelpText", {0, 2445, 8520, 975}, false},
    {"performance", 8535, 2500, "fraWaveforms", {2253.75, 0, 2775, 2325}, true},
    {"performance", 9000, 4000, "xhtHelpText", {0, 3025, 8520, 975}, true},
    {"performance", 9000, 4000, "lstWave2", {120, 720, 2535, 2125}, true},
};

TEST_F(EditorLayout, EachEditorLaysItselfOutForItsSize) {
  const std::map<std::string, std::function<std::shared_ptr<CConfigBase>()>> configs = {
      {"refractory", [] { return std::make_shared<CConfigRefractory>(); }},
      {"sensitivity", [] { return std::make_shared<CConfigSensitivity>(); }},
      {"accuracy", [] { return std::make_shared<CConfigAccuracy>(); }},
      {"discharge", [] { return std::make_shared<CConfigDischarge>(); }},
      {"performance", [] { return std::make_shared<CConfigPerformance>(); }}};
  std::string opened;
  for (const LayoutCase& c : kLayouts) {
    SCOPED_TRACE(std::string(c.editor) + " " + c.control + " at " + std::to_string(c.width) +
                 " x " + std::to_string(c.height));
    if (opened != c.editor) {
      if (dialog_) dialog_->Unload();
      open(configs.at(c.editor)(), 12000, 3000);
      opened = c.editor;
    }
    resize(c.width, c.height);
    QWidget* control = child(c.control);
    ASSERT_TRUE(control);
    EXPECT_EQ(control->isVisibleTo(editor()), c.visible);
    if (!c.visible) continue;
    EXPECT_EQ(control->geometry(),
              ui::toPixels(c.place.left(), c.place.top(), c.place.width(), c.place.height()));
  }
}

}  // namespace
