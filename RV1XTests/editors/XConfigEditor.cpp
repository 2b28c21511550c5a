#include "editors/XConfigEditor.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "com/CreateObject.h"
#include "editors/CaptionLabel.h"
#include "editors/TypedNumber.h"
#include "runtime/Conversions.h"
#include "services/ErrorService.h"
#include "services/LanguageService.h"
#include "settings/TextSelection.h"
#include "ui/Fonts.h"
#include "ui/MessageBoxes.h"
#include "ui/Twips.h"
#include "ui/WindowHandles.h"

namespace orvanRV1Xtst {

namespace {

class SelectAllOnFocusIn : public QObject {
 public:
  explicit SelectAllOnFocusIn(QLineEdit* box) : QObject(box) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FocusIn)
      rt::ignoreErrors([&] { MMiscUtils::SelectAllText(qobject_cast<QLineEdit*>(watched)); });
    return false;
  }
};

const QString kTestGuideSettings = QStringLiteral("orvanView.XTestGuideSettings");
const QString kHelpText = QStringLiteral("orvanView.XHelpText");
const QString kLibrary = QStringLiteral("orvanRV1Xtst");
}  // namespace

XConfigEditor::XConfigEditor(QString registeredName, double designWidth, double designHeight)
    : registeredName_(std::move(registeredName)) {
  setObjectName(registeredName_.section(u'.', 1));
  setFont(ui::defaultControlFont());
  resize(ui::toPixels(designWidth), ui::toPixels(designHeight));
}

XConfigEditor::~XConfigEditor() {
  // The host's controls leave before the widgets they sit on.
  testGuideSettings_.reset();
  helpText_.reset();
  xtgTestGuideConfig_.reset();
  xhtHelpText_.reset();
  controls_.clear();
}

void XConfigEditor::SetLocked(bool locked) {
  if (locked == Locked()) return;
  host::CustomControl::SetLocked(locked);
}

void XConfigEditor::LockedChanged(bool locked) {
  EnableInputs();
  LockTestGuideSettings(locked);
}

void XConfigEditor::resizeEvent(QResizeEvent* event) {
  host::CustomControl::resizeEvent(event);
  Handle([&] { Layout(); });
}

QGroupBox* XConfigEditor::AddFrame(const char* name, QWidget* parent, const QRectF& place) {
  return Add<QGroupBox>(name, parent, place);
}

QLabel* XConfigEditor::AddCaption(const char* name, const char* textKey, QWidget* parent,
                                  const QRectF& place) {
  auto* label = Add<CaptionLabel>(name, parent, place);
  label->setText(QString::fromUtf8(textKey));
  return label;
}

QLineEdit* XConfigEditor::AddTextBox(const char* name, const char* text, QWidget* parent,
                                     const QRectF& place) {
  auto* box = Add<QLineEdit>(name, parent, place);
  box->setText(QString::fromUtf8(text));
  return box;
}

ui::Controls& XConfigEditor::ControlsOf(QWidget* container) {
  for (const auto& controls : controls_)
    if (controls->Container() == container) return *controls;
  controls_.push_back(std::make_unique<ui::Controls>(container));
  return *controls_.back();
}

std::shared_ptr<ui::Extender> XConfigEditor::AddHostControl(const QString& progId,
                                                            const QString& name, QWidget* container,
                                                            const QRectF& place) {
  std::shared_ptr<ui::Extender> extender = ControlsOf(container).Add(progId, name);
  extender->Move(place.left(), place.top(), place.width(), place.height());
  return extender;
}

void XConfigEditor::AddTestGuideSettings(QWidget* frame, const QRectF& place) {
  rt::ignoreErrors([&] {
    xtgTestGuideConfig_ =
        AddHostControl(kTestGuideSettings, QStringLiteral("xtgTestGuideConfig"), frame, place);
    testGuideSettings_ =
        com::queryInterface<host::ITestGuideSettings>(xtgTestGuideConfig_->Object());
    connect(xtgTestGuideConfig_.get(), &ui::Extender::ObjectEvent, this,
            [this](const QString& name, const QVariantList&) {
              if (name == host::editorevent::Changed) Handle([&] { ReportChange(); });
            });
  });
}

void XConfigEditor::AddHelpText(const char* textKey, const QRectF& place) {
  helpDesignHeight_ = place.height();
  rt::ignoreErrors([&] {
    xhtHelpText_ = AddHostControl(kHelpText, QStringLiteral("xhtHelpText"), this, place);
    helpText_ = com::queryInterface<host::IHelpText>(xhtHelpText_->Object());
    com::must(helpText_).SetCaption(QString::fromUtf8(textKey));
  });
}

