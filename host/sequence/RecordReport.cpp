#include "sequence/RecordReport.h"

#include <QDateTime>
#include <QHash>
#include <algorithm>

#include "elements/TestElementBase.h"
#include "elements/TestInfo.h"
#include "limits/Standard.h"
#include "limits/StandardsCollection.h"
#include "records/RunContext.h"
#include "records/RunObjects.h"
#include "report/HostReport.h"
#include "report/ReportMarkup.h"
#include "runtime/ErrorHandling.h"
#include "sequence/SequenceDocument.h"
#include "sequence/StoredCopies.h"
#include "sequence/TestVerdict.h"
#include "services/ErrorService.h"
#include "services/LanguageService.h"
#include "typelib/IConfigData.h"
#include "typelib/ILimitData.h"
#include "typelib/IResultData.h"
#include "typelib/ITestElement.h"
#include "xml/XmlDocument.h"

namespace host {

namespace {

const QString kSource = QStringLiteral("HostReport");

// Output kind and option flag with which a result prints its waveform.
constexpr rt::Long kOutputWithWaveform = 3;
constexpr rt::Long kPrintDischargeCurve = 8;

constexpr double kTitleSize = 16;
constexpr double kOverallSize = 12;
constexpr double kTextSize = 10;
constexpr rt::Long kTableSize = 9;
constexpr rt::Long kWideTable = 10;
constexpr rt::Long kLeft = 0;
// The title block's column of captions.
constexpr rt::Long kCaptionWidth = 2800;
constexpr rt::Long kGapBeforeVerdict = 120;

// The host's words of the record.
namespace words {
const char* const Title = "243::Test record";
const char* const Device = "244::Device under test";
const char* const Model = "245::Model";
const char* const Serial = "246::Serial number";
const char* const Asset = "247::Asset number";
const char* const Technician = "248::Technician";
const char* const DateTime = "249::Date and time";
const char* const Analyzer = "250::Analyzer";
const char* const Firmware = "251::Firmware";
const char* const HostVersion = "252::Host version";
const char* const PlugInVersion = "253::Plug-in version";
const char* const Summary = "254::Summary";
const char* const Test = "255::Test";
const char* const Name = "256::Name";
const char* const Standard = "257::Standard";
const char* const Verdict = "235::Verdict";
const char* const Overall = "258::Overall verdict";
const char* const Signature = "259::Signature";
const char* const Date = "260::Date";
const char* const Page = "261::page %%1 of %%2";
const char* const Operator = "262::Operator";
const char* const Because = "263::%%1 (%%2)";
const char* const Labelled = "264::%%1: %%2";
const char* const NotRecorded = "266::not recorded";
const char* const Unreadable = "267::the host cannot read this test";
const char* const SimulatedRecord = "281::Simulated analyzer: not a test of a real device";
const char* const ResultsMeasured = "283::Results measured";
const char* const Measured = "284::measured %%1";
const char* const NoDate = "285::date not recorded";
const char* const Span = "286::%%1 to %%2";
const char* const SomeUndated = "287::%%1; date not recorded for some";
const char* const VerdictBy = "288::Verdict by";
const char* const Script = "289::Script";
}  // namespace words

// The room a signature takes on its line.
const QString kSignatureRule = QStringLiteral("______________________________");
const QString kDateRule = QStringLiteral("________________");

void reported(const rt::RuntimeError& error) {
  host::errors().ReportError(error, kSource);
}

QString standardName(Standard& standard) {
  const QString alpha = standard.AlphaName();
  return alpha.isEmpty() ? standard.CompleteName() : alpha;
}

class RecordPrinter {
 public:
  RecordPrinter(SequenceDocument& sequence, const std::shared_ptr<CanvasReport>& report)
      : sequence_(sequence), report_(report), out_(*report), record_(sequence.Record()) {
    for (int i = 0; i < sequence_.Count(); ++i) verdicts_.append(verdictOf(sequence_, i));
    SetFoot();
  }

  void Print() {
    Style(kTitleSize, true);
    Line(Word(words::Title));
    if (AnySimulated()) {
      // Plain on the first page: no such record proves a device safe.
      Style(kOverallSize, true);
      Line(Word(words::SimulatedRecord));
    }
    TitleBlock();
    Summary();
    Sections();
    Signature();
  }

