#include "sequence/SequenceDocument.h"

#include <algorithm>

#include "com/CreateObject.h"
#include "elements/ElementErrors.h"
#include "limits/Standard.h"
#include "limits/StandardsCollection.h"
#include "records/RunObjects.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "services/ErrorService.h"
#include "services/NumberFormatter.h"
#include "typelib/ILimitData.h"
#include "typelib/IResultData.h"
#include "typelib/ITestElement.h"
#include "xml/XmlDocument.h"
#include "xml/XmlKeeping.h"
#include "xml/XmlTree.h"

namespace host {

namespace {

using xmltree::Node;
using xmltree::NodePtr;

const QString kSource = QStringLiteral("TestSequence");
const QString kRoot = QStringLiteral("TestSequence");
const QString kEntry = QStringLiteral("TestElement");
const QString kClassName = QStringLiteral("ClassName");
const QString kIdentities = QStringLiteral("MTIList");
const QString kIdentity = QStringLiteral("MTI");
const QString kSettings = QStringLiteral("PlugInData");
const QString kLimits = QStringLiteral("ExpectedResult");
const QString kResult = QStringLiteral("ResultItem");
const QString kRunOutcome = QStringLiteral("RunOutcome");

// What the document records on a result's "ResultItem" beside the result.
struct MarkAttribute {
  const char* name;
  QString ResultMarks::*field;
};
const MarkAttribute kMarks[] = {{"Measured", &ResultMarks::measured},
                                {"Simulated", &ResultMarks::simulated},
                                {"VerdictBy", &ResultMarks::verdictBy}};

bool isMark(const QString& attribute) {
  return std::any_of(std::begin(kMarks), std::end(kMarks), [&](const MarkAttribute& mark) {
    return attribute == QLatin1String(mark.name);
  });
}

ResultMarks marksOf(const xmltree::Node& result) {
  ResultMarks marks;
  for (const MarkAttribute& mark : kMarks)
    if (const QString* value = result.attribute(QLatin1String(mark.name)))
      marks.*mark.field = *value;
  return marks;
}

// The marks onto each "ResultItem" of a written entry: given ones set in
// place, empty ones taken away.
void writeMarks(xmltree::Node& entry, const ResultMarks& marks) {
  for (const xmltree::NodePtr& child : entry.children) {
    if (child->kind != xmltree::Node::Kind::Element || child->name != kResult) continue;
    for (const MarkAttribute& mark : kMarks) {
      const QString& value = marks.*mark.field;
      if (!value.isEmpty())
        child->setAttribute(QLatin1String(mark.name), value);
      else
        child->attributes.removeIf(
            [&](const auto& a) { return a.first == QLatin1String(mark.name); });
    }
  }
}

// The run's record, in the order its children are made.
const QString kDevice = QStringLiteral("DeviceUnderTest");
const QString kTechnician = QStringLiteral("Technician");
const QString kRun = QStringLiteral("Run");
const QString kRecordOrder[] = {kDevice, kTechnician, kRun};

bool isRecordPart(const QString& name) {
  return std::find(std::begin(kRecordOrder), std::end(kRecordOrder), name) !=
         std::end(kRecordOrder);
}

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

// The children an element loads, in the order it loads them (and writes
// them).
const QString kParts[] = {QStringLiteral("Info"), kSettings, kLimits, kResult};

int partOrder(const QString& tag) {
  for (int i = 0; i < static_cast<int>(std::size(kParts)); ++i)
    if (kParts[i] == tag) return i;
  return -1;
}

bool isPart(const QString& tag) {
  return partOrder(tag) >= 0;
}

// What the document holds for an element beside its parts.
bool isHeld(const QString& name) {
  return name == kSelected || name == kRunOutcome;
}

// Where a child of an entry goes among the parts the element writes: the
// parts in their order, the choice of standards after them.
int childOrder(const Node& node) {
  if (node.kind != Node::Kind::Element) return -1;
  if (node.name == kSelected) return static_cast<int>(std::size(kParts));
  if (node.name == kRunOutcome) return static_cast<int>(std::size(kParts)) + 1;
  return partOrder(node.name);
}

// The identity's attributes, as "MTIList" stores them.
struct IdentityAttribute {
  const char* name;
  QString (MtiEntry::*read)();
};
const IdentityAttribute kIdentityTexts[] = {
    {"Type", &MtiEntry::MtiType}, {"Serial", &MtiEntry::Serial}, {"Firmware", &MtiEntry::Firmware}};

QString where(const XmlElement& node) {
  return node.lineNumber() > 0 ? QStringLiteral(" (line %1)").arg(node.lineNumber()) : QString();
}

// An entry holding one kind of child twice (the first two of them).
rt::RuntimeError storedTwice(const QString& className, const XmlElement& node, const QString& tag,
                             const QList<XmlElementPtr>& stored) {
  return rt::RuntimeError(
      sequenceerr::DuplicatePart, kSource,
      QStringLiteral("%1%2 holds <%3> twice (lines %4 and %5); it is written back as stored and "
                     "not run")
          .arg(className, where(node), tag)
          .arg(stored.at(0)->lineNumber())
          .arg(stored.at(1)->lineNumber()));
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

bool isElement(const Node& node) {
  return node.kind == Node::Kind::Element;
}

// The XML declaration, which every written document gets anew.
bool isDeclaration(const Node& node) {
  return node.kind == Node::Kind::Instruction && node.name == QLatin1String("xml");
}

bool sameNumber(const QString& a, const QString& b) {
  bool wholeA = false;
  bool wholeB = false;
  const qlonglong numberA = a.trimmed().toLongLong(&wholeA);
  const qlonglong numberB = b.trimmed().toLongLong(&wholeB);
  return wholeA && wholeB && numberA == numberB;
}

}  // namespace

SequenceDocument::SequenceDocument() : identities_(std::make_shared<MtiList>()) {}
SequenceDocument::~SequenceDocument() = default;

SequenceDocument::Entry SequenceDocument::StoredNode(const xmltree::NodePtr& node,
                                                     bool identities) {
  Entry entry;
  entry.stored = node;
  entry.identities = identities;
  return entry;
}

void SequenceDocument::Report(const rt::RuntimeError& error) {
  host::errors().ReportError(error, kSource);
}

void SequenceDocument::Load(const QString& path, const HostLogPtr& log) {
  auto document = std::make_shared<XmlDocument>();
  document->Load(path);
  ReadDocument(document, log);
}

namespace {

// The root of a sequence file as read, or NotASequence.
XmlElementPtr sequenceRoot(const XmlDocumentPtr& document) {
  const XmlElementPtr root = document->DocumentElement();
  const QString rootName = root ? root->TagName() : QString();
  if (rootName != kRoot)
    rt::raise(sequenceerr::NotASequence, kSource,
              QStringLiteral("The document is no test sequence: its root is \"%1\", not \"%2\"")
                  .arg(rootName, kRoot));
  return root;
}

bool holdsResult(const Node& entry) {
  return std::any_of(entry.children.begin(), entry.children.end(), [](const NodePtr& child) {
    return isElement(*child) && child->name == kResult;
  });
}

}  // namespace

void SequenceDocument::LoadSettingsOnly(const QString& path, const HostLogPtr& log) {
  auto document = std::make_shared<XmlDocument>();
  document->Load(path);
  ReadSettingsOnly(document, log);
}

void SequenceDocument::LoadSettingsOnlyXml(const QString& text, const HostLogPtr& log) {
  auto document = std::make_shared<XmlDocument>();
  document->LoadXml(text);
  ReadSettingsOnly(document, log);
}

void SequenceDocument::ReadSettingsOnly(const XmlDocumentPtr& document, const HostLogPtr& log) {
  Node& root = *sequenceRoot(document)->node();
  std::erase_if(root.children, [](const NodePtr& child) {
    return isElement(*child) && (isRecordPart(child->name) || child->name == kIdentities);
  });
  for (const NodePtr& child : root.children) {
    if (!isElement(*child) || child->name != kEntry) continue;
    std::erase_if(child->children, [](const NodePtr& part) {
      return isElement(*part) && (part->name == kResult || part->name == kRunOutcome);
    });
  }
  ReadDocument(document, log);
}

SequenceDocument::StoredRun SequenceDocument::ReadStoredRun(const QString& path) {
  auto document = std::make_shared<XmlDocument>();
  document->Load(path);
  const XmlElementPtr root = sequenceRoot(document);
  SequenceDocument probe;
  probe.read_ = document;
  StoredRun stored;
  for (const NodePtr& node : root->node()->children) {
    if (!isElement(*node)) continue;
    if (isRecordPart(node->name)) probe.entries_.append(StoredNode(node));
    if (node->name == kEntry && holdsResult(*node)) stored.holdsResults = true;
  }
  stored.record = probe.Record();
  return stored;
}

void SequenceDocument::LoadXml(const QString& text, const HostLogPtr& log) {
  auto document = std::make_shared<XmlDocument>();
  document->LoadXml(text);
  ReadDocument(document, log);
}

void SequenceDocument::ReadDocument(const XmlDocumentPtr& document, const HostLogPtr& log) {
  const XmlElementPtr root = sequenceRoot(document);
  const ReportCapture met;
  entries_.clear();
  elements_.clear();
  identities_ = std::make_shared<MtiList>();
  storedIdentities_.clear();
  read_ = document;
  bool identitiesRead = false;
  for (const NodePtr& node : root->node()->children) {
    if (node->isText()) continue;  // the root's own text is kept with it
    if (!isElement(*node)) {
      entries_.append(StoredNode(node));
      continue;
    }
    const auto element = std::make_shared<XmlElement>(document, node);
    if (node->name == kEntry) {
      entries_.append(ReadEntry(element, log));
    } else if (isRecordPart(node->name)) {
      entries_.append(StoredNode(node));
    } else if (node->name == kIdentities && !identitiesRead) {
      identitiesRead = true;
      ReadIdentities(element);
      entries_.append(StoredNode(node, true));
    } else {
      Report(rt::RuntimeError(
          elementerr::UnknownPart, kSource,
          QStringLiteral("<%1>%2 is no part of a test sequence; it is written back as stored")
              .arg(node->name, where(*element))));
      entries_.append(StoredNode(node));
    }
  }
  IndexElements();
  problems_ = met.reported();
}

void SequenceDocument::ReadIdentities(const XmlElementPtr& list) {
  for (const XmlElementPtr& child : childrenOf(*list)) {
    const bool read = rt::onError(
        [&] {
          if (child->TagName() != kIdentity)
            rt::raise(sequenceerr::BadIdentity, kSource,
                      QStringLiteral("<%1> is no identity").arg(child->TagName()));
          const QString product = child->Attribute(QStringLiteral("Product"));
          const QString indexText = child->Attribute(QStringLiteral("Index")).trimmed();
          bool whole = false;
          const rt::Long index = indexText.toInt(&whole);
          if (product.isEmpty() || !whole || index < 1)
            rt::raise(sequenceerr::BadIdentity, kSource,
                      QStringLiteral("An identity needs a Product and an Index from 1"));
          if (identities_->Find(product, index))
            rt::raise(sequenceerr::BadIdentity, kSource,
                      QStringLiteral("A second identity %1 of %2").arg(index).arg(product));
          auto entry = std::make_shared<MtiEntry>();
          entry->SetOwner(product, index);
          entry->SetIdentity(child->Attribute(QStringLiteral("Type")),
                             child->Attribute(QStringLiteral("Serial")),
                             child->Attribute(QStringLiteral("Firmware")));
          identities_->Add(entry);
          storedIdentities_.append(entry);
          return true;
        },
        [&](const rt::RuntimeError& error) {
          Report(rt::RuntimeError(
              error.Number(), error.Source(),
              QStringLiteral("%1%2; it is written back as stored, and no result can name it")
                  .arg(error.Description(), where(*child))));
          return false;
        });
    Q_UNUSED(read);
  }
}

SequenceDocument::Entry SequenceDocument::ReadEntry(const XmlElementPtr& node,
                                                    const HostLogPtr& log) {
  Entry entry = StoredNode(node->node());
  entry.className = node->Attribute(kClassName).trimmed();
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
        const rt::RuntimeError told =
            error.Number() == sequenceerr::BadEntry
                ? error
                : rt::RuntimeError(error.Number(), error.Source(),
                                   QStringLiteral("%1: %2%3")
                                       .arg(entry.className, error.Description(), where(*node)));
        Report(told);
        entry.problem = told.Description();
        return false;
      });
  if (created) ReadParts(entry, node, log);
  return entry;
}

