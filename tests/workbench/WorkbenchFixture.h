#pragma once
// The workbench window driven as a technician drives it, offscreen: the
// deliverables registered into a registry of the suite's own, the plug-in
// loaded with a test template of the suite's (the shipped one, with a second
// standard "Workshop" for the sensitivity test whose limits are enabled),
// the simulated analyzer on port 3 with the simulated bench, the host's
// scripted operator in the guide windows, and the file dialogs answered
// from a list. Each test is on its own clock with a link of its own, the
// analyzer answering in-process (SimulatedLink.h).

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <memory>
#include <utility>

#include "AnalyzerPanel.h"
#include "PlugInHost.h"
#include "QtPrinters.h"
#include "SequenceModel.h"
#include "SimulatedBench.h"
#include "SimulatedLink.h"
#include "Simulator.h"
#include "TestSupport.h"
#include "WorkbenchWindow.h"
#include "dialogs/HostDialogWindow.h"
#include "registry/RegistryStore.h"
#include "sequence/SequenceDocument.h"
#include "sequence/SequenceRecord.h"
#include "services/ErrorService.h"
#include "typelib/IPlugIn.h"
#include "ui/MessageBoxes.h"
#include "ui/MessageLoop.h"

namespace workbenchtest {

using workbench::SequenceModel;
using workbench::WorkbenchWindow;

constexpr int kPort = 3;

// A stored entry of a class nobody registered.
inline const QString kUnknownEntry = QStringLiteral(
    "<TestElement ClassName=\"RV1XTests.CTestTeleport\" TestID=\"900\" ID=\"7\">\n"
    "    <Info Name=\"Teleport test\"/>\n"
    "    <PlugInData PlugIn=\"RV-1X\">\n"
    "      <Distance>3</Distance>\n"
    "    </PlugInData>\n"
    "  </TestElement>");

// The stored sequence with the unknown entry after its first test.
inline QString withUnknownEntry(QString stored) {
  return stored.replace(QStringLiteral("</TestElement>\n  <TestElement"),
                        QStringLiteral("</TestElement>\n  %1\n  <TestElement").arg(kUnknownEntry));
}

// rv1x-host with the registry of that file alone, on virtual time.
inline testsupport::ProgramOutcome host(const QString& registry, const QStringList& arguments) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("RV1X_REGISTRY"), registry);
  environment.insert(QStringLiteral("RV1X_VIRTUAL_CLOCK"), QStringLiteral("1"));
  process.setProcessEnvironment(environment);
  process.start(testsupport::builtProgram(QStringLiteral("rv1x-host")),
                QStringList{QStringLiteral("--registry"), registry} + arguments);
  if (!process.waitForFinished(60000)) {
    process.kill();
    process.waitForFinished();
    return {};
  }
  return {process.exitCode(), QString::fromUtf8(process.readAllStandardError()),
          QString::fromUtf8(process.readAllStandardOutput())};
}

// The shipped template, with a second standard for the sensitivity test.
inline QString workshopTemplate(const QString& folder) {
  QFile shipped(testsupport::buildLibraryDir() + QStringLiteral("/orvanRV1X.mpc"));
  if (!shipped.open(QIODevice::ReadOnly)) return {};
  QString text = QString::fromUtf8(shipped.readAll());
  const qsizetype sensitivity = text.indexOf(QStringLiteral("RV1XTests.CTestSensitivity"));
  const QString end = QStringLiteral("</Standard>");
  const qsizetype after = text.indexOf(end, sensitivity) + end.size();
  text.insert(after, QStringLiteral(
                         "<Standard AlphaName=\"Workshop\" CompleteName=\"The workshop's limits\" "
                         "Flags=\"1\"><Limit Key=\"PADS\" Unit=\"mV\" High=\"2\" "
                         "HighEnabled=\"True\" Low=\"0.5\" LowEnabled=\"True\"/><Limit "
                         "Key=\"ECG\" Unit=\"mV\" High=\"2\" HighEnabled=\"True\" Low=\"0.5\" "
                         "LowEnabled=\"True\"/></Standard>"));
  QFile written(folder + QStringLiteral("/workshop.mpc"));
  if (!written.open(QIODevice::WriteOnly)) return {};
  written.write(text.toUtf8());
  return written.fileName();
}

class WorkbenchTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    registry_ = std::make_unique<testsupport::TemporaryRegistry>();
    for (const char* library :
         {"orvanView", "orvanTGCL2", "orvanRV1Xvti", "orvanRV1Xtst", "orvanRV1X"})
      ASSERT_TRUE(testsupport::registerServer(testsupport::builtLibrary(QLatin1String(library))))
          << library;
    // No port of a test reaches a real device of the machine.
    for (int port = 1; port <= 16; ++port)
      mapPort(port, QStringLiteral("/nonexistent/rv1x-port-%1").arg(port));
  }
  static void TearDownTestSuite() { registry_.reset(); }

  void SetUp() override {
    ui::MessageBoxes::instance().clear();
    host::ErrorService::instance()->clear();
    options_.templateFile = workshopTemplate(dir_.path());
    ASSERT_FALSE(options_.templateFile.isEmpty());
  }
  void TearDown() override {
    ui::MessageBoxes::instance().clear();
    host::ErrorService::instance()->clear();
  }

  static void mapPort(int port, const QString& device) {
    platform::RegistryStore::instance().writeValue(platform::hive::LocalMachine,
                                                   QStringLiteral("Hardware\\SerialPorts"),
                                                   QStringLiteral("COM%1").arg(port), device);
  }

  // A window on the plug-in, shown offscreen, its file dialogs answered
  // from files_ (paths in the test's folder).
  std::unique_ptr<WorkbenchWindow> openWindow() {
    const host::IPlugInPtr plugIn = hostapp::createPlugIn();
    hostapp::initializePlugIn(com::must(plugIn), options_);
    auto window = std::make_unique<WorkbenchWindow>(plugIn, options_);
    window->SetFileChooser([this](WorkbenchWindow::FileQuestion, const QString&) {
      return files_.isEmpty() ? QString() : path(files_.takeFirst());
    });
    window->show();
    // The offscreen platform's expose is posted as the window is shown.
    ui::doEvents();
    EXPECT_TRUE(window->windowHandle() && window->windowHandle()->isExposed());
    return window;
  }

  // The simulated analyzer on port 3, with a technician at its bench.
  rv1xsim::Simulator& analyzer() {
    simulator_ = testsupport::pluggedAnalyzer({}, kPort);
    bench_ = std::make_unique<hostapp::SimulatedBench>(*simulator_);
    return *simulator_;
  }

  QString path(const QString& name) const { return dir_.filePath(name); }
  static QString registryPath() { return registry_->path(); }

  QString writeFile(const QString& name, const QString& text) const {
    QFile file(path(name));
    if (file.open(QIODevice::WriteOnly)) file.write(text.toUtf8());
    return file.fileName();
  }

  static QPushButton* button(WorkbenchWindow& window, const char* name) {
    return window.findChild<QPushButton*>(QLatin1String(name));
  }

  // The texts of one column, row by row.
  static QStringList column(WorkbenchWindow& window, int column) {
    QStringList texts;
    SequenceModel& model = window.Model();
    for (int row = 0; row < model.rowCount(); ++row)
      texts.append(model.index(row, column).data().toString());
    return texts;
  }

  static void selectRows(WorkbenchWindow& window, const QList<int>& rows) {
    QTableView& table = window.Table();
    table.clearSelection();
    for (int row : rows)
      table.selectionModel()->select(window.Model().index(row, 0),
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
  }

  // Press, release and the double-click of the second press, as the
  // platform sends them.
  static void doubleClickRow(WorkbenchWindow& window, int row) {
    QTableView& table = window.Table();
    QWidget* viewport = table.viewport();
    const QPoint at =
        table.visualRect(window.Model().index(row, SequenceModel::TestColumn)).center();
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, at);
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, at, viewport->mapToGlobal(at),
                            Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &doubleClick);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, at);
  }

  // Does the action in the next settings dialog of the host once its modal
  // loop runs (the double-click that opens it returns when it closes).
  void inSettingsDialog(std::function<void(host::HostDialogWindow&)> action) {
    dialogs_ = std::make_unique<WhenShown>(std::move(action));
  }

  static void press(host::HostDialogWindow& dialog, QDialogButtonBox::StandardButton which) {
    dialog.findChild<QDialogButtonBox*>()->button(which)->click();
  }

  // The device's serial number, without which a run or a report asks first.
  static void typeSerial(WorkbenchWindow& window) {
    typeInto(window.findChild<QLineEdit*>(QStringLiteral("deviceSerial")), QStringLiteral("SN-1"));
  }

  static void typeInto(QLineEdit* field, const QString& text) {
    ASSERT_TRUE(field);
    field->setFocus(Qt::TabFocusReason);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
  }

  // Made before the analyzers and the windows, so that it goes after them.
  testsupport::SimulatedLink simulated_;
  QTemporaryDir dir_;
  hostapp::CommonOptions options_;
  QStringList files_;  // the answers of the file dialogs, in order
  std::unique_ptr<rv1xsim::Simulator> simulator_;
  std::unique_ptr<hostapp::SimulatedBench> bench_;

 private:
  // The action, once, on the first host dialog shown: posted from its show,
  // so that it runs inside the dialog's own loop.
  class WhenShown : public QObject {
   public:
    explicit WhenShown(std::function<void(host::HostDialogWindow&)> action)
        : action_(std::move(action)) {
      qApp->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
      auto* dialog = dynamic_cast<host::HostDialogWindow*>(watched);
      if (action_ && dialog && event->type() == QEvent::Show) {
        QMetaObject::invokeMethod(
            this,
            [this, shown = QPointer<host::HostDialogWindow>(dialog)] {
              if (shown && action_) std::exchange(action_, nullptr)(*shown);
            },
            Qt::QueuedConnection);
      }
      return false;
    }

   private:
    std::function<void(host::HostDialogWindow&)> action_;
  };

  std::unique_ptr<WhenShown> dialogs_;
  static inline std::unique_ptr<testsupport::TemporaryRegistry> registry_;
};

}  // namespace workbenchtest