void XConfigEditor::TranslateCaptions() {
  rt::ignoreErrors(
      [&] { host::LanguageService::instance()->TranslateControls(host::kProduct, this); });
}

void XConfigEditor::BindTestGuideSettings(const host::TestGuideSettingsObjectPtr& settings) {
  rt::ignoreErrors([&] { com::must(testGuideSettings_).Bind(settings); });
}

void XConfigEditor::LockTestGuideSettings(bool locked) {
  rt::ignoreErrors([&] { com::must(testGuideSettings_).SetLocked(locked); });
}

void XConfigEditor::ReportChange() {
  if (!Initialising()) NotifyChange();
}

void XConfigEditor::Report(const rt::RuntimeError& error) {
  rt::ignoreErrors([&] { host::errors().ReportError(error, registeredName_); });
}

void XConfigEditor::Refuse(const char* textKey, const QVariant& first, const QVariant& second) {
  rt::ignoreErrors([&] {
    const QString text = host::translated(QString::fromUtf8(textKey), {first, second});
    ui::MessageBoxes::instance().show(text, ui::mb::OkOnly | ui::mb::Exclamation, kLibrary);
  });
}

void XConfigEditor::BindNumberBox(QLineEdit* box, NumberRule rule) {
  auto before = std::make_shared<std::optional<double>>();
  connect(box, &QLineEdit::textEdited, this, [this, rule, before](const QString& text) {
    Handle([&] {
      if (Locked() || Initialising()) return;
      if (!*before) *before = rule.stored();
      const std::optional<double> typed = typedNumber(text);
      if (!typed) return;
      const std::optional<double> value = rule.accept(*typed);
      if (value && rule.store(*value)) ReportChange();
    });
  });
  connect(box, &QLineEdit::editingFinished, this, [this, box, rule, before] {
    Handle([&] {
      const std::optional<double> kept = *before;
      before->reset();
      if (!kept || Locked() || Initialising()) return;
      const std::optional<double> typed = typedNumber(box->text());
      if (typed && rule.accept(*typed)) return;
      Refuse(rule.refusalKey, rule.low, rule.high);
      if (rule.store(*kept)) ReportChange();
      const InitialisingScope filling(*this);
      box->setText(rule.shown());
    });
  });
}

void XConfigEditor::SelectAllOnFocus(QLineEdit* box) {
  box->installEventFilter(new SelectAllOnFocusIn(box));
}

void XConfigEditor::Place(QWidget* widget, const QRectF& place) {
  Move(widget, place.left(), place.top(), place.width(), place.height());
}

void XConfigEditor::Move(QWidget* widget, double left, double top, double width, double height) {
  if (!widget) return;
  const int w = width < 0 ? widget->width() : ui::toPixels(width);
  const int h = height < 0 ? widget->height() : ui::toPixels(height);
  widget->setGeometry(ui::toPixels(left), ui::toPixels(top), std::max(0, w), std::max(0, h));
}

void XConfigEditor::PlaceWindow(QWidget* widget, double left, double top, double width,
                                double height) {
  const double x = ui::twipsPerPixelX();
  const double y = ui::twipsPerPixelY();
  ui::SetWindowPos(ui::handleOf(widget), rt::intDiv(left, x), rt::intDiv(top, y),
                   std::max<rt::Long>(0, rt::intDiv(width, x)),
                   std::max<rt::Long>(0, rt::intDiv(height, y)));
}

double XConfigEditor::Clamp(double value, double low, double high) {
  return std::min(std::max(value, low), high);
}

double XConfigEditor::HelpLineTop() const {
  return xhtHelpText_ ? xhtHelpText_->Top() : 0;
}

void XConfigEditor::ShrinkHelpLine(double height, double minimumShown) {
  if (!xhtHelpText_) return;
  // Never further down than the editor reaches.
  height = std::min<double>(height, ScaleHeight() - xhtHelpText_->Top());
  if (height >= 0) xhtHelpText_->SetHeight(height);
  xhtHelpText_->SetVisible(height > minimumShown);
}

void XConfigEditor::RestoreHelpLine() {
  if (!xhtHelpText_) return;
  xhtHelpText_->SetHeight(std::min<double>(helpDesignHeight_, ScaleHeight() - xhtHelpText_->Top()));
  xhtHelpText_->SetVisible(true);
}

double XConfigEditor::ArrangeHelpLine(double height) {
  rt::Single given = static_cast<rt::Single>(height);
  return rt::orDefault([&] { return double(com::must(helpText_).Arrange(given)); }, height);
}

}  // namespace orvanRV1Xtst
