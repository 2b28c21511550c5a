#include "FakeGuide.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "guide/PaneTab.h"
#include "guide/TestGuideService.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "typelib/ITestElement.h"
#include "ui/Extender.h"
#include "ui/MessageLoop.h"

namespace testservices {

namespace {

using namespace host::guidebuttons;

// The columns as the result views count them, from 1.
constexpr int kPassColumn = 2, kFailColumn = 3, kShockColumn = 3, kNoShockColumn = 4;

QImage tabPicture(const QString& name) {
  return QImage(
      QStringLiteral(RV1X_SOURCE_DIR "/resources/orvanRV1Xtst/pictures/%1.png").arg(name));
}

bool isShock(FakeMeasurement& m) {
  return m.PresetValue().typeId() == QMetaType::Bool;
}

void waitUntil(const std::function<bool()>& done, int milliseconds) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < milliseconds) ui::doEvents();
}

}  // namespace

rt::Long FakeResult::Status() {
  rt::Long status = 0;
  for (const FakeMeasurementPtr& m : measurements) status = std::max(status, m->status);
  return status;
}

FakeResultPtr fakeResultFor(rt::Long testID, const QList<bool>& advice) {
  auto result = std::make_shared<FakeResult>();
  if (testID == 700) {
    for (int i = 0; i < advice.size(); ++i)
      result->measurements.append(
          std::make_shared<FakeMeasurement>(QStringLiteral("::%1").arg(i + 1), advice.at(i)));
  } else {
    result->measurements.append(std::make_shared<FakeMeasurement>(
        testID == 600 ? QStringLiteral("PERF") : QStringLiteral("ENGY"), QVariant()));
  }
  return result;
}

FakeResultView::FakeResultView() {
  setObjectName(QStringLiteral("FakeResultView"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  table_ = new QTableWidget(0, 5, this);
  table_->setObjectName(QStringLiteral("grdResult"));
  table_->setHorizontalHeaderLabels({QStringLiteral("Measurement"), QStringLiteral("Value / Pass"),
                                     QStringLiteral("Fail / Shock"), QStringLiteral("No shock"),
                                     QStringLiteral("Preset")});
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  layout->addWidget(table_);
  connect(table_, &QTableWidget::cellClicked, this, &FakeResultView::CellClicked);
  table_->viewport()->installEventFilter(this);
}

void FakeResultView::Show(const FakeResultPtr& result) {
  result_ = result;
  table_->setRowCount(static_cast<int>(result->measurements.size()));
  for (int row = 0; row < table_->rowCount(); ++row) {
    FakeMeasurement& m = *result->measurements.at(row);
    const QString value =
        isShock(m) && !rt::isEmpty(m.value)
            ? (m.value.toBool() ? QStringLiteral("Shock") : QStringLiteral("No shock"))
            : m.value.toString();
    const QStringList cells{m.Key(), value, m.status == 2 ? QStringLiteral("failed") : QString(),
                            QString(), m.PresetValue().toString()};
    for (int column = 0; column < cells.size(); ++column) {
      auto* item = new QTableWidgetItem(cells.at(column));
      if (row == highlighted_) item->setBackground(QColor(0xFF, 0xF2, 0xB3));
      table_->setItem(row, column, item);
    }
  }
}

void FakeResultView::Highlight(int row) {
  highlighted_ = row;
  if (result_) Show(result_);
}

void FakeResultView::CellClicked(int row, int modelColumn) {
  const int column = modelColumn + 1;
  if (!result_ || row >= result_->measurements.size()) return;
  FakeMeasurement& m = *result_->measurements.at(row);
  if (isShock(m)) {
    if (row > highlighted_ || (column != kShockColumn && column != kNoShockColumn)) return;
    m.value = column == kShockColumn;
    m.status = m.value.toBool() == m.PresetValue().toBool() ? 1 : 2;
    Show(result_);
    RaiseEvent(QStringLiteral("ItemClicked"), {row == highlighted_});
    return;
  }
  if (column != kPassColumn && column != kFailColumn) return;
  m.value = column == kPassColumn;
  m.status = column == kPassColumn ? 1 : 2;
  Show(result_);
  RaiseEvent(QStringLiteral("ItemClicked"), {false});
}

bool FakeResultView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::RightButton)
      RaiseEvent(QStringLiteral("MouseDown"),
                 {rt::Integer{2}, rt::Integer{0}, mouse->position().x(), mouse->position().y()});
  }
  return ui::UserControl::eventFilter(watched, event);
}

