// The platform controls of the configuration editors: the simple and the
// drop-down-list combo boxes, the slider, the check-box list, the list box
// with item values, the toolbar with its image lists and the key codes.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QToolButton>

#include "QtPrinters.h"
#include "TestSupport.h"
#include "controls/CheckListBox.h"
#include "controls/DropDownList.h"
#include "controls/ImageList.h"
#include "controls/KeyCodes.h"
#include "controls/ListBox.h"
#include "controls/SimpleComboBox.h"
#include "controls/Slider.h"
#include "controls/Toolbar.h"
#include "ui/Twips.h"

namespace {

// The signals a control sent, in order, by name.
class Trace {
 public:
  template <class Control, class... Signals>
  Trace(Control* control, std::pair<const char*, Signals>... watched) {
    (QObject::connect(control, watched.second, control,
                      [this, name = watched.first](auto&&...) { names_.append(name); }),
     ...);
  }
  QStringList take() { return std::exchange(names_, {}); }

 private:
  QStringList names_;
};

class EditorControls : public ::testing::Test {
 protected:
  void SetUp() override {
    window_.resize(400, 300);
    window_.show();
    QApplication::setActiveWindow(&window_);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
  }
  QWidget window_;
};

TEST_F(EditorControls, ASimpleComboBoxSelectsTheEntryItsTextNames) {
  auto* box = new controls::SimpleComboBox(&window_);
  box->setGeometry(0, 0, 120, 90);
  box->show();
  for (const char* entry : {"50 Ohm", "100 Ohm", "150 Ohm"}) box->AddItem(QLatin1String(entry));
  Trace trace(box, std::pair{"Change", &controls::SimpleComboBox::Change},
              std::pair{"Click", &controls::SimpleComboBox::Click});
  EXPECT_EQ(box->ListIndex(), -1);

  box->SetText(QStringLiteral("100 ohm"));
  EXPECT_EQ(box->ListIndex(), 1) << "letter case aside";
  box->field()->setFocus();
  QTest::keyClick(box->field(), Qt::Key_Backspace);
  EXPECT_EQ(box->ListIndex(), -1);
  EXPECT_EQ(trace.take(), (QStringList{"Change", "Change"}));

  QTest::keyClick(box->field(), Qt::Key_Down);
  EXPECT_EQ(box->ListIndex(), 0);
  EXPECT_EQ(box->Text(), QStringLiteral("50 Ohm"));
  box->SetListIndex(2);
  EXPECT_EQ(box->Text(), QStringLiteral("150 Ohm"));
  QListWidget& list = *box->list();
  QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier,
                    list.visualItemRect(list.item(1)).center());
  EXPECT_EQ(box->ListIndex(), 1);
  EXPECT_EQ(trace.take(), (QStringList{"Click", "Click", "Click"})) << "a pick is no Change";

  box->SetListIndex(-1);
  EXPECT_EQ(box->ListIndex(), -1);
  EXPECT_EQ(box->Text(), QStringLiteral("100 Ohm"));
  EXPECT_EQ(box->List(3), QString());
}

TEST_F(EditorControls, ASimpleComboBoxLosesTheFocusOnlyAsAWhole) {
  auto* box = new controls::SimpleComboBox(&window_);
  auto* other = new QLineEdit(&window_);
  box->AddItem(QStringLiteral("40 ppm"));
  box->show();
  other->show();
  int lost = 0;
  QObject::connect(box, &controls::SimpleComboBox::LostFocus, [&] { ++lost; });
  box->field()->setFocus();
  box->list()->setFocus();
  EXPECT_EQ(lost, 0);
  other->setFocus();
  EXPECT_EQ(lost, 1);
}

TEST_F(EditorControls, ALockedDropDownListRefusesTheOperatorOnly) {
  auto* list = new controls::DropDownList(&window_);
  for (const char* entry : {"Normal Sinus Rythm", "Arrhythmia", "Performance"})
    list->AddItem(QLatin1String(entry));
  list->show();
  Trace trace(list, std::pair{"Click", &controls::DropDownList::Click});
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(list->ListIndex(), 1);
  list->SetLocked(true);
  QTest::keyClick(list, Qt::Key_Down);
  QTest::mouseClick(list, Qt::LeftButton);
  EXPECT_EQ(list->ListIndex(), 1);
  EXPECT_TRUE(list->isEnabled());
  list->SetListIndex(2);
  list->SetListIndex(2);
  EXPECT_EQ(list->Text(), QStringLiteral("Performance"));
  EXPECT_EQ(trace.take(), (QStringList{"Click", "Click"}));
  EXPECT_EQ(testsupport::errorOf([&] { list->SetListIndex(3); }), 380);
}

