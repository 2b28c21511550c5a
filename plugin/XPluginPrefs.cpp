#include "XPluginPrefs.h"

#include <QFrame>

#include "CRV1XSetup.h"
#include "PlugInErrors.h"
#include "com/ServerModule.h"
#include "controls/Label.h"
#include "controls/TabStrip.h"
#include "controls/UpDown.h"
#include "records/RunObjects.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "services/ErrorService.h"
#include "services/LanguageService.h"
#include "typelib/IEditorControls.h"
#include "ui/Extender.h"
#include "ui/Fonts.h"
#include "ui/Twips.h"

namespace orvanRV1X {

namespace {

const QString kSource = QStringLiteral("SelkamRV1X.XPluginPrefs");
const QString kHelpText = QStringLiteral("orvanView.XHelpText");

// The design, in twips.
constexpr double kWidth = 7230, kHeight = 4770;
const QRectF kPage(120, 120, 6945, 3975);
// Below the pages, their tabs hanging from the pages' lower edge.
const QRectF kTabStrip(120, 4095, 6945, 420);
const QRectF kTitle(0, 0, 6945, 285);
const QRectF kValueTitle(240, 360, 6500, 240);
const QRectF kValue(240, 600, 480, 285);
const QRectF kUpDown(720, 600, 255, 285);
const QRectF kUnit(1080, 630, 1000, 240);
const QRectF kHelp(0, 3000, 6855, 975);
constexpr int kPanelMargin = 3;  // pixels

void place(QWidget* widget, const QRectF& at) {
  widget->setGeometry(ui::toPixels(at.left(), at.top(), at.width(), at.height()));
}

template <class W>
W* add(QWidget* parent, const char* name, const QRectF& at, const char* caption = nullptr) {
  auto* widget = new W(parent);
  widget->setObjectName(QLatin1String(name));
  place(widget, at);
  if constexpr (std::is_base_of_v<QLabel, W>)
    if (caption) widget->setText(QString::fromUtf8(caption));
  return widget;
}

}  // namespace

// The two pages as designed: the General page with the high/low-range
// threshold, the Communications page with the time-out.
struct XPluginPrefs::PageDesign {
  const char* tab;
  const char* title;
  const char* valueTitleName;
  const char* valueTitle;
  const char* valueName;
  const char* designedValue;
  const char* upDownName;
  int min, max, increment;
  const char* unitName;
  const char* unit;
  const char* helpName;
  const char* help;
  const QString& registryName;
  void (CRV1XSetup::*store)(rt::Long);
  rt::Long (CRV1XSetup::*value)() const;
};

XPluginPrefs::XPluginPrefs() {
  static const PageDesign kPages[] = {
      {"20404::General", "20403::General preferences", "lblThresholdTitle",
       "20401::High/Low-range threshold", "lblThreshold", "", "updRangeThreshold", 10, 990, 10,
       "lblJoule", "J", "xhtHelpText",
       "20407::The Discharge Test allows the user to set a 'Preset Energy' setting. Use this "
       "control to determine at what preset energy value the plug-in should tell the user to "
       "switch between high-range and low range on the MTI.",
       setting::RangeThreshold, &CRV1XSetup::SetRangeThresholdValue,
       &CRV1XSetup::RangeThresholdValue},
      {"20405::Communications", "20402::Communication settings", "lblCommsTitle",
       "20400::Comms time-out threshold", "lblComms", "1000", "updCommTimeOut", 300, 3000, 100,
       "lblMs", "ms", "XHelpText1",
       "20406::Adjust the communication time-out threshold. The threshold set here will only be "
       "used when opening the communication, as a longer threshold is required during normal "
       "operation (e.g. when fetching the discharge waveform).",
       setting::CommTimeOut, &CRV1XSetup::SetCommTimeOutValue, &CRV1XSetup::CommTimeOutValue},
  };

  // UserControl_Initialize: the controls as designed, their captions
  // translated, and a callback of the page's own until the host sets one.
  loading_ = true;
  setObjectName(QStringLiteral("XPluginPrefs"));
  setFont(ui::defaultControlFont());
  resize(ui::toPixels(kWidth), ui::toPixels(kHeight));

  tbsTabStrip_ = add<controls::TabStrip>(this, "tbsTabStrip", kTabStrip);
  tbsTabStrip_->setShape(QTabBar::RoundedSouth);
  auto* panel = add<QFrame>(this, "tabPanel", kPage);
  panel->setGeometry(panel->geometry().adjusted(-kPanelMargin, -kPanelMargin, kPanelMargin, 0));
  panel->setFrameStyle(QFrame::StyledPanel | QFrame::Plain);
  for (int i = 0; i < static_cast<int>(std::size(kPages)); ++i) AddPage(i, kPages[i]);
  pboPictureBoxes_[1]->hide();

  host::LanguageService& language = com::must(host::LanguageService::instance());
  language.TranslateControls(host::kProduct, this);
  language.TranslateTabs(host::kProduct, tbsTabStrip_);
  SetCallBack(std::make_shared<host::DefaultCallBack>());
  connect(tbsTabStrip_, &controls::TabStrip::Click, this, [this] { TabClicked(); });
  loading_ = false;
}

XPluginPrefs::~XPluginPrefs() {
  for (auto& controls : hostControls_) controls.reset();
}

void XPluginPrefs::AddPage(int index, const PageDesign& design) {
  tbsTabStrip_->addTab(QString::fromUtf8(design.tab));
  const QByteArray name = QByteArray("pboPictureBoxes(") + QByteArray::number(index) + ')';
  QFrame* page = add<QFrame>(this, name.constData(), kPage);
  pboPictureBoxes_[index] = page;
  hostControls_[index] = std::make_unique<ui::Controls>(page);

  const QByteArray title = QByteArray("lblTitle(") + QByteArray::number(index) + ')';
  add<QLabel>(page, title.constData(), kTitle, design.title)
      ->setFont(ui::designFont(QStringLiteral("Arial"), 9.75, true, true));
  add<QLabel>(page, design.valueTitleName, kValueTitle, design.valueTitle);
  Setting& setting = settings_[index];
  setting = {add<controls::Label>(page, design.valueName, kValue, design.designedValue),
             add<controls::UpDown>(page, design.upDownName, kUpDown), design.registryName,
             design.store, design.value};
  setting.label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setting.label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  setting.upDown->SetRange(design.min, design.max);
  setting.upDown->SetIncrement(design.increment);
  setting.upDown->SetValue(design.min);
  setting.upDown->SetBuddy(setting.label);
  connect(setting.label, &controls::Label::Change, this,
          [this, &setting] { LabelChanged(setting); });
  add<QLabel>(page, design.unitName, kUnit, design.unit);
  AddHelpText(index, design.helpName, design.help);
}

void XPluginPrefs::AddHelpText(int page, const char* name, const char* textKey) {
  // Without the host's control library the page still edits its values.
  rt::ignoreErrors([&] {
    std::shared_ptr<ui::Extender> pane = hostControls_[page]->Add(kHelpText, QLatin1String(name));
    pane->Move(kHelp.left(), kHelp.top(), kHelp.width(), kHelp.height());
    com::must(com::queryInterface<host::IHelpText>(pane->Object()))
        .SetCaption(QString::fromUtf8(textKey));
  });
}

void XPluginPrefs::SetFocus() {
  tbsTabStrip_->setFocus();
}

void XPluginPrefs::Initialize(const QVariant& Data) {
  initialising_ = true;
  rt::ignoreErrors([&] {
    if (auto setup = std::dynamic_pointer_cast<CRV1XSetup>(com::toObject(Data))) setup_ = setup;
  });
  // What the registry holds now; showing it writes nothing back.
  rt::ignoreErrors([&] { com::must(setup_).ReadSettings(); });
  for (Setting& setting : settings_) rt::ignoreErrors([&] { ShowValue(setting); });
  initialising_ = false;
}

void XPluginPrefs::ShowValue(Setting& setting) {
  const rt::Long value = (com::must(setup_).*setting.value)();
  setting.label->SetCaption(QString::number(value));
  // The up-down steps on from the value shown.
  setting.upDown->SetValue(value);
}

void XPluginPrefs::LabelChanged(Setting& setting) {
  rt::onError(
      [&] {
        if (loading_ || !setup_) return;
        const rt::Long value = rt::toLong(rt::val(setting.label->Caption()));
        (setup_.get()->*setting.store)(value);
        if (!initialising_) setup_->SaveSetting(setting.registryName);
        NotifyChange();
      },
      [](const rt::RuntimeError& error) {
        rt::ignoreErrors([&] { host::errors().ReportError(error, kSource); });
      });
}

void XPluginPrefs::NotifyChange() {
  if (!initialising_) host::CustomControl::NotifyChange();
}

void XPluginPrefs::TabClicked() {
  rt::ignoreErrors([&] {
    const int index = tbsTabStrip_->SelectedIndex() - 1;
    if (index == currentPage_ || index < 0 || index >= static_cast<int>(pboPictureBoxes_.size()))
      return;
    pboPictureBoxes_[index]->show();
    pboPictureBoxes_[index]->raise();
    pboPictureBoxes_[currentPage_]->hide();
    currentPage_ = index;
  });
}

void XPluginPrefs::EnableControls(bool enabled) {
  for (Setting& setting : settings_) setting.upDown->setEnabled(enabled);
}

RV1X_CREATABLE_CLASS("orvanRV1X", XPluginPrefs)

}  // namespace orvanRV1X
