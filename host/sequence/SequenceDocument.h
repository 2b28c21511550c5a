#pragma once
// The host's stored sequence of test elements, one XML file:
//   <?xml version="1.0" encoding="UTF-8"?>
//   <TestSequence>
//     <TestElement ClassName="RV1XTests.CTestDischarge" TestID="200" ID="1">
//       <Info Name="..." Type="..." Parameter="..." Description="..."/>
//       <PlugInData PlugIn="RV-1X">...</PlugInData>
//       <ExpectedResult>...</ExpectedResult>
//       <ResultItem>...</ResultItem>
//       <Selected AlphaName="..." CompleteName="..."/> ...
//       <RunOutcome>Skipped</RunOutcome>
//     </TestElement>
//   </TestSequence>
// "Selected" names a standard of the element's limit set that its runs are
// judged by, one per standard; the document holds it for the element, the
// element itself knows nothing of it. An element without one is judged by
// the first standard of its limit set. "RunOutcome" says what the last run
// did with a test instead of judging it ("Skipped", "Aborted"), held the
// same way. The run's record (SequenceRecord.h) comes before the first test.
// Each element is created by its registered name ("ClassName") and handed
// its children one at a time through ITestElement::Load: the info, then
// the configuration, then the limit set, then the result, whatever their
// order in the file, so that a result is always initialised from the
// configuration it belongs to. Every attribute and child is optional but
// "ClassName".
//
// Nothing that was stored is lost: a child the host does not know, and a
// child whose load failed, are kept and written back unchanged; an entry
// that cannot become an element (no class name, a class that cannot be
// created, a "TestID" that is not its class's, an "ID" that is no number)
// and any other child of the root are kept and written back in their
// place. Each such problem is reported through the host's ErrorService as
// it is met.

#include <QList>

#include "runtime/RuntimeError.h"
#include "sequence/SequenceRecord.h"
#include "typelib/HostTypes.h"

namespace host {

namespace sequenceerr {
// The document's root is not "TestSequence".
constexpr rt::Long NotASequence = rt::hresult(0x80048B01);
// An entry that cannot become a test element.
constexpr rt::Long BadEntry = rt::hresult(0x80048B02);
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
  void LoadXml(const QString& text, const HostLogPtr& log = nullptr);
  // Writes the sequence; a file error raises and nothing is written. An
  // element whose save fails is reported and written as it was read.
  void Save(const QString& path);
  QString ToXml();

  // The test elements, in their order.
  int Count() const;
  ITestElementPtr Element(int index) const;  // from 0; Nothing outside
  QString ClassName(int index) const;
  void Append(const ITestElementPtr& element, const QString& className);
  // From now on the element's own parts are written, not the children
  // kept because they could not be loaded (call it after a run).
  void TakeFromElement(int index);
  // Whether that part of the element ("PlugInData", ...) is written as it
  // was stored, because it could not be loaded.
  bool KeptAsStored(int index, const QString& part) const;
  // The standards selected for the element, by name (without limits), as
  // stored or as set; Nothing when the document holds no choice for it.
  StandardsCollectionPtr Selected(int index) const;
  void SetSelected(int index, const StandardsCollectionPtr& selected);
  // What a run judges the element by: the selected standards as its limit
  // set holds them (a name it lacks stays a bare name, which judges
  // nothing); without a stored choice the first standard of its limit set.
  StandardsCollectionPtr JudgingStandards(int index) const;
  // What the element's result was judged by, for its report: the standards
  // its result names (IVerdict), else JudgingStandards.
  StandardsCollectionPtr JudgedBy(int index) const;
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
  // Writes both times of the run, an empty one taken away: a run that has
  // started and not ended has no end.
  void SetRunTimes(const QString& started, const QString& ended);
  void Clear();

  // Problems reported by the last Load or Save.
  int Reported() const { return reported_; }

 private:
  struct Entry {
    ITestElementPtr element;  // Nothing: the entry is kept as stored
    QString className;
    XmlElementPtr stored;
    QList<XmlElementPtr> kept;        // unknown children and those that failed to load
    StandardsCollectionPtr selected;  // "Selected", by name
    QString runOutcome;               // "RunOutcome"
  };

  void ReadDocument(const XmlDocumentPtr& document, const HostLogPtr& log);
  Entry ReadEntry(const XmlElementPtr& node, const HostLogPtr& log);
  XmlDocumentPtr Write();
  void Report(const rt::RuntimeError& error);
  const Entry* ElementEntry(int index) const;
  Entry* ElementEntry(int index);
  // The root's child of that name that is no test element; Nothing when
  // there is none.
  XmlElementPtr RecordNode(const QString& name) const;
  // That child, made before the first test when there is none.
  XmlElementPtr RecordNodeMade(const QString& name);
  void IndexElements();

  QList<Entry> entries_;
  // Where in entries_ each test element is, so that a walk over the
  // elements by index stays linear.
  QList<qsizetype> elements_;
  int reported_ = 0;
  // Where the record's children are made when the document has none.
  XmlDocumentPtr own_;
};

}  // namespace host
