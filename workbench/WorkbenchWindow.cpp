#include "WorkbenchWindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QTemporaryFile>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>

#include "AnalyzerPanel.h"
#include "AnalyzerPort.h"
#include "DevicePanel.h"
#include "Guarded.h"
#include "PlugInHost.h"
#include "QtTranslations.h"
#include "RunCompanion.h"
#include "RunPreparation.h"
#include "RunShown.h"
#include "RunTally.h"
#include "SequenceKeys.h"
#include "SequenceModel.h"
#include "SequenceReport.h"
#include "SequenceRun.h"
#include "SettingsEditing.h"
#include "SimulatedAnalyzer.h"
#include "SimulatedBench.h"
#include "StandardDelegate.h"
#include "WorkbenchStore.h"
#include "WorkbenchWords.h"
#include "com/RegisteredName.h"
#include "elements/TestName.h"
#include "runtime/ErrorHandling.h"
#include "sequence/SequenceDocument.h"
#include "sequence/SequenceExport.h"
#include "sequence/TestVerdict.h"
#include "services/ErrorService.h"
#include "typelib/IPlugIn.h"
#include "typelib/ITestElement.h"
#include "ui/MessageBoxes.h"
#include "ui/MessageLoop.h"

namespace workbench {

namespace {

const QString kNewFile = QStringLiteral("rv1x-sequence.xml");
// Wide enough for the German texts of every column and button (the layout's
// least width is about 950).
constexpr int kWidth = 1040;
constexpr int kHeight = 620;

QStringList descriptionsOf(const QList<rt::RuntimeError>& errors) {
  QStringList texts;
  for (const rt::RuntimeError& error : errors) texts.append(error.Description());
  return texts;
}

qint64 changeTime(const QFileInfo& file) {
  return file.lastModified().toMSecsSinceEpoch();
}

// Whether a file can be made in that folder: tried, since the folder's
// permission bits do not tell for every file system or user.
bool folderWritable(const QString& folder) {
  QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".rv1x-write-XXXXXX")));
  return probe.open();
}

// A sequence typed without an extension is given the one Open looks for.
QString withSequenceExtension(const QString& path) {
  return QFileInfo(path).suffix().isEmpty() ? path + QStringLiteral(".xml") : path;
}

}  // namespace

WorkbenchWindow::WorkbenchWindow(host::IPlugInPtr plugIn, hostapp::CommonOptions options,
                                 QWidget* parent)
    : QWidget(parent),
      plugIn_(std::move(plugIn)),
      options_(std::move(options)),
      sequence_(std::make_unique<host::SequenceDocument>()) {
  setObjectName(QStringLiteral("workbench"));
  followHostLanguageInQt();
  BuildWindow();
  resize(kWidth, kHeight);
  model_->SetSequence(sequence_.get());
  UpdateTitle();
  UpdateButtons();
  // The simulated analyzer stands on the port chosen before (port 1 the
  // first time), listed with the others.
  if (options_.simulate) {
    const int port = storedPort() ? storedPort() : 1;
    if (StartSimulator(port)) {
      analyzer_->ListDevices();
      analyzer_->SetPort(port);
    } else {
      Tell(words::text(words::SimulatorNotStarted), true);
    }
  }
}

WorkbenchWindow::~WorkbenchWindow() {
  // The view lets go of the model's rows before the document goes.
  model_->SetSequence(nullptr);
}

void WorkbenchWindow::BuildWindow() {
  analyzer_ = new AnalyzerPanel(this);
  connect(analyzer_, &AnalyzerPanel::Problem, this,
          [this](const QString& why) { Tell(why, true); });

  device_ = new DevicePanel(this);
  connect(device_, &DevicePanel::Edited, this, [this] { Changed(); });

  auto* top = new QHBoxLayout;
  top->addWidget(analyzer_, 3);
  top->addWidget(device_, 2);

  notice_ = new QLabel(this);
  notice_->setObjectName(QStringLiteral("notice"));
  notice_->setWordWrap(true);
  notice_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  // A problem is told as the message boxes tell one: their warning sign.
  noticeSign_ = new QLabel(this);
  noticeSign_->setObjectName(QStringLiteral("noticeSign"));
  noticeSign_->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(16, 16));
  noticeSign_->setAlignment(Qt::AlignTop);
  noticeSign_->hide();
  auto* notice = new QHBoxLayout;
  notice->addWidget(noticeSign_);
  notice->addWidget(notice_, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(BuildSequenceBox(), 1);
  layout->addLayout(notice);
  layout->addWidget(BuildButtons());
}

