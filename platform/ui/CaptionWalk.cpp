#include "ui/CaptionWalk.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTabBar>
#include <QTabWidget>

namespace ui {

bool isTextKey(const QString& text) {
  const int colons = text.indexOf(QStringLiteral("::"));
  if (colons < 0 || colons > 5) return false;
  // The host's own tables mark their numbers with a capital letter ("T1708").
  int first = 0;
  if (colons > 1 && text.at(0) >= u'A' && text.at(0) <= u'Z') first = 1;
  for (int i = first; i < colons; ++i)
    if (!text.at(i).isDigit()) return false;
  return true;
}

namespace {

template <class Get, class Set>
void translateText(const Translator& translate, Get get, Set set) {
  const QString text = get();
  if (isTextKey(text)) set(translate(text));
}

void translateWidget(QWidget* w, const Translator& translate) {
  translateText(
      translate, [&] { return w->windowTitle(); }, [&](const QString& t) { w->setWindowTitle(t); });
  translateText(
      translate, [&] { return w->toolTip(); }, [&](const QString& t) { w->setToolTip(t); });
  translateText(
      translate, [&] { return w->whatsThis(); }, [&](const QString& t) { w->setWhatsThis(t); });
  if (auto* label = qobject_cast<QLabel*>(w))
    translateText(
        translate, [&] { return label->text(); }, [&](const QString& t) { label->setText(t); });
  if (auto* button = qobject_cast<QAbstractButton*>(w))
    translateText(
        translate, [&] { return button->text(); }, [&](const QString& t) { button->setText(t); });
  if (auto* group = qobject_cast<QGroupBox*>(w))
    translateText(
        translate, [&] { return group->title(); }, [&](const QString& t) { group->setTitle(t); });
  if (auto* edit = qobject_cast<QLineEdit*>(w)) {
    translateText(
        translate, [&] { return edit->text(); }, [&](const QString& t) { edit->setText(t); });
    translateText(
        translate, [&] { return edit->placeholderText(); },
        [&](const QString& t) { edit->setPlaceholderText(t); });
  }
  if (auto* combo = qobject_cast<QComboBox*>(w)) {
    for (int i = 0; i < combo->count(); ++i)
      translateText(
          translate, [&] { return combo->itemText(i); },
          [&](const QString& t) { combo->setItemText(i, t); });
  }
  if (auto* list = qobject_cast<QListWidget*>(w)) {
    for (int i = 0; i < list->count(); ++i) {
      QListWidgetItem* item = list->item(i);
      translateText(
          translate, [&] { return item->text(); }, [&](const QString& t) { item->setText(t); });
      translateText(
          translate, [&] { return item->toolTip(); },
          [&](const QString& t) { item->setToolTip(t); });
    }
  }
  if (auto* tabs = qobject_cast<QTabBar*>(w)) translateTabs(tabs, translate);
  // Tool buttons and menus show their actions' texts.
  for (QAction* action : w->actions()) {
    translateText(
        translate, [&] { return action->text(); }, [&](const QString& t) { action->setText(t); });
    translateText(
        translate, [&] { return action->toolTip(); },
        [&](const QString& t) { action->setToolTip(t); });
  }
}

}  // namespace

void translateCaptions(QWidget* root, const Translator& translate) {
  if (!root) return;
  translateWidget(root, translate);
  for (QWidget* child : root->findChildren<QWidget*>()) translateWidget(child, translate);
}

void translateTabs(QTabBar* tabs, const Translator& translate) {
  if (!tabs) return;
  for (int i = 0; i < tabs->count(); ++i) {
    translateText(
        translate, [&] { return tabs->tabText(i); },
        [&](const QString& t) { tabs->setTabText(i, t); });
    translateText(
        translate, [&] { return tabs->tabToolTip(i); },
        [&](const QString& t) { tabs->setTabToolTip(i, t); });
  }
}

}  // namespace ui
