// The configurations' dialogs: the dialog host with the class's editor,
// handed the configuration itself.

#include <QApplication>

#include "ConfigFixture.h"
#include "TestSupport.h"
#include "com/Registration.h"
#include "settings/CConfigAccuracy.h"
#include "settings/CConfigChargeTime.h"
#include "settings/CConfigDischarge.h"
#include "settings/CConfigPerformance.h"
#include "settings/CConfigRefractory.h"
#include "settings/CConfigSensitivity.h"
#include "settings/CConfigShock.h"
#include "typelib/IDialog.h"

namespace {

using namespace orvanRV1Xtst;
using namespace settingstest;

struct Editor {
  const char* progId;
  std::function<std::shared_ptr<CConfigBase>()> make;
};

const Editor kEditors[] = {
    {"RV1XTests.XSensitivityConfig", [] { return std::make_shared<CConfigSensitivity>(); }},
    {"RV1XTests.XChargeTimeTestOptions", [] { return std::make_shared<CConfigChargeTime>(); }},
    {"RV1XTests.XRefractoryConfig", [] { return std::make_shared<CConfigRefractory>(); }},
    {"RV1XTests.XAccuracyConfig", [] { return std::make_shared<CConfigAccuracy>(); }},
    {"RV1XTests.XDischargeConfig", [] { return std::make_shared<CConfigDischarge>(); }},
    {"RV1XTests.XPerformanceConfig", [] { return std::make_shared<CConfigPerformance>(); }},
    {"RV1XTests.XShockConfig", [] { return std::make_shared<CConfigShock>(); }},
};

class ConfigDialog : public ConfigTest, public ::testing::WithParamInterface<Editor> {
 protected:
  void TearDown() override {
    if (dialog_) dialog_->Unload();
    dialog_.reset();
    QApplication::closeAllWindows();
    ConfigTest::TearDown();
  }

  // Installs the recording test control under the editor's registered name.
  void installEditor(const QString& progId) {
    const QString library = testsupport::builtLibrary(QStringLiteral("rv1xtestcontrols"));
    ASSERT_TRUE(testsupport::registerServer(library));
    const com::RegisteredClass control = com::lookUpClass(QStringLiteral("RV1XTest.CustomControl"));
    com::writeClassRegistration({QStringLiteral("CTestCustomControl"), progId, control.clsid, true},
                                control.libraryFile);
  }

  testsupport::TemporaryRegistry registry_;
  host::IDialogPtr dialog_;
};

TEST_P(ConfigDialog, WithoutItsEditorTheDialogHostsNoControl) {
  auto config = GetParam().make();
  dialog_ = config->CreateDialog();
  ASSERT_TRUE(dialog_) << "the dialog comes back although its editor is not installed";
  EXPECT_FALSE(dialog_->CallBack());
  EXPECT_FALSE(dialog_->Locked());
  EXPECT_FALSE(dialog_->IsDocked());
  dialog_->SetLocked(true);
  dialog_->Show(1);
  dialog_->Refresh();
  dialog_->SetFocus();
  EXPECT_FALSE(dialog_->Locked());
  auto form = std::dynamic_pointer_cast<QWidget>(dialog_);
  ASSERT_TRUE(form);
  EXPECT_TRUE(form->findChildren<QWidget*>().isEmpty());
  EXPECT_TRUE(errors().entries().isEmpty()) << "nothing is reported";
}

TEST_P(ConfigDialog, TheEditorIsHandedTheConfigurationItself) {
  installEditor(QLatin1String(GetParam().progId));
  auto config = GetParam().make();
  dialog_ = config->CreateDialog();
  ASSERT_TRUE(dialog_);
  auto form = std::dynamic_pointer_cast<QWidget>(dialog_);
  ASSERT_TRUE(form);
  QWidget* editor = form->findChild<QWidget*>(QStringLiteral("isc"));
  ASSERT_TRUE(editor) << "the editor is hosted as isc";
  EXPECT_EQ(editor->property("initializeCount").toInt(), 1);
  EXPECT_EQ(com::toObject(editor->property("initializedWith")), com::ObjectPtr(config));
  EXPECT_TRUE(errors().entries().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    EveryEditor, ConfigDialog, ::testing::ValuesIn(kEditors), [](const auto& info) {
      return QString::fromLatin1(info.param.progId).section(u'.', 1).toStdString();
    });

}  // namespace
