// The dialog host form around registered test controls, docked into an
// offscreen window that stands for the host's.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFocusEvent>
#include <QLibrary>
#include <QPointer>

#include "TestSupport.h"
#include "com/Object.h"
#include "com/Registration.h"
#include "records/RunObjects.h"
#include "settings/FDialogWrapper.h"
#include "ui/Extender.h"
#include "ui/Twips.h"
#include "ui/WindowHandles.h"

namespace {

using orvanRV1Xtst::FDialogWrapper;

const QString kCustomControl = QStringLiteral("RV1XTest.CustomControl");
const QString kPlainControl = QStringLiteral("RV1XTest.PlainControl");

class DialogHost : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(
        testsupport::registerServer(testsupport::builtLibrary(QStringLiteral("rv1xtestcontrols"))));
    hostWindow_ = std::make_unique<QWidget>();
    hostWindow_->setObjectName(QStringLiteral("hostWindow"));
    hostWindow_->resize(800, 600);
    hostWindow_->show();
  }

  void TearDown() override {
    // The dialog gives its control back before the host window goes.
    if (dialog_) dialog_->Unload();
    extender_.reset();
    dialog_.reset();
    QApplication::closeAllWindows();
    hostWindow_.reset();
  }

  // A dialog hosting the control of that registered name.
  void host(const QString& progId) {
    dialog_ = std::make_shared<FDialogWrapper>();
    extender_ = dialog_->CreateSetupCtrl(progId);
    ASSERT_TRUE(extender_);
  }

  QWidget* control() const { return extender_->widget(); }
  int recorded(const char* name) const { return control()->property(name).toInt(); }
  ui::HWnd hostHandle() const { return ui::handleOf(hostWindow_.get()); }

  testsupport::TemporaryRegistry registry_;
  std::unique_ptr<QWidget> hostWindow_;
  std::shared_ptr<FDialogWrapper> dialog_;
  std::shared_ptr<ui::Extender> extender_;
};

// A server registered by a program that links another deliverable names its
// own library, not the one whose entry points the program saw first.
TEST_F(DialogHost, TestControlsAreRegisteredUnderTheirOwnLibrary) {
  const QString file = com::lookUpClass(kCustomControl).libraryFile;
  EXPECT_TRUE(file.endsWith(QStringLiteral("/librv1xtestcontrols.so"))) << qPrintable(file);
}

TEST_F(DialogHost, CreateSetupCtrlWithEmptyTextAddsNothing) {
  FDialogWrapper dialog;
  EXPECT_FALSE(dialog.CreateSetupCtrl(QString()));
  EXPECT_TRUE(dialog.findChildren<QWidget*>().isEmpty());
}

TEST_F(DialogHost, AddsTheControlAsIscInsideTheForm) {
  host(kCustomControl);
  EXPECT_EQ(extender_->Name(), QStringLiteral("isc"));
  EXPECT_EQ(control()->objectName(), QStringLiteral("isc"));
  EXPECT_EQ(control()->parentWidget(), dialog_.get());
  EXPECT_EQ(dialog_->CreateSetupCtrl(QString()), extender_) << "empty text answers what is held";
}

TEST_F(DialogHost, FailedCreationAnswersWhatWasHeldSoFar) {
  FDialogWrapper fresh;
  EXPECT_FALSE(fresh.CreateSetupCtrl(QStringLiteral("RV1XTest.NotRegistered")));
  EXPECT_TRUE(fresh.findChildren<QWidget*>().isEmpty());

  host(kCustomControl);
  EXPECT_EQ(dialog_->CreateSetupCtrl(QStringLiteral("RV1XTest.NotRegistered")), extender_);
  EXPECT_EQ(dialog_->CreateSetupCtrl(kPlainControl), extender_) << "the name isc is taken";
  dialog_->SetLocked(true);
  EXPECT_TRUE(dialog_->Locked()) << "the first control is still the hosted one";
}

TEST_F(DialogHost, PassesTheDialogCallsOnToTheHostedControl) {
  host(kCustomControl);
  auto edited = std::make_shared<host::DefaultCallBack>();  // any object will do
  dialog_->Initialize(com::toVariantOf(edited));
  EXPECT_EQ(recorded("initializeCount"), 1);
  EXPECT_EQ(com::toObject(control()->property("initializedWith")), edited);

  auto callBack = std::make_shared<host::DefaultCallBack>();
  dialog_->SetCallBack(callBack);
  EXPECT_EQ(dialog_->CallBack(), callBack);
  EXPECT_FALSE(dialog_->Locked());
  dialog_->SetLocked(true);
  EXPECT_TRUE(dialog_->Locked());

  dialog_->Refresh();
  EXPECT_EQ(recorded("refreshCount"), 1);
  dialog_->SetFocus();
  EXPECT_EQ(recorded("focusCount"), 1);
  QFocusEvent focusIn(QEvent::FocusIn);
  QApplication::sendEvent(dialog_.get(), &focusIn);
  EXPECT_EQ(recorded("focusCount"), 2) << "the form hands its own focus on";
}

