#include "AnalyzerPanel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QVBoxLayout>

#include "AnalyzerPort.h"
#include "Guarded.h"
#include "SimulatedAnalyzer.h"
#include "WorkbenchStore.h"
#include "WorkbenchWords.h"

namespace workbench {

namespace {

QString entryText(const hostapp::SerialDevice& device, bool asked) {
  QString text = device.ports.isEmpty()
                     ? device.device
                     : words::text(words::PortEntry, {device.ports.first(), device.device});
  if (!device.description.isEmpty()) text += QStringLiteral(" (%1)").arg(device.description);
  if (device.ports.isEmpty()) return words::text(words::NoPortNumber, {text});
  // With --simulate the port is answered in-process, whatever device it names.
  if (hostapp::isSimulatedPort(device.ports.first()))
    return words::text(words::SimulatedOnPort, {text});
  if (!device.exists) return words::text(words::NotThere, {text});
  if (device.present) return QStringLiteral("%1 - %2").arg(text, device.model);
  if (asked) return words::text(words::NothingAnswers, {text});
  return text;
}

}  // namespace

AnalyzerPanel::AnalyzerPanel(QWidget* parent)
    : QGroupBox(words::text(words::AnalyzerBox), parent),
      source_([](hostapp::Probing probing) { return hostapp::listSerialDevices(probing); }) {
  setObjectName(QStringLiteral("analyzer"));
  ports_ = new QComboBox(this);
  ports_->setObjectName(QStringLiteral("ports"));
  ports_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  ports_->setMinimumContentsLength(30);
  ports_->setPlaceholderText(words::text(words::NoPortChosen));
  find_ = new QPushButton(words::text(words::FindAnalyzers), this);
  find_->setObjectName(QStringLiteral("findAnalyzers"));
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("analyzerStatus"));
  status_->setWordWrap(true);

  auto* row = new QHBoxLayout;
  row->addWidget(ports_, 1);
  row->addWidget(find_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(status_);
  layout->addStretch();

  connect(ports_, &QComboBox::currentIndexChanged, this, [this] {
    guarded([&] { Chosen(); }, [this](const QString& why) { Q_EMIT Problem(why); });
  });
  connect(find_, &QPushButton::clicked, this, [this] {
    guarded([&] { FindAnalyzers(); }, [this](const QString& why) { Q_EMIT Problem(why); });
  });
  guarded([&] { ListDevices(); }, [this](const QString& why) { Tell(why); });
}

void AnalyzerPanel::SetDeviceSource(DeviceSource source) {
  source_ = std::move(source);
  ListDevices();
}

QList<AnalyzerPanel::Entry> AnalyzerPanel::Entries(const QList<hostapp::SerialDevice>& devices,
                                                   bool asked) {
  QList<Entry> entries;
  for (const hostapp::SerialDevice& device : devices) entries.append({device, asked});
  return entries;
}

void AnalyzerPanel::ListDevices() {
  Show(Entries(source_(hostapp::Probing::None), false));
  Tell(Port() ? words::text(words::RunsUsePortFind, {Port()}) : words::text(words::ChoosePort));
}

int AnalyzerPanel::FindAnalyzers() {
  const QList<hostapp::SerialDevice> devices = source_(hostapp::Probing::Each);
  Show(Entries(devices, true));
  QStringList found;
  int chosenFound = 0;
  int firstFound = 0;
  for (const hostapp::SerialDevice& device : devices) {
    if (!device.present || device.ports.isEmpty()) continue;
    found.append(words::text(words::FoundOn, {device.model, device.ports.first()}));
    if (device.ports.contains(Port())) chosenFound = Port();
    if (!firstFound) firstFound = device.ports.first();
  }
  // One that answers is chosen when the chosen port has none.
  if (!chosenFound && firstFound) SetPort(firstFound);
  if (found.isEmpty())
    Tell(words::text(words::NoneAnswers, {devices.size()}));
  else
    Tell(words::text(words::Found, {found.join(QStringLiteral(", ")), Port()}));
  return static_cast<int>(found.size());
}

void AnalyzerPanel::Show(const QList<Entry>& entries) {
  const int chosen = Port() ? Port() : storedPort();
  showing_ = true;
  ports_->clear();
  auto* items = qobject_cast<QStandardItemModel*>(ports_->model());
  bool listed = false;
  for (const auto& [device, asked] : entries) {
    ports_->addItem(entryText(device, asked), device.ports.isEmpty() ? 0 : device.ports.first());
    // A device no port number opens cannot be chosen.
    if (device.ports.isEmpty() && items) items->item(ports_->count() - 1)->setEnabled(false);
    listed = listed || device.ports.contains(chosen);
  }
  // The port kept from before stays chosen, whether it is there now or not.
  if (chosen && !listed) ports_->addItem(words::text(words::PortNotFound, {chosen}), chosen);
  const int at = ports_->findData(chosen);
  ports_->setCurrentIndex(chosen ? at : -1);
  showing_ = false;
}

void AnalyzerPanel::Chosen() {
  if (showing_) return;
  const int port = Port();
  if (port > 0 && port != storedPort() && !storePort(port))
    Q_EMIT Problem(words::text(words::PortNotKept));
  Tell(port ? words::text(words::RunsUsePort, {port}) : words::text(words::ChoosePort));
}

int AnalyzerPanel::Port() const {
  return ports_->currentIndex() >= 0 ? ports_->currentData().toInt() : 0;
}

void AnalyzerPanel::SetPort(int port) {
  int at = ports_->findData(port);
  if (at < 0 && port > 0) {
    ports_->addItem(words::text(words::Port, {port}), port);
    at = ports_->count() - 1;
  }
  ports_->setCurrentIndex(at);
}

QString AnalyzerPanel::Status() const {
  return status_->text();
}

void AnalyzerPanel::Tell(const QString& text) {
  status_->setText(text);
}

QString AnalyzerPanel::Ask() {
  const int port = Port();
  if (port == 0) {
    Tell(words::text(words::ChoosePort));
    return {};
  }
  const host::OrvanQelMti found = hostapp::queryAnalyzer(port);
  // The list as it stands now, with what this port answered.
  QList<Entry> entries = Entries(source_(hostapp::Probing::None), false);
  for (Entry& entry : entries) {
    if (!entry.device.ports.contains(port)) continue;
    entry.asked = true;
    entry.device.present = !found.isEmpty();
    entry.device.model = found.MtiType;
  }
  Show(entries);
  Tell(found.isEmpty() ? words::text(words::NoAnswerOnPort, {port})
                       : words::text(words::AnswersOnPort, {found.MtiType, port}));
  return found.MtiType;
}

}  // namespace workbench
