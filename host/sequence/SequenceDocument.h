#pragma once
// The host's stored sequence of test elements, one XML file: a
// "TestSequence" of "TestElement" entries, the run's record before the
// first test and the analyzer identities ("MTIList"). Loading makes each
// entry an element; saving writes it back with nothing that was stored
// lost. What the host cannot read, or would not write back as it was
// stored, is kept as stored and reported through the error service as it
// is met; Problems() lists what the last Load or Save met. The file's form
// and what is kept: docs/reference/sequence-and-records.md.

#include <QList>
#include <QMap>
#include <QStringList>

#include "runtime/RuntimeError.h"
#include "sequence/SequenceRecord.h"
#include "typelib/HostTypes.h"

namespace host {

namespace xmltree {
struct Node;
class StreamWriter;
}  // namespace xmltree

namespace sequenceerr {
// The document's root is not "TestSequence".
constexpr rt::Long NotASequence = rt::hresult(0x80048B01);
// An entry that cannot become a test element.
constexpr rt::Long BadEntry = rt::hresult(0x80048B02);
// A part written back as stored: written anew it would lose some of it.
constexpr rt::Long PartNotKept = rt::hresult(0x80048B05);
// An entry with a part twice: which one counts cannot be told.
constexpr rt::Long DuplicatePart = rt::hresult(0x80048B06);
// An analyzer identity of "MTIList" that cannot be read.
constexpr rt::Long BadIdentity = rt::hresult(0x80048B07);
}  // namespace sequenceerr

namespace runoutcome {
inline const QString Skipped = QStringLiteral("Skipped");
inline const QString Aborted = QStringLiteral("Aborted");
}  // namespace runoutcome

class SequenceDocument {
 public:
  SequenceDocument();
  ~SequenceDocument();
  SequenceDocument(const SequenceDocument&) = delete;
  SequenceDocument& operator=(const SequenceDocument&) = delete;

  // Replaces the sequence by the file's. A file that cannot be read raises
  // its file error (53, 52..76), a malformed one error 5, one whose root is
  // not "TestSequence" NotASequence; the sequence is unchanged then.
  void Load(const QString& path, const HostLogPtr& log = nullptr);
  // Load, but of the tests' settings and limits only: every result, run
  // outcome and the record of the runs (device, technician, times,
  // analyzers) left out, so that a run for another device carries nothing
  // measured on the one the file was made for.
  void LoadSettingsOnly(const QString& path, const HostLogPtr& log = nullptr);
  void LoadSettingsOnlyXml(const QString& text, const HostLogPtr& log = nullptr);
  // What the file records of its run, and whether it holds any result,
  // without making its elements; Load's errors.
  struct StoredRun {
    SequenceRecord record;
    bool holdsResults = false;
  };
  static StoredRun ReadStoredRun(const QString& path);
  void LoadXml(const QString& text, const HostLogPtr& log = nullptr);
  // Writes the sequence; a file error raises and nothing is written. An
  // element whose save fails is reported and written as it was read.
  void Save(const QString& path);
  QString ToXml();

  // The test elements, in their order.
  int Count() const;
  // From 0; Nothing outside. The element handed out may be changed: it is
  // saved anew whenever the sequence is written.
  ITestElementPtr Element(int index) const;
  QString ClassName(int index) const;
  void Append(const ITestElementPtr& element, const QString& className);
  // After a run that gave the element a new final result: its own result
  // is written from now on, not the one kept as stored.
  void TakeFromElement(int index);
  // Whether that part of the element ("PlugInData", ...) is written as it
  // was stored, because it could not be loaded or would not be kept.
  bool KeptAsStored(int index, const QString& part) const;
  // Whether the element holds the settings and limits that were stored:
  // false when they (or the whole entry) are kept as stored, so that a run
  // would use others.
  bool SettingsRead(int index) const;
  // The standards selected for the element, by name (without limits), as
  // stored or as set; Nothing when the document holds no choice for it.
  StandardsCollectionPtr Selected(int index) const;
  void SetSelected(int index, const StandardsCollectionPtr& selected);
  // What a run judges the element by: the selected standards as its limit
  // set holds them (a name it lacks stays a bare name, which judges
  // nothing); without a stored choice the first standard of its limit set.
  StandardsCollectionPtr JudgingStandards(int index) const;
  // What the element's result was judged by, for its report: the standards
  // its result names (IVerdict) as its limit set holds them, else
  // JudgingStandards.
  StandardsCollectionPtr JudgedBy(int index) const;
  // What the document records of the element's result beside it
  // (SequenceRecord.h): read with the result, written into its
  // "ResultItem", never part of the result itself.
  ResultMarks Marks(int index) const;
  void SetMarks(int index, const ResultMarks& marks);
  // Whether the element's result came from the document (a "ResultItem"
  // was stored) and no run has given it a new one since.
  bool HoldsStoredResult(int index) const;
  // What the last run did with the element instead of judging it
  // (runoutcome::Skipped, runoutcome::Aborted); empty when it did neither.
  QString RunOutcome(int index) const;
  void SetRunOutcome(int index, const QString& outcome);

