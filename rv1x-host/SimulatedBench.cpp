#include "SimulatedBench.h"

#include <QLabel>
#include <cstdio>
#include <optional>

#include "Simulator.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "services/LanguageService.h"
#include "typelib/GuideControls.h"
#include "typelib/HostTypes.h"
#include "typelib/IConfigData.h"
#include "typelib/ITestElement.h"
#include "ui/Form.h"
#include "xml/XmlDocument.h"

namespace hostapp {

namespace {

// About as quick as a person who is watching.
constexpr int kLookMs = 50;
const QString kPresetEnergy = QStringLiteral("PresetEnergy");

struct RangePrompt {
  const char* textKey;
  char range;
  const char* name;
};

constexpr RangePrompt kPrompts[] = {{"20180::Please set range to Pace", 'P', "Pace"},
                                    {"20181::Please set range to Low", 'L', "Low"},
                                    {"20182::Please set range to High", 'H', "High"}};

// The text of the guide's instruction pop-up while it is shown.
QString shownInstruction() {
  ui::Form* guide = ui::Form::activeModal();
  if (!guide) return {};
  auto* popup = guide->findChild<QWidget*>(QStringLiteral("xtiPopup"));
  if (!popup || !popup->isVisible()) return {};
  auto* text = popup->findChild<QLabel*>(QStringLiteral("lblHelpTxt"));
  return text ? text->text() : QString();
}

// The preset energy the guide's test stores, or none.
std::optional<double> presetEnergy(ui::Form& guide) {
  auto* toolbar =
      dynamic_cast<host::ITgToolbar*>(guide.findChild<QWidget*>(QStringLiteral("xtbToolbar")));
  if (!toolbar) return std::nullopt;
  return rt::orDefault(
      [&]() -> std::optional<double> {
        const host::ITestElementPtr test = toolbar->BoundTest();
        if (!test || !test->Configuration()) return std::nullopt;
        const auto document = std::make_shared<host::XmlDocument>();
        const host::XmlElementPtr stored = test->Configuration()->Save(document);
        const host::XmlElementPtr energy = stored ? stored->SelectChild(kPresetEnergy) : nullptr;
        if (!energy) return std::nullopt;
        return rt::val(energy->Text());
      },
      std::optional<double>());
}

}  // namespace

SimulatedBench::SimulatedBench(rv1xsim::Simulator& analyzer) : analyzer_(analyzer) {
  observer_ = ui::Form::addModalObserver([this](ui::Form& guide) { SetEnergy(guide); });
  look_.setInterval(kLookMs);
  connect(&look_, &QTimer::timeout, this, &SimulatedBench::TurnRange);
  look_.start();
}

SimulatedBench::~SimulatedBench() {
  ui::Form::removeModalObserver(observer_);
}

void SimulatedBench::SetEnergy(ui::Form& guide) {
  const std::optional<double> energy = presetEnergy(guide);
  if (!energy) return;
  rv1xsim::Measurements values = analyzer_.options().values;
  values.energy = *energy;
  analyzer_.setMeasurements(values);
  std::fprintf(stderr, "simulated defibrillator: set to %g J\n", *energy);
  std::fflush(stderr);
}

void SimulatedBench::TurnRange() {
  const QString shown = shownInstruction();
  if (shown.isEmpty()) return;
  for (const RangePrompt& prompt : kPrompts) {
    if (shown !=
        host::LanguageService::instance()->Translate(host::kProduct, QLatin1String(prompt.textKey)))
      continue;
    if (analyzer_.options().range == prompt.range) return;
    analyzer_.setRange(prompt.range);
    std::fprintf(stderr, "simulated analyzer: range switch turned to %s\n", prompt.name);
    std::fflush(stderr);
    return;
  }
}

}  // namespace hostapp
