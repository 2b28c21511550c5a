// The limit set's dialog: the host's limit view, created by its registered
// name, docked through the dialog host, showing the rows of the test and
// writing the operator's edits into the limit set's own limits.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QTabWidget>
#include <QTableWidget>

#include "LimitFixtures.h"
#include "TestSupport.h"
#include "com/CreateObject.h"
#include "limits/Limit.h"
#include "limits/Standard.h"
#include "limits/StandardsCollection.h"
#include "records/RunObjects.h"
#include "settings/CLimitData.h"
#include "typelib/ICustomControl.h"
#include "typelib/IDialog.h"
#include "typelib/ILimitView.h"
#include "ui/Twips.h"
#include "ui/WindowHandles.h"
#include "views/XLimitView.h"

namespace {

using orvanRV1Xtst::CLimitData;
using namespace limitfixtures;
using namespace orvanView;

class LimitView : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(
        testsupport::registerServer(testsupport::builtLibrary(QStringLiteral("orvanView"))));
    hostWindow_ = std::make_unique<QWidget>();
    hostWindow_->resize(640, 320);
    hostWindow_->show();
  }

  void TearDown() override {
    if (dialog_) dialog_->Unload();
    dialog_.reset();
    QApplication::closeAllWindows();
    hostWindow_.reset();
  }

  // The limit set's dialog, docked to fill the host window.
  void open(CLimitData& limits) {
    dialog_ = limits.CreateDialog();
    ASSERT_TRUE(dialog_);
    callBack_ = std::make_shared<host::DefaultCallBack>();
    dialog_->SetCallBack(callBack_);
    dialog_->Dock(ui::handleOf(hostWindow_.get()));
    dialog_->Move(0, 0, ui::toTwips(hostWindow_->width()), ui::toTwips(hostWindow_->height()));
    dialog_->Show(0);
    QApplication::processEvents();
  }

  QList<QTableWidget*> tables() const {
    return hostWindow_->findChildren<QTableWidget*>(QStringLiteral("grdLimits"));
  }
  QTabWidget* pages() const {
    return hostWindow_->findChild<QTabWidget*>(QStringLiteral("tabStandards"));
  }

  static QString cell(QTableWidget& table, int row, int column) {
    return table.item(row, column) ? table.item(row, column)->text() : QString();
  }

  testsupport::TemporaryRegistry registry_;
  std::unique_ptr<QWidget> hostWindow_;
  host::IDialogPtr dialog_;
  std::shared_ptr<host::DefaultCallBack> callBack_;
  std::shared_ptr<TestElement> discharge_ = std::make_shared<TestElement>(200);
};

TEST_F(LimitView, IsTheHostsCustomControlWithRows) {
  const com::ObjectPtr view = com::createObject(QStringLiteral("OrvanView.XLimitView"));
  EXPECT_TRUE(com::is<host::ICustomControl>(view));
  EXPECT_TRUE(com::is<host::ILimitView>(view));
}

TEST_F(LimitView, ShowsEachStandardWithTheRowsOfADischargeTest) {
  auto limits = limitSetOf(discharge_);
  const host::StandardPtr iec =
      limits->CreateStandard(QStringLiteral("IEC"), QStringLiteral("IEC 60601-2-4"));
  ASSERT_TRUE(iec);
  setBounds(*iec->FindLimit(QStringLiteral("ENGY")), 15, -15);
  ASSERT_TRUE(limits->CreateStandard(QStringLiteral("AAMI"), QStringLiteral("AAMI DF80")));
  ASSERT_NO_FATAL_FAILURE(open(*limits));

  ASSERT_TRUE(pages());
  ASSERT_EQ(pages()->count(), 2);
  EXPECT_EQ(pages()->tabText(0), QStringLiteral("IEC"));
  EXPECT_EQ(pages()->tabText(1), QStringLiteral("AAMI"));
  ASSERT_EQ(tables().size(), 2);
  QTableWidget& table = *pages()->widget(0)->findChild<QTableWidget*>();
  const QStringList captions{"Energy", "Delay", "Peak I", "Peak U"};
  const QStringList units{"J", "ms", "A", "V"};
  ASSERT_EQ(table.rowCount(), 4);
  for (int row = 0; row < 4; ++row) {
    EXPECT_EQ(cell(table, row, CaptionColumn), captions[row]);
    EXPECT_EQ(cell(table, row, UnitColumn), units[row]);
    EXPECT_EQ(table.cellWidget(row, OperatorColumn) != nullptr, row == 0)
        << "only the energy offers operators";
  }
  auto* energyOperator = qobject_cast<QComboBox*>(table.cellWidget(0, OperatorColumn));
  ASSERT_TRUE(energyOperator);
  EXPECT_EQ(energyOperator->count(), 3);
  EXPECT_EQ(energyOperator->currentText(), QStringLiteral("X+(X*Y%)"));
  EXPECT_EQ(cell(table, 0, HighColumn), QStringLiteral("15"));
  EXPECT_EQ(table.item(0, HighColumn)->checkState(), Qt::Checked);
  EXPECT_EQ(cell(table, 0, LowColumn), QStringLiteral("-15"));
  EXPECT_EQ(table.item(1, HighColumn)->checkState(), Qt::Unchecked);

  // A look at the view as the operator sees it.
  const QString dir =
      qEnvironmentVariable("RV1X_BUILD_DIR", QDir::tempPath()) + QStringLiteral("/test-output");
  QDir().mkpath(dir);
  const QString file = dir + QStringLiteral("/limit-view-discharge.png");
  EXPECT_TRUE(hostWindow_->grab().save(file)) << qPrintable(file);
  std::printf("limit view screenshot: %s\n", qPrintable(file));
}