 private:
  QString Word(const QString& key, const QVariantList& parameters = {}) {
    return rt::orDefault([&] { return out_.Translate(kProduct, key, parameters); },
                         LanguageService::DefaultText(key, parameters));
  }
  QString Word(const char* key, const QVariantList& parameters = {}) {
    if (!parameters.isEmpty()) return Word(QLatin1String(key), parameters);
    // The record asks for the same few words for every test.
    auto found = words_.constFind(key);
    if (found == words_.constEnd()) found = words_.insert(key, Word(QLatin1String(key)));
    return found.value();
  }

  // The report's own font and alignment, whatever a test's print left.
  void Style(double size, bool bold) {
    rt::ignoreErrors([&] {
      ReportFont& font = com::must(out_.Font());
      font.SetName(QStringLiteral("Arial"));
      font.SetSize(size);
      font.SetBold(bold);
      font.SetItalic(false);
      out_.SetTextAlignment(kLeft);
    });
  }

  void Line(const QString& text) {
    rt::ignoreErrors([&] { out_.Text(text); });
  }

  void Table(const QString& format, const QString& header, const QString& rows,
             rt::Long headerRows) {
    rt::ignoreErrors([&] {
      out_.TableFontSize(kTableSize);
      out_.TableGrid(false);
      out_.TableHeaderRows(headerRows);
      out_.AddTable(format, header, rows, 0, 0, 0);
    });
  }

  // A row of the record's tables, its first cell in the first column.
  static QString Row(const QStringList& cells) {
    QStringList quoted;
    for (const QString& cell : cells) quoted.append(report::quotedText(cell));
    return quoted.join(u'|') + u';';
  }

  static QString HeaderRow(const QStringList& captions) {
    QStringList cells;
    for (const QString& caption : captions)
      cells.append(QStringLiteral("{\\i\\b %1}").arg(report::quotedText(caption)));
    return cells.join(u'|') + u';';
  }

  void SetFoot() {
    const QString serial = record_.device.serialNumber;
    const QString serialText =
        serial.isEmpty() ? QString()
                         : translated(words::Labelled, {translated(words::Serial), serial});
    out_.setPageFoot([serialText](int page, int pages) {
      return PageFoot{serialText, translated(words::Page, {page, pages})};
    });
  }

  void TitleBlock() {
    const rt::Long width = rt::orDefault([&] { return out_.PageWidth(kWideTable); }, rt::Long{0});
    const QString format = QStringLiteral("<%1|<+%2;")
                               .arg(kCaptionWidth)
                               .arg(std::max<rt::Long>(width - kCaptionWidth, 0));
    QString rows;
    const auto row = [&](const char* caption, const QString& value) {
      rows += QStringLiteral("{\\b %1}|%2;")
                  .arg(report::quotedText(Word(caption)), report::quotedText(value));
    };
    row(words::Model, record_.device.model);
    row(words::Serial, record_.device.serialNumber);
    row(words::Asset, record_.device.assetNumber);
    row(words::Technician, record_.technician);
    row(words::DateTime, displayedRecordTime(record_.started));
    if (const QString span = MeasuredSpan(); !span.isEmpty()) row(words::ResultsMeasured, span);
    row(words::HostVersion, record_.hostVersion);
    row(words::PlugInVersion, record_.plugInVersion);
    Style(kTextSize, false);
    Table(format, HeaderRow({Word(words::Device), QString()}), rows, 1);
    AnalyzerTable(width);
  }

  void AnalyzerTable(rt::Long width) {
    const QList<QStringList> analyzers = AnalyzersUsed();
    if (analyzers.isEmpty()) return;
    const rt::Long column = std::max<rt::Long>(width / 3, 0);
    const QString format = QStringLiteral("<+%1|<+%1|<+%1;").arg(column);
    QString rows;
    for (const QStringList& analyzer : analyzers) rows += Row(analyzer);
    Table(format, HeaderRow({Word(words::Analyzer), Word(words::Serial), Word(words::Firmware)}),
          rows, 1);
  }

