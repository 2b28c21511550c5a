#pragma once
// Shared by the editor tests: a configuration's dialog opened as the host
// opens it (CreateDialog, the host's callback, docked into a host window of
// the editor's designed size), the editor's controls by name, the operator's
// keys and clicks, the "Change" notices and a screenshot of what the
// operator sees.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTest>
#include <cstdio>

#include "QtPrinters.h"
#include "TestSupport.h"
#include "records/RunObjects.h"
#include "services/ErrorService.h"
#include "settings/CConfigBase.h"
#include "typelib/ICustomControl.h"
#include "typelib/IDialog.h"
#include "ui/MessageBoxes.h"
#include "ui/Twips.h"
#include "ui/WindowHandles.h"

namespace editortest {

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
