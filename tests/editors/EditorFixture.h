#pragma once
// Shared by the editor tests: a configuration's dialog opened as the host
// opens it (CreateDialog, the host's callback, docked into a host window of
// the editor's designed size), the editor's controls by name, the operator's
// keys and clicks, the "Change" notices and a screenshot of what the
// operator sees.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <cstdio>
#include <functional>

#include "LanguageScope.h"
#include "LocaleScope.h"
#include "QtPrinters.h"
#include "TestSupport.h"
#include "editors/CaptionLabel.h"
#include "records/RunObjects.h"
#include "services/ErrorService.h"
#include "services/LanguageService.h"
#include "settings/CConfigBase.h"
#include "typelib/ICustomControl.h"
#include "typelib/IDialog.h"
#include "ui/CaptionWalk.h"
#include "ui/MessageBoxes.h"
#include "ui/Twips.h"
#include "ui/WindowHandles.h"
#include "xml/XmlDocument.h"

namespace editortest {

using testsupport::LanguageScope;
using testsupport::LocaleScope;

// What a configuration stores: its children as "Name=Text", the guide
// settings' mask last.
inline QStringList storedForm(host::IConfigData& config) {
  auto document = std::make_shared<host::XmlDocument>();
  const host::XmlElementPtr element = config.Save(document);
  QStringList lines;
  if (!element) return lines;
  const host::XmlNodeListPtr nodes = element->ChildNodes();
  for (rt::Long i = 0; i < nodes->Length(); ++i) {
    const host::XmlElementPtr child = nodes->Item(i);
    lines.append(child->TagName() + u'=' + child->Text() + child->Attribute(QStringLiteral("Key")) +
                 child->Attribute(QStringLiteral("ButtonMask")));
  }
  return lines;
}

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(
        testsupport::registerServer(testsupport::builtLibrary(QStringLiteral("orvanView"))));
    ASSERT_TRUE(
        testsupport::registerServer(testsupport::builtLibrary(QStringLiteral("orvanRV1Xtst"))));
    host::ErrorService::instance()->clear();
    ui::MessageBoxes::instance().clear();
    hostWindow_ = std::make_unique<QWidget>();
    hostWindow_->setObjectName(QStringLiteral("hostWindow"));
  }

  void TearDown() override {
    if (dialog_) dialog_->Unload();
    dialog_.reset();
    QApplication::closeAllWindows();
    hostWindow_.reset();
    ui::MessageBoxes::instance().clear();
  }

  // The configuration's dialog, docked into the host window, the window
  // widthTwips x heightTwips large and shown.
  void open(const std::shared_ptr<orvanRV1Xtst::CConfigBase>& config, double widthTwips,
            double heightTwips) {
    config_ = config;
    dialog_ = config->CreateDialog();
    ASSERT_TRUE(dialog_);
    callBack_ = std::make_shared<host::DefaultCallBack>();
    dialog_->SetCallBack(callBack_);
    hostWindow_->resize(ui::toPixels(widthTwips), ui::toPixels(heightTwips));
    hostWindow_->show();
    dialog_->Dock(ui::handleOf(hostWindow_.get()));
    resize(widthTwips, heightTwips);
    dialog_->Show(0);
    QApplication::setActiveWindow(hostWindow_.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(hostWindow_.get()));
    ASSERT_TRUE(editor()) << "the dialog hosts the editor";
  }

  void resize(double widthTwips, double heightTwips) {
    dialog_->Move(0, 0, static_cast<rt::Long>(widthTwips), static_cast<rt::Long>(heightTwips));
    QApplication::processEvents();
  }

  QWidget* editor() const { return hostWindow_->findChild<QWidget*>(QStringLiteral("isc")); }
  host::ICustomControl* control() const { return dynamic_cast<host::ICustomControl*>(editor()); }

  template <class W = QWidget>
  W* child(const char* name) const {
    W* found = editor() ? editor()->findChild<W*>(QLatin1String(name)) : nullptr;
    EXPECT_TRUE(found) << name;
    return found;
  }

  // The place of a child in twips, relative to its parent.
  static QRect twips(const QWidget* widget) {
    const QRect g = widget->geometry();
    return QRect(ui::toTwips(g.x()), ui::toTwips(g.y()), ui::toTwips(g.width()),
                 ui::toTwips(g.height()));
  }

  int changes() const { return static_cast<int>(callBack_->events().size()); }
  QStringList shownMessages() const {
    QStringList texts;
    for (const ui::ShownMessage& m : ui::MessageBoxes::instance().shown()) texts.append(m.text);
    return texts;
  }
  static QList<host::ErrorEntry> reported() { return host::ErrorService::instance()->reported(); }

  // The operator's keys and clicks.
  static void type(QWidget* widget, const QString& keys) {
    widget->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(widget, keys);
  }
  static void key(QWidget* widget, Qt::Key k) { QTest::keyClick(widget, k); }
  static void click(QWidget* widget, QPoint at = QPoint()) {
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, at);
  }
  // A click on a check box's indicator.
  static void tick(QCheckBox* box) { click(box, QPoint(box->height() / 2, box->height() / 2)); }
  // Drags a slider's thumb to the place of a value, showing the moves and
  // then letting go.
  static void drag(QSlider* slider, int value, const std::function<void()>& whileHeld = {}) {
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = slider->value();
    option.sliderValue = slider->value();
    const QRect handle = slider->style()->subControlRect(QStyle::CC_Slider, &option,
                                                         QStyle::SC_SliderHandle, slider);
    const QRect groove = slider->style()->subControlRect(QStyle::CC_Slider, &option,
                                                         QStyle::SC_SliderGroove, slider);
    const int span = groove.width() - handle.width();
    const int x =
        groove.x() + handle.width() / 2 +
        QStyle::sliderPositionFromValue(slider->minimum(), slider->maximum(), value, span);
    const QPoint from = handle.center();
    const QPoint to(x, from.y());
    QTest::mousePress(slider, Qt::LeftButton, Qt::NoModifier, from);
    QMouseEvent move(QEvent::MouseMove, to, slider->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(slider, &move);
    if (whileHeld) whileHeld();
    QTest::mouseRelease(slider, Qt::LeftButton, Qt::NoModifier, to);
  }
  // Empties a text box as the operator does (select all, delete).
  static void empty(QWidget* box) {
    box->setFocus(Qt::TabFocusReason);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Delete);
  }
  // Moves the focus on, as the operator leaving a field does.
  void leave(QWidget* field) {
    field->clearFocus();
    QApplication::processEvents();
  }

  // Every caption shown is translated, every label, check box and text field
  // is wide and high enough for its text, and no two visible controls on one
  // container overlap.
  void expectNothingClippedOrOverlapping() const {
    QWidget* root = editor();
    ASSERT_TRUE(root);
    for (QWidget* widget : root->findChildren<QWidget*>()) {
      if (!widget->isVisibleTo(root)) continue;
      const QString name = widget->objectName();
      QString text;
      if (auto* label = qobject_cast<QLabel*>(widget)) text = label->text();
      if (auto* button = qobject_cast<QAbstractButton*>(widget)) text = button->text();
      EXPECT_FALSE(ui::isTextKey(text)) << qPrintable(name) << ": " << qPrintable(text);
      if (auto* field = qobject_cast<QLineEdit*>(widget)) {
        EXPECT_LE(field->fontMetrics().horizontalAdvance(field->text()) + 8, field->width())
            << qPrintable(name) << " is cut off: " << qPrintable(field->text());
      }
      if (auto* box = qobject_cast<QCheckBox*>(widget)) {
        EXPECT_GE(box->width(), box->sizeHint().width()) << qPrintable(name) << " is cut off";
        EXPECT_GE(box->height(), box->fontMetrics().height()) << qPrintable(name);
      }
      if (auto* label = qobject_cast<QLabel*>(widget); label && !label->wordWrap()) {
        const auto* caption = dynamic_cast<orvanRV1Xtst::CaptionLabel*>(label);
        const QFont drawn = caption ? caption->FittedFont() : label->font();
        EXPECT_LE(QFontMetrics(drawn).horizontalAdvance(label->text()),
                  label->contentsRect().width())
            << qPrintable(name) << " is cut off: " << qPrintable(label->text());
      }
    }
    for (QWidget* container : root->findChildren<QWidget*>()) {
      const QList<QWidget*> children =
          container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
      for (int i = 0; i < children.size(); ++i) {
        for (int j = i + 1; j < children.size(); ++j) {
          QWidget* a = children.at(i);
          QWidget* b = children.at(j);
          if (!a->isVisibleTo(root) || !b->isVisibleTo(root)) continue;
          EXPECT_FALSE(a->geometry().intersects(b->geometry()))
              << qPrintable(a->objectName()) << " overlaps " << qPrintable(b->objectName());
        }
      }
    }
  }

  // A picture of the host window for a look at the editor.
  void screenshot(const QString& name) {
    QApplication::processEvents();
    const QString dir =
        qEnvironmentVariable("RV1X_BUILD_DIR", QDir::tempPath()) + QStringLiteral("/test-output");
    QDir().mkpath(dir);
    const QString file = dir + QStringLiteral("/editor-%1.png").arg(name);
    EXPECT_TRUE(hostWindow_->grab().save(file)) << qPrintable(file);
    std::printf("editor screenshot: %s\n", qPrintable(file));
  }

  testsupport::TemporaryRegistry registry_;
  std::unique_ptr<QWidget> hostWindow_;
  std::shared_ptr<orvanRV1Xtst::CConfigBase> config_;
  host::IDialogPtr dialog_;
  std::shared_ptr<host::DefaultCallBack> callBack_;
};

}  // namespace editortest
