// The shock-advisory step editor: the step list edited in place, its
// toolbar and its in-place drop-down.

#include <QHeaderView>
#include <QToolButton>

#include "EditorFixture.h"
#include "controls/ListBox.h"
#include "controls/ListView.h"
#include "controls/Toolbar.h"
#include "settings/CConfigShock.h"
#include "typelib/IEditorControls.h"

namespace {

using orvanRV1Xtst::CConfigShock;
using orvanRV1Xtst::CShockAdviceSetting;

enum Column { WaveColumn = 1, DurationColumn = 2, AdviceColumn = 3 };

class ShockEditor : public editortest::EditorTest {
 protected:
  // Three steps: Asystolic 30 s, CVF 30 s (a shock expected), Asystolic 60 s.
  void open() {
    config_->AddNew()->SetWaveFormIndex(1);
    config_->AddNew()->SetDuration(60);
    EditorTest::open(config_, 7215, 2835);
  }
  controls::ListView* list() const { return child<controls::ListView>("lvwConfig"); }
  controls::ListBox* choices() const { return child<controls::ListBox>("lstDropDown"); }
  QWidget* dropDown() const { return child("pboDropDown"); }
  QString field() const {
    auto* widget = child("xddDropDown");
    auto* field = dynamic_cast<host::IDropDown*>(widget);
    return field ? field->Text() : QString();
  }
  QStringList rows() const {
    QStringList lines;
    controls::ListView& view = *list();
    for (int row = 1; row <= view.ItemCount(); ++row)
      lines.append(view.ItemText(row) + u'|' + view.SubItemText(row, 1) + u'|' +
                   view.SubItemText(row, 2));
    return lines;
  }
  QStringList steps() const {
    QStringList lines;
    for (const auto& step : config_->NewEnum())
      lines.append(QStringLiteral("%1|%2|%3")
                       .arg(step->WaveFormIndex())
                       .arg(step->Duration())
                       .arg(step->Advice() ? 1 : 0));
    return lines;
  }
  // A click in the list at a row and a place in twips from a column's left.
  void clickCell(int row, int column, double fromLeft = 150) {
    controls::ListView& view = *list();
    const double x = view.ColumnLeft(column) + fromLeft;
    const double y = view.ItemTop(row) + view.ItemHeight(row) / 2;
    const QPoint at = view.viewport()->mapFrom(&view, QPoint(ui::toPixels(x), ui::toPixels(y)));
    click(view.viewport(), at);
  }
  void press(const char* button) {
    QToolButton* tool = child<controls::Toolbar>("tbrShock")->Button(QLatin1String(button));
    ASSERT_TRUE(tool) << button;
    click(tool);
  }

