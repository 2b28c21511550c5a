#include "XTestGuideSettings.h"

#include <QCheckBox>
#include <QVBoxLayout>

#include "com/ServerModule.h"
#include "records/TestGuideSettingsObject.h"
#include "runtime/ErrorHandling.h"
#include "services/LanguageService.h"

namespace orvanView {

namespace {

// The host's own texts are in the control library's section.
const QString kSection = QStringLiteral("orvanView");

struct BoxDesign {
  const char* name;
  const char* caption;
  rt::Long bit;
};

constexpr BoxDesign kBoxes[] = {
    {"chkSkip", "101::Skip", host::guidebutton::Skip},
    {"chkNotApplicable", "102::N/A", host::guidebutton::NotApplicable},
    {"chkPrevious", "103::Previous", host::guidebutton::Previous},
};

}  // namespace

XTestGuideSettings::XTestGuideSettings() {
  setObjectName(QStringLiteral("XTestGuideSettings"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  for (const BoxDesign& design : kBoxes) {
    auto* box = new QCheckBox(QLatin1String(design.caption), this);
    box->setObjectName(QLatin1String(design.name));
    layout->addWidget(box);
    boxes_.append({box, design.bit});
  }
  layout->addStretch(1);
  rt::ignoreErrors([&] { host::LanguageService::instance()->TranslateControls(kSection, this); });
  for (const Box& box : boxes_)
    connect(box.box, &QCheckBox::clicked, this, [this, box] { Clicked(box); });
  Show();
}

XTestGuideSettings::~XTestGuideSettings() = default;

void XTestGuideSettings::Bind(const host::TestGuideSettingsObjectPtr& settings) {
  settings_ = settings;
  Show();
}

void XTestGuideSettings::SetLocked(bool locked) {
  locked_ = locked;
  Show();
}

void XTestGuideSettings::Show() {
  const rt::Long mask = rt::orDefault([&] { return com::must(settings_).ButtonMask(); }, 0);
  for (const Box& box : boxes_) {
    box.box->setChecked((mask & box.bit) != 0);
    box.box->setEnabled(settings_ && !locked_);
  }
}

void XTestGuideSettings::Clicked(const Box& box) {
  // A failing settings object shows what it holds and tells nobody.
  const bool written = rt::ignoreErrors([&] {
    host::TestGuideSettingsObject& settings = com::must(settings_);
    const rt::Long mask = settings.ButtonMask();
    settings.SetButtonMask(box.box->isChecked() ? (mask | box.bit) : (mask & ~box.bit));
  });
  Show();
  if (written) RaiseEvent(host::editorevent::Changed);
}

RV1X_CREATABLE_CLASS("orvanView", XTestGuideSettings)

}  // namespace orvanView