  // Type, serial number and firmware of each analyzer the results name,
  // in the order of the tests that first name it. An identity without a
  // serial number gets an entry of its own for every result, so entries are
  // told apart by what they say: one analyzer is one row however many
  // entries name it.
  QList<QStringList> AnalyzersUsed() const {
    QList<QStringList> rows;
    for (int i = 0; i < sequence_.Count(); ++i) {
      const MtiEntryPtr analyzer = sequence_.AnalyzerOf(i);
      if (!analyzer) continue;
      const QStringList row = rt::orDefault(
          [&] {
            return QStringList{analyzer->MtiType(), analyzer->Serial(), analyzer->Firmware()};
          },
          QStringList());
      if (!row.isEmpty() && !rows.contains(row)) rows.append(row);
    }
    return rows;
  }

  // "Analyzer: RV-15, Serial number: 4711, Firmware: 2.1" for the result of
  // the element; empty for an element without a result.
  QString AnalyzerText(int index) {
    const IResultDataPtr result = rt::orDefault(
        [&] { return com::must(sequence_.Element(index)).Result(); }, IResultDataPtr());
    if (!result || (result->MTIID() == 0 && result->Status() == resultstatus::NotEvaluated))
      return QString();
    QStringList fields;
    if (const MtiEntryPtr analyzer = sequence_.AnalyzerOf(index)) {
      fields.append(analyzer->MtiType());
      if (!analyzer->Serial().isEmpty())
        fields.append(Word(words::Labelled, {Word(words::Serial), analyzer->Serial()}));
      if (!analyzer->Firmware().isEmpty())
        fields.append(Word(words::Labelled, {Word(words::Firmware), analyzer->Firmware()}));
    } else {
      fields.append(Word(words::NotRecorded));
    }
    return Word(words::Labelled, {Word(words::Analyzer), fields.join(QStringLiteral(", "))});
  }

  QString StandardText(int index) {
    const QStringList names = judgingStandardNames(sequence_, index);
    if (!names.isEmpty()) return names.join(QStringLiteral("; "));
    const Verdict verdict = verdicts_.at(index).verdict;
    // A verdict without a standard behind it is the operator's, or the
    // script's that stood in for one.
    if (verdict != Verdict::Passed && verdict != Verdict::Failed) return QString();
    return JudgeText(sequence_.Marks(index).verdictBy);
  }

  // Who gave an operator's verdict, in the record's words.
  QString JudgeText(const QString& verdictBy) {
    const QString script = QStringLiteral("script:");
    if (verdictBy.startsWith(script))
      return Word(words::Labelled, {Word(words::Script), verdictBy.mid(script.size())});
    return Word(words::Operator);
  }

  QString VerdictText(const TestVerdict& verdict) {
    const QString verdictWords = Word(verdictTextKey(verdict.verdict));
    return verdict.reason.isEmpty() ? verdictWords
                                    : Word(words::Because, {verdictWords, verdict.reason});
  }

  // Whether the element holds a result a run measured (or at least judged).
  bool HoldsResult(int index) const {
    const Verdict verdict = verdicts_.at(index).verdict;
    return verdict != Verdict::Skipped && verdict != Verdict::Aborted &&
           verdict != Verdict::NotPerformed;
  }

  // Whether the element's result cannot be shown to come from the run the
  // record names: measured before it started, or when is not recorded.
  bool FromAnEarlierRun(int index) const {
    if (!HoldsResult(index)) return false;
    const QDateTime measured = QDateTime::fromString(sequence_.Marks(index).measured, Qt::ISODate);
    const QDateTime started = QDateTime::fromString(record_.started, Qt::ISODate);
    return !measured.isValid() || !started.isValid() || measured < started;
  }

  // The verdict, with when it was measured for a result of an earlier run.
  QString VerdictCell(int index) {
    const QString text = VerdictText(verdicts_.at(index));
    if (!FromAnEarlierRun(index)) return text;
    const QString measured = sequence_.Marks(index).measured;
    const QString when = measured.isEmpty()
                             ? Word(words::NoDate)
                             : Word(words::Measured, {displayedRecordTime(measured)});
    return Word(words::Because, {text, when});
  }

  bool AnySimulated() const {
    for (int i = 0; i < sequence_.Count(); ++i)
      if (HoldsResult(i) && sequence_.Marks(i).isSimulated()) return true;
    return false;
  }

