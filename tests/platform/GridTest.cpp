// The grid of the verdict tables: header row and data rows, items with keys,
// cell texts and pictures, the two colour layers, what a row shows, and
// clicks as real mouse events.

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QTest>

#include "QtPrinters.h"
#include "TestSupport.h"
#include "controls/Grid.h"
#include "ui/Twips.h"

namespace {

using controls::Grid;
using controls::GridColor;
using testsupport::errorOf;

QImage square(QColor colour) {
  QImage picture(12, 12, QImage::Format_RGB32);
  picture.fill(colour);
  return picture;
}

class GridTest : public ::testing::Test {
 protected:
  void SetUp() override {
    grid.resize(420, 160);
    grid.SetCols(3);
    grid.SetRowHeight(300);
    grid.SetColWidth(1, 2250);
    grid.SetColWidth(2, 1200);
    grid.SetColFormat(2, controls::gridformat::Centered);
    grid.SetCellText(0, 1, QStringLiteral("Description"));
    grid.SetCellText(0, 2, QStringLiteral("Shock"));
    for (const char* key : {"::1", "::2"}) {
      grid.AddItem(QStringLiteral("wave %1").arg(key));
      grid.SetItemKey(Grid::kNewItem, QLatin1String(key));
    }
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
  }

  QPoint cellCentre(int row, int column) const {
    return grid.visualRect(grid.model()->index(row - 1, column - 1)).center();
  }

  QColor shownAt(const QPoint& viewportPoint) {
    return grid.viewport()->grab().toImage().pixelColor(viewportPoint);
  }