TEST_F(EditorControls, ASliderTellsTheOperatorsMovesApartFromTheProgramsSettings) {
  auto* slider = new controls::Slider(&window_);
  slider->SetRange(1, 4);
  slider->setGeometry(0, 0, 200, 30);
  slider->show();
  Trace trace(slider, std::pair{"Scroll", &controls::Slider::Scroll},
              std::pair{"Click", &controls::Slider::Click});
  slider->SetValue(2);
  slider->SetValue(9);
  EXPECT_EQ(slider->Value(), 4);
  EXPECT_TRUE(trace.take().isEmpty()) << "the program's settings tell nothing";

  slider->setFocus();
  QTest::keyClick(slider, Qt::Key_Left);
  EXPECT_EQ(trace.take(), (QStringList{"Scroll", "Click"}));
  QTest::keyClick(slider, Qt::Key_End);
  QTest::keyClick(slider, Qt::Key_End);
  EXPECT_EQ(trace.take(), (QStringList{"Scroll", "Click"})) << "a key that moves nothing";
  QTest::mouseClick(slider, Qt::LeftButton, Qt::NoModifier, QPoint(5, 15));
  EXPECT_EQ(trace.take().last(), QStringLiteral("Click"));
  slider->setEnabled(false);
  QTest::mouseClick(slider, Qt::LeftButton, Qt::NoModifier, QPoint(195, 15));
  EXPECT_TRUE(trace.take().isEmpty());
}

TEST_F(EditorControls, ACheckListBoxTellsEveryChangeOfACheckMark) {
  auto* list = new controls::CheckListBox(&window_);
  list->setGeometry(0, 0, 150, 60);
  for (int i = 0; i < 12; ++i) list->AddItem(QStringLiteral("Wave %1").arg(i));
  list->show();
  QList<int> checks;
  QObject::connect(list, &controls::CheckListBox::ItemCheck,
                   [&](int item) { checks.append(item); });
  list->SetChecked(3, true);
  list->SetChecked(3, true);
  list->item(3)->setText(QStringLiteral("renamed"));
  const QRect row = list->visualItemRect(list->item(0));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                    QPoint(row.left() + row.height() / 2, row.center().y()));
  EXPECT_EQ(checks, (QList<int>{3, 0}));
  EXPECT_TRUE(list->Checked(0));
  EXPECT_EQ(list->ListIndex(), 0);
  list->SetListIndex(-1);
  EXPECT_EQ(list->ListIndex(), -1);
  list->SetTopIndex(8);
  EXPECT_EQ(list->TopIndex(), 8);
  EXPECT_FALSE(list->Checked(40));
  EXPECT_EQ(testsupport::errorOf([&] { list->SetChecked(40, true); }), 381);
}

TEST_F(EditorControls, AListBoxKeepsItemValuesAndTellsKeysBeforeItMoves) {
  auto* list = new controls::ListBox(&window_);
  list->setGeometry(10, 10, 120, 120);
  for (const auto& [text, value] :
       {std::pair{"Yes", -1}, std::pair{"No", 0}, std::pair{"Maybe", 7}})
    list->AddItem(QLatin1String(text), value);
  list->show();
  QStringList seen;
  QObject::connect(list, &controls::ListBox::KeyDown, [&](rt::Integer code, rt::Integer shift) {
    seen.append(QStringLiteral("KeyDown %1 %2 at %3").arg(code).arg(shift).arg(list->ListIndex()));
  });
  QObject::connect(list, &controls::ListBox::MouseDown,
                   [&](rt::Integer button, rt::Integer, double x, double y) {
                     seen.append(QStringLiteral("MouseDown %1 %2 %3").arg(button).arg(x).arg(y));
                   });
  QObject::connect(list, &controls::ListBox::Click,
                   [&] { seen.append(QStringLiteral("Click at %1").arg(list->ListIndex())); });
  EXPECT_EQ(list->ItemData(0), -1);
  EXPECT_EQ(list->ItemData(2), 7);
  EXPECT_EQ(list->ItemData(5), 0);
  list->SetListIndex(0);
  list->SetListIndex(0);
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Down);
  const QPoint third = list->visualItemRect(list->item(2)).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, third);
  EXPECT_EQ(list->Text(), QStringLiteral("Maybe"));
  const QPoint inList = list->viewport()->mapTo(list->viewport(), third);
  EXPECT_EQ(seen, (QStringList{"Click at 0", "KeyDown 40 0 at 0", "Click at 1",
                               QStringLiteral("MouseDown 1 %1 %2")
                                   .arg(inList.x() * ui::twipsPerPixelX())
                                   .arg(inList.y() * ui::twipsPerPixelY()),
                               "Click at 2"}));
}