void SequenceDocument::ReadParts(Entry& entry, const XmlElementPtr& node, const HostLogPtr& log) {
  const QList<XmlElementPtr> children = childrenOf(*node);
  for (const XmlElementPtr& child : children) {
    if (child->TagName() == kSelected) {
      // A choice is written anew from its two names: one holding more is
      // kept, with its entry, as stored.
      const xmltree::Node& choice = *child->node();
      const bool namesOnly =
          choice.children.empty() && std::all_of(choice.attributes.begin(), choice.attributes.end(),
                                                 [](const auto& attribute) {
                                                   return attribute.first == kAlphaName ||
                                                          attribute.first == kCompleteName;
                                                 });
      if (!namesOnly) {
        Report(rt::RuntimeError(
            elementerr::UnknownPart, kSource,
            QStringLiteral("%1: <%2>%3 holds more than the names of a standard; the test element "
                           "is written back as stored and not run")
                .arg(entry.className, kSelected, where(*child))));
        entry.keptWhole = true;
      }
      if (!entry.selected) entry.selected = std::make_shared<StandardsCollection>();
      entry.selected->Add(named(child->Attribute(kAlphaName), child->Attribute(kCompleteName)));
      continue;
    }
    if (child->TagName() == kRunOutcome) {
      entry.runOutcome = child->Text().trimmed();
      continue;
    }
    if (child->TagName() == kResult) {
      entry.marks = marksOf(*child->node());
      entry.storedResult = true;
    }
    // A child that is no part (a calibration note, an attachment) is
    // written back in its place.
  }
  // Which of two stored outcomes holds cannot be told: the entry stays as
  // stored, as for a part stored twice.
  QList<XmlElementPtr> outcomes;
  for (const XmlElementPtr& child : children)
    if (child->TagName() == kRunOutcome) outcomes.append(child);
  if (outcomes.size() > 1) {
    Report(storedTwice(entry.className, *node, kRunOutcome, outcomes));
    entry.keptWhole = true;
  }
  for (const QString& part : kParts) {
    QList<XmlElementPtr> stored;
    for (const XmlElementPtr& child : children)
      if (child->TagName() == part) stored.append(child);
    if (stored.size() > 1) {
      // Which one the element should hold cannot be told: none is lost.
      Report(storedTwice(entry.className, *node, part, stored));
      entry.keptWhole = true;
    }
    for (const XmlElementPtr& child : stored) {
      const ReportCapture loading;
      rt::onError([&] { entry.element->Load(child, log); },
                  [&](const rt::RuntimeError& error) { Report(error); });
      // The element may have reported the failure itself; either way the
      // part is kept as it was stored.
      if (!loading.isEmpty() && !entry.keptParts.contains(part)) entry.keptParts.append(part);
    }
  }
  if (!entry.keptWhole) CheckKept(entry, node);
}