FakeGuide::FakeGuide(host::ITestElementPtr test, FakeResultPtr result, host::RunContextPtr ctx)
    : test_(std::move(test)), result_(std::move(result)), ctx_(std::move(ctx)) {
  setObjectName(QStringLiteral("FRV1XTestGuide"));
  SetClientSize(8910, 5625);
  QString caption;
  host::TestGuideService::instance()->GetCaption(test_, caption);
  SetCaption(caption);

  auto paneExtender = Controls().Add(host::kContentPaneProgId, QStringLiteral("xtwWizard"));
  pane_ = com::cast<host::ITgContentPane>(paneExtender->Object());
  toolbarExtender_ = Controls().Add(host::kToolbarProgId, QStringLiteral("xtbToolbar"));
  toolbar_ = com::cast<host::ITgToolbar>(toolbarExtender_->Object());
  toolbarExtender_->Move(0, 4980, 8910, 645);
  auto wizardExtender = Controls().Add(host::kTestWizardProgId, QStringLiteral("xtwDetails"));
  wizard_ = com::cast<host::ITestWizard>(wizardExtender->Object());
  wizardExtender->Move(1200, 480, 2775, 2055);

  identityPage_ = std::make_shared<ui::UserControl>();
  auto* identity = new QVBoxLayout(identityPage_.get());
  identity->addWidget(new QLabel(QStringLiteral("Analyzer"), identityPage_.get()));
  auto* type = new QComboBox(identityPage_.get());
  type->setObjectName(QStringLiteral("cboMtiType"));
  type->addItems({QStringLiteral("RV-11"), QStringLiteral("RV-12P"), QStringLiteral("RV-15")});
  identity->addWidget(type);
  for (const char* name : {"txtSerial", "txtFirmware"}) {
    auto* edit = new QLineEdit(identityPage_.get());
    edit->setObjectName(QLatin1String(name));
    identity->addWidget(edit);
  }
  auto identityExtender = Controls().AddObject(identityPage_, QStringLiteral("xmdMtiData"));
  identityExtender->Move(3720, 120, 4935, 2295);
  waveformPage_ = std::make_shared<ui::UserControl>();
  (new QVBoxLayout(waveformPage_.get()))
      ->addWidget(new QLabel(QStringLiteral("Peak current"), waveformPage_.get()));
  auto waveformExtender =
      Controls().AddObject(waveformPage_, QStringLiteral("xpdPerformDischarge"));
  waveformExtender->Move(4560, 120, 4095, 1935);

  view_ = std::make_shared<FakeResultView>();
  auto viewExtender = Controls().AddObject(view_, QStringLiteral("irvResult"));
  viewExtender->Move(330, 2310, 8550, 2895);
  view_->Show(result_);

  QStringList steps;
  for (int i = 1; i <= 4; ++i) steps << QStringLiteral("%1. Step number %1 of the test").arg(i);
  QVariant texts = steps;
  wizard_->SetSteps(texts);
  QVariant marks = QVariantList{1, 2, 3, 4};
  wizard_->MarkSteps(marks);

  pane_->Bind(test_, ctx_);
  pane_->SetResultPane(viewExtender);
  pane_->SetDetailsPane(wizardExtender);
  for (const auto& [caption, back, first, second, page] :
       {std::tuple{QStringLiteral("MTI Data"), 0x00F5E9DCu, QStringLiteral("TAB_MTIDATA_1"),
                   QStringLiteral("TAB_MTIDATA_2"), identityExtender},
        std::tuple{QStringLiteral("Peak I [A]"), 0x00F7DFD6u, QStringLiteral("TAB_GRAPH_1"),
                   QStringLiteral("TAB_GRAPH_2"), waveformExtender}}) {
    auto tab = std::make_shared<host::PaneTab>();
    tab->SetMaskColor(0x000000FFu);
    tab->SetBackColor(back);
    tab->SetPicture(tabPicture(first));
    tab->SetPictureAlt(tabPicture(second));
    tab->SetCaption(caption);
    pane_->AddTab(tab, page);
  }
  pane_->Attach(this);
  Form_Resize();

  rt::Long mask = 15;
  toolbar_->SetButtonMask(host::maskoperation::Set, mask);
  toolbar_->Bind(ctx_, test_);
  toolbar_->SetMode(host::toolbarmode::Idle);
  connect(toolbarExtender_.get(), &ui::Extender::ObjectEvent, this,
          [this](const QString& name, const QVariantList& parameters) {
            rt::ignoreErrors([&] { ToolbarEvent(name, parameters); });
          });
  connect(viewExtender.get(), &ui::Extender::ObjectEvent, this,
          [this](const QString& name, const QVariantList& parameters) {
            if (name == QLatin1String("ItemClicked")) events << QStringLiteral("ItemClicked");
            if (name == QLatin1String("MouseDown") && parameters.value(0).toInt() == 2)
              toolbar_->OnRightMouseDown();
          });
}

