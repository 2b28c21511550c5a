// The caption walk that translates every text key on a form.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "QtPrinters.h"
#include "ui/CaptionWalk.h"

namespace {

// Stands in for the language service: the default text, marked.
QString translate(const QString& key) {
  return QStringLiteral("<") + key.section(QStringLiteral("::"), 1) + u'>';
}

TEST(CaptionWalk, TextKeys) {
  for (const char* key :
       {"20205::Preset energy:", "::Add waveform to list", "1::x", "12345::", "T1708::Comment"})
    EXPECT_TRUE(ui::isTextKey(QString::fromUtf8(key))) << key;
  for (const char* text : {"Preset energy", "123456::six digits", "12a45::x", "", ":",
                           "Port: COM1::x", " 1::x", "T::x", "TT17::x", "t1708::x", "T17089::x"})
    EXPECT_FALSE(ui::isTextKey(QString::fromUtf8(text))) << text;
}

TEST(CaptionWalk, TranslatesEveryCaptionThatHoldsAKey) {
  QWidget form;
  form.setWindowTitle(QStringLiteral("20300::Preferences"));
  auto* layout = new QVBoxLayout(&form);
  auto* label = new QLabel(QStringLiteral("20205::Preset energy:"));
  auto* plain = new QLabel(QStringLiteral("Plain text"));
  auto* notAKey = new QLabel(QStringLiteral("123456::x"));
  auto* button = new QPushButton(QStringLiteral("20342::Yes"));
  button->setToolTip(QStringLiteral("::Add waveform to list"));
  auto* check = new QCheckBox(QStringLiteral("20100::Auto playback"));
  auto* group = new QGroupBox(QStringLiteral("20101::Options"));
  auto* inner = new QLabel(QStringLiteral("20102::Inside"), group);
  auto* combo = new QComboBox;
  combo->addItems({QStringLiteral("20103::Off"), QStringLiteral("50 Ohm"), QStringLiteral("::On")});
  auto* tabs = new QTabWidget;
  tabs->addTab(new QWidget, QStringLiteral("20104::General"));
  tabs->addTab(new QWidget, QStringLiteral("Fixed"));
  tabs->setTabToolTip(0, QStringLiteral("20105::Tab tip"));
  auto* list = new QListWidget;
  list->addItem(QStringLiteral("20106::Wave"));
  list->addItem(QStringLiteral("Sine"));
  auto* tool = new QToolButton;
  auto* action = new QAction(QStringLiteral("20107::Add"), tool);
  action->setToolTip(QStringLiteral("::Add waveform to list"));
  tool->setDefaultAction(action);
  for (QWidget* w : std::initializer_list<QWidget*>{label, plain, notAKey, button, check, group,
                                                    combo, tabs, list, tool})
    layout->addWidget(w);

  ui::translateCaptions(&form, translate);

  EXPECT_EQ(form.windowTitle(), QStringLiteral("<Preferences>"));
  EXPECT_EQ(label->text(), QStringLiteral("<Preset energy:>"));
  EXPECT_EQ(plain->text(), QStringLiteral("Plain text"));
  EXPECT_EQ(notAKey->text(), QStringLiteral("123456::x"));
  EXPECT_EQ(button->text(), QStringLiteral("<Yes>"));
  EXPECT_EQ(button->toolTip(), QStringLiteral("<Add waveform to list>"));
  EXPECT_EQ(check->text(), QStringLiteral("<Auto playback>"));
  EXPECT_EQ(group->title(), QStringLiteral("<Options>"));
  EXPECT_EQ(inner->text(), QStringLiteral("<Inside>"));
  EXPECT_EQ(combo->itemText(0), QStringLiteral("<Off>"));
  EXPECT_EQ(combo->itemText(1), QStringLiteral("50 Ohm"));
  EXPECT_EQ(combo->itemText(2), QStringLiteral("<On>"));
  EXPECT_EQ(tabs->tabText(0), QStringLiteral("<General>"));
  EXPECT_EQ(tabs->tabText(1), QStringLiteral("Fixed"));
  EXPECT_EQ(tabs->tabToolTip(0), QStringLiteral("<Tab tip>"));
  EXPECT_EQ(list->item(0)->text(), QStringLiteral("<Wave>"));
  EXPECT_EQ(list->item(1)->text(), QStringLiteral("Sine"));
  EXPECT_EQ(action->text(), QStringLiteral("<Add>"));
  EXPECT_EQ(action->toolTip(), QStringLiteral("<Add waveform to list>"));

  // A second walk finds no key left and changes nothing.
  ui::translateCaptions(&form, [](const QString&) { return QStringLiteral("again"); });
  EXPECT_EQ(label->text(), QStringLiteral("<Preset energy:>"));
  ui::translateCaptions(nullptr, translate);
}

TEST(CaptionWalk, TabsAlone) {
  QTabBar tabs;
  tabs.addTab(QStringLiteral("20310::Settings"));
  tabs.addTab(QStringLiteral("20311::About"));
  ui::translateTabs(&tabs, translate);
  EXPECT_EQ(tabs.tabText(0), QStringLiteral("<Settings>"));
  EXPECT_EQ(tabs.tabText(1), QStringLiteral("<About>"));
  ui::translateTabs(nullptr, translate);
}

}  // namespace