TEST_F(LimitView, EditsGoIntoTheLimitSetsOwnLimits) {
  auto limits = limitSetOf(discharge_);
  const host::StandardPtr iec =
      limits->CreateStandard(QStringLiteral("IEC"), QStringLiteral("IEC"));
  ASSERT_TRUE(iec);
  ASSERT_NO_FATAL_FAILURE(open(*limits));
  ASSERT_EQ(tables().size(), 1);
  QTableWidget& table = *tables().first();
  host::Limit& delay = *iec->FindLimit(QStringLiteral("DELY"));

  table.item(1, HighColumn)->setText(QStringLiteral("60.5"));
  table.item(1, HighColumn)->setCheckState(Qt::Checked);
  EXPECT_EQ(delay.Value(host::limitindex::High), 60.5f);
  EXPECT_TRUE(delay.Enabled(host::limitindex::High));
  EXPECT_FALSE(delay.Enabled(host::limitindex::Low));

  table.item(1, LowColumn)->setText(QStringLiteral("ten"));
  EXPECT_EQ(delay.Value(host::limitindex::Low), 0.0f);
  EXPECT_EQ(cell(table, 1, LowColumn), QStringLiteral("0"))
      << "a text that is no number is not taken";

  qobject_cast<QComboBox*>(table.cellWidget(0, OperatorColumn))
      ->setCurrentText(QStringLiteral("X+Y"));
  EXPECT_EQ(iec->FindLimit(QStringLiteral("ENGY"))->Operator(0), QStringLiteral("X+Y"));
  EXPECT_EQ(callBack_->events(), QStringList(4, QStringLiteral("Change")));
}

TEST_F(LimitView, RowWhoseLimitTheStandardLacksGetsOneOnTheFirstEdit) {
  auto plugIn = std::make_shared<PlugIn>();
  auto stored = std::make_shared<host::Standard>();
  stored->Init(QStringLiteral("OWN"), QStringLiteral("Own limits"), 1);
  plugIn->store(200, stored);  // a stored standard without any limit
  orvanRV1Xtst::GGlobals().SetPlugInPointer(plugIn);
  auto limits = limitSetOf(discharge_);
  const host::StandardPtr own =
      limits->CreateStandard(QStringLiteral("OWN"), QStringLiteral("Own limits"));
  ASSERT_TRUE(own);
  ASSERT_TRUE(own->Limits().isEmpty());
  ASSERT_NO_FATAL_FAILURE(open(*limits));
  QTableWidget& table = *tables().first();
  EXPECT_EQ(table.rowCount(), 4);
  EXPECT_TRUE(cell(table, 3, HighColumn).isEmpty());

  table.item(3, HighColumn)->setCheckState(Qt::Checked);
  const host::LimitPtr made = own->FindLimit(QStringLiteral("PEKU"));
  ASSERT_TRUE(made);
  EXPECT_EQ(made->Unit(), QStringLiteral("V"));
  EXPECT_TRUE(made->Enabled(host::limitindex::High));
  EXPECT_EQ(own->Limits().size(), 1);
}