  // The run's record: device, technician, times and versions, as stored
  // or as set.
  SequenceRecord Record() const;
  // Writes each field of the record that is not empty; an empty one leaves
  // what is stored.
  void SetRecord(const SequenceRecord& record);
  // Writes the device and the technician as they are given, a field given
  // empty taken away (one a technician cleared).
  void SetDevice(const DeviceUnderTest& device, const QString& technician);
  // Writes both times of the run, an empty one taken away: a run that has
  // started and not ended has no end.
  void SetRunTimes(const QString& started, const QString& ended);
  void Clear();

  // The rows of the sequence as a technician sees it: every "TestElement"
  // entry in its order, whether it became an element or is kept as stored
  // because it could not (such a row is never run, and is written back as
  // it was read). The other children of the root stay where they are.
  int RowCount() const;
  // The element index of a row, for the members above; -1 for a row kept
  // as stored and outside the rows.
  int ElementIndexOf(int row) const;
  // What the row's entry was stored as; Nothing for an element added since.
  XmlElementPtr StoredEntry(int row) const;
  // Why the row's entry could not become an element; empty for an element.
  QString Problem(int row) const;
  // Moves a row to another place among the rows, the others keeping their
  // order; rows outside the rows change nothing.
  void MoveRow(int from, int to);
  void RemoveRow(int row);

  // The analyzer identities: those stored in "MTIList" and those added
  // since (a run's context registers into this list). Each entry has its
  // product, index, model type, serial number and firmware version.
  const MtiListPtr& Identities() const { return identities_; }
  // The identity of the element's result (by its "MTI" index), or Nothing.
  MtiEntryPtr AnalyzerOf(int index) const;

  // The problems the last Load or Save met, in order, each reported
  // through the error service as it was met.
  const QList<rt::RuntimeError>& Problems() const { return problems_; }

 private:
  struct Entry {
    ITestElementPtr element;  // Nothing: the entry is kept as stored
    QString className;
    std::shared_ptr<xmltree::Node> stored;  // as read; Nothing for one appended
    bool identities = false;                // the "MTIList"
    bool keptWhole = false;                 // written exactly as stored
    QStringList keptParts;                  // parts written as stored
    bool resultRenewed = false;             // its result is a new run's
    // Each part as the element wrote it right after the load.
    QMap<QString, std::shared_ptr<xmltree::Node>> loadedParts;
    // The element as it wrote itself right after the load, while it cannot
    // have changed since: until it is handed out (Element).
    mutable std::shared_ptr<xmltree::Node> savedAtLoad;
    StandardsCollectionPtr selected;  // "Selected", by name
    QString runOutcome;               // "RunOutcome"
    ResultMarks marks;                // on "ResultItem"
    bool storedResult = false;        // a "ResultItem" was read
    QString problem;                  // why the entry is no element
  };

  static Entry StoredNode(const std::shared_ptr<xmltree::Node>& node, bool identities = false);
  void ReadDocument(const XmlDocumentPtr& document, const HostLogPtr& log);
  void ReadSettingsOnly(const XmlDocumentPtr& document, const HostLogPtr& log);
  Entry ReadEntry(const XmlElementPtr& node, const HostLogPtr& log);
  void ReadParts(Entry& entry, const XmlElementPtr& node, const HostLogPtr& log);
  void CheckKept(Entry& entry, const XmlElementPtr& node);
  void ShareWithStored(Entry& entry, const QString& part,
                       const std::shared_ptr<xmltree::Node>& stored,
                       const std::shared_ptr<xmltree::Node>& own);
  void ReadIdentities(const XmlElementPtr& node);
  // The sequence as a document; with a stream, each node goes there as it
  // is made instead, and what is answered holds only what lies before it.
  XmlDocumentPtr Write(xmltree::StreamWriter* stream = nullptr);
  void WriteEntry(const Entry& entry, const XmlDocumentPtr& document, XmlElement& root);
  void WriteAsStored(const Entry& entry, const XmlDocumentPtr& document, XmlElement& root);
  void WriteMerged(const Entry& entry, const XmlElementPtr& saved, XmlElement& root);
  // The entry's choice of standards as "Selected" elements.
  QList<XmlElementPtr> SelectedElements(const Entry& entry, const XmlDocumentPtr& document);
  void WriteIdentities(const Entry* stored, const XmlDocumentPtr& document, XmlElement& root);
  void Report(const rt::RuntimeError& error);
  const Entry* ElementEntry(int index) const;
  Entry* ElementEntry(int index);
  // The root's child of that name that is no test element; Nothing when
  // there is none.
  XmlElementPtr RecordNode(const QString& name) const;
  // That child, made before the first test when there is none.
  XmlElementPtr RecordNodeMade(const QString& name);
  // Where in entries_ each row is.
  const QList<qsizetype>& Rows() const;
  void IndexElements();

  XmlDocumentPtr read_;  // the document as read: what the entries keep lies in it
  QList<Entry> entries_;
  // Where in entries_ each test element and each row is, and the element
  // index of each row (-1 for none), so that a walk over the elements or
  // the rows by index stays linear.
  QList<qsizetype> elements_;
  QList<qsizetype> rows_;
  QList<int> rowElements_;
  MtiListPtr identities_;
  QList<MtiEntryPtr> storedIdentities_;  // written back as stored
  QList<rt::RuntimeError> problems_;
  // Where the record's children are made when the document has none.
  XmlDocumentPtr own_;
};

}  // namespace host