QWidget* WorkbenchWindow::BuildSequenceBox() {
  auto* box = new QGroupBox(words::text(words::SequenceBox), this);
  box->setObjectName(QStringLiteral("sequenceBox"));
  model_ = new SequenceModel(this);
  connect(model_, &SequenceModel::Edited, this, [this] { Changed(); });

  table_ = new QTableView(box);
  table_->setObjectName(QStringLiteral("sequenceTable"));
  table_->setModel(model_);
  // After the view's own reset, which closes every editor.
  connect(model_, &QAbstractItemModel::modelReset, this, [this] { OpenStandardEditors(); });
  table_->setItemDelegateForColumn(
      SequenceModel::StandardColumn,
      new StandardDelegate([this](const QString& why) { Tell(why, true); }, table_));
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setAlternatingRowColors(true);
  table_->setWordWrap(false);
  QHeaderView* header = table_->horizontalHeader();
  header->setSectionResizeMode(SequenceModel::TestColumn, QHeaderView::ResizeToContents);
  header->setSectionResizeMode(SequenceModel::SettingsColumn, QHeaderView::Stretch);
  header->setSectionResizeMode(SequenceModel::StandardColumn, QHeaderView::Interactive);
  header->setSectionResizeMode(SequenceModel::VerdictColumn, QHeaderView::ResizeToContents);
  header->resizeSection(SequenceModel::StandardColumn, 190);
  // Every row as high as the standard's drop-down list, whether it has one.
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table_->verticalHeader()->setDefaultSectionSize(QComboBox().sizeHint().height() + 2);
  connect(table_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
    if (index.column() == SequenceModel::StandardColumn) return;
    guarded([&] { EditRow(index.row()); }, [this](const QString& why) { Tell(why, true); });
  });
  new SequenceKeys(table_, {[this](int row, int column) {
                              guarded([&] { OpenRow(row, column); },
                                      [this](const QString& why) { Tell(why, true); });
                            },
                            [this] {
                              guarded([&] { AskToRemoveSelected(); },
                                      [this](const QString& why) { Tell(why, true); });
                            }});
  connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { UpdateButtons(); });

  catalogue_ = new QComboBox(box);
  catalogue_->setObjectName(QStringLiteral("catalogue"));
  rt::ignoreErrors([&] {
    const host::ITestElementListPtr tests = com::must(plugIn_).Tests();
    for (rt::Long i = 1; tests && i <= tests->Count(); ++i) {
      const host::ITestElementPtr test = tests->Item(i);
      catalogue_->addItem(host::shownTestName(*test), static_cast<int>(test->TestID()));
    }
  });
  auto* add = new QPushButton(words::text(words::AddTest), box);
  add->setObjectName(QStringLiteral("addTest"));
  remove_ = new QPushButton(words::text(words::Remove), box);
  remove_->setObjectName(QStringLiteral("removeTest"));
  moveUp_ = new QPushButton(words::text(words::MoveUp), box);
  moveUp_->setObjectName(QStringLiteral("moveUp"));
  moveDown_ = new QPushButton(words::text(words::MoveDown), box);
  moveDown_->setObjectName(QStringLiteral("moveDown"));
  Connect(add, [this] { AddTest(catalogue_->currentData().toInt()); });
  Connect(remove_, [this] { RemoveSelected(); });
  Connect(moveUp_, [this] { MoveSelected(-1); });
  Connect(moveDown_, [this] { MoveSelected(1); });
  editing_ = {add, remove_, moveUp_, moveDown_};

  auto* side = new QVBoxLayout;
  auto* fromCatalogue = new QLabel(words::text(words::FromCatalogue), box);
  fromCatalogue->setBuddy(catalogue_);
  side->addWidget(fromCatalogue);
  side->addWidget(catalogue_);
  side->addWidget(add);
  side->addSpacing(12);
  side->addWidget(remove_);
  side->addWidget(moveUp_);
  side->addWidget(moveDown_);
  side->addStretch();
  auto* hint = new QLabel(words::text(words::EditHint), box);
  hint->setEnabled(false);
  side->addWidget(hint);

  auto* layout = new QHBoxLayout(box);
  layout->addWidget(table_, 1);
  layout->addLayout(side);
  return box;
}

