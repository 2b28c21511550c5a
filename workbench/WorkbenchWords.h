#pragma once
// The workbench's texts, by text number, in the host's language like the
// rest of the host (LanguageService.h: the German ones in
// resources/languages/de.lang, English where a table lacks one). A text
// takes two parameters at most, "%%1" and "%%2". The words the record's
// report shares (device, model, technician, standard, ...) are the report's
// own numbers.

#include <QString>
#include <QVariantList>

#include "services/LanguageService.h"

namespace workbench {
namespace words {

// The window.
inline constexpr char Title[] = "1100::RV-1X workbench";
inline constexpr char Untitled[] = "1101::New sequence";
inline constexpr char SequenceFiles[] = "1102::Test sequences (*.xml);;All files (*)";
inline constexpr char SimulatorNotStarted[] = "1103::The simulated analyzer could not be started.";
inline constexpr char SequenceBox[] = "1104::Sequence";
inline constexpr char AddTest[] = "1105::Add test";
inline constexpr char Remove[] = "1106::Remove";
inline constexpr char MoveUp[] = "1107::Move up";
inline constexpr char MoveDown[] = "1108::Move down";
inline constexpr char FromCatalogue[] = "1109::From the catalogue:";
inline constexpr char EditHint[] = "1110::Double-click a test\nto change its settings.";
inline constexpr char RunBox[] = "1111::Run";
inline constexpr char RunAll[] = "1112::Run all";
inline constexpr char RunSelected[] = "1113::Run selected";
inline constexpr char StopAfter[] = "1114::Stop after this test";
inline constexpr char RecordBox[] = "1115::Record";
inline constexpr char Report[] = "1116::Report";
inline constexpr char Open[] = "1117::Open...";
inline constexpr char Save[] = "1118::Save";
inline constexpr char SaveAs[] = "1119::Save as...";
inline constexpr char Export[] = "1120::Export";
inline constexpr char NotOpened[] = "1121::%%1 was not opened: %%2";
inline constexpr char Opened[] = "1122::Opened %%1.";
inline constexpr char OpenedKeptAsStored[] =
    "1123::Opened %%1; what could not be read is kept as it was stored: %%2";
inline constexpr char NewSequence[] =
    "1125::A new sequence of the whole catalogue; save it to keep it.";
inline constexpr char NoSuchTest[] = "1126::The plug-in gives no test %%1.";
inline constexpr char Added[] = "1127::%%1 added.";
inline constexpr char EntryNotEditable[] =
    "1128::This entry could not be read, so it cannot be edited: %%1";
inline constexpr char SettingsKept[] =
    "1129::The stored settings of %%1 could not be read; they are kept as stored and not edited.";
inline constexpr char SettingsChanged[] = "1130::The settings of %%1 changed.";
inline constexpr char NoSettings[] = "1131::%%1 has no settings to edit.";
inline constexpr char OpenTitle[] = "1132::Open a test sequence";
inline constexpr char SaveTitle[] = "1133::Save the test sequence";
inline constexpr char Saved[] = "1134::Saved %%1.";
inline constexpr char NotWritten[] = "1135::%%1 was not written: %%2";
inline constexpr char ChangedOnDisk[] =
    "1136::%%1 has changed since it was opened here, so it is not written over: save the "
    "sequence as another file, or open it again.";
inline constexpr char SaveFirst[] =
    "1137::The sequence has changes that are not saved. Save them first?";
inline constexpr char ReportNotWritten[] = "1138::The report was not written: %%1";
inline constexpr char ReportIs[] = "1139::The report is %%1.";
inline constexpr char ReportNoViewer[] =
    "1140::The report is %%1; no viewer could be opened for it.";
inline constexpr char Exported[] = "1141::The measurements are in %%1.";
inline constexpr char SelectToRun[] =
    "1142::Select the tests to run; an unreadable entry is never run.";
inline constexpr char Stopping[] = "1143::The run stops after this test.";
inline constexpr char NothingToRun[] = "1144::The sequence holds no test to run.";
inline constexpr char ChoosePortFirst[] = "1145::Choose the analyzer's port first.";
inline constexpr char NoAnalyzerOnPort[] =
    "1146::No analyzer answers on port %%1: check its cable and that it is on, then run again.";
inline constexpr char RunNotStarted[] =
    "1147::%%1 could not be written, so the run does not start.";
inline constexpr char Progress[] = "1148::Test %%1 of %%2";
inline constexpr char RunningOnPort[] = "1149::Running on port %%1...";
inline constexpr char ResultsLost[] =
    "1150::The results could not be written to %%1: save the sequence as another file to keep "
    "them.";
inline constexpr char RunEnded[] = "1151::The run has ended: %%1. The results are in %%2.";
inline constexpr char RunStopped[] = "1152::Stopped after a test: %%1. The results are in %%2.";
inline constexpr char RunUnderWay[] =
    "1188::A run is under way: that waits until it has ended (\"Stop after this test\" ends it).";

// The sequence's rows.
inline constexpr char TestHeader[] = "255::Test";
inline constexpr char SettingsHeader[] = "1153::Settings";
inline constexpr char StandardHeader[] = "257::Standard";
inline constexpr char VerdictHeader[] = "235::Verdict";
inline constexpr char Unreadable[] = "1154::Unreadable";
inline constexpr char Running[] = "1155::Running...";
inline constexpr char Operator[] = "262::Operator";
inline constexpr char SettingsNotRead[] = "1156::(stored settings not read)";
inline constexpr char ResultNotRead[] = "1157::(stored result not read)";
inline constexpr char TestElement[] = "1158::Test element";
inline constexpr char EarlierRun[] = "1196::%%1 (earlier run)";
inline constexpr char MeasuredAt[] = "1197::Measured %%1 in an earlier run";
inline constexpr char AnotherDevice[] =
    "1198::The results were measured on %%1, not on %%2: the run starts from the sequence's "
    "settings and limits only, in a file of its own.";
inline constexpr char AnotherDevicesRecord[] =
    "1199::%%1 holds the record of another device; choose another file.";

// The analyzer.
inline constexpr char AnalyzerBox[] = "250::Analyzer";
inline constexpr char ChoosePort[] =
    "1160::Choose the port the analyzer is on, or press \"Find analyzers\".";
inline constexpr char PortEntry[] = "1161::Port %%1: %%2";
inline constexpr char NoPortNumber[] = "1162::%%1 - no port number opens it";
inline constexpr char NotThere[] = "1163::%%1 - not there";
inline constexpr char NothingAnswers[] = "1164::%%1 - nothing answers";
inline constexpr char NoPortChosen[] = "1165::No port chosen";
inline constexpr char FindAnalyzers[] = "1166::Find analyzers";
inline constexpr char RunsUsePortFind[] =
    "1167::Runs use port %%1; \"Find analyzers\" asks every port.";
inline constexpr char FoundOn[] = "1168::%%1 on port %%2";
inline constexpr char NoneAnswers[] =
    "1169::No RV-1X answers on any of the %%1 serial devices: check its cable and that it is on "
    "and in remote mode.";
inline constexpr char Found[] = "1170::Found: %%1. Runs use port %%2.";
inline constexpr char PortNotFound[] = "1171::Port %%1 - not found";
inline constexpr char PortNotKept[] = "1172::The port could not be kept in the registry.";
inline constexpr char RunsUsePort[] = "1173::Runs use port %%1.";
inline constexpr char Port[] = "1174::Port %%1";
inline constexpr char NoAnswerOnPort[] = "1175::No RV-1X answers on port %%1.";
inline constexpr char AnswersOnPort[] = "1176::%%1 answers on port %%2.";
inline constexpr char SimulatedOnPort[] = "1177::%%1 - the simulated analyzer";

// The device under test.
inline constexpr char DeviceBox[] = "244::Device under test";
inline constexpr char Model[] = "245::Model";
inline constexpr char Serial[] = "246::Serial number";
inline constexpr char Asset[] = "247::Asset number";
inline constexpr char Technician[] = "248::Technician";
inline constexpr char ModelHint[] = "1180::the defibrillator's make and model";
inline constexpr char SerialHint[] = "1181::its serial number";
inline constexpr char AssetHint[] = "1182::the hospital's asset number";
inline constexpr char TechnicianHint[] = "1183::who tests it";
inline constexpr char FieldLabel[] = "1184::%%1:";

// Beside the guide, and the settings dialog.
inline constexpr char CompanionTitle[] = "1185::Sequence run";
inline constexpr char CompanionStopping[] = "1186::The run stops after this test";
inline constexpr char SettingsTitle[] = "1187::Settings - %%1";

// The text of that key in the host's language, its parameters filled in.
inline QString text(const char* key, const QVariantList& parameters = {}) {
  return host::translated(QString::fromUtf8(key), parameters);
}

}  // namespace words
}  // namespace workbench