TEST_F(DialogHost, BeforeADockShowDoesNothingAndHideAndMoveActOnTheForm) {
  host(kCustomControl);
  extender_->SetVisible(false);
  dialog_->Show(1);
  EXPECT_TRUE(dialog_->isHidden());
  EXPECT_FALSE(extender_->Visible());

  extender_->SetVisible(true);
  dialog_->show();
  dialog_->Hide();
  EXPECT_TRUE(dialog_->isHidden());
  EXPECT_TRUE(extender_->Visible()) << "the control stays as it was";

  const QRect controlPlace = control()->geometry();
  dialog_->Move(1500, 750, 6000, 4500);
  EXPECT_EQ(dialog_->geometry(), ui::toPixels(1500, 750, 6000, 4500));
  EXPECT_EQ(control()->geometry(), controlPlace);
}

TEST_F(DialogHost, DockWithHandleZeroChangesNothing) {
  host(kCustomControl);
  dialog_->Dock(0);
  EXPECT_FALSE(dialog_->IsDocked());
  EXPECT_EQ(control()->parentWidget(), dialog_.get());
}

TEST_F(DialogHost, DockedControlLivesInTheHostWindow) {
  host(kCustomControl);
  dialog_->Dock(hostHandle());
  EXPECT_TRUE(dialog_->IsDocked());
  EXPECT_EQ(control()->parentWidget(), hostWindow_.get());
  EXPECT_TRUE(control()->isVisible());

  const QRect formPlace = dialog_->geometry();
  dialog_->Move(300, 150, 4500, 3000);
  EXPECT_EQ(control()->geometry(), ui::toPixels(300, 150, 4500, 3000));
  EXPECT_EQ(dialog_->geometry(), formPlace);

  dialog_->Hide();
  EXPECT_FALSE(extender_->Visible());
  EXPECT_TRUE(control()->isHidden());
  dialog_->Show(0);
  EXPECT_TRUE(extender_->Visible());
  EXPECT_TRUE(control()->isVisible());
}

TEST_F(DialogHost, UnDockGivesTheControlBackAndStaysDocked) {
  host(kCustomControl);
  dialog_->Dock(hostHandle());
  dialog_->UnDock();
  EXPECT_EQ(control()->parentWidget(), dialog_.get());
  EXPECT_TRUE(hostWindow_->findChildren<QWidget*>().isEmpty());
  EXPECT_TRUE(dialog_->IsDocked());

  dialog_->show();
  dialog_->Hide();
  EXPECT_FALSE(dialog_->isHidden()) << "a dialog docked once hides its control, not itself";
  EXPECT_FALSE(extender_->Visible());
}

TEST_F(DialogHost, UnloadTakesTheControlOutOfTheHostWindowAndEndsIt) {
  host(kCustomControl);
  dialog_->Dock(hostHandle());
  QPointer<QWidget> hosted = control();
  dialog_->Unload();
  EXPECT_TRUE(hostWindow_->findChildren<QWidget*>().isEmpty());
  EXPECT_TRUE(dialog_->IsDocked());
  EXPECT_FALSE(dialog_->CallBack());
  extender_.reset();
  EXPECT_TRUE(hosted.isNull()) << "the control ends with the form";
}

TEST_F(DialogHost, ControlWithoutTheCustomControlInterfaceIsHostedButNotDriven) {
  host(kPlainControl);
  dialog_->SetCallBack(std::make_shared<host::DefaultCallBack>());
  EXPECT_FALSE(dialog_->CallBack());
  dialog_->SetLocked(true);
  EXPECT_FALSE(dialog_->Locked());
  dialog_->Initialize(QVariant(5));
  dialog_->Refresh();
  dialog_->SetFocus();

  dialog_->Dock(hostHandle());
  EXPECT_TRUE(dialog_->IsDocked());
  EXPECT_EQ(control()->parentWidget(), dialog_.get()) << "without its window handle nothing moves";
  dialog_->Hide();
  EXPECT_FALSE(extender_->Visible()) << "the extender still answers";
}

TEST_F(DialogHost, EveryMemberIsHarmlessWithoutAControl) {
  auto dialog = std::make_shared<FDialogWrapper>();
  host::IDialog& asHost = *dialog;
  EXPECT_FALSE(asHost.CallBack());
  EXPECT_FALSE(asHost.Locked());
  asHost.SetLocked(true);
  asHost.Initialize(QVariant());
  asHost.Refresh();
  asHost.SetFocus();
  asHost.Dock(hostHandle());
  EXPECT_TRUE(asHost.IsDocked());
  asHost.Show(1);
  asHost.Hide();
  asHost.Move(0, 0, 1500, 1500);
  asHost.UnDock();
  asHost.Unload();
  EXPECT_TRUE(hostWindow_->findChildren<QWidget*>().isEmpty());
}

TEST_F(DialogHost, TheTestLibraryAndThePlugInEachCarryTheirOwnForm) {
  const std::pair<const char*, const char*> copies[] = {
      {"orvanRV1Xtst", "_ZTVN12orvanRV1Xtst14FDialogWrapperE"},
      {"orvanRV1X", "_ZTVN9orvanRV1X14FDialogWrapperE"}};
  for (const auto& [library, formTable] : copies) {
    QLibrary file(testsupport::builtLibrary(QLatin1String(library)));
    ASSERT_TRUE(file.load()) << library << ": " << qPrintable(file.errorString());
    EXPECT_TRUE(file.resolve(formTable)) << library << " lacks its dialog host";
  }
}

}  // namespace