  // From the first to the last time a result of the record was measured;
  // empty for a record without results.
  QString MeasuredSpan() {
    QList<QDateTime> dated;
    bool undated = false;
    for (int i = 0; i < sequence_.Count(); ++i) {
      if (!HoldsResult(i)) continue;
      const QDateTime measured = QDateTime::fromString(sequence_.Marks(i).measured, Qt::ISODate);
      if (measured.isValid())
        dated.append(measured);
      else
        undated = true;
    }
    if (dated.isEmpty()) return undated ? Word(words::NoDate) : QString();
    const auto [first, last] = std::minmax_element(dated.begin(), dated.end());
    const QString from = displayedRecordTime(recordTime(*first));
    const QString to = displayedRecordTime(recordTime(*last));
    const QString span = from == to ? from : Word(words::Span, {from, to});
    return undated ? Word(words::SomeUndated, {span}) : span;
  }

  void Summary() {
    const rt::Long width = rt::orDefault([&] { return out_.PageWidth(kWideTable); }, rt::Long{0});
    const rt::Long rest = std::max<rt::Long>(width - 800, 0);
    const QString format =
        QStringLiteral("<800|<+%1|<+%2|<+%2;").arg(rest * 2 / 5).arg(rest * 3 / 10);
    QString rows;
    QList<Verdict> verdicts;
    for (int row = 0; row < sequence_.RowCount(); ++row) {
      const int i = sequence_.ElementIndexOf(row);
      if (i < 0) {
        // A test the host cannot read is in the record all the same, and
        // what it holds is unknown: the record cannot read "Passed".
        const TestVerdict unread{Verdict::NotJudged, Word(words::Unreadable)};
        const XmlElementPtr stored = sequence_.StoredEntry(row);
        const auto attribute = [&](const char* name) {
          return stored ? rt::orDefault([&] { return stored->Attribute(QLatin1String(name)); },
                                        QString())
                        : QString();
        };
        rows += Row({attribute("TestID"), attribute("ClassName"), QString(), VerdictText(unread)});
        verdicts.append(unread.verdict);
        continue;
      }
      const ITestElementPtr element = sequence_.Element(i);
      const rt::Long testID = rt::orDefault([&] { return element->TestID(); }, rt::Long{0});
      rows += Row({QString::number(testID), testName(element), StandardText(i), VerdictCell(i)});
      verdicts.append(verdicts_.at(i).verdict);
    }
    const QString header = HeaderRow(
        {Word(words::Test), Word(words::Name), Word(words::Standard), Word(words::Verdict)});
    Style(kTextSize, false);
    Line(QString());
    Style(kTextSize, true);
    // The heading stays on the page of the table's header and first row.
    rt::ignoreErrors([&] {
      out_.TableFontSize(kTableSize);
      out_.TableHeaderRows(1);
      out_.keepTogether(out_.paragraphHeight(Word(words::Summary), kTextSize, true) +
                        out_.tableOpeningHeight(format, header, rows));
    });
    Line(Word(words::Summary));
    Style(kTextSize, false);
    Table(format, header, rows, 1);
    Style(kOverallSize, true);
    Line(Word(words::Labelled,
              {Word(words::Overall), Word(verdictTextKey(overallVerdict(verdicts)))}));
  }