// Each part that loaded is written back by its element only when that
// keeps everything stored; else it is reported and kept as stored.
void SequenceDocument::CheckKept(Entry& entry, const XmlElementPtr& node) {
  XmlElementPtr saved;
  const ReportCapture saving;
  rt::ignoreErrors(
      [&] { entry.element->Save(std::make_shared<XmlDocument>(), QVariant(), saved); });
  // An element that cannot save is written as stored anyway (Write).
  if (!saved || !saving.isEmpty()) return;
  entry.savedAtLoad = saved->node();
  for (const XmlElementPtr& child : childrenOf(*node)) {
    const QString part = child->TagName();
    if (!isPart(part) || entry.keptParts.contains(part)) continue;
    const XmlElementPtr own = saved->SelectChild(part, 0);
    if (!own) continue;  // nothing written for it: the stored one stays
    entry.loadedParts.insert(part, own->node());
    // The document's own marks on a result are no part of it: they are
    // left out of the comparison, and kept.
    Node& stored = *child->node();
    const auto attributes = stored.attributes;
    if (part == kResult) stored.attributes.removeIf([](const auto& a) { return isMark(a.first); });
    // The part as it would be written; what it carries goes into a copy, so
    // that the saved element stays as the element wrote it, for Write.
    const Node* written = own->node().get();
    NodePtr carried;
    if (xmltree::carriesUnnamed(stored, *written)) {
      carried = written->deepCopy();
      xmltree::keepUnnamed(stored, *carried);
      written = carried.get();
    }
    const QString lost = xmltree::lostFrom(stored, *written);
    stored.attributes = attributes;
    if (lost.isEmpty()) {
      ShareWithStored(entry, part, child->node(), own->node());
      continue;
    }
    Report(rt::RuntimeError(sequenceerr::PartNotKept, kSource,
                            QStringLiteral("%1%2: <%3> is written back as stored, since written "
                                           "anew it would lose this: %4")
                                .arg(entry.className, where(*node), part, lost)));
    entry.keptParts.append(part);
  }
}