FakeGuide::~FakeGuide() {
  pane_->Detach(this);
  pane_->Clear();
}

QString FakeGuide::identity() const {
  return findChild<QComboBox*>(QStringLiteral("cboMtiType"))->currentText() + u'/' +
         findChild<QLineEdit*>(QStringLiteral("txtSerial"))->text() + u'/' +
         findChild<QLineEdit*>(QStringLiteral("txtFirmware"))->text();
}

void FakeGuide::Form_Resize() {
  if (!pane_ || !toolbarExtender_) return;
  auto* pane = dynamic_cast<QWidget*>(pane_.get());
  pane->setGeometry(0, 0, width(), height() - toolbarExtender_->widget()->height());
}

void FakeGuide::Form_QueryUnload(bool& cancel) {
  // Closing the window is Abort, with the host's confirmation.
  cancel = true;
  bool confirmed = false;
  host::TestGuideService::instance()->ConfirmAbort(confirmed);
  if (confirmed) Leave(QStringLiteral("AbortTest"), host::navigation::Abort);
}

void FakeGuide::ToolbarEvent(const QString& name, const QVariantList& parameters) {
  if (name != QLatin1String("ButtonClick")) return;
  auto button = com::variantAs<host::ToolbarButton>(parameters.value(0));
  const bool flag = parameters.value(1).toBool();
  switch (com::must(button).Id()) {
    case Abort: {
      bool confirmed = false;
      host::TestGuideService::instance()->ConfirmAbort(confirmed);
      if (!confirmed) return;
      stop_ = true;
      Leave(QStringLiteral("AbortTest"), host::navigation::Abort);
      return;
    }
    case Skip:
      Leave(QStringLiteral("Skip"), host::navigation::Skip);
      return;
    case Previous:
      Leave(QStringLiteral("Previous"), host::navigation::Previous);
      return;
    case Stop:
      events << QStringLiteral("StopTest");
      stop_ = true;
      return;
    case Play:
      if (toolbar_->Buttons(Previous)->Enabled() && flag) {
        Leave(QStringLiteral("Previous"), host::navigation::Previous);
      } else if (toolbar_->Buttons(Play)->State() && flag) {
        events << QStringLiteral("StopTest");
        stop_ = true;
      } else {
        Run();
      }
      return;
    case Next:
      Leave(QStringLiteral("NextTest"), host::navigation::Next);
      return;
    case NotApplicable:
      Leave(QStringLiteral("NA"), host::navigation::Next);
      return;
    default:
      return;
  }
}

void FakeGuide::Leave(const QString& event, rt::Long code) {
  events << event;
  ctx_->SetNavigationCode(code);
  Hide();
}

void FakeGuide::SetRunState(bool running) {
  toolbar_->SetMode(running ? host::toolbarmode::Running
                            : (result_->Status() != 0 ? host::toolbarmode::IdleWithResult
                                                      : host::toolbarmode::Idle));
  toolbar_->SetRunning(QVariant(), running, running);
  toolbar_->Status()->SetText(running ? QStringLiteral("Test in progress, please wait...")
                                      : QString());
  toolbar_->Status()->SetResultStatus(static_cast<rt::Integer>(result_->Status()));
}

void FakeGuide::Run() {
  if (running_) return;
  running_ = true;
  stop_ = false;
  events << QStringLiteral("StartTest");
  SetRunState(true);
  const rt::Long testID = test_->TestID();
  QList<FakeMeasurementPtr>& measurements = result_->measurements;
  if (testID == 500) {
    int reading = 0;
    while (!stop_) {
      waitUntil([&] { return stop_; }, 100);
      measurements.first()->value = 40 + reading++;
      measurements.first()->status = 1;
      view_->Show(result_);
    }
  } else if (testID == 700) {
    for (int k = 0; k < measurements.size() && !stop_; ++k) {
      view_->Highlight(k);
      waitUntil([&] { return stop_ || measurements.at(k)->status != 0; }, stepMilliseconds);
    }
  } else {
    waitUntil([&] { return stop_; }, runMilliseconds);
    if (!stop_ && testID != 600) {
      measurements.first()->value = 12.5;
      measurements.first()->status = 1;
      view_->Show(result_);
    }
  }
  running_ = false;
  SetRunState(false);
}

}  // namespace testservices
