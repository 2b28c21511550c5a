// The workbench's analyzer panel: the devices asked in turn, what each
// answered told in the panel, the port chosen kept for the next start, and
// a run on a port where nothing answers.

#include <QComboBox>

#include "WorkbenchFixture.h"
#include "WorkbenchStore.h"

namespace workbenchtest {
namespace {

TEST_F(WorkbenchTest, FindAnalyzersAsksEachDeviceAndTellsWhatAnswered) {
  // Two device files, one with the analyzer behind it and one with a silent
  // one, and a device that is not there.
  rv1xsim::SimulatorOptions quiet;
  quiet.faults.silent = true;
  const std::unique_ptr<rv1xsim::Simulator> silent = testsupport::pluggedAnalyzer(quiet, 4);
  analyzer();
  const QStringList devices{writeFile(QStringLiteral("ttyRV3"), QString()),
                            writeFile(QStringLiteral("ttyRV4"), QString()),
                            QStringLiteral("/nonexistent/rv1x-port-5")};
  mapPort(kPort, devices.at(0));
  mapPort(4, devices.at(1));
  const auto source = [devices](hostapp::Probing probing) {
    return hostapp::listSerialDevices(devices, probing);
  };
  workbench::storePort(0);

  std::unique_ptr<WorkbenchWindow> window = openWindow();
  workbench::AnalyzerPanel& panel = window->Analyzer();
  panel.SetDeviceSource(source);
  EXPECT_EQ(panel.Port(), 0);
  button(*window, "findAnalyzers")->click();
  EXPECT_EQ(panel.Port(), kPort) << "the one that answered is chosen";
  EXPECT_TRUE(panel.Status().startsWith(QStringLiteral("Found: RV-12P/15 on port 3.")))
      << qPrintable(panel.Status());
  auto* ports = panel.findChild<QComboBox*>(QStringLiteral("ports"));
  QStringList entries;
  for (int i = 0; i < ports->count(); ++i) entries.append(ports->itemText(i));
  EXPECT_EQ(entries, (QStringList{QStringLiteral("Port 3: %1 - RV-12P/15").arg(devices.at(0)),
                                  QStringLiteral("Port 4: %1 - nothing answers").arg(devices.at(1)),
                                  QStringLiteral("Port 5: %1 - not there").arg(devices.at(2))}));
  EXPECT_TRUE(ui::MessageBoxes::instance().shown().isEmpty()) << "no message box per port";

  // The choice is the next start's.
  ports->setCurrentIndex(1);
  std::unique_ptr<WorkbenchWindow> next = openWindow();
  next->Analyzer().SetDeviceSource(source);
  EXPECT_EQ(next->Analyzer().Port(), 4);

  // A run there starts no test and says why in the window.
  next->NewSequence();
  files_ = {QStringLiteral("silent.xml")};
  button(*next, "runAll")->click();
  EXPECT_TRUE(next->Notice().startsWith(QStringLiteral("No analyzer answers on port 4")))
      << qPrintable(next->Notice());
  EXPECT_EQ(next->findChild<QComboBox*>(QStringLiteral("ports"))->currentText(),
            QStringLiteral("Port 4: %1 - nothing answers").arg(devices.at(1)))
      << "the port's entry says so too";
  EXPECT_EQ(column(*next, SequenceModel::VerdictColumn).count(QStringLiteral("Not performed")), 7);
  EXPECT_TRUE(ui::MessageBoxes::instance().shown().isEmpty());
}

}  // namespace
}  // namespace workbenchtest
