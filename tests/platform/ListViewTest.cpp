// The list view in report view: keyed columns and rows, sub-items, their
// styles, selection, places in twips and the mouse events, driven by real
// mouse clicks.

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

#include "QtPrinters.h"
#include "TestSupport.h"
#include "controls/ListView.h"
#include "ui/Twips.h"

namespace {

using controls::ListAlignment;
using controls::ListView;
using testsupport::errorOf;

class ListViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    list.resize(400, 200);
    list.AddColumn(QStringLiteral("wav"), QStringLiteral("ECG wave"), 2250);
    list.AddColumn(QStringLiteral("dur"), QStringLiteral("Duration"), 1500, ListAlignment::Right);
    list.AddColumn(QString(), QStringLiteral("Advice"), 1200, ListAlignment::Center);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
  }

  int addRow(const QString& key, const QString& text, const QString& duration) {
    const int row = list.AddItem(key, text);
    list.AddSubItem(row, QStringLiteral("dur"), duration);
    list.AddSubItem(row, QStringLiteral("adv"), QStringLiteral("No"));
    return row;
  }

  // A point inside a cell, in the viewport's pixels.
  QPoint cellPoint(int row, int column) const {
    const int x = ui::toPixels(list.ColumnLeft(column)) - list.viewport()->x() + 5;
    const int y = ui::toPixels(list.ItemTop(row) + list.ItemHeight(row) / 2) - list.viewport()->y();
    return {x, y};
  }

  ListView list;
};