  void Sections() {
    rt::ignoreErrors([&] { out_.NewPage(); });
    for (int i = 0; i < sequence_.Count(); ++i) {
      const ITestElementPtr element = sequence_.Element(i);
      Style(kTextSize, false);
      const TestVerdict& verdict = verdicts_.at(i);
      // The analyzer goes with the result it measured: a section without one
      // names none.
      const bool printsResult = verdict.verdict != Verdict::Skipped &&
                                verdict.verdict != Verdict::Aborted &&
                                verdict.verdict != Verdict::NotPerformed;
      if (!printsResult) {
        // Nothing of this run to show: what the test was set to do, and why
        // there is no result.
        rt::ignoreErrors([&] {
          printTestHeading(out_, element->Info(), element->TestID());
          com::must(element->Configuration()).PrintReport(report_);
        });
      } else {
        auto ctx = std::make_shared<RunContext>();
        ctx->setSelectedStandards(sequence_.JudgedBy(i));
        rt::onError([&] { com::must(element).PrintReport(report_, com::toVariantOf(ctx)); },
                    [&](const rt::RuntimeError& error) { reported(error); });
      }
      // Clear of what the test's print drew last (a curve's frame), in the
      // record's own style whatever alignment that print left.
      rt::ignoreErrors([&] { out_.SetCurrentY(out_.CurrentY() + kGapBeforeVerdict); });
      Style(kTextSize, false);
      if (printsResult) {
        if (const QString analyzer = AnalyzerText(i); !analyzer.isEmpty()) Line(analyzer);
        const ResultMarks marks = sequence_.Marks(i);
        if (marks.isSimulated()) Line(Word(words::SimulatedRecord));
        if (!marks.verdictBy.isEmpty())
          Line(Word(words::Labelled, {Word(words::VerdictBy), JudgeText(marks.verdictBy)}));
      }
      StoredCopiesTable(i);
      Style(kTextSize, true);
      Line(Word(words::Labelled, {Word(words::Verdict), VerdictCell(i)}));
      Style(kTextSize, false);
      Line(QString());
    }
  }

  // A part stored twice: the test's print shows one copy, this every copy.
  void StoredCopiesTable(int index) {
    const StoredCopies copies = storedCopies(sequence_, index);
    if (!copies.twice()) return;
    const rt::Long width = rt::orDefault([&] { return out_.PageWidth(kWideTable); }, rt::Long{0});
    const rt::Long column = std::max<rt::Long>(width / 4, 0);
    QString rows;
    for (const QStringList& row : storedCopiesRows(copies)) rows += Row(row);
    Style(kTextSize, true);
    Line(storedCopiesHeading());
    Style(kTextSize, false);
    Table(QStringLiteral("<+%1|<+%1|<+%1|<+%1;").arg(column), HeaderRow(storedCopiesCaptions()),
          rows, 1);
  }

  void Signature() {
    Style(kTextSize, false);
    const QString technician = Word(words::Labelled, {Word(words::Technician), record_.technician});
    const QString signature =
        QStringLiteral("%1 %2        %3 %4")
            .arg(Word(words::Labelled, {Word(words::Signature), QString()}).trimmed(),
                 kSignatureRule, Word(words::Labelled, {Word(words::Date), QString()}).trimmed(),
                 kDateRule);
    rt::ignoreErrors(
        [&] { out_.keepTogether(out_.TextHeight(technician) * 4 + out_.TextHeight(signature)); });
    Line(QString());
    Line(technician);
    Line(QString());
    Line(QString());
    Line(signature);
  }

  SequenceDocument& sequence_;
  std::shared_ptr<CanvasReport> report_;
  CanvasReport& out_;
  SequenceRecord record_;
  QList<TestVerdict> verdicts_;
  QHash<const char*, QString> words_;
};

void setUpReport(CanvasReport& report) {
  report.setOutputKind(kOutputWithWaveform);
  report.setOptionFlags(kPrintDischargeCurve);
}

}  // namespace

QStringList judgingStandardNames(const SequenceDocument& sequence, int index) {
  QStringList names;
  // Only a verdict was judged by anything; a stored pass its values
  // contradict still names what it claims judged it.
  const Verdict verdict = verdictOf(sequence, index).verdict;
  if (verdict != Verdict::Passed && verdict != Verdict::Failed &&
      passContradiction(sequence, index).isEmpty())
    return names;
  // Held here: a loop over what a temporary points to outlives it.
  const auto standards = sequence.JudgedBy(index);
  for (const StandardPtr& standard : *standards) names.append(standardName(*standard));
  return names;
}

std::shared_ptr<CanvasReport> printRecordReport(SequenceDocument& sequence,
                                                const QString& pdfFile) {
  auto report = std::make_shared<CanvasReport>(pdfFile);
  printRecordReport(sequence, report);
  return report;
}

void printRecordReport(SequenceDocument& sequence, const std::shared_ptr<CanvasReport>& report) {
  setUpReport(*report);
  RecordPrinter(sequence, report).Print();
  report->finish();
}

}  // namespace host
