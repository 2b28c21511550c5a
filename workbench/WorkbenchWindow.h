#pragma once
// The technician's workbench: one window in which the analyzer is found,
// the sequence is built and edited, run test by test through the guide
// windows and handed in as a report.
//
//   top     the analyzer (AnalyzerPanel.h) and the device under test with
//           its technician (DevicePanel.h), kept with the sequence
//   middle  the sequence, one row per test (SequenceModel.h), with the tests
//           of the plug-in's catalogue to add, and Remove, Move up, Move down;
//           a double-click opens the test's settings editor in the host's
//           dialog (SettingsEditing.h); the standard is picked in its column
//   below   a line that tells what happened; "Run all", "Run selected",
//           "Stop after this test"; "Report" (the PDF beside the sequence's
//           file, opened in the desktop's viewer), "Export" (the CSV beside
//           it), "Open", "Save", "Save as"
//
// A run is the command line's, prepared as it prepares one
// (hostapp::RunPreparation, hostapp::SequenceRun): the tests in order
// through their guide windows, the document written into its own file after
// every test, so nothing measured is lost when the window or the analyzer
// goes away. A sequence is run in the file it was opened from or saved as;
// a file another program changed since is not written over. Closing with
// changes not saved asks first. Every handler runs guarded (Guarded.h):
// what goes wrong is told in the window's line, never left to the event
// loop.

#include <QWidget>
#include <functional>
#include <memory>

#include "CommonOptions.h"
#include "DocumentLock.h"
#include "sequence/SequenceRecord.h"
#include "typelib/HostTypes.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

namespace host {
class SequenceDocument;
}

namespace hostapp {
class SequenceRun;
enum class Begun;
}  // namespace hostapp

namespace rv1xsim {
class Simulator;
}

namespace workbench {

class AnalyzerPanel;
class DevicePanel;
class SequenceModel;

class WorkbenchWindow : public QWidget {
  Q_OBJECT
 public:
  // The plug-in is loaded and initialised; options as the command line gave
  // them (--simulate starts the simulated analyzer on the chosen port).
  WorkbenchWindow(host::IPlugInPtr plugIn, hostapp::CommonOptions options,
                  QWidget* parent = nullptr);
  ~WorkbenchWindow() override;

  // Reads the sequence of that file. A file that cannot be read opens
  // nothing: false, with the reason in the window.
  bool OpenSequence(const QString& path);
  // A new sequence of the whole catalogue, in its order, not yet in a file.
  void NewSequence();

  // Where the window asks for a file name: the file dialogs, unless a
  // chooser is set (an empty answer cancels).
  enum class FileQuestion { Open, SaveAs };
  using FileChooser = std::function<QString(FileQuestion question, const QString& suggestion)>;
  void SetFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }

  // What the buttons do. Those that change the sequence or its file do
  // nothing while a run is under way, but say so.
  void AddTest(rt::Long testID);
  void RemoveSelected();
  // Delete's: asks first, then removes the selected tests.
  void AskToRemoveSelected();
  // Enter's and F2's: the row's settings editor, or its standard's list.
  void OpenRow(int row, int column);
  void MoveSelected(int by);
  void EditRow(int row);
  void RunAll();
  void RunSelected();
  void StopAfterThisTest();
  bool Save();
  bool SaveAs();
  void Open();
  bool WriteReport();
  bool Export();

  QString FileName() const { return file_; }
  bool Modified() const;
  bool Running() const { return run_ != nullptr; }
  // What the window's line tells, and whether it tells a problem.
  QString Notice() const;
  bool NoticeIsProblem() const { return noticeProblem_; }
  SequenceModel& Model() { return *model_; }
  host::SequenceDocument& Sequence() { return *sequence_; }
  AnalyzerPanel& Analyzer() { return *analyzer_; }
  DevicePanel& Device() { return *device_; }
  QTableView& Table() { return *table_; }