// What the element writes as it was stored is held once: the saved
// element takes the stored nodes it would write the same, and leaves them
// as they are (it is only ever copied).
void SequenceDocument::ShareWithStored(Entry& entry, const QString& part, const NodePtr& stored,
                                       const NodePtr& own) {
  if (!xmltree::sameTree(*stored, *own)) {
    xmltree::shareSame(*stored, *own);
    return;
  }
  std::replace(entry.savedAtLoad->children.begin(), entry.savedAtLoad->children.end(), own, stored);
  entry.loadedParts.insert(part, stored);
}

void SequenceDocument::Save(const QString& path) {
  XmlDocument::SaveStreamed(path, [&](xmltree::StreamWriter& stream) { Write(&stream); });
}

QString SequenceDocument::ToXml() {
  return Write()->toString(2);
}

XmlDocumentPtr SequenceDocument::Write(xmltree::StreamWriter* stream) {
  const ReportCapture met;
  auto document = std::make_shared<XmlDocument>();
  document->addInstruction(QStringLiteral("xml"),
                           QStringLiteral("version=\"1.0\" encoding=\"UTF-8\""));
  // What stood around the root stays around it.
  const Node* readRoot = nullptr;
  QList<const Node*> before, after;
  if (read_) {
    for (const NodePtr& node : read_->tree().children) {
      if (isElement(*node)) {
        readRoot = node.get();
      } else if (!isDeclaration(*node)) {
        (readRoot ? after : before).append(node.get());
      }
    }
  }
  for (const Node* node : before) document->appendNode(*node);
  const XmlElementPtr root = document->CreateElement(kRoot);
  if (readRoot) {
    for (const auto& [name, value] : readRoot->attributes) root->SetAttribute(name, value);
    for (const NodePtr& node : readRoot->children)
      if (node->isText()) root->appendNode(*node);
  }
  document->SetDocumentElement(root);
  // Streamed, each entry goes out as soon as it is made and leaves the
  // root again, so that the document written is never held whole.
  std::vector<NodePtr>& written = root->node()->children;
  const auto sendMade = [&] {
    if (!stream) return;
    for (NodePtr& node : written) {
      stream->add(*node);
      node->parent.reset();
    }
    written.clear();
  };
  if (stream) {
    for (const NodePtr& node : document->tree().children)
      if (node != root->node()) stream->add(*node);
    stream->open(*root->node());
    sendMade();
  }

  // The identities where they were stored; a list new to the document
  // after its elements.
  bool identitiesWritten = false;
  for (const Entry& entry : entries_) {
    if (entry.identities) {
      WriteIdentities(&entry, document, *root);
      identitiesWritten = true;
    } else {
      WriteEntry(entry, document, *root);
    }
    sendMade();
  }
  if (!identitiesWritten) WriteIdentities(nullptr, document, *root);
  sendMade();
  if (stream) {
    stream->close();
    for (const Node* node : after) stream->add(*node);
  } else {
    for (const Node* node : after) document->appendNode(*node);
  }
  problems_ = met.reported();
  return document;
}