// "15 % or 3 J, whichever is greater": the page of such a limit shows and
// edits its absolute tolerances; a page without one keeps the plain columns.
TEST_F(LimitView, TheGreaterToleranceShowsAndEditsItsAbsoluteTerms) {
  auto limits = limitSetOf(discharge_);
  const host::StandardPtr iec =
      limits->CreateStandard(QStringLiteral("IEC 60601-2-4"), QStringLiteral("IEC 60601-2-4"));
  ASSERT_TRUE(limits->CreateStandard(QStringLiteral("AAMI"), QStringLiteral("AAMI DF80")));
  host::Limit& energy = *iec->FindLimit(QStringLiteral("ENGY"));
  energy.SetOperator(0, host::kGreaterToleranceOperator);
  setBounds(energy, 15, -15);
  energy.SetAbsolute(host::limitindex::High, 3);
  energy.SetAbsolute(host::limitindex::Low, -3);
  ASSERT_NO_FATAL_FAILURE(open(*limits));
  ASSERT_EQ(tables().size(), 2);
  QTableWidget& table = *pages()->widget(0)->findChild<QTableWidget*>();
  QTableWidget& plain = *pages()->widget(1)->findChild<QTableWidget*>();
  EXPECT_FALSE(table.isColumnHidden(HighAbsoluteColumn));
  EXPECT_TRUE(plain.isColumnHidden(LowAbsoluteColumn));
  EXPECT_TRUE(plain.isColumnHidden(HighAbsoluteColumn));
  EXPECT_EQ(cell(table, 0, HighAbsoluteColumn), QStringLiteral("3"));
  EXPECT_EQ(cell(table, 0, LowAbsoluteColumn), QStringLiteral("-3"));
  EXPECT_TRUE(table.item(0, HighAbsoluteColumn)->flags() & Qt::ItemIsEditable);
  EXPECT_FALSE(table.item(1, HighAbsoluteColumn)->flags() & Qt::ItemIsEditable)
      << "the delay's limit takes no absolute term";
  EXPECT_EQ(cell(table, 1, HighAbsoluteColumn), QString());
  testsupport::saveScreenshot(*hostWindow_, QStringLiteral("limit-view-greater-tolerance"));

  table.item(0, HighAbsoluteColumn)->setText(QStringLiteral("4.5"));
  table.item(0, LowAbsoluteColumn)->setText(QStringLiteral("four"));
  EXPECT_EQ(energy.Absolute(host::limitindex::High), 4.5f);
  EXPECT_EQ(energy.Absolute(host::limitindex::Low), -3.0f) << "a text that is no number";
  EXPECT_EQ(cell(table, 0, LowAbsoluteColumn), QStringLiteral("-3"));
  EXPECT_EQ(callBack_->events(), QStringList(2, QStringLiteral("Change")));

  // Another operator takes no absolute term: its cells empty and fixed.
  qobject_cast<QComboBox*>(table.cellWidget(0, OperatorColumn))
      ->setCurrentText(QStringLiteral("X+(X*Y%)"));
  EXPECT_EQ(cell(table, 0, HighAbsoluteColumn), QString());
  EXPECT_FALSE(table.item(0, HighAbsoluteColumn)->flags() & Qt::ItemIsEditable);
  EXPECT_TRUE(table.isColumnHidden(HighAbsoluteColumn));
}

TEST_F(LimitView, LockedViewTakesNoEdits) {
  auto limits = limitSetOf(discharge_);
  ASSERT_TRUE(limits->CreateStandard(QStringLiteral("IEC"), QStringLiteral("IEC")));
  ASSERT_NO_FATAL_FAILURE(open(*limits));
  dialog_->SetLocked(true);
  EXPECT_TRUE(dialog_->Locked());
  QTableWidget& table = *tables().first();
  EXPECT_FALSE(table.item(0, HighColumn)->flags() & Qt::ItemIsEditable);
  EXPECT_FALSE(table.item(0, HighColumn)->flags() & Qt::ItemIsUserCheckable);
  EXPECT_FALSE(table.cellWidget(0, OperatorColumn)->isEnabled());
}

TEST_F(LimitView, TestWithoutLimitsShowsNoRows) {
  for (rt::Long testID : {600, 700}) {
    auto test = std::make_shared<TestElement>(testID);
    auto limits = limitSetOf(test);
    ASSERT_TRUE(limits->CreateStandard(QStringLiteral("IEC"), QStringLiteral("IEC")));
    ASSERT_NO_FATAL_FAILURE(open(*limits));
    ASSERT_EQ(tables().size(), 1) << testID;
    EXPECT_EQ(tables().first()->rowCount(), 0) << testID;
    dialog_->Unload();
    dialog_.reset();
  }
}

TEST_F(LimitView, LimitSetWithoutStandardSaysSo) {
  auto limits = limitSetOf(discharge_);
  ASSERT_NO_FATAL_FAILURE(open(*limits));
  EXPECT_TRUE(tables().isEmpty());
  auto* note = hostWindow_->findChild<QWidget*>(QStringLiteral("lblNoStandard"));
  ASSERT_TRUE(note);
  EXPECT_TRUE(note->isVisible());
}

TEST_F(LimitView, LimitSetWithoutOwnerHasNoDialog) {
  EXPECT_FALSE(std::make_shared<CLimitData>()->CreateDialog());
}

}  // namespace
