#include "AnalyzerPanel.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include "AnalyzerPort.h"
#include "Guarded.h"
#include "WorkbenchStore.h"

namespace workbench {

namespace {
constexpr int kHighestPort = 255;
}  // namespace

AnalyzerPanel::AnalyzerPanel(QWidget* parent) : QGroupBox(QStringLiteral("Analyzer"), parent) {
  setObjectName(QStringLiteral("analyzer"));
  port_ = new QSpinBox(this);
  port_->setObjectName(QStringLiteral("port"));
  port_->setRange(0, kHighestPort);
  port_->setSpecialValueText(QStringLiteral("none"));
  port_->setPrefix(QStringLiteral("Port "));
  find_ = new QPushButton(QStringLiteral("Find analyzer"), this);
  find_->setObjectName(QStringLiteral("findAnalyzer"));
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("analyzerStatus"));
  status_->setWordWrap(true);

  auto* row = new QHBoxLayout;
  row->addWidget(port_);
  row->addWidget(find_);
  row->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(status_);
  layout->addStretch();

  port_->setValue(storedPort());
  Tell(Port() ? QStringLiteral("Press \"Find analyzer\" to ask port %1.").arg(Port())
              : QStringLiteral("Choose the port the analyzer is on."));
  connect(port_, &QSpinBox::valueChanged, this, [this](int port) {
    guarded(
        [&] {
          if (port > 0 && !storePort(port))
            Q_EMIT Problem(QStringLiteral("The port could not be kept in the registry."));
          Tell(port ? QStringLiteral("Press \"Find analyzer\" to ask port %1.").arg(port)
                    : QStringLiteral("Choose the port the analyzer is on."));
        },
        [this](const QString& why) { Q_EMIT Problem(why); });
  });
  connect(find_, &QPushButton::clicked, this, [this] {
    guarded([&] { Find(); }, [this](const QString& why) { Q_EMIT Problem(why); });
  });
}

int AnalyzerPanel::Port() const {
  return port_->value();
}

void AnalyzerPanel::SetPort(int port) {
  port_->setValue(port);
}

QString AnalyzerPanel::Status() const {
  return status_->text();
}

void AnalyzerPanel::Tell(const QString& text) {
  status_->setText(text);
}

QString AnalyzerPanel::Find() {
  const int port = Port();
  if (port == 0) {
    Tell(QStringLiteral("Choose the port the analyzer is on."));
    return {};
  }
  const host::OrvanQelMti found = hostapp::queryAnalyzer(port);
  Tell(found.isEmpty() ? QStringLiteral("No analyzer answers on port %1.").arg(port)
                       : QStringLiteral("%1 on port %2").arg(found.MtiType).arg(port));
  return found.MtiType;
}

}  // namespace workbench
