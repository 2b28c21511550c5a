// The configurations' dialogs: the dialog host with the class's editor,
// handed the configuration itself.

#include <QApplication>

#include "ConfigFixture.h"
#include "TestSupport.h"
#include "com/Registration.h"
#include "typelib/IDialog.h"

namespace {

using namespace orvanRV1Xtst;
using namespace settingstest;

class ConfigDialog : public ConfigTest, public ::testing::WithParamInterface<ConfigCase> {
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
  installEditor(QLatin1String(GetParam().editor));
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

INSTANTIATE_TEST_SUITE_P(EveryConfiguration, ConfigDialog, ::testing::ValuesIn(kConfigClasses),
                         configClassName);

}  // namespace