QWidget* WorkbenchWindow::BuildButtons() {
  auto* bar = new QWidget(this);
  auto* runBox = new QGroupBox(words::text(words::RunBox), bar);
  runAll_ = new QPushButton(words::text(words::RunAll), runBox);
  runAll_->setObjectName(QStringLiteral("runAll"));
  runSelected_ = new QPushButton(words::text(words::RunSelected), runBox);
  runSelected_->setObjectName(QStringLiteral("runSelected"));
  stop_ = new QPushButton(words::text(words::StopAfter), runBox);
  stop_->setObjectName(QStringLiteral("stopAfter"));
  // Pressed, it stays down until the run has ended.
  stop_->setCheckable(true);
  Connect(runAll_, [this] { RunAll(); });
  Connect(runSelected_, [this] { RunSelected(); });
  Connect(stop_, [this] { StopAfterThisTest(); });
  auto* runs = new QHBoxLayout(runBox);
  runs->addWidget(runAll_);
  runs->addWidget(runSelected_);
  runs->addWidget(stop_);

  auto* recordBox = new QGroupBox(words::text(words::RecordBox), bar);
  auto* report = new QPushButton(words::text(words::Report), recordBox);
  report->setObjectName(QStringLiteral("report"));
  auto* open = new QPushButton(words::text(words::Open), recordBox);
  open->setObjectName(QStringLiteral("open"));
  auto* save = new QPushButton(words::text(words::Save), recordBox);
  save->setObjectName(QStringLiteral("save"));
  auto* saveAs = new QPushButton(words::text(words::SaveAs), recordBox);
  saveAs->setObjectName(QStringLiteral("saveAs"));
  auto* exported = new QPushButton(words::text(words::Export), recordBox);
  exported->setObjectName(QStringLiteral("export"));
  Connect(report, [this] { WriteReport(); });
  Connect(exported, [this] { Export(); });
  Connect(open, [this] { Open(); });
  Connect(save, [this] { Save(); });
  Connect(saveAs, [this] { SaveAs(); });
  auto* records = new QHBoxLayout(recordBox);
  records->addWidget(report);
  records->addWidget(exported);
  records->addSpacing(12);
  records->addWidget(open);
  records->addWidget(save);
  records->addWidget(saveAs);
  editing_ += {report, exported, open, save, saveAs};

  auto* layout = new QHBoxLayout(bar);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(runBox);
  layout->addStretch();
  layout->addWidget(recordBox);
  return bar;
}

void WorkbenchWindow::Connect(QPushButton* button, std::function<void()> work) {
  connect(button, &QPushButton::clicked, this, [this, work = std::move(work)] {
    guarded(work, [this](const QString& why) { Tell(why, true); });
  });
}

void WorkbenchWindow::Tell(const QString& text, bool problem) {
  notice_->setText(text);
  notice_->setStyleSheet(problem ? QStringLiteral("color: #B71C1C;") : QString());
  noticeSign_->setVisible(problem);
  noticeProblem_ = problem;
}

QString WorkbenchWindow::Notice() const {
  return notice_->text();
}

bool WorkbenchWindow::Modified() const {
  return modified_;
}

void WorkbenchWindow::Changed() {
  SetModified(true);
  Tell(words::text(words::SequenceChanged));
}

void WorkbenchWindow::SetModified(bool modified) {
  modified_ = modified;
  UpdateTitle();
}

void WorkbenchWindow::UpdateTitle() {
  const QString name = file_.isEmpty() ? words::text(words::Untitled) : QFileInfo(file_).fileName();
  setWindowTitle(
      QStringLiteral("%1 - %2%3").arg(words::text(words::Title), name, modified_ ? "*" : ""));
}