  Grid grid;
};

TEST_F(GridTest, HeaderRowItemsKeysAndCells) {
  EXPECT_EQ(grid.Rows(), 3) << "the header row counts";
  EXPECT_EQ(grid.Cols(), 3);
  EXPECT_EQ(grid.NewIndex(), 1);
  EXPECT_EQ(grid.ItemKey(0), QStringLiteral("::1"));
  EXPECT_EQ(grid.ItemKey(Grid::kNewItem), QStringLiteral("::2"));
  EXPECT_EQ(grid.CellText(0, 2), QStringLiteral("Shock"));
  EXPECT_EQ(grid.horizontalHeaderItem(1)->text(), QStringLiteral("Shock"));
  EXPECT_EQ(grid.CellText(2, 1), QStringLiteral("wave ::2")) << "an item's text is in column 1";
  EXPECT_EQ(grid.CellText(2, 3), QString());
  EXPECT_EQ(grid.ColWidth(1), 2250);
  EXPECT_EQ(grid.rowHeight(0), 20);
  EXPECT_EQ(grid.horizontalHeader()->height(), 20);

  grid.SetCellPicture(1, 2, square(Qt::green));
  EXPECT_EQ(grid.CellPicture(1, 2).pixelColor(0, 0), QColor(Qt::green));
  EXPECT_TRUE(grid.CellPicture(2, 2).isNull());

  grid.SetRowBold(2, true);
  grid.Clear();
  EXPECT_EQ(grid.Rows(), 1);
  EXPECT_EQ(grid.NewIndex(), -1);
  EXPECT_EQ(grid.CellText(0, 1), QStringLiteral("Description")) << "the header stays";
  grid.AddItem(QStringLiteral("again"));
  grid.AddItem(QStringLiteral("and again"));
  EXPECT_TRUE(grid.RowBold(2)) << "a row format belongs to the grid's row, not to the item";
  EXPECT_EQ(grid.ItemKey(1), QString());
}

TEST_F(GridTest, AddressesOutsideTheGridFail) {
  const std::vector<std::function<void()>> calls{
      [&] { grid.ItemKey(2); },
      [&] { grid.SetItemKey(-1, QString()); },
      [&] { grid.SetCellText(3, 1, QString()); },
      [&] { grid.SetCellPicture(1, 4, QImage()); },
      [&] { grid.SetCellText(1, 0, QString()); },
      [&] { grid.SetRowColor(3, GridColor::BackColor, 0); },
      [&] { grid.SetRowBold(0, true); },
      [&] { grid.SetColWidth(4, 100); },
  };
  for (const auto& call : calls) EXPECT_EQ(errorOf(call), controls::griderr::InvalidIndex);
  EXPECT_EQ(errorOf([&] { grid.SetColWidth(1, -1); }), 380);
  grid.Clear();
  EXPECT_EQ(errorOf([&] { grid.SetItemKey(Grid::kNewItem, QString()); }),
            controls::griderr::InvalidIndex)
      << "no item was added since the grid was cleared";
}

TEST_F(GridTest, ARowShowsItsFormatThenItsItemThenTheGrid) {
  EXPECT_EQ(grid.ShownColor(1, GridColor::BackColor), ui::syscolor::Window);
  EXPECT_EQ(grid.ShownColor(1, GridColor::ForeColor), ui::syscolor::WindowText);
  EXPECT_EQ(grid.ShownColor(1, GridColor::BackColorSel), ui::syscolor::Highlight);

  grid.SetItemColor(0, GridColor::ForeColor, ui::rgb(255, 0, 0));
  EXPECT_EQ(grid.ItemColor(0, GridColor::ForeColor), ui::rgb(255, 0, 0));
  EXPECT_EQ(grid.ShownColor(1, GridColor::ForeColor), ui::rgb(255, 0, 0));
  grid.SetRowColor(1, GridColor::ForeColor, ui::rgb(0, 0, 0));
  EXPECT_EQ(grid.ShownColor(1, GridColor::ForeColor), ui::rgb(0, 0, 0));
  EXPECT_EQ(grid.ShownColor(2, GridColor::ForeColor), ui::syscolor::WindowText);

  grid.SetRowColor(2, GridColor::BackColor, ui::rgb(0, 0, 255));
  grid.SetCellPicture(1, 2, square(Qt::green));
  const QRect firstCell = grid.visualRect(grid.model()->index(1, 0));
  EXPECT_EQ(shownAt(firstCell.topLeft() + QPoint(1, 1)), QColor(0, 0, 255));
  EXPECT_EQ(shownAt(cellCentre(1, 2)), QColor(Qt::green)) << "a centred picture";
  EXPECT_EQ(shownAt(cellCentre(2, 2)), QColor(0, 0, 255));

  grid.selectRow(1);
  grid.SetRowColor(2, GridColor::BackColorSel, ui::rgb(0, 0, 255));
  EXPECT_EQ(shownAt(cellCentre(2, 2)), QColor(0, 0, 255))
      << "a selected row shows its selected colours";
}

TEST_F(GridTest, WithoutRowSelectionAClickLeavesTheRowsColours) {
  grid.SetRowColor(1, GridColor::BackColor, ui::rgb(0, 0, 255));
  grid.SetRowSelection(false);
  QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cellCentre(1, 1));
  EXPECT_TRUE(grid.selectedItems().isEmpty());
  EXPECT_EQ(shownAt(cellCentre(1, 3)), QColor(0, 0, 255));
}

TEST_F(GridTest, AColumnIsNeverNarrowerThanItsHeader) {
  grid.SetColWidth(1, 150);
  const int headerText =
      grid.horizontalHeader()->fontMetrics().horizontalAdvance(QStringLiteral("Description"));
  EXPECT_GT(ui::toPixels(grid.ColWidth(1)), headerText);
  grid.SetColWidth(1, 3000);
  EXPECT_EQ(grid.ColWidth(1), 3000) << "a header that fits leaves the width as set";
}

TEST_F(GridTest, AClickNamesItsCellAndButton) {
  std::vector<std::array<int, 3>> clicks;
  QObject::connect(&grid, &Grid::Click, [&](int row, int column, rt::Integer button) {
    clicks.push_back({row, column, button});
  });
  QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cellCentre(2, 2));
  QTest::mouseClick(grid.viewport(), Qt::RightButton, {}, cellCentre(1, 3));
  QHeaderView* header = grid.horizontalHeader();
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                    QPoint(header->sectionViewportPosition(1) + 5, header->height() / 2));
  QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, QPoint(5, grid.viewport()->height() - 3));
  QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, cellCentre(1, 1));
  QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, cellCentre(2, 1));
  EXPECT_EQ(clicks, (std::vector<std::array<int, 3>>{{2, 2, 1}, {1, 3, 2}, {0, 2, 1}}))
      << "empty space and a drag from one cell to another are no clicks";
}

}  // namespace