void SequenceDocument::WriteIdentities(const Entry* stored, const XmlDocumentPtr& document,
                                       XmlElement& root) {
  QList<MtiEntryPtr> added;
  for (const MtiEntryPtr& identity : *identities_)
    if (!storedIdentities_.contains(identity)) added.append(identity);
  if (!stored && added.isEmpty()) return;
  const XmlElementPtr list = document->CreateElement(kIdentities);
  if (stored)
    for (const NodePtr& node : stored->stored->children) list->appendNode(*node);
  NumberFormatter& numbers = *NumberFormatter::instance();
  for (const MtiEntryPtr& identity : added) {
    rt::onError(
        [&] {
          const XmlElementPtr element = document->CreateElement(kIdentity);
          element->SetAttribute(QStringLiteral("Product"), identity->Product());
          element->SetAttribute(QStringLiteral("Index"), numbers.NumberText(identity->Index()));
          for (const IdentityAttribute& text : kIdentityTexts)
            element->SetAttribute(QLatin1String(text.name), (identity.get()->*text.read)());
          list->AppendChild(element);
        },
        [&](const rt::RuntimeError& error) { Report(error); });
  }
  if (stored)
    for (const auto& [name, value] : stored->stored->attributes) list->SetAttribute(name, value);
  root.AppendChild(list);
}

void SequenceDocument::WriteEntry(const Entry& entry, const XmlDocumentPtr& document,
                                  XmlElement& root) {
  const bool asStored =
      entry.stored && (!entry.element || entry.keptWhole || entry.keptParts.contains(kSettings) ||
                       entry.keptParts.contains(kLimits));
  XmlElementPtr saved;
  if (!asStored && entry.savedAtLoad) {
    // Unchanged since the load: saved again it would write the same.
    saved = std::make_shared<XmlElement>(document, entry.savedAtLoad->deepCopy());
  } else if (!asStored && entry.element) {
    rt::onError([&] { entry.element->Save(document, QVariant(), saved); },
                [&](const rt::RuntimeError& error) { Report(error); });
  }
  if (!saved) {
    WriteAsStored(entry, document, root);
    return;
  }
  Node& own = *saved->node();
  for (const XmlElementPtr& choice : SelectedElements(entry, document)) saved->AppendChild(choice);
  if (!entry.stored) {
    // The class name leads, as in every stored sequence.
    own.attributes.removeIf([](const auto& a) { return a.first == kClassName; });
    own.attributes.prepend({kClassName, entry.className});
    writeMarks(own, entry.marks);
    root.AppendChild(saved);
    return;
  }
  WriteMerged(entry, saved, root);
}