  std::shared_ptr<CConfigShock> config_ = std::make_shared<CConfigShock>();
};

TEST_F(ShockEditor, ShowsOneRowPerStepInTheirOrderNoneSelected) {
  open();
  controls::ListView& view = *list();
  ASSERT_EQ(view.ColumnCount(), 3);
  EXPECT_EQ(view.ColumnCaption(1), QStringLiteral("ECG wave"));
  EXPECT_EQ(view.ColumnCaption(2), QStringLiteral("Duration"));
  EXPECT_EQ(view.ColumnCaption(3), QStringLiteral("Advice"));
  EXPECT_EQ(rows(), (QStringList{"Asystolic|30|No", "CVF|30|Yes", "Asystolic|60|No"}));
  EXPECT_EQ(view.SelectedItem(), 0);
  EXPECT_FALSE(dropDown()->isVisible());
  EXPECT_EQ(changes(), 0);
  screenshot(QStringLiteral("shock-steps"));
}

TEST_F(ShockEditor, TheToolbarAddsMovesAndDeletesSteps) {
  open();
  press("pluss");
  EXPECT_EQ(rows().last(), QStringLiteral("Asystolic|30|No"));
  EXPECT_EQ(config_->Count(), 4);
  EXPECT_EQ(list()->SelectedItem(), 0) << "the new row is not selected";
  EXPECT_EQ(changes(), 1);

  press("del");
  EXPECT_EQ(config_->Count(), 4) << "nothing selected, nothing deleted";
  EXPECT_EQ(changes(), 1);

  list()->SetSelectedItem(2);
  press("up");
  EXPECT_EQ(steps(), (QStringList{"1|30|1", "0|30|0", "0|60|0", "0|30|0"}));
  EXPECT_EQ(rows().first(), QStringLiteral("CVF|30|Yes"));
  EXPECT_EQ(list()->SelectedItem(), 1) << "the moved step stays selected";
  press("up");
  EXPECT_EQ(changes(), 2) << "the first step goes no higher";
  press("down");
  press("down");
  EXPECT_EQ(steps(), (QStringList{"0|30|0", "0|60|0", "1|30|1", "0|30|0"}));
  EXPECT_EQ(changes(), 4);

  list()->SetSelectedItem(2);
  press("del");
  EXPECT_EQ(steps(), (QStringList{"0|30|0", "1|30|1", "0|30|0"}));
  EXPECT_EQ(rows(), (QStringList{"Asystolic|30|No", "CVF|30|Yes", "Asystolic|30|No"}));
  EXPECT_EQ(changes(), 5);
}

TEST_F(ShockEditor, AClickOnACellOpensItsChoicesOverIt) {
  open();
  clickCell(2, DurationColumn);
  ASSERT_TRUE(dropDown()->isVisible());
  EXPECT_TRUE(choices()->isVisible());
  EXPECT_TRUE(choices()->hasFocus());
  EXPECT_EQ(field(), QStringLiteral("30"));
  QStringList offered;
  for (int i = 0; i < choices()->ListCount(); ++i) offered.append(choices()->List(i));
  EXPECT_EQ(offered, (QStringList{"0", "3", "5", "10", "30", "60", "120"}));
  EXPECT_EQ(choices()->Text(), QStringLiteral("30"));
  // The box lies over the cell and the list 15 twips under it.
  const QRect box = dropDown()->geometry();
  const QRect cell(list()->viewport()->mapTo(
                       editor(), list()->visualItemRect(list()->topLevelItem(1)).topLeft()),
                   QSize(1, 1));
  EXPECT_NEAR(box.top(), cell.top(), 4);
  EXPECT_EQ(choices()->geometry().top(), box.bottom() + 1 + ui::toPixels(15));
  EXPECT_EQ(choices()->x(), box.x());
  EXPECT_EQ(choices()->width(), box.width());
  screenshot(QStringLiteral("shock-choices"));
}

TEST_F(ShockEditor, KeysInTheChoicesMoveCommitAndClose) {
  open();
  clickCell(2, DurationColumn);
  key(choices(), Qt::Key_Down);
  EXPECT_EQ(field(), QStringLiteral("60")) << "the field follows the choice";
  EXPECT_EQ(changes(), 0);
  key(choices(), Qt::Key_Return);
  EXPECT_FALSE(dropDown()->isVisible());
  EXPECT_EQ(list()->SubItemText(2, 1), QStringLiteral("60"));
  EXPECT_EQ(config_->Item(2)->Duration(), 60);
  EXPECT_EQ(changes(), 1);

  clickCell(2, DurationColumn);
  key(choices(), Qt::Key_Home);
  key(choices(), Qt::Key_Escape);
  EXPECT_FALSE(dropDown()->isVisible());
  EXPECT_EQ(config_->Item(2)->Duration(), 60) << "Escape takes nothing";
  clickCell(2, DurationColumn);
  key(choices(), Qt::Key_Space);
  EXPECT_EQ(changes(), 1) << "the value the cell has already";
}

TEST_F(ShockEditor, AWaveChosenSetsTheAdviceItExpects) {
  open();
  clickCell(1, WaveColumn);
  EXPECT_EQ(field(), QStringLiteral("Asystolic"));
  key(choices(), Qt::Key_Down);  // CVF
  key(choices(), Qt::Key_Return);
  EXPECT_EQ(rows().first(), QStringLiteral("CVF|30|Yes"));
  EXPECT_EQ(config_->Item(1)->WaveFormIndex(), 1);
  EXPECT_TRUE(config_->Item(1)->Advice());

  clickCell(1, AdviceColumn);
  key(choices(), Qt::Key_Down);  // No
  key(choices(), Qt::Key_Return);
  clickCell(1, WaveColumn);
  key(choices(), Qt::Key_End);  // NSR 90 keeps the advice as it is
  key(choices(), Qt::Key_Return);
  EXPECT_EQ(rows().first(), QStringLiteral("NSR 90|30|No"));
  EXPECT_EQ(steps().first(), QStringLiteral("7|30|0"));
  EXPECT_EQ(changes(), 3);
}

TEST_F(ShockEditor, AMouseChoiceCommits) {
  open();
  clickCell(3, AdviceColumn);
  EXPECT_EQ(choices()->Text(), QStringLiteral("No"));
  controls::ListBox& offered = *choices();
  click(offered.viewport(), offered.visualItemRect(offered.item(0)).center());
  EXPECT_FALSE(dropDown()->isVisible());
  EXPECT_TRUE(config_->Item(3)->Advice());
  EXPECT_EQ(rows().last(), QStringLiteral("Asystolic|60|Yes"));
  EXPECT_EQ(changes(), 1);
}

TEST_F(ShockEditor, TheBorderBetweenTwoColumnsBelongsToTheLeftOne) {
  open();
  clickCell(1, WaveColumn, list()->ColumnWidth(WaveColumn));
  EXPECT_EQ(field(), QStringLiteral("Asystolic"));
  EXPECT_EQ(choices()->ListCount(), 8);
}

TEST_F(ShockEditor, APressElsewhereClosesTheChoices) {
  open();
  clickCell(1, DurationColumn);
  ASSERT_TRUE(dropDown()->isVisible());
  list()->header()->setFocus();
  click(list()->header()->viewport(), QPoint(5, 5));
  EXPECT_FALSE(dropDown()->isVisible());
  clickCell(1, DurationColumn);
  ASSERT_TRUE(dropDown()->isVisible());
  QWidget* settings = child("xtgTestGuideConfig");
  settings->findChild<QWidget*>(QStringLiteral("chkSkip"))->setFocus(Qt::MouseFocusReason);
  EXPECT_FALSE(dropDown()->isVisible()) << "the focus left for another control";
  EXPECT_EQ(changes(), 0);
}

TEST_F(ShockEditor, WhenLockedNeitherTheListNorTheToolbarIsOffered) {
  open();
  clickCell(1, DurationColumn);
  control()->SetLocked(true);
  EXPECT_FALSE(dropDown()->isVisible());
  EXPECT_FALSE(list()->isEnabled());
  EXPECT_FALSE(child("tbrShock")->isEnabled());
  press("pluss");
  EXPECT_EQ(config_->Count(), 3);
  EXPECT_EQ(changes(), 0);
}

TEST_F(ShockEditor, ItsLayoutFollowsItsSize) {
  open();
  resize(5000, 1000);
  EXPECT_FALSE(child("xhtHelpText")->isVisibleTo(editor()));
  EXPECT_EQ(child("fraTestSetup")->geometry(), ui::toPixels(2175, 0, 5040, 1740));
  EXPECT_EQ(list()->geometry(), ui::toPixels(540, 360, 4380, 1260));
  EXPECT_NEAR(list()->ColumnWidth(WaveColumn), 4380 * 0.4225, 15);
  resize(14000, 3000);
  EXPECT_TRUE(child("xhtHelpText")->isVisibleTo(editor()));
  EXPECT_EQ(child("fraTestGuideSettings")->geometry(), ui::toPixels(0, 0, 2895, 1740));
  EXPECT_EQ(child("fraTestSetup")->geometry(), ui::toPixels(3015, 0, 9870, 1740));
  EXPECT_NEAR(list()->ColumnWidth(DurationColumn), (9870 - 660) * 0.2465, 15);
}

}  // namespace
