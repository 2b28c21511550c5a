// The workbench at the keyboard alone: Tab from the table to every button,
// Enter or F2 on a row opens its settings and Enter in the dialog presses
// OK, Delete asks, and every button has its own Alt key in both languages.

#include <QLabel>
#include <QSet>

#include "LanguageScope.h"
#include "WorkbenchFixture.h"

namespace workbenchtest {
namespace {

// The window active, with the keyboard's focus in the sequence table.
void focusTable(WorkbenchWindow& window) {
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  window.Table().setFocus(Qt::TabFocusReason);
  ASSERT_TRUE(window.Table().hasFocus());
}

void key(int which, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QWidget* focused = QApplication::focusWidget();
  ASSERT_TRUE(focused);
  QTest::keyClick(focused, static_cast<Qt::Key>(which), modifiers);
}

TEST_F(WorkbenchTest, TabLeavesTheTableAndReachesEveryButton) {
  std::unique_ptr<WorkbenchWindow> window = openWindow();
  window->NewSequence();
  // A row in the middle: Remove, Move up and Move down are enabled.
  window->Table().setCurrentIndex(window->Model().index(2, SequenceModel::TestColumn));
  focusTable(*window);
  QSet<QString> waiting;
  for (QPushButton* each : window->findChildren<QPushButton*>())
    if (each->isEnabled() && each->isVisible()) waiting.insert(each->objectName());
  ASSERT_GE(waiting.size(), 12);
  bool backInTheTable = false;
  for (int press = 0; press < 40 && !backInTheTable; ++press) {
    key(Qt::Key_Tab);
    QWidget* focused = QApplication::focusWidget();
    ASSERT_TRUE(focused);
    waiting.remove(focused->objectName());
    backInTheTable = focused == &window->Table();
  }
  EXPECT_TRUE(waiting.isEmpty()) << qPrintable(QStringList(waiting.values()).join(u' '));
  EXPECT_TRUE(backInTheTable) << "Tab goes round the window";
  EXPECT_EQ(window->Table().currentIndex().row(), 2) << "Tab did not walk the cells";
  key(Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_NE(QApplication::focusWidget(), &window->Table()) << "Shift+Tab leaves it too";
}

TEST_F(WorkbenchTest, EnterOnARowOpensItsSettingsAndEnterInTheDialogPressesOK) {
  std::unique_ptr<WorkbenchWindow> window = openWindow();
  window->NewSequence();
  selectRows(*window, {0});
  window->Table().setCurrentIndex(window->Model().index(0, SequenceModel::TestColumn));
  focusTable(*window);
  bool stillOpen = true;
  inSettingsDialog([&](host::HostDialogWindow& dialog) {
    QLineEdit* energy = dialog.findChild<QLineEdit*>(QStringLiteral("txtEnergy"));
    typeInto(energy, QStringLiteral("200"));
    QTest::keyClick(energy, Qt::Key_Return);
    stillOpen = dialog.isVisible();
    if (stillOpen) press(dialog, QDialogButtonBox::Cancel);
  });
  key(Qt::Key_Return);
  EXPECT_FALSE(stillOpen) << "Enter in the field pressed OK";
  EXPECT_EQ(window->Model().index(0, SequenceModel::SettingsColumn).data().toString(),
            QStringLiteral("200 J"));
  EXPECT_TRUE(window->Modified());

  // F2 opens it too; Escape puts the settings back.
  focusTable(*window);
  bool opened = false;
  inSettingsDialog([&](host::HostDialogWindow& dialog) {
    opened = true;
    QLineEdit* energy = dialog.findChild<QLineEdit*>(QStringLiteral("txtEnergy"));
    typeInto(energy, QStringLiteral("150"));
    QTest::keyClick(energy, Qt::Key_Escape);
  });
  key(Qt::Key_F2);
  EXPECT_TRUE(opened);
  EXPECT_EQ(window->Model().index(0, SequenceModel::SettingsColumn).data().toString(),
            QStringLiteral("200 J"));

  // Enter that a list of the editor takes as its own leaves the dialog open.
  bool stayed = false;
  inSettingsDialog([&](host::HostDialogWindow& dialog) {
    auto* steps = dialog.findChild<QWidget*>(QStringLiteral("lvwConfig"));
    ASSERT_TRUE(steps);
    steps->setFocus(Qt::TabFocusReason);
    QTest::keyClick(steps, Qt::Key_Return);
    stayed = dialog.isVisible();
    testsupport::saveScreenshot(dialog, QStringLiteral("workbench-settings"));
    press(dialog, QDialogButtonBox::Cancel);
  });
  window->EditRow(6);
  EXPECT_TRUE(stayed);

  // On the standard's column Enter hands the keyboard to its list.
  window->Table().setCurrentIndex(window->Model().index(2, SequenceModel::StandardColumn));
  focusTable(*window);
  key(Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("standardBox2"));
}

TEST_F(WorkbenchTest, DeleteAsksBeforeItRemovesTheTest) {
  std::unique_ptr<WorkbenchWindow> window = openWindow();
  window->NewSequence();
  selectRows(*window, {1});
  focusTable(*window);
  ui::MessageBoxes& boxes = ui::MessageBoxes::instance();
  boxes.queueAnswers({ui::mb::No});
  key(Qt::Key_Delete);
  ASSERT_EQ(boxes.shown().size(), 1);
  EXPECT_EQ(boxes.shown().first().caption, QStringLiteral("RV-1X workbench"));
  EXPECT_EQ(boxes.shown().first().text, QStringLiteral("Remove Discharge test from the sequence?"));
  EXPECT_EQ(window->Model().rowCount(), 7);

  boxes.queueAnswers({ui::mb::Yes});
  key(Qt::Key_Delete);
  EXPECT_EQ(window->Model().rowCount(), 6);
  EXPECT_FALSE(
      column(*window, SequenceModel::TestColumn).contains(QStringLiteral("Discharge test")));
  EXPECT_EQ(window->Notice(), QStringLiteral("Discharge test removed."));
}

// The letter after "&", upper case; none when the text has none.
QChar mnemonic(const QString& text) {
  const qsizetype at = text.indexOf(u'&');
  return at >= 0 && at + 1 < text.size() ? text.at(at + 1).toUpper() : QChar();
}

TEST_F(WorkbenchTest, EveryButtonHasAnAltKeyOfItsOwnInBothLanguages) {
  for (const char* language : {"en", "de"}) {
    SCOPED_TRACE(language);
    const testsupport::LanguageScope scope{QLatin1String(language)};
    std::unique_ptr<WorkbenchWindow> window = openWindow();
    window->NewSequence();
    QMap<QChar, QString> taken;
    QStringList keyed;
    for (QPushButton* each : window->findChildren<QPushButton*>()) keyed.append(each->text());
    for (QLabel* each : window->findChildren<QLabel*>())
      if (each->buddy()) keyed.append(each->text());
    for (const QString& text : keyed) {
      const QChar letter = mnemonic(text);
      EXPECT_FALSE(letter.isNull()) << qPrintable(text) << " has no Alt key";
      if (letter.isNull()) continue;
      EXPECT_FALSE(taken.contains(letter))
          << qPrintable(text) << " and " << qPrintable(taken.value(letter));
      taken.insert(letter, text);
    }
  }
}

// Drawn disabled while a run goes on, a field's hint must not read as an
// entry: it is lighter than typed text in every state.
TEST_F(WorkbenchTest, HintsAreDrawnLighterThanEntries) {
  std::unique_ptr<WorkbenchWindow> window = openWindow();
  for (QLineEdit* field : window->findChildren<QLineEdit*>()) {
    if (field->placeholderText().isEmpty()) continue;
    SCOPED_TRACE(field->objectName().toStdString());
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Disabled}) {
      const QPalette& palette = field->palette();
      const int base = palette.color(group, QPalette::Base).lightness();
      const auto distance = [&](QPalette::ColorRole role) {
        return std::abs(palette.color(group, role).lightness() - base);
      };
      EXPECT_LT(distance(QPalette::PlaceholderText), distance(QPalette::Text)) << group;
    }
  }
}

}  // namespace
}  // namespace workbenchtest