// Kept as stored: not an element, one not to be run, or one that could not
// be saved (its choice of standards as it is now).
void SequenceDocument::WriteAsStored(const Entry& entry, const XmlDocumentPtr& document,
                                     XmlElement& root) {
  if (!entry.stored) return;
  if (!entry.element) {
    root.appendNode(*entry.stored);
    return;
  }
  const NodePtr copy = std::make_shared<Node>(Node::Kind::Element, entry.stored->name);
  copy->attributes = entry.stored->attributes;
  // An entry kept whole keeps its stored choice and outcome too: no run
  // changed them.
  bool choiceWritten = entry.keptWhole;
  for (const NodePtr& child : entry.stored->children) {
    if (isElement(*child) && isHeld(child->name) && !entry.keptWhole) {
      if (!choiceWritten)
        for (const XmlElementPtr& choice : SelectedElements(entry, document))
          copy->append(choice->node());
      choiceWritten = true;
      continue;
    }
    copy->append(child->deepCopy());
  }
  if (!choiceWritten)
    for (const XmlElementPtr& choice : SelectedElements(entry, document))
      copy->append(choice->node());
  if (!entry.keptWhole) writeMarks(*copy, entry.marks);
  root.appendNode(*copy);
}

// An element loaded from a stored entry: the element's parts merged into
// the stored ones, in their places.
void SequenceDocument::WriteMerged(const Entry& entry, const XmlElementPtr& saved,
                                   XmlElement& root) {
  Node& own = *saved->node();
  const Node& stored = *entry.stored;
  // The stored attributes in their order, with the element's values; then
  // those only the element has.
  QList<std::pair<QString, QString>> attributes;
  for (const auto& [name, value] : stored.attributes) {
    const QString* written = name == kClassName ? nullptr : own.attribute(name);
    // The stored text of a number the element holds unchanged ("04" for 4).
    const bool same = written && (*written == value || sameNumber(*written, value));
    attributes.append({name, written && !same ? *written : value});
  }
  for (const auto& attribute : own.attributes)
    if (!stored.attribute(attribute.first)) attributes.append(attribute);
  // The stored children in their places, each part the element writes in
  // place of the stored one unless that is kept; then the parts only the
  // element has, each after the parts that come before it.
  std::vector<NodePtr> ownParts = std::move(own.children);
  own.children.clear();
  std::vector<NodePtr> children;
  const auto takeOwn = [&](const QString& part) -> NodePtr {
    const auto found = std::find_if(ownParts.begin(), ownParts.end(), [&](const NodePtr& n) {
      return n && isElement(*n) && n->name == part;
    });
    if (found == ownParts.end()) return nullptr;
    NodePtr node = std::move(*found);
    *found = nullptr;
    return node;
  };
  bool choiceWritten = false;
  for (const NodePtr& child : stored.children) {
    if (isElement(*child) && isHeld(child->name)) {
      // What the document holds for the element as it is now, where the
      // stored one was.
      if (!choiceWritten)
        for (NodePtr& choice : ownParts)
          if (choice && isHeld(choice->name)) children.push_back(std::move(choice));
      choiceWritten = true;
      continue;
    }
    // A part kept as stored is written alone: the element's own one (made
    // anew, not read) would stand beside it.
    NodePtr written;
    if (isElement(*child) && isPart(child->name)) {
      written = takeOwn(child->name);
      if (entry.keptParts.contains(child->name)) written = nullptr;
      // What the part holds that its element does not name stays in its
      // place; a result of a new run is the run's alone.
      if (written && !(child->name == kResult && entry.resultRenewed))
        xmltree::keepUnnamed(*child, *written, entry.loadedParts.value(child->name).get());
    }
    children.push_back(written ? written : child->deepCopy());
  }
  for (NodePtr& part : ownParts) {
    if (!part) continue;
    const int order = childOrder(*part);
    auto place = children.end();
    for (auto at = children.begin(); at != children.end(); ++at) {
      if (childOrder(**at) > order && order >= 0) {
        place = at;
        break;
      }
    }
    children.insert(place, std::move(part));
  }
  own.attributes = attributes;
  for (const NodePtr& child : children) own.append(child);
  writeMarks(own, entry.marks);
  root.AppendChild(saved);
}

