#include "sequence/SequenceDocument.h"

#include "com/CreateObject.h"
#include "limits/Standard.h"
#include "limits/StandardsCollection.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "services/ErrorService.h"
#include "services/NumberFormatter.h"
#include "typelib/ILimitData.h"
#include "typelib/IResultData.h"
#include "typelib/ITestElement.h"
#include "xml/XmlDocument.h"
#include "xml/XmlTree.h"

namespace host {

namespace {

const QString kSource = QStringLiteral("TestSequence");
const QString kRoot = QStringLiteral("TestSequence");
const QString kEntry = QStringLiteral("TestElement");
const QString kClassName = QStringLiteral("ClassName");
const QString kRunOutcome = QStringLiteral("RunOutcome");

// The run's record, in the order its children are made.
const QString kDevice = QStringLiteral("DeviceUnderTest");
const QString kTechnician = QStringLiteral("Technician");
const QString kRun = QStringLiteral("Run");
const QString kRecordOrder[] = {kDevice, kTechnician, kRun};

// Where each field of the record is stored: an attribute of a record
// element, or (without attribute) its text.
struct RecordField {
  const QString& element;
  const char* attribute;
  QString& (*field)(SequenceRecord&);
};
const RecordField kRecordFields[] = {
    {kDevice, "Model", [](SequenceRecord& r) -> QString& { return r.device.model; }},
    {kDevice, "SerialNumber", [](SequenceRecord& r) -> QString& { return r.device.serialNumber; }},
    {kDevice, "AssetNumber", [](SequenceRecord& r) -> QString& { return r.device.assetNumber; }},
    {kTechnician, nullptr, [](SequenceRecord& r) -> QString& { return r.technician; }},
    {kRun, "Started", [](SequenceRecord& r) -> QString& { return r.started; }},
    {kRun, "Ended", [](SequenceRecord& r) -> QString& { return r.ended; }},
    {kRun, "HostVersion", [](SequenceRecord& r) -> QString& { return r.hostVersion; }},
    {kRun, "PlugInVersion", [](SequenceRecord& r) -> QString& { return r.plugInVersion; }},
};
const QString kSelected = QStringLiteral("Selected");
const QString kAlphaName = QStringLiteral("AlphaName");
const QString kCompleteName = QStringLiteral("CompleteName");

// A standard known by its names only.
StandardPtr named(const QString& alphaName, const QString& completeName) {
  auto standard = std::make_shared<Standard>();
  standard->Init(alphaName, completeName, 0);
  return standard;
}

// The children an element loads, in the order it loads them.
const QString kParts[] = {QStringLiteral("Info"), QStringLiteral("PlugInData"),
                          QStringLiteral("ExpectedResult"), QStringLiteral("ResultItem")};

bool isPart(const QString& tag) {
  for (const QString& part : kParts)
    if (part == tag) return true;
  return false;
}

int reportedSoFar() {
  return static_cast<int>(ErrorService::instance()->reported().size());
}

QString where(const XmlElement& node) {
  return node.lineNumber() > 0 ? QStringLiteral(" (line %1)").arg(node.lineNumber()) : QString();
}

[[noreturn]] void badEntry(const XmlElement& node, const QString& text) {
  rt::raise(sequenceerr::BadEntry, kSource, text + where(node));
}

// A whole number written in an attribute, or a bad entry.
rt::Long numberAttribute(XmlElement& node, const QString& name) {
  const QString text = node.Attribute(name).trimmed();
  return rt::onError(
      [&] { return rt::toLong(QVariant(text)); },
      [&](const rt::RuntimeError&) -> rt::Long {
        badEntry(node,
                 QStringLiteral("%1 \"%2\" is not a whole number").arg(name, node.Attribute(name)));
      });
}

// The child elements, in their order.
QList<XmlElementPtr> childrenOf(XmlElement& node) {
  QList<XmlElementPtr> children;
  const XmlNodeListPtr list = node.ChildNodes();
  for (rt::Long i = 0; i < list->Length(); ++i) children.append(list->Item(i));
  return children;
}

}  // namespace

SequenceDocument::SequenceDocument() = default;
SequenceDocument::~SequenceDocument() = default;

void SequenceDocument::Report(const rt::RuntimeError& error) {
  ErrorService::instance()->ReportError(error, kSource);
}

void SequenceDocument::Load(const QString& path, const HostLogPtr& log) {
  auto document = std::make_shared<XmlDocument>();
  document->Load(path);
  ReadDocument(document, log);
}

void SequenceDocument::LoadXml(const QString& text, const HostLogPtr& log) {
  auto document = std::make_shared<XmlDocument>();
  document->LoadXml(text);
  ReadDocument(document, log);
}

void SequenceDocument::ReadDocument(const XmlDocumentPtr& document, const HostLogPtr& log) {
  const XmlElementPtr root = document->DocumentElement();
  const QString rootName = root ? root->TagName() : QString();
  if (rootName != kRoot)
    rt::raise(sequenceerr::NotASequence, kSource,
              QStringLiteral("The document is no test sequence: its root is \"%1\", not \"%2\"")
                  .arg(rootName, kRoot));
  const int start = reportedSoFar();
  entries_.clear();
  elements_.clear();
  for (const XmlElementPtr& node : childrenOf(*root)) {
    if (node->TagName() == kEntry)
      entries_.append(ReadEntry(node, log));
    else
      entries_.append(Entry{nullptr, QString(), node, {}, {}, {}});
  }
  IndexElements();
  reported_ = reportedSoFar() - start;
}

SequenceDocument::Entry SequenceDocument::ReadEntry(const XmlElementPtr& node,
                                                    const HostLogPtr& log) {
  Entry entry{nullptr, node->Attribute(kClassName).trimmed(), node, {}, {}, {}};
  const bool created = rt::onError(
      [&] {
        if (entry.className.isEmpty())
          badEntry(*node, QStringLiteral("A test element has no ClassName"));
        ITestElementPtr element = com::createObjectAs<ITestElement>(entry.className);
        if (!element)
          badEntry(*node, QStringLiteral("\"%1\" gives no test element").arg(entry.className));
        if (node->hasAttribute(QStringLiteral("TestID"))) {
          const rt::Long stored = numberAttribute(*node, QStringLiteral("TestID"));
          if (stored != element->TestID())
            badEntry(*node, QStringLiteral("TestID %1 is not the test ID of %2 (%3)")
                                .arg(stored)
                                .arg(entry.className)
                                .arg(element->TestID()));
        }
        if (node->hasAttribute(QStringLiteral("ID")))
          element->SetID(numberAttribute(*node, QStringLiteral("ID")));
        entry.element = element;
        return true;
      },
      [&](const rt::RuntimeError& error) {
        // Every report names where the entry is.
        Report(
            error.Number() == sequenceerr::BadEntry
                ? error
                : rt::RuntimeError(error.Number(), error.Source(),
                                   QStringLiteral("%1: %2%3")
                                       .arg(entry.className, error.Description(), where(*node))));
        return false;
      });
  if (!created) return entry;

  const QList<XmlElementPtr> children = childrenOf(*node);
  for (const XmlElementPtr& child : children) {
    if (child->TagName() == kRunOutcome) {
      entry.runOutcome = child->Text().trimmed();
    } else if (child->TagName() == kSelected) {
      if (!entry.selected) entry.selected = std::make_shared<StandardsCollection>();
      entry.selected->Add(named(child->Attribute(kAlphaName), child->Attribute(kCompleteName)));
    } else if (!isPart(child->TagName())) {
      entry.kept.append(child);
    }
  }
  for (const QString& part : kParts) {
    for (const XmlElementPtr& child : children) {
      if (child->TagName() != part) continue;
      const int before = reportedSoFar();
      rt::onError([&] { entry.element->Load(child, log); },
                  [&](const rt::RuntimeError& error) { Report(error); });
      // The element may have reported the failure itself; either way the
      // child is kept as it was stored.
      if (reportedSoFar() > before) entry.kept.append(child);
    }
  }
  return entry;
}

void SequenceDocument::Save(const QString& path) {
  Write()->SaveFile(path);
}

QString SequenceDocument::ToXml() {
  return Write()->toString(2);
}

XmlDocumentPtr SequenceDocument::Write() {
  const int start = reportedSoFar();
  auto document = std::make_shared<XmlDocument>();
  document->addInstruction(QStringLiteral("xml"),
                           QStringLiteral("version=\"1.0\" encoding=\"UTF-8\""));
  const XmlElementPtr root = document->CreateElement(kRoot);
  document->SetDocumentElement(root);
  for (const Entry& entry : entries_) {
    XmlElementPtr saved;
    if (entry.element)
      rt::onError([&] { entry.element->Save(document, QVariant(), saved); },
                  [&](const rt::RuntimeError& error) { Report(error); });
    if (!saved) {
      // Kept as stored: not an element, or one that could not be saved.
      if (entry.stored) root->AppendChild(entry.stored);
      continue;
    }
    if (!entry.className.isEmpty()) {
      // The class name leads, as in every stored sequence.
      auto& attributes = saved->node()->attributes;
      attributes.removeIf([](const auto& a) { return a.first == kClassName; });
      attributes.prepend({kClassName, entry.className});
    }
    // A part kept as stored takes the place of the one the element wrote.
    for (const XmlElementPtr& kept : entry.kept) {
      if (!isPart(kept->TagName())) continue;
      for (const XmlElementPtr& own : childrenOf(*saved))
        if (own->TagName() == kept->TagName()) saved->removeChild(own);
    }
    if (entry.selected) {
      for (const StandardPtr& standard : *entry.selected) {
        const XmlElementPtr choice = document->CreateElement(kSelected);
        choice->SetAttribute(kAlphaName, standard->AlphaName());
        choice->SetAttribute(kCompleteName, standard->CompleteName());
        saved->AppendChild(choice);
      }
    }
    if (!entry.runOutcome.isEmpty()) saved->AddChild(kRunOutcome, entry.runOutcome);
    for (const XmlElementPtr& kept : entry.kept) saved->AppendChild(kept);
    root->AppendChild(saved);
  }
  reported_ = reportedSoFar() - start;
  return document;
}

int SequenceDocument::Count() const {
  return static_cast<int>(elements_.size());
}

const SequenceDocument::Entry* SequenceDocument::ElementEntry(int index) const {
  if (index < 0 || index >= elements_.size()) return nullptr;
  return &entries_.at(elements_.at(index));
}

SequenceDocument::Entry* SequenceDocument::ElementEntry(int index) {
  return const_cast<Entry*>(std::as_const(*this).ElementEntry(index));
}

ITestElementPtr SequenceDocument::Element(int index) const {
  const Entry* entry = ElementEntry(index);
  return entry ? entry->element : nullptr;
}

QString SequenceDocument::ClassName(int index) const {
  const Entry* entry = ElementEntry(index);
  return entry ? entry->className : QString();
}

void SequenceDocument::Append(const ITestElementPtr& element, const QString& className) {
  com::must(element);
  entries_.append(Entry{element, className, nullptr, {}, {}, {}});
  elements_.append(entries_.size() - 1);
}

void SequenceDocument::TakeFromElement(int index) {
  Entry* entry = ElementEntry(index);
  if (!entry) return;
  entry->kept.removeIf([](const XmlElementPtr& kept) { return isPart(kept->TagName()); });
}

bool SequenceDocument::KeptAsStored(int index, const QString& part) const {
  const Entry* entry = ElementEntry(index);
  if (!entry) return false;
  for (const XmlElementPtr& kept : entry->kept)
    if (kept->TagName() == part) return true;
  return false;
}

QString SequenceDocument::RunOutcome(int index) const {
  const Entry* entry = ElementEntry(index);
  return entry ? entry->runOutcome : QString();
}

void SequenceDocument::SetRunOutcome(int index, const QString& outcome) {
  if (Entry* entry = ElementEntry(index)) entry->runOutcome = outcome;
}

void SequenceDocument::IndexElements() {
  elements_.clear();
  for (qsizetype i = 0; i < entries_.size(); ++i)
    if (entries_.at(i).element) elements_.append(i);
}

XmlElementPtr SequenceDocument::RecordNode(const QString& name) const {
  for (const Entry& entry : entries_)
    if (!entry.element && entry.stored && entry.className.isEmpty() &&
        entry.stored->TagName() == name)
      return entry.stored;
  return nullptr;
}

XmlElementPtr SequenceDocument::RecordNodeMade(const QString& name) {
  if (XmlElementPtr node = RecordNode(name)) return node;
  // After the record's children that come before it, else first.
  qsizetype at = 0;
  for (const QString& before : kRecordOrder) {
    if (before == name) break;
    for (qsizetype i = 0; i < entries_.size(); ++i) {
      const Entry& entry = entries_.at(i);
      if (!entry.element && entry.stored && entry.className.isEmpty() &&
          entry.stored->TagName() == before)
        at = std::max(at, i + 1);
    }
  }
  if (!own_) own_ = std::make_shared<XmlDocument>();
  const XmlElementPtr node = own_->CreateElement(name);
  entries_.insert(at, Entry{nullptr, QString(), node, {}, {}, {}});
  IndexElements();
  return node;
}

SequenceRecord SequenceDocument::Record() const {
  SequenceRecord record;
  for (const RecordField& place : kRecordFields) {
    const XmlElementPtr node = RecordNode(place.element);
    if (!node) continue;
    place.field(record) =
        place.attribute ? node->Attribute(QLatin1String(place.attribute)) : node->Text().trimmed();
  }
  return record;
}

void SequenceDocument::SetRecord(const SequenceRecord& record) {
  SequenceRecord given = record;
  for (const RecordField& place : kRecordFields) {
    const QString& value = place.field(given);
    if (value.isEmpty()) continue;
    const XmlElementPtr node = RecordNodeMade(place.element);
    if (place.attribute)
      node->SetAttribute(QLatin1String(place.attribute), value);
    else
      node->SetText(value);
  }
}

void SequenceDocument::SetRunTimes(const QString& started, const QString& ended) {
  const XmlElementPtr node = RecordNodeMade(kRun);
  for (auto [name, value] :
       {std::pair{QStringLiteral("Started"), started}, std::pair{QStringLiteral("Ended"), ended}}) {
    if (!value.isEmpty())
      node->SetAttribute(name, value);
    else
      node->node()->attributes.removeIf([&](const auto& a) { return a.first == name; });
  }
}

StandardsCollectionPtr SequenceDocument::Selected(int index) const {
  const Entry* entry = ElementEntry(index);
  return entry ? entry->selected : nullptr;
}

void SequenceDocument::SetSelected(int index, const StandardsCollectionPtr& selected) {
  Entry* entry = ElementEntry(index);
  if (!entry) return;
  if (!selected || selected->Count() == 0) {
    entry->selected.reset();
    return;
  }
  entry->selected = std::make_shared<StandardsCollection>();
  for (const StandardPtr& standard : *selected)
    entry->selected->Add(named(standard->AlphaName(), standard->CompleteName()));
}

StandardsCollectionPtr SequenceDocument::JudgingStandards(int index) const {
  auto judging = std::make_shared<StandardsCollection>();
  const ITestElementPtr element = Element(index);
  const StandardsCollectionPtr own = rt::orDefault(
      [&] { return com::must(com::must(element).Limits()).Standards(); }, StandardsCollectionPtr());
  if (const StandardsCollectionPtr stored = Selected(index)) {
    for (const StandardPtr& name : *stored) {
      const StandardPtr found =
          own ? own->Find(0, name->AlphaName(), name->CompleteName()) : nullptr;
      judging->Add(found ? found->Copy() : name);
    }
  } else if (own && own->Count() > 0) {
    judging->Add(own->Item(1)->Copy());
  }
  return judging;
}

StandardsCollectionPtr SequenceDocument::JudgedBy(int index) const {
  const ITestElementPtr element = Element(index);
  const IVerdictPtr verdict = com::queryInterface<IVerdict>(
      rt::orDefault([&] { return com::must(element).Result(); }, IResultDataPtr()));
  const StandardsCollectionPtr named =
      verdict ? rt::orDefault([&] { return verdict->JudgedBy(); }, StandardsCollectionPtr())
              : nullptr;
  return named && named->Count() > 0 ? named : JudgingStandards(index);
}

void SequenceDocument::Clear() {
  entries_.clear();
  elements_.clear();
  reported_ = 0;
}

}  // namespace host