TEST_F(ListViewTest, ColumnsHaveKeysCaptionsWidthsAndAlignments) {
  EXPECT_EQ(list.ColumnCount(), 3);
  EXPECT_EQ(list.ColumnIndex(QStringLiteral("DUR")), 2);
  EXPECT_EQ(list.ColumnIndex(QString()), 0) << "an unkeyed column is found by index only";
  EXPECT_EQ(list.ColumnIndex(QStringLiteral("none")), 0);
  EXPECT_EQ(list.ColumnKey(1), QStringLiteral("wav"));
  EXPECT_EQ(list.ColumnCaption(3), QStringLiteral("Advice"));
  EXPECT_EQ(list.ColumnWidth(1), 2250);
  EXPECT_EQ(list.ColumnLeft(2) - list.ColumnLeft(1), 2250);
  EXPECT_EQ(list.ColumnLeft(3) - list.ColumnLeft(2), 1500);
  list.SetColumnWidth(1, 3000);
  EXPECT_EQ(list.ColumnLeft(2) - list.ColumnLeft(1), 3000);
  EXPECT_EQ(list.headerItem()->textAlignment(1) & Qt::AlignHorizontal_Mask, Qt::AlignRight);

  const int row = addRow(QStringLiteral("::1"), QStringLiteral("Asystolic"), QStringLiteral("30"));
  QTreeWidgetItem* cells = list.topLevelItem(row - 1);
  EXPECT_EQ(cells->textAlignment(0) & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
  EXPECT_EQ(cells->textAlignment(1) & Qt::AlignHorizontal_Mask, Qt::AlignRight);
  EXPECT_EQ(cells->textAlignment(2) & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);

  EXPECT_EQ(errorOf([&] { list.AddColumn(QStringLiteral("Wav"), QString(), 100); }), 35602);
  EXPECT_EQ(errorOf([&] { list.AddColumn(QStringLiteral("x"), QString(), -1); }), 380);
  EXPECT_EQ(errorOf([&] { list.ColumnLeft(4); }), 35600);
  EXPECT_EQ(errorOf([&] { list.SetColumnWidth(0, 100); }), 35600);
  EXPECT_EQ(list.ColumnCount(), 3);
}

TEST_F(ListViewTest, RowsHaveKeysTextsTagsAndSubItems) {
  const int first =
      addRow(QStringLiteral("::1"), QStringLiteral("Asystolic"), QStringLiteral("30"));
  const int second = addRow(QStringLiteral("::2"), QStringLiteral("CVF"), QStringLiteral("5"));
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 2);
  EXPECT_EQ(list.ItemCount(), 2);
  EXPECT_EQ(list.FindItem(QStringLiteral("::2")), 2);
  EXPECT_EQ(list.FindItem(QStringLiteral("::3")), 0);
  EXPECT_EQ(list.ItemKey(1), QStringLiteral("::1"));
  EXPECT_EQ(list.ItemText(2), QStringLiteral("CVF"));
  list.SetItemText(2, QStringLiteral("FVF"));
  EXPECT_EQ(list.topLevelItem(1)->text(0), QStringLiteral("FVF"));

  auto tag = std::make_shared<com::Object>();
  EXPECT_FALSE(list.ItemTag(1));
  list.SetItemTag(1, tag);
  EXPECT_EQ(list.ItemTag(1), tag);

  EXPECT_EQ(list.SubItemCount(1), 2);
  EXPECT_EQ(list.SubItemText(1, 1), QStringLiteral("30"));
  EXPECT_EQ(list.SubItemText(1, QStringLiteral("ADV")), QStringLiteral("No"));
  EXPECT_EQ(list.SubItemIndex(1, QStringLiteral("adv")), 2);
  list.SetSubItemText(1, QStringLiteral("dur"), QStringLiteral("60"));
  list.SetSubItemText(2, 2, QStringLiteral("Yes"));
  EXPECT_EQ(list.topLevelItem(0)->text(1), QStringLiteral("60"));
  EXPECT_EQ(list.topLevelItem(1)->text(2), QStringLiteral("Yes"));

  const int third = list.AddItem(QString(), QStringLiteral("no key"));
  list.SetSubItemText(third, 2, QStringLiteral("far"));
  EXPECT_EQ(list.SubItemCount(third), 2) << "the sub-items up to the index are made";
  EXPECT_EQ(list.SubItemText(third, 1), QString());

  struct Failure {
    const char* what;
    std::function<void()> call;
    rt::Long number;
  };
  const Failure failures[] = {
      {"a key in use", [&] { list.AddItem(QStringLiteral("::1"), QString()); }, 35602},
      {"a sub-item key in use", [&] { list.AddSubItem(1, QStringLiteral("Dur"), QString()); },
       35602},
      {"no such sub-item key", [&] { list.SubItemText(1, QStringLiteral("val")); }, 35601},
      {"an empty sub-item key", [&] { list.SubItemText(1, QString()); }, 35601},
      {"row 0", [&] { list.ItemText(0); }, 35600},
      {"a row past the last", [&] { list.SetItemBold(4, true); }, 35600},
      {"a sub-item past the last", [&] { list.SubItemText(1, 3); }, 35600},
  };
  for (const Failure& failure : failures)
    EXPECT_EQ(errorOf(failure.call), failure.number) << failure.what;

  list.RemoveItem(1);
  EXPECT_EQ(list.FindItem(QStringLiteral("::2")), 1);
  list.ClearItems();
  EXPECT_EQ(list.ItemCount(), 0);
  EXPECT_EQ(list.ColumnCount(), 3) << "the columns stay";
}

TEST_F(ListViewTest, RowsAndSubItemsHaveTheirOwnBoldColourAndToolTip) {
  const int row = addRow(QStringLiteral("ENGY"), QStringLiteral("Energy"), QStringLiteral("12"));
  EXPECT_FALSE(list.ItemBold(row));
  EXPECT_EQ(list.ItemForeColor(row), ui::syscolor::WindowText);
  list.SetItemBold(row, true);
  list.SetItemForeColor(row, ui::rgb(255, 0, 0));
  list.SetSubItemBold(row, 2, true);
  list.SetSubItemForeColor(row, 2, ui::syscolor::Highlight);
  list.SetSubItemToolTip(row, QStringLiteral("dur"), QStringLiteral("IEC 60601-2-4"));

  const QTreeWidgetItem* cells = list.topLevelItem(0);
  EXPECT_TRUE(cells->font(0).bold());
  EXPECT_FALSE(list.SubItemBold(row, 1)) << "each cell keeps its own";
  EXPECT_TRUE(list.SubItemBold(row, 2));
  EXPECT_EQ(cells->foreground(0).color(), QColor(255, 0, 0));
  EXPECT_EQ(list.SubItemForeColor(row, 1), ui::syscolor::WindowText);
  EXPECT_EQ(list.SubItemForeColor(row, 2), ui::syscolor::Highlight)
      << "a system colour reads back as set";
  EXPECT_EQ(list.SubItemToolTip(row, QStringLiteral("dur")), QStringLiteral("IEC 60601-2-4"));
  EXPECT_EQ(cells->toolTip(1), QStringLiteral("IEC 60601-2-4"));
}