void WorkbenchWindow::UpdateButtons() {
  const bool running = Running();
  for (QPushButton* button : std::as_const(editing_)) button->setEnabled(!running);
  table_->setEnabled(!running);
  analyzer_->setEnabled(!running);
  device_->setEnabled(!running);
  const QList<int> selected = SelectedRows();
  remove_->setEnabled(!running && !selected.isEmpty());
  moveUp_->setEnabled(!running && selected.size() == 1 && selected.first() > 0);
  moveDown_->setEnabled(!running && selected.size() == 1 &&
                        selected.first() < model_->rowCount() - 1);
  runAll_->setEnabled(!running);
  runSelected_->setEnabled(!running && !selected.isEmpty());
  stop_->setEnabled(running && !(run_ && run_->StopRequested()));
}

void WorkbenchWindow::OpenStandardEditors() {
  for (int row = 0; row < model_->rowCount(); ++row) {
    const QModelIndex index = model_->index(row, SequenceModel::StandardColumn);
    if (model_->flags(index) & Qt::ItemIsEditable) table_->openPersistentEditor(index);
  }
}

QList<int> WorkbenchWindow::SelectedRows() const {
  QList<int> rows;
  for (const QModelIndex& index : table_->selectionModel()->selectedRows())
    rows.append(index.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

void WorkbenchWindow::SelectRow(int row) {
  if (row < 0 || row >= model_->rowCount()) return;
  table_->selectRow(row);
  table_->setCurrentIndex(model_->index(row, SequenceModel::TestColumn));
}

void WorkbenchWindow::SetSequence(std::unique_ptr<host::SequenceDocument> sequence,
                                  const QString& file) {
  model_->SetSequence(sequence.get());
  sequence_ = std::move(sequence);
  file_ = file;
  resultsDevice_ = sequence_->Record().device;
  otherDevicesFile_.clear();
  device_->Show(sequence_->Record());
  KeepFileState();
  SetModified(false);
  UpdateButtons();
}

std::unique_ptr<hostapp::DocumentLock> WorkbenchWindow::LockFor(const QString& path,
                                                                const char* refusedWords) {
  if (lock_ && QFileInfo(path).absoluteFilePath() == lock_->Document()) return std::move(lock_);
  auto lock = std::make_unique<hostapp::DocumentLock>(QFileInfo(path).absoluteFilePath());
  if (!lock->Take()) {
    Tell(words::text(refusedWords, {path, lock->Refusal()}), true);
    return nullptr;
  }
  return lock;
}

bool WorkbenchWindow::OpenSequence(const QString& path) {
  if (RunUnderWay()) return false;
  std::unique_ptr<hostapp::DocumentLock> lock = LockFor(path, words::NotOpened);
  if (!lock) return false;
  auto loaded = std::make_unique<host::SequenceDocument>();
  const bool read = rt::onError(
      [&] {
        loaded->Load(path);
        return true;
      },
      [&](const rt::RuntimeError& error) {
        Tell(words::text(words::NotOpened, {path, error.Description()}), true);
        return false;
      });
  if (!read) {
    if (lock->Document() == file_) lock_ = std::move(lock);
    return false;
  }
  const QStringList problems = descriptionsOf(loaded->Problems());
  SetSequence(std::move(loaded), QFileInfo(path).absoluteFilePath());
  lock_ = std::move(lock);
  if (problems.isEmpty()) {
    Tell(words::text(words::Opened, {file_}));
  } else {
    Tell(words::text(words::OpenedKeptAsStored, {file_, problems.join(QStringLiteral("; "))}),
         true);
  }
  return true;
}

void WorkbenchWindow::NewSequence() {
  if (RunUnderWay()) return;
  auto sequence = std::make_unique<host::SequenceDocument>();
  const host::ITestElementListPtr catalogue = com::must(plugIn_).Tests();
  for (rt::Long i = 1; catalogue && i <= catalogue->Count(); ++i) {
    const host::ITestElementPtr test = plugIn_->CreateTest(com::must(catalogue->Item(i)).TestID());
    com::must(test).SetID(i);
    sequence->Append(test, com::registeredNameOf(test));
  }
  SetSequence(std::move(sequence), QString());
  lock_.reset();
  Tell(words::text(words::NewSequence));
}

void WorkbenchWindow::AddTest(rt::Long testID) {
  if (RunUnderWay()) return;
  const host::ITestElementPtr test = com::must(plugIn_).CreateTest(testID);
  if (!test) {
    Tell(words::text(words::NoSuchTest, {testID}), true);
    return;
  }
  // A number of its own in the sequence, after the highest.
  rt::Long highest = 0;
  for (int i = 0; i < sequence_->Count(); ++i)
    highest =
        std::max(highest, rt::orDefault([&] { return sequence_->Element(i)->ID(); }, rt::Long{0}));
  test->SetID(highest + 1);
  sequence_->Append(test, com::registeredNameOf(test));
  model_->Reread();
  SelectRow(model_->rowCount() - 1);
  SetModified(true);
  Tell(words::text(words::Added, {host::shownTestName(*test)}));
}

void WorkbenchWindow::RemoveSelected() {
  if (RunUnderWay()) return;
  QList<int> rows = SelectedRows();
  if (rows.isEmpty()) return;
  QStringList names;
  for (int row : rows)
    names.append(model_->index(row, SequenceModel::TestColumn).data().toString());
  std::reverse(rows.begin(), rows.end());
  for (int row : rows) sequence_->RemoveRow(row);
  model_->Reread();
  SelectRow(std::min(rows.last(), model_->rowCount() - 1));
  SetModified(true);
  UpdateButtons();
  Tell(words::text(words::Removed, {names.join(QStringLiteral(", "))}));
}

void WorkbenchWindow::AskToRemoveSelected() {
  if (RunUnderWay()) return;
  QStringList names;
  for (int row : SelectedRows())
    names.append(model_->index(row, SequenceModel::TestColumn).data().toString());
  if (names.isEmpty()) return;
  if (Ask(words::text(words::RemoveAsk, {names.join(QStringLiteral(", "))}), ui::mb::YesNo) ==
      ui::mb::Yes)
    RemoveSelected();
}

void WorkbenchWindow::OpenRow(int row, int column) {
  if (column != SequenceModel::StandardColumn) {
    EditRow(row);
    return;
  }
  // The standard is picked in its own drop-down list, from the keyboard too.
  if (QWidget* list = table_->indexWidget(model_->index(row, column)))
    list->setFocus(Qt::ShortcutFocusReason);
}

int WorkbenchWindow::Ask(const QString& question, int buttons) {
  return ui::MessageBoxes::instance().show(question, buttons | ui::mb::Question,
                                           words::text(words::Title));
}

void WorkbenchWindow::MoveSelected(int by) {
  if (RunUnderWay()) return;
  const QList<int> rows = SelectedRows();
  if (rows.size() != 1) return;
  const int to = rows.first() + by;
  if (to < 0 || to >= model_->rowCount()) return;
  sequence_->MoveRow(rows.first(), to);
  model_->Reread();
  SelectRow(to);
  SetModified(true);
  UpdateButtons();
  Tell(words::text(words::Moved,
                   {model_->index(to, SequenceModel::TestColumn).data().toString(), to + 1}));
}

void WorkbenchWindow::EditRow(int row) {
  if (RunUnderWay()) return;
  const host::ITestElementPtr test = model_->Element(row);
  if (!test) {
    Tell(words::text(words::EntryNotEditable, {sequence_->Problem(row)}), true);
    return;
  }
  // What was stored stays as it was rather than be replaced by the part of
  // it that could be read.
  if (sequence_->KeptAsStored(model_->ElementIndex(row), QStringLiteral("PlugInData"))) {
    Tell(words::text(words::SettingsKept, {host::shownTestName(*test)}), true);
    return;
  }
  switch (editSettings(*test, this)) {
    case SettingsEdit::Changed:
      model_->RowChanged(row);
      SetModified(true);
      Tell(words::text(words::SettingsChanged, {host::shownTestName(*test)}));
      break;
    case SettingsEdit::Unchanged:
      model_->RowChanged(row);
      break;
    case SettingsEdit::NoEditor:
      Tell(words::text(words::NoSettings, {host::shownTestName(*test)}));
      break;
  }
}

QString WorkbenchWindow::ChooseFile(FileQuestion question, const QString& suggestion) {
  if (chooser_) return chooser_(question, suggestion);
  if (question == FileQuestion::Open)
    return QFileDialog::getOpenFileName(this, words::text(words::OpenTitle), suggestion,
                                        words::text(words::SequenceFiles));
  return QFileDialog::getSaveFileName(this, words::text(words::SaveTitle), suggestion,
                                      words::text(words::SequenceFiles));
}

void WorkbenchWindow::KeepFileState() {
  const QFileInfo file(file_);
  fileSize_ = file_.isEmpty() || !file.exists() ? -1 : file.size();
  fileChanged_ = fileSize_ < 0 ? 0 : changeTime(file);
}

bool WorkbenchWindow::ChangedOnDisk() const {
  if (file_.isEmpty()) return false;
  const QFileInfo file(file_);
  // A file gone since holds nothing that writing it could lose.
  if (!file.exists()) return false;
  return fileSize_ < 0 || file.size() != fileSize_ || changeTime(file) != fileChanged_;
}

void WorkbenchWindow::TakeDevice() {
  sequence_->SetDevice(device_->Device(), device_->Technician());
  // The technician of a record is offered the next time, however the field
  // was left.
  device_->KeepTechnician();
}

bool WorkbenchWindow::WriteTo(const QString& path) {
  if (!otherDevicesFile_.isEmpty() &&
      QFileInfo(path).absoluteFilePath() == QFileInfo(otherDevicesFile_).absoluteFilePath()) {
    Tell(words::text(words::AnotherDevicesRecord, {path}), true);
    return false;
  }
  const QString folder = QFileInfo(path).absolutePath();
  if (!folderWritable(folder)) {
    Tell(words::text(words::FolderNotWritable, {path, folder}), true);
    return false;
  }
  std::unique_ptr<hostapp::DocumentLock> lock = LockFor(path, words::NotWritten);
  if (!lock) return false;
  return rt::onError(
      [&] {
        TakeDevice();
        sequence_->Save(path);
        file_ = QFileInfo(path).absoluteFilePath();
        lock_ = std::move(lock);
        KeepFileState();
        SetModified(false);
        Tell(words::text(words::Saved, {file_}));
        return true;
      },
      [&](const rt::RuntimeError& error) {
        if (lock && lock->Document() == file_) lock_ = std::move(lock);
        Tell(words::text(words::NotWritten, {path, error.Description()}), true);
        return false;
      });
}

bool WorkbenchWindow::Save() {
  if (RunUnderWay()) return false;
  if (file_.isEmpty()) return SaveAs();
  // Another program's record (a run on the command line, say) is not
  // replaced by what this window read before it.
  if (ChangedOnDisk()) {
    Tell(words::text(words::ChangedOnDisk, {file_}), true);
    return false;
  }
  return WriteTo(file_);
}

bool WorkbenchWindow::SaveAs() {
  if (RunUnderWay()) return false;
  QString path = ChooseFile(FileQuestion::SaveAs, file_.isEmpty() ? kNewFile : file_);
  if (path.isEmpty()) return false;
  path = withSequenceExtension(path);
  if (QFileInfo(path).absoluteFilePath() == file_) return Save();
  return WriteTo(path);
}

bool WorkbenchWindow::RunUnderWay() {
  if (!Running()) return false;
  Tell(words::text(words::RunUnderWay), true);
  return true;
}

bool WorkbenchWindow::MayDiscardChanges() {
  if (!modified_) return true;
  const int answer = Ask(words::text(words::SaveFirst), ui::mb::YesNoCancel);
  if (answer == ui::mb::Yes) return Save();
  return answer == ui::mb::No;
}

void WorkbenchWindow::Open() {
  if (RunUnderWay()) return;
  if (!MayDiscardChanges()) return;
  const QString path = ChooseFile(FileQuestion::Open, QFileInfo(file_).absolutePath());
  if (!path.isEmpty()) OpenSequence(path);
}

QString WorkbenchWindow::BesideFile(const QString& suffix) const {
  const QFileInfo file(file_);
  return file.absoluteDir().filePath(file.completeBaseName() + suffix);
}

bool WorkbenchWindow::MayWriteBeside(const QString& suffix) {
  if (file_.isEmpty() && !SaveAs()) return false;
  const QString folder = QFileInfo(file_).absolutePath();
  if (folderWritable(folder)) return true;
  const QString written = BesideFile(suffix);
  if (Ask(words::text(words::WriteElsewhere, {written, folder}), ui::mb::YesNo) != ui::mb::Yes) {
    Tell(words::text(words::FolderNotWritable, {written, folder}), true);
    return false;
  }
  // Save as tells why when it does not save; a folder chosen that cannot be
  // written either is asked about again.
  return SaveAs() && MayWriteBeside(suffix);
}

bool WorkbenchWindow::MayGoOnWithoutSerial() {
  if (!device_->Device().serialNumber.isEmpty()) return true;
  if (Ask(words::text(words::NoSerialAsk), ui::mb::YesNo) == ui::mb::Yes) return true;
  Tell(words::text(words::SerialFirst));
  device_->FocusSerial();
  return false;
}

bool WorkbenchWindow::WriteReport() {
  if (!MayGoOnWithoutSerial()) return false;
  if (!MayWriteBeside(QStringLiteral(".pdf"))) return false;
  const QString pdf = BesideFile(QStringLiteral(".pdf"));
  const host::ReportCapture printing;
  TakeDevice();
  if (!hostapp::printSequenceReport(*sequence_, pdf)) {
    const QList<rt::RuntimeError>& problems = printing.reported();
    Tell(words::text(words::ReportNotWritten,
                     {problems.isEmpty() ? pdf : problems.last().Description()}),
         true);
    return false;
  }
  if (QDesktopServices::openUrl(QUrl::fromLocalFile(pdf)))
    Tell(words::text(words::ReportIs, {pdf}));
  else
    Tell(words::text(words::ReportNoViewer, {pdf}));
  return true;
}

bool WorkbenchWindow::Export() {
  if (!MayWriteBeside(QStringLiteral(".csv"))) return false;
  const QString csv = BesideFile(QStringLiteral(".csv"));
  TakeDevice();
  return rt::onError(
      [&] {
        host::exportMeasurements(*sequence_, csv);
        Tell(words::text(words::Exported, {csv}));
        return true;
      },
      [&](const rt::RuntimeError& error) {
        Tell(words::text(words::NotWritten, {csv, error.Description()}), true);
        return false;
      });
}

void WorkbenchWindow::RunAll() {
  QList<int> all;
  for (int index = 0; index < sequence_->Count(); ++index) all.append(index);
  Run(all);
}

void WorkbenchWindow::RunSelected() {
  QList<int> chosen;
  for (int row : SelectedRows())
    if (const int index = model_->ElementIndex(row); index >= 0) chosen.append(index);
  if (chosen.isEmpty()) {
    Tell(words::text(words::SelectToRun), true);
    return;
  }
  Run(chosen);
}

void WorkbenchWindow::StopAfterThisTest() {
  if (!run_) return;
  run_->StopAfterThisTest();
  Tell(words::text(words::Stopping));
  ShowStopping(true);
  UpdateButtons();
}

void WorkbenchWindow::ShowStopping(bool stopping) {
  stop_->setChecked(stopping);
  stop_->setText(words::text(stopping ? words::StoppingAfter : words::StopAfter));
}

namespace {

// The window tells that the simulated analyzer did not start; why goes to
// standard error, as the window's errors do.
void printRefusal(const QString& why) {
  std::fprintf(stderr, "rv1x-host: %s\n", qPrintable(why));
  std::fflush(stderr);
}

}  // namespace

bool WorkbenchWindow::StartSimulator(int port) {
  if (!options_.simulate || simulator_) return true;
  hostapp::RunListener nobody;
  const QString refused = hostapp::startSimulatedAnalyzer(options_, port, simulator_, nobody);
  if (!refused.isEmpty()) printRefusal(refused);
  return refused.isEmpty();
}

void WorkbenchWindow::Run(const QList<int>& elementIndexes) {
  if (RunUnderWay()) return;
  if (elementIndexes.isEmpty()) {
    Tell(words::text(words::NothingToRun), true);
    return;
  }
  const int port = analyzer_->Port();
  if (port == 0) {
    Tell(words::text(words::ChoosePortFirst), true);
    return;
  }
  const QString anotherDevice = StartForAnotherDevice();
  // The run writes the sequence's own file after every test.
  if (!Save()) return;

  hostapp::SequenceRun run(*sequence_, file_);
  RunCompanion companion(this, [this] { StopAfterThisTest(); });
  RunShown shown(*sequence_, run, *model_, companion, static_cast<int>(elementIndexes.size()));
  hostapp::RunPreparation preparation(options_, port, shown);
  if (const QString refused = preparation.PlaceAnalyzer(simulator_); !refused.isEmpty()) {
    printRefusal(refused);
    Tell(words::text(words::SimulatorNotStarted), true);
    return;
  }
  // The device and technician are already in the document (the panel wrote
  // them when the sequence was saved above).
  const hostapp::Begun begun = preparation.Begin(
      run, host::SequenceRecord{}, *plugIn_,
      {[this](int) { return analyzer_->Ask(); }, [this] { return MayGoOnWithoutSerial(); }});
  if (begun != hostapp::Begun::Yes) {
    TellNotBegun(begun, port);
    return;
  }
  KeepFileState();
  const std::unique_ptr<hostapp::SimulatedBench> bench = preparation.Bench();
  run_ = &run;
  UpdateButtons();
  Tell(words::text(words::RunningOnPort, {port}));
  rt::onError([&] { run.Run(elementIndexes); },
              [&](const rt::RuntimeError& error) {
                host::errors().ReportError(error, QStringLiteral("rv1x-host workbench"));
              });
  run_ = nullptr;
  ShowRunEnded(run, anotherDevice);
}

void WorkbenchWindow::ShowRunEnded(const hostapp::SequenceRun& run, const QString& anotherDevice) {
  resultsDevice_ = device_->Device();
  ShowStopping(false);
  model_->SetRunning(nullptr);
  model_->Reread();
  // The run wrote the file as the sequence now stands.
  KeepFileState();
  SetModified(run.ResultsLost());
  UpdateButtons();
  const QString first = anotherDevice.isEmpty() ? QString() : anotherDevice + u' ';
  if (run.ResultsLost())
    Tell(first + words::text(words::ResultsLost, {file_}), true);
  else
    Tell(first + words::text(run.StopRequested() ? words::RunStopped : words::RunEnded,
                             {tallyWords(run.Counts()), file_}),
         !anotherDevice.isEmpty());
}

void WorkbenchWindow::TellNotBegun(hostapp::Begun why, int port) {
  // Declined: the question about the serial number has told why.
  if (why == hostapp::Begun::NoAnalyzer) Tell(words::text(words::NoAnalyzerOnPort, {port}), true);
  if (why == hostapp::Begun::NotWritten) Tell(words::text(words::RunNotStarted, {file_}), true);
}

QString WorkbenchWindow::StartForAnotherDevice() {
  const host::DeviceUnderTest device = device_->Device();
  // Results that name no device become the named one's, as a record
  // continued in place does.
  if (!host::namesDevice(device) || !host::namesDevice(resultsDevice_) ||
      host::sameDevice(resultsDevice_, device))
    return {};
  bool holdsResults = false;
  for (int i = 0; i < sequence_->Count(); ++i)
    holdsResults =
        holdsResults || host::verdictOf(*sequence_, i).verdict != host::Verdict::NotPerformed;
  if (!holdsResults) return {};
  const QString told = words::text(words::AnotherDevice,
                                   {host::deviceText(resultsDevice_), host::deviceText(device)});
  sequence_->LoadSettingsOnlyXml(sequence_->ToXml());
  otherDevicesFile_ = file_;
  file_.clear();
  resultsDevice_ = device;
  model_->Reread();
  SetModified(true);
  Tell(told, true);
  return told;
}

bool WorkbenchWindow::SavePicture(const QString& path) {
  setAttribute(Qt::WA_DontShowOnScreen);
  show();
  // The layout and the standards' drop-down lists settle in posted events.
  ui::doEvents();
  const bool saved = grab().save(path, "PNG");
  hide();
  setAttribute(Qt::WA_DontShowOnScreen, false);
  return saved;
}

void WorkbenchWindow::closeEvent(QCloseEvent* event) {
  bool close = false;
  guarded([&] { close = !RunUnderWay() && MayDiscardChanges(); },
          [this](const QString& why) { Tell(why, true); });
  if (close)
    event->accept();
  else
    event->ignore();
}

}  // namespace workbench