TEST_F(EditorControls, AListBoxValidatesBeforeTheFocusLeaves) {
  auto* list = new controls::ListBox(&window_);
  auto* other = new QLineEdit(&window_);
  list->show();
  other->show();
  bool refuse = true;
  int validations = 0;
  QObject::connect(list, &controls::ListBox::Validate, [&](bool& cancel) {
    ++validations;
    cancel = refuse;
  });
  list->setFocus();
  other->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(validations, 1);
  EXPECT_TRUE(list->hasFocus()) << "a refusal keeps the focus in the list";
  refuse = false;
  other->setFocus();
  QApplication::processEvents();
  EXPECT_TRUE(other->hasFocus());
  EXPECT_EQ(validations, 2);
}

TEST_F(EditorControls, AToolbarTakesItsButtonsImagesFromItsThreeLists) {
  const auto filled = [](QColor colour) {
    auto list = std::make_shared<controls::ImageList>(QSize(20, 20));
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(QColor(0xC0, 0xC0, 0xC0));
    image.setPixelColor(10, 10, colour);
    list->Add(QStringLiteral("Pluss"), image);
    return list;
  };
  const auto normal = filled(Qt::green);
  EXPECT_EQ(normal->Picture(QStringLiteral("pluss")).toImage().pixelColor(0, 0).alpha(), 0)
      << "silver is transparent";
  EXPECT_EQ(normal->Picture(1).toImage().pixelColor(10, 10), QColor(Qt::green));
  EXPECT_TRUE(normal->Picture(2).isNull());
  EXPECT_TRUE(normal->Picture(QStringLiteral("del")).isNull());

  auto* toolbar = new controls::Toolbar(Qt::Vertical, &window_);
  toolbar->SetImageList(normal);
  toolbar->SetDisabledImageList(filled(Qt::gray));
  toolbar->SetHotImageList(filled(Qt::yellow));
  toolbar->AddButton(QStringLiteral("pluss"), QStringLiteral("Add"), QStringLiteral("Pluss"));
  toolbar->AddButton(QStringLiteral("del"), QStringLiteral("Delete"), QStringLiteral("del"));
  toolbar->AddButtonMenu(QStringLiteral("del"), QStringLiteral("all"), QStringLiteral("All"));
  toolbar->show();
  QToolButton* add = toolbar->Button(QStringLiteral("PLUSS"));
  ASSERT_TRUE(add);
  EXPECT_EQ(add->toolTip(), QStringLiteral("Add"));
  EXPECT_EQ(add->size(), QSize(22, 22));
  const QIcon icon = add->icon();
  EXPECT_EQ(icon.pixmap(20, 20, QIcon::Disabled).toImage().pixelColor(10, 10), QColor(Qt::gray));
  EXPECT_EQ(icon.pixmap(20, 20, QIcon::Active).toImage().pixelColor(10, 10), QColor(Qt::yellow));
  EXPECT_EQ(add->y() + add->height(), toolbar->Button(QStringLiteral("del"))->y())
      << "one above the other";

  QStringList clicked;
  QObject::connect(toolbar, &controls::Toolbar::ButtonClick,
                   [&](const QString& key) { clicked.append(key); });
  QObject::connect(toolbar, &controls::Toolbar::ButtonMenuClick,
                   [&](const QString& key) { clicked.append(QStringLiteral("menu ") + key); });
  QTest::mouseClick(add, Qt::LeftButton);
  toolbar->Button(QStringLiteral("del"))->menu()->actions().first()->trigger();
  toolbar->SetButtonEnabled(QStringLiteral("pluss"), false);
  QTest::mouseClick(add, Qt::LeftButton);
  EXPECT_EQ(clicked, (QStringList{"pluss", "menu all"}));
}

TEST(KeyCodes, AreThePlatformsVirtualKeys) {
  const struct {
    Qt::Key key;
    rt::Integer code;
  } cases[] = {{Qt::Key_Up, 38},       {Qt::Key_Down, 40},  {Qt::Key_PageUp, 33},
               {Qt::Key_PageDown, 34}, {Qt::Key_Home, 36},  {Qt::Key_End, 35},
               {Qt::Key_Return, 13},   {Qt::Key_Enter, 13}, {Qt::Key_Space, 32},
               {Qt::Key_Escape, 27},   {Qt::Key_A, 65},     {Qt::Key_7, 55},
               {Qt::Key_F4, 115},      {Qt::Key_Shift, 16}, {Qt::Key_Dead_Acute, 0}};
  for (const auto& c : cases) {
    const QKeyEvent event(QEvent::KeyPress, c.key, Qt::NoModifier);
    EXPECT_EQ(controls::keyCodeOf(event), c.code) << c.key;
  }
}

TEST(Twips, TheScreenHasAFactorForEachDirection) {
  EXPECT_DOUBLE_EQ(ui::twipsPerPixelX(), 15.0);
  EXPECT_DOUBLE_EQ(ui::twipsPerPixelY(), 15.0);
  EXPECT_DOUBLE_EQ(ui::twipsPerPixel(), ui::twipsPerPixelX());
}

}  // namespace
