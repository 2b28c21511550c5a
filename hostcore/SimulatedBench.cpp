#include "SimulatedBench.h"

#include <QEvent>
#include <QLabel>
#include <QMap>

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
const QString kRate = QStringLiteral("Rate");
const QString kAmplitude = QStringLiteral("Amplitude");

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

// The settings the guide's test stores, each child of its stored
// configuration by name with its text; none without a bound test.
QMap<QString, QString> storedSettings(ui::Form& guide) {
  auto* toolbar =
      dynamic_cast<host::ITgToolbar*>(guide.findChild<QWidget*>(QStringLiteral("xtbToolbar")));
  if (!toolbar) return {};
  return rt::orDefault(
      [&] {
        QMap<QString, QString> settings;
        const host::ITestElementPtr test = toolbar->BoundTest();
        if (!test || !test->Configuration()) return settings;
        const auto document = std::make_shared<host::XmlDocument>();
        const host::XmlElementPtr stored = test->Configuration()->Save(document);
        if (!stored) return settings;
        const host::XmlNodeListPtr children = stored->ChildNodes();
        for (rt::Long i = 0; i < children->Length(); ++i)
          settings.insert(children->Item(i)->TagName(), children->Item(i)->Text());
        return settings;
      },
      QMap<QString, QString>());
}

}  // namespace

SimulatedBench::SimulatedBench(rv1xsim::Simulator& analyzer, RunListener* told)
    : analyzer_(analyzer), told_(told) {
  observer_ = ui::Form::addModalObserver([this](ui::Form& guide) {
    SetOutputs(guide);
    WatchPopup(guide);
  });
  look_.SetInterval(kLookMs);
  connect(&look_, &ui::Timer::Tick, this, &SimulatedBench::TurnRange);
}

SimulatedBench::~SimulatedBench() {
  ui::Form::removeModalObserver(observer_);
}

void SimulatedBench::SetOutputs(ui::Form& guide) {
  const QMap<QString, QString> settings = storedSettings(guide);
  rv1xsim::Measurements values = analyzer_.options().values;
  QStringList told;
  if (settings.contains(kPresetEnergy)) {
    values.energy = rt::val(settings.value(kPresetEnergy));
    told << QStringLiteral("simulated defibrillator: set to %1 J").arg(values.energy);
  }
  // A pacer test names the pacer's rate and, in mA, its output amplitude
  // (an amplitude in mV is the analyzer's own ECG output).
  const int rate = static_cast<int>(rt::val(settings.value(kRate)));
  const QString amplitude = settings.value(kAmplitude).trimmed();
  if (rate > 0) {
    values.rate = rate;
    if (amplitude.endsWith(QStringLiteral("mA"))) values.amplitude = rt::val(amplitude);
    told << QStringLiteral("simulated pacer: set to %1 ppm, %2 mA")
                .arg(values.rate)
                .arg(values.amplitude);
  }
  if (told.isEmpty()) return;
  analyzer_.setMeasurements(values);
  for (const QString& line : told) Tell(line);
}

// A prompt shows on the guide's pop-up: the bench looks at it while it is
// shown, and at once as it shows.
void SimulatedBench::WatchPopup(ui::Form& guide) {
  QWidget* popup = guide.findChild<QWidget*>(QStringLiteral("xtiPopup"));
  if (!popup) return;
  popup->installEventFilter(this);
  if (popup->isVisible()) look_.SetEnabled(true);
}

bool SimulatedBench::eventFilter(QObject*, QEvent* event) {
  if (event->type() == QEvent::Show) {
    look_.SetEnabled(true);
    TurnRange();
  } else if (event->type() == QEvent::Hide) {
    look_.SetEnabled(false);
  }
  return false;
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
    Tell(QStringLiteral("simulated analyzer: range switch turned to %1")
             .arg(QLatin1String(prompt.name)));
    return;
  }
}

void SimulatedBench::Tell(const QString& what) const {
  if (told_) told_->BenchSet(what);
}

}  // namespace hostapp