TEST_F(ListViewTest, SelectionAndRowPlaces) {
  addRow(QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("1"));
  addRow(QStringLiteral("b"), QStringLiteral("B"), QStringLiteral("2"));
  EXPECT_EQ(list.SelectedItem(), 0);
  list.SetSelectedItem(2);
  EXPECT_EQ(list.SelectedItem(), 2);
  list.SetSelectedItem(0);
  EXPECT_EQ(list.SelectedItem(), 0);
  EXPECT_TRUE(list.selectedItems().isEmpty());

  EXPECT_GT(list.ItemHeight(1), 0);
  EXPECT_EQ(list.ItemTop(2) - list.ItemTop(1), list.ItemHeight(1));
  EXPECT_GE(list.ItemTop(1), ui::toTwips(list.header()->height()))
      << "rows are measured from the list's top edge, below the header";
}

TEST_F(ListViewTest, MouseEventsComeInTheOrderAnEditorReliesOn) {
  addRow(QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("1"));
  addRow(QStringLiteral("b"), QStringLiteral("B"), QStringLiteral("2"));
  QStringList events;
  rt::Single downX = -1;
  rt::Single downY = -1;
  QObject::connect(&list, &ListView::MouseDown,
                   [&](rt::Integer button, rt::Integer shift, rt::Single x, rt::Single y) {
                     events << QStringLiteral("MouseDown %1 %2").arg(button).arg(shift);
                     downX = x;
                     downY = y;
                   });
  QObject::connect(&list, &ListView::ItemClick, [&](int row) {
    events << QStringLiteral("ItemClick %1 selected %2").arg(row).arg(list.SelectedItem());
  });
  QObject::connect(&list, &ListView::Click, [&] { events << QStringLiteral("Click"); });
  QObject::connect(&list, &ListView::ColumnClick,
                   [&](int column) { events << QStringLiteral("ColumnClick %1").arg(column); });

  const QPoint durationOfSecond = cellPoint(2, 2);
  QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::ShiftModifier, durationOfSecond);
  EXPECT_EQ(events, (QStringList{"MouseDown 1 1", "ItemClick 2 selected 2", "Click"}));
  EXPECT_GE(downX, list.ColumnLeft(2));
  EXPECT_LE(downX, list.ColumnLeft(2) + list.ColumnWidth(2));
  EXPECT_GE(downY, list.ItemTop(2));
  EXPECT_LE(downY, list.ItemTop(2) + list.ItemHeight(2));

  events.clear();
  QTest::mouseClick(list.viewport(), Qt::RightButton, {}, cellPoint(1, 1));
  EXPECT_EQ(events, QStringList{"MouseDown 2 0"});

  events.clear();
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(10, list.viewport()->height() - 5));
  EXPECT_EQ(events, (QStringList{"MouseDown 1 0", "Click"})) << "empty space is no item";

  events.clear();
  QHeaderView* header = list.header();
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                    QPoint(header->sectionViewportPosition(2) + 5, header->height() / 2));
  EXPECT_EQ(events, QStringList{"ColumnClick 3"});

  events.clear();
  list.setEnabled(false);
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, durationOfSecond);
  EXPECT_TRUE(events.isEmpty()) << "a disabled list takes no clicks";
}

}  // namespace
