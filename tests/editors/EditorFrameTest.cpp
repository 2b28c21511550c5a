// What the seven editors share: each configuration's dialog hosts its editor
// with the host's guide settings and help pane; filling it sends nothing and
// rewrites nothing; Locked locks every input; a change of the guide settings
// is a "Change"; nothing shown is cut off, overlapped or left untranslated.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>

#include "EditorFixture.h"
#include "com/CreateObject.h"
#include "controls/DropDownList.h"
#include "dialogs/HostDialogWindow.h"
#include "editors/XConfigEditor.h"
#include "records/TestGuideSettingsObject.h"
#include "settings/CConfigAccuracy.h"
#include "settings/CConfigChargeTime.h"
#include "settings/CConfigDischarge.h"
#include "settings/CConfigPerformance.h"
#include "settings/CConfigRefractory.h"
#include "settings/CConfigSensitivity.h"
#include "settings/CConfigShock.h"

namespace {

using namespace orvanRV1Xtst;
using editortest::LanguageScope;
using editortest::LocaleScope;

// How Locked holds an input: disabled, or read-only and still enabled.
enum class Lock { Disabled, ReadOnly };

struct EditorCase {
  const char* editor;  // the class, also the hosted control's object name
  double width, height;
  std::function<std::shared_ptr<CConfigBase>()> make;
  // A configuration with settings an editor could get wrong when it fills in
  // its inputs.
  std::function<std::shared_ptr<CConfigBase>()> edited;
  std::vector<std::pair<const char*, Lock>> inputs;
};

void PrintTo(const EditorCase& c, std::ostream* out) {
  *out << c.editor;
}

template <class Config>
std::shared_ptr<CConfigBase> makeConfig() {
  return std::make_shared<Config>();
}

const EditorCase kEditors[] = {
    {"XChargeTimeTestOptions",
     5190,
     2520,
     makeConfig<CConfigChargeTime>,
     [] {
       auto c = std::make_shared<CConfigChargeTime>();
       c->SetPresetEnergy(12.6f);
       c->SetAutoPlayback(true);
       return c;
     },
     {{"txtEnergy", Lock::Disabled}, {"chkAutoPlayback", Lock::Disabled}}},
    {"XDischargeConfig",
     8055,
     2895,
     makeConfig<CConfigDischarge>,
     [] {
       auto c = std::make_shared<CConfigDischarge>();
       c->SetFetchWaveform(false);
       c->SetPrintWaveform(true);
       c->SetWaveFormIndex(0);
       c->SetAmplitudeIndex(4);
       c->SetAmplitudeText(QStringLiteral("2,0 mV"));
       return c;
     },
     {{"txtEnergy", Lock::Disabled},
      {"sldAmplitude", Lock::Disabled},
      {"cboECGWave", Lock::Disabled},
      {"chkAutoPlayback", Lock::Disabled},
      {"chkFetchWaveform", Lock::Disabled}}},
    {"XSensitivityConfig",
     5055,
     2520,
     makeConfig<CConfigSensitivity>,
     [] {
       auto c = std::make_shared<CConfigSensitivity>();
       c->SetLoadText(QStringLiteral("100 Ohm"));
       c->SetLoadIndex(2);
       c->SetTriggerWaveText(QStringLiteral("40 ms Tri."));
       c->SetTriggerIndex(7);
       return c;
     },
     {{"cboLoad", Lock::Disabled}, {"cboTrigger", Lock::Disabled}}},
    {"XRefractoryConfig",
     5055,
     2520,
     makeConfig<CConfigRefractory>,
     [] {
       auto c = std::make_shared<CConfigRefractory>();
       c->SetLoadText(QStringLiteral("300 Ohm"));
       c->SetLoadIndex(5);
       return c;
     },
     {{"cboLoad", Lock::Disabled}, {"cboRate", Lock::Disabled}}},
    {"XAccuracyConfig",
     8055,
     2520,
     makeConfig<CConfigAccuracy>,
     [] {
       // Stored by an earlier release: the noise text of another load.
       auto c = std::make_shared<CConfigAccuracy>();
       c->SetLoadText(QStringLiteral("100 Ohm"));
       c->SetLoadIndex(2);
       c->SetNoiseText(QStringLiteral("50 Hz 2 mV"));
       c->SetNoiseIndex(2);
       return c;
     },
     {{"cboLoad", Lock::Disabled},
      {"cboNoise", Lock::Disabled},
      {"cboRate", Lock::Disabled},
      {"cboAmplitude", Lock::Disabled}}},
    {"XPerformanceConfig",
     8520,
     3420,
     makeConfig<CConfigPerformance>,
     [] {
       auto c = std::make_shared<CConfigPerformance>();
       c->SetDuration(75);
       c->SetAmplitude(3);
       c->SetWavetype(201);
       return c;
     },
     {{"lstWave1", Lock::Disabled},
      {"cboWaveType", Lock::ReadOnly},
      {"sldAmpSlider", Lock::Disabled},
      {"sldTimeSlider", Lock::Disabled},
      {"chkIndefiniteDuration", Lock::Disabled},
      {"txtAmpSlider", Lock::ReadOnly},
      {"txtTimeSlider", Lock::ReadOnly}}},
    {"XShockConfig",
     7215,
     2835,
     makeConfig<CConfigShock>,
     [] {
       auto c = std::make_shared<CConfigShock>();
       c->AddNew()->SetWaveFormIndex(7);
       return c;
     },
     {{"lvwConfig", Lock::Disabled}, {"tbrShock", Lock::Disabled}}},
};

std::string editorName(const ::testing::TestParamInfo<EditorCase>& info) {
  return info.param.editor;
}

bool readOnly(QWidget* input) {
  if (auto* field = qobject_cast<QLineEdit*>(input)) return field->isReadOnly();
  if (auto* list = dynamic_cast<controls::DropDownList*>(input)) return list->Locked();
  return false;
}

class EditorFrame : public editortest::EditorTest,
                    public ::testing::WithParamInterface<EditorCase> {
 protected:
  void open(const std::shared_ptr<CConfigBase>& config) {
    EditorTest::open(config, GetParam().width, GetParam().height);
  }
  QCheckBox* guideBox(const char* name) const {
    QWidget* settings = child("xtgTestGuideConfig");
    return settings ? settings->findChild<QCheckBox*>(QLatin1String(name)) : nullptr;
  }
};

TEST_P(EditorFrame, TheDialogHostsTheEditorWithTheHostsControls) {
  open(GetParam().make());
  EXPECT_TRUE(dynamic_cast<XConfigEditor*>(editor()));
  EXPECT_EQ(dynamic_cast<XConfigEditor*>(editor())->registeredName(),
            QStringLiteral("RV1XTests.") + QLatin1String(GetParam().editor));
  EXPECT_TRUE(child("xtgTestGuideConfig"));
  EXPECT_TRUE(child("xhtHelpText"));
  EXPECT_EQ(changes(), 0) << "filling the inputs is no edit";
  EXPECT_TRUE(reported().isEmpty());
}

TEST_P(EditorFrame, NothingIsCutOffOverlappedOrUntranslated) {
  for (const char* language : {"en", "de"}) {
    SCOPED_TRACE(language);
    const LanguageScope scope{QLatin1String(language)};
    const LocaleScope locale{QLatin1String(language) == QLatin1String("de")
                                 ? LocaleScope::german()
                                 : LocaleScope::english()};
    open(GetParam().edited());
    expectNothingClippedOrOverlapping();
    screenshot(QLatin1String(GetParam().editor) + u'-' + QLatin1String(language));
    dialog_->Unload();
    dialog_.reset();
  }
}

TEST_P(EditorFrame, OpeningAgainRewritesNoStoredSetting) {
  const std::shared_ptr<CConfigBase> config = GetParam().edited();
  const QStringList before = editortest::storedForm(*config);
  open(config);
  control()->Initialize(com::toVariantOf(config));
  EXPECT_EQ(editortest::storedForm(*config), before);
  EXPECT_EQ(changes(), 0);
}

TEST_P(EditorFrame, OtherDataKeepsTheBoundConfiguration) {
  const std::shared_ptr<CConfigBase> config = GetParam().edited();
  open(config);
  const QStringList before = editortest::storedForm(*config);
  const rt::Long raised = testsupport::errorOf([&] { control()->Initialize(QVariant(42)); });
  // The performance editor hands the conversion failure to its caller.
  EXPECT_EQ(raised, GetParam().editor == std::string("XPerformanceConfig") ? 13 : 0);
  EXPECT_EQ(testsupport::errorOf([&] {
              control()->Initialize(com::toVariantOf(std::make_shared<host::TestFilter>()));
            }),
            raised);
  for (const auto& [name, lock] : GetParam().inputs)
    EXPECT_TRUE(child(name)->isEnabled()) << name << ": the configuration is still bound";
  EXPECT_EQ(editortest::storedForm(*config), before);
  EXPECT_EQ(changes(), 0);
}

TEST_P(EditorFrame, WithoutAConfigurationNothingCanBeEdited) {
  const com::ObjectPtr created =
      com::createObject(QStringLiteral("RV1XTests.") + QLatin1String(GetParam().editor));
  open(GetParam().make());
  const std::pair<const char*, QWidget*> editors[] = {
      {"new", dynamic_cast<XConfigEditor*>(created.get())}, {"bound before", editor()}};
  for (const auto& [which, unbound] : editors) {
    SCOPED_TRACE(which);
    ASSERT_TRUE(unbound);
    dynamic_cast<host::ICustomControl&>(*unbound).Initialize(com::toVariant(nullptr));
    for (const auto& [name, lock] : GetParam().inputs) {
      auto* input = unbound->findChild<QWidget*>(QLatin1String(name));
      ASSERT_TRUE(input) << name;
      EXPECT_FALSE(input->isEnabled()) << name;
    }
  }
}

TEST_P(EditorFrame, LockedLocksEveryInputAndTheGuideSettings) {
  open(GetParam().make());
  for (const bool locked : {true, true, false}) {
    control()->SetLocked(locked);
    EXPECT_EQ(control()->Locked(), locked);
    for (const auto& [name, lock] : GetParam().inputs) {
      QWidget* input = child(name);
      if (lock == Lock::Disabled) {
        EXPECT_EQ(input->isEnabled(), !locked) << name;
      } else {
        EXPECT_TRUE(input->isEnabled()) << name;
        EXPECT_EQ(readOnly(input), locked) << name;
      }
    }
    ASSERT_TRUE(guideBox("chkSkip"));
    EXPECT_EQ(guideBox("chkSkip")->isEnabled(), !locked);
  }
  EXPECT_EQ(changes(), 0);
}

TEST_P(EditorFrame, AChangedGuideSettingIsAChange) {
  const std::shared_ptr<CConfigBase> config = GetParam().make();
  open(config);
  ASSERT_TRUE(guideBox("chkPrevious"));
  tick(guideBox("chkPrevious"));
  EXPECT_EQ(config->TestGuideConfig()->ButtonMask(),
            host::guidebutton::Default & ~host::guidebutton::Previous);
  EXPECT_EQ(changes(), 1);
  EXPECT_EQ(callBack_->events(), QStringList{QStringLiteral("Change")});
}

// The host gives the dialog the editor's designed size (rv1x-host edit):
// there every frame shows whole, its right border too.
TEST_P(EditorFrame, AtItsDesignedSizeEveryFrameShowsWhole) {
  const std::shared_ptr<CConfigBase> config = GetParam().edited();
  host::HostDialogWindow window(config->CreateDialog(), QStringLiteral("Settings"),
                                host::HostDialogWindow::Buttons::OkCancel);
  window.show();
  QApplication::processEvents();
  auto* hosted = window.findChild<QWidget*>(QStringLiteral("isc"));
  ASSERT_TRUE(hosted);
  EXPECT_EQ(hosted->size(), QSize(ui::toPixels(GetParam().width), ui::toPixels(GetParam().height)));
  const QList<QGroupBox*> frames = hosted->findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly);
  EXPECT_FALSE(frames.isEmpty());
  for (const QGroupBox* frame : frames)
    EXPECT_TRUE(hosted->rect().contains(frame->geometry()))
        << qPrintable(frame->objectName()) << " ends at " << frame->geometry().right()
        << " in an editor " << hosted->width() << " wide";
}

INSTANTIATE_TEST_SUITE_P(EveryEditor, EditorFrame, ::testing::ValuesIn(kEditors), editorName);

}  // namespace