QList<XmlElementPtr> SequenceDocument::SelectedElements(const Entry& entry,
                                                        const XmlDocumentPtr& document) {
  QList<XmlElementPtr> choices;
  if (entry.selected) {
    for (const StandardPtr& standard : *entry.selected) {
      const XmlElementPtr choice = document->CreateElement(kSelected);
      choice->SetAttribute(kAlphaName, standard->AlphaName());
      choice->SetAttribute(kCompleteName, standard->CompleteName());
      choices.append(choice);
    }
  }
  if (!entry.runOutcome.isEmpty()) {
    const XmlElementPtr outcome = document->CreateElement(kRunOutcome);
    outcome->SetText(entry.runOutcome);
    choices.append(outcome);
  }
  return choices;
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
  if (!entry) return nullptr;
  // Whoever holds the element may change it: it is saved anew from now on.
  entry->savedAtLoad.reset();
  return entry->element;
}

QString SequenceDocument::ClassName(int index) const {
  const Entry* entry = ElementEntry(index);
  return entry ? entry->className : QString();
}

void SequenceDocument::Append(const ITestElementPtr& element, const QString& className) {
  com::must(element);
  Entry entry;
  entry.element = element;
  entry.className = className;
  entries_.append(entry);
  IndexElements();
}

const QList<qsizetype>& SequenceDocument::Rows() const {
  return rows_;
}

int SequenceDocument::RowCount() const {
  return static_cast<int>(rows_.size());
}

int SequenceDocument::ElementIndexOf(int row) const {
  return row >= 0 && row < rowElements_.size() ? rowElements_.at(row) : -1;
}

XmlElementPtr SequenceDocument::StoredEntry(int row) const {
  const QList<qsizetype> rows = Rows();
  if (row < 0 || row >= rows.size()) return nullptr;
  const NodePtr& stored = entries_.at(rows.at(row)).stored;
  if (!stored) return nullptr;
  return std::make_shared<XmlElement>(read_ ? read_ : std::make_shared<XmlDocument>(), stored);
}

QString SequenceDocument::Problem(int row) const {
  const QList<qsizetype> rows = Rows();
  return row >= 0 && row < rows.size() ? entries_.at(rows.at(row)).problem : QString();
}

void SequenceDocument::MoveRow(int from, int to) {
  const QList<qsizetype> rows = Rows();
  if (from < 0 || from >= rows.size() || to < 0 || to >= rows.size() || from == to) return;
  // Row by row, so that what lies between two rows stays between them.
  const int step = to > from ? 1 : -1;
  for (int row = from; row != to; row += step)
    entries_.swapItemsAt(rows.at(row), rows.at(row + step));
  IndexElements();
}

void SequenceDocument::RemoveRow(int row) {
  const QList<qsizetype> rows = Rows();
  if (row < 0 || row >= rows.size()) return;
  entries_.removeAt(rows.at(row));
  IndexElements();
}

void SequenceDocument::TakeFromElement(int index) {
  Entry* entry = ElementEntry(index);
  if (!entry || entry->keptWhole) return;
  entry->keptParts.removeAll(kResult);
  entry->storedResult = false;
  entry->resultRenewed = true;
}

ResultMarks SequenceDocument::Marks(int index) const {
  const Entry* entry = ElementEntry(index);
  return entry ? entry->marks : ResultMarks();
}

void SequenceDocument::SetMarks(int index, const ResultMarks& marks) {
  if (Entry* entry = ElementEntry(index)) entry->marks = marks;
}

bool SequenceDocument::HoldsStoredResult(int index) const {
  const Entry* entry = ElementEntry(index);
  return entry && entry->storedResult;
}

bool SequenceDocument::KeptAsStored(int index, const QString& part) const {
  const Entry* entry = ElementEntry(index);
  return entry && (entry->keptWhole || entry->keptParts.contains(part));
}

bool SequenceDocument::SettingsRead(int index) const {
  const Entry* entry = ElementEntry(index);
  return entry && !entry->keptWhole && !entry->keptParts.contains(kSettings) &&
         !entry->keptParts.contains(kLimits);
}