  // Draws the window offscreen into a PNG; false when it cannot be written.
  bool SavePicture(const QString& path);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildWindow();
  QWidget* BuildSequenceBox();
  QWidget* BuildButtons();
  void Connect(QPushButton* button, std::function<void()> work);
  void Tell(const QString& text, bool problem = false);
  void SetSequence(std::unique_ptr<host::SequenceDocument> sequence, const QString& file);
  // The lock of the file the window is to have, or nothing (told) when
  // another process holds it.
  std::unique_ptr<hostapp::DocumentLock> LockFor(const QString& path, const char* refusedWords);
  void SetModified(bool modified);
  // An edit in the table or the device's fields, told.
  void Changed();
  void UpdateTitle();
  void UpdateButtons();
  void OpenStandardEditors();
  QList<int> SelectedRows() const;
  void SelectRow(int row);
  // While a run is under way the sequence and its file are the run's: true
  // then, with the window telling so.
  bool RunUnderWay();
  // Asks whether to save changes first; false when the technician cancels.
  bool MayDiscardChanges();
  // A question in a message box captioned with the window's title.
  int Ask(const QString& question, int buttons);
  bool WriteTo(const QString& path);
  // Whether the file of that suffix beside the sequence's can be written,
  // the sequence saved first (a folder that cannot be written offers Save
  // as); false, told, when not.
  bool MayWriteBeside(const QString& suffix);
  // A record without the device's serial number cannot be traced to it:
  // asks; false when the technician goes back to type it.
  bool MayGoOnWithoutSerial();
  void ShowStopping(bool stopping);
  // What the device panel holds, into the sequence's record.
  void TakeDevice();
  bool ChangedOnDisk() const;
  void KeepFileState();
  void Run(const QList<int>& elementIndexes);
  void TellNotBegun(hostapp::Begun why, int port);
  // The window after a run: the table read again, the file's state kept,
  // what the run ended with in the notice line.
  void ShowRunEnded(const hostapp::SequenceRun& run, const QString& anotherDevice);
  // For a device other than the one its results were measured on, the
  // sequence keeps its settings and limits only and loses its file; what
  // the notice line says of it, or empty.
  QString StartForAnotherDevice();
  bool StartSimulator(int port);
  QString ChooseFile(FileQuestion question, const QString& suggestion);
  QString BesideFile(const QString& suffix) const;

  host::IPlugInPtr plugIn_;
  hostapp::CommonOptions options_;
  std::unique_ptr<host::SequenceDocument> sequence_;
  QString file_;
  // The lock of file_, held while the window has it: no other window or
  // command writes it meanwhile, and the window's runs write it under it.
  std::unique_ptr<hostapp::DocumentLock> lock_;
  // The device the results the window holds were measured on, and the file
  // of another device's record the window must not write over.
  host::DeviceUnderTest resultsDevice_;
  QString otherDevicesFile_;
  // The file as it was last read or written: size and change time.
  qint64 fileSize_ = -1;
  qint64 fileChanged_ = 0;
  bool modified_ = false;
  FileChooser chooser_;
  hostapp::SequenceRun* run_ = nullptr;
  std::unique_ptr<rv1xsim::Simulator> simulator_;

  SequenceModel* model_ = nullptr;
  AnalyzerPanel* analyzer_ = nullptr;
  DevicePanel* device_ = nullptr;
  QTableView* table_ = nullptr;
  QComboBox* catalogue_ = nullptr;
  QLabel* notice_ = nullptr;
  QLabel* noticeSign_ = nullptr;
  bool noticeProblem_ = false;
  QList<QPushButton*> editing_;  // disabled while a run goes on
  QPushButton* runAll_ = nullptr;
  QPushButton* runSelected_ = nullptr;
  QPushButton* stop_ = nullptr;
  QPushButton* remove_ = nullptr;
  QPushButton* moveUp_ = nullptr;
  QPushButton* moveDown_ = nullptr;
};

}  // namespace workbench
