#include "SimulatedRangeSwitch.h"

#include <QLabel>
#include <cstdio>

#include "Simulator.h"
#include "services/LanguageService.h"
#include "typelib/HostTypes.h"
#include "ui/Form.h"

namespace hostapp {

namespace {

// About as quick as a person who is watching.
constexpr int kLookMs = 50;

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

}  // namespace

SimulatedRangeSwitch::SimulatedRangeSwitch(rv1xsim::Simulator& analyzer) : analyzer_(analyzer) {
  look_.setInterval(kLookMs);
  connect(&look_, &QTimer::timeout, this, &SimulatedRangeSwitch::Look);
  look_.start();
}

void SimulatedRangeSwitch::Look() {
  const QString shown = shownInstruction();
  if (shown.isEmpty()) return;
  for (const RangePrompt& prompt : kPrompts) {
    if (shown != host::LanguageService::instance()->Translate(host::kProduct,
                                                              QLatin1String(prompt.textKey)))
      continue;
    if (analyzer_.options().range == prompt.range) return;
    analyzer_.setRange(prompt.range);
    std::fprintf(stderr, "simulated analyzer: range switch turned to %s\n", prompt.name);
    std::fflush(stderr);
    return;
  }
}

}  // namespace hostapp