MtiEntryPtr SequenceDocument::AnalyzerOf(int index) const {
  return rt::orDefault(
      [&]() -> MtiEntryPtr {
        const ITestElementPtr element = Element(index);
        const IResultDataPtr result = element ? element->Result() : nullptr;
        const rt::Long mti = result ? result->MTIID() : 0;
        return mti > 0 ? identities_->Find(kProduct, mti) : nullptr;
      },
      MtiEntryPtr());
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
  rows_.clear();
  rowElements_.clear();
  for (qsizetype i = 0; i < entries_.size(); ++i) {
    const Entry& entry = entries_.at(i);
    if (entry.element) elements_.append(i);
    if (entry.element ||
        (entry.stored && isElement(*entry.stored) && entry.stored->name == kEntry)) {
      rows_.append(i);
      rowElements_.append(entry.element ? static_cast<int>(elements_.size()) - 1 : -1);
    }
  }
}

XmlElementPtr SequenceDocument::RecordNode(const QString& name) const {
  for (const Entry& entry : entries_)
    if (!entry.element && !entry.identities && entry.className.isEmpty() && entry.stored &&
        isElement(*entry.stored) && entry.stored->name == name)
      return std::make_shared<XmlElement>(read_ ? read_ : own_, entry.stored);
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
      if (!entry.element && entry.className.isEmpty() && entry.stored && isElement(*entry.stored) &&
          entry.stored->name == before)
        at = std::max(at, i + 1);
    }
  }
  if (!own_) own_ = std::make_shared<XmlDocument>();
  const XmlElementPtr node = own_->CreateElement(name);
  entries_.insert(at, StoredNode(node->node()));
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

void SequenceDocument::SetDevice(const DeviceUnderTest& device, const QString& technician) {
  SequenceRecord given;
  given.device = device;
  given.technician = technician;
  for (const RecordField& place : kRecordFields) {
    if (&place.element != &kDevice && &place.element != &kTechnician) continue;
    const QString& value = place.field(given);
    const XmlElementPtr node =
        value.isEmpty() ? RecordNode(place.element) : RecordNodeMade(place.element);
    if (!node) continue;
    if (!place.attribute)
      node->SetText(value);
    else if (!value.isEmpty())
      node->SetAttribute(QLatin1String(place.attribute), value);
    else
      node->node()->attributes.removeIf(
          [&](const auto& a) { return a.first == QLatin1String(place.attribute); });
  }
}

void SequenceDocument::SetRunTimes(const QString& started, const QString& ended) {
  const XmlElementPtr node = RecordNodeMade(kRun);
  for (const auto& time :
       {std::pair{QStringLiteral("Started"), started}, std::pair{QStringLiteral("Ended"), ended}}) {
    if (!time.second.isEmpty())
      node->SetAttribute(time.first, time.second);
    else
      node->node()->attributes.removeIf([&](const auto& a) { return a.first == time.first; });
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

namespace {

// The standards of those names as the element's limit set holds them; a
// name it lacks stays a bare name, which judges nothing. Without names, the
// first standard of the limit set.
StandardsCollectionPtr heldStandards(const ITestElementPtr& element,
                                     const StandardsCollectionPtr& names) {
  auto held = std::make_shared<StandardsCollection>();
  const StandardsCollectionPtr own = rt::orDefault(
      [&] { return com::must(com::must(element).Limits()).Standards(); }, StandardsCollectionPtr());
  if (names) {
    for (const StandardPtr& name : *names) {
      const StandardPtr found =
          own ? own->Find(0, name->AlphaName(), name->CompleteName()) : nullptr;
      held->Add(found ? found->Copy() : name);
    }
  } else if (own && own->Count() > 0) {
    held->Add(own->Item(1)->Copy());
  }
  return held;
}

}  // namespace

StandardsCollectionPtr SequenceDocument::JudgingStandards(int index) const {
  return heldStandards(Element(index), Selected(index));
}

StandardsCollectionPtr SequenceDocument::JudgedBy(int index) const {
  const ITestElementPtr element = Element(index);
  const IVerdictPtr verdict = com::queryInterface<IVerdict>(
      rt::orDefault([&] { return com::must(element).Result(); }, IResultDataPtr()));
  const StandardsCollectionPtr named =
      verdict ? rt::orDefault([&] { return verdict->JudgedBy(); }, StandardsCollectionPtr())
              : nullptr;
  return named && named->Count() > 0 ? heldStandards(element, named) : JudgingStandards(index);
}

void SequenceDocument::Clear() {
  entries_.clear();
  IndexElements();
  identities_ = std::make_shared<MtiList>();
  storedIdentities_.clear();
  read_.reset();
  own_.reset();
  problems_.clear();
}

}  // namespace host
