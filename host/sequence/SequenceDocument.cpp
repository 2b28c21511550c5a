#include "sequence/SequenceDocument.h"

#include "com/CreateObject.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "services/ErrorService.h"
#include "services/NumberFormatter.h"
#include "typelib/ITestElement.h"
#include "xml/XmlDocument.h"

namespace host {

namespace {

const QString kSource = QStringLiteral("TestSequence");
const QString kRoot = QStringLiteral("TestSequence");
const QString kEntry = QStringLiteral("TestElement");

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

QString where(const QDomElement& node) {
  return node.lineNumber() > 0 ? QStringLiteral(" (line %1)").arg(node.lineNumber()) : QString();
}

[[noreturn]] void badEntry(const QDomElement& node, const QString& text) {
  rt::raise(sequenceerr::BadEntry, kSource, text + where(node));
}

// A whole number written in an attribute, or a bad entry.
rt::Long numberAttribute(const QDomElement& node, const QString& name) {
  const QString text = node.attribute(name).trimmed();
  return rt::onError(
      [&] { return rt::toLong(QVariant(text)); },
      [&](const rt::RuntimeError&) -> rt::Long {
        badEntry(node,
                 QStringLiteral("%1 \"%2\" is not a whole number").arg(name, node.attribute(name)));
      });
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
  const QDomElement root = document->dom().documentElement();
  if (root.tagName() != kRoot)
    rt::raise(sequenceerr::NotASequence, kSource,
              QStringLiteral("The document is no test sequence: its root is \"%1\", not \"%2\"")
                  .arg(root.tagName(), kRoot));
  const int start = reportedSoFar();
  entries_.clear();
  for (QDomElement node = root.firstChildElement(); !node.isNull();
       node = node.nextSiblingElement()) {
    if (node.tagName() == kEntry)
      entries_.append(ReadEntry(document, node, log));
    else
      entries_.append(Entry{nullptr, QString(), node, {}});
  }
  reported_ = reportedSoFar() - start;
}

SequenceDocument::Entry SequenceDocument::ReadEntry(const XmlDocumentPtr& document,
                                                    const QDomElement& node,
                                                    const HostLogPtr& log) {
  Entry entry{nullptr, node.attribute(QStringLiteral("ClassName")).trimmed(), node, {}};
  const bool created = rt::onError(
      [&] {
        if (entry.className.isEmpty())
          badEntry(node, QStringLiteral("A test element has no ClassName"));
        ITestElementPtr element = com::createObjectAs<ITestElement>(entry.className);
        if (!element)
          badEntry(node, QStringLiteral("\"%1\" gives no test element").arg(entry.className));
        if (node.hasAttribute(QStringLiteral("TestID"))) {
          const rt::Long stored = numberAttribute(node, QStringLiteral("TestID"));
          if (stored != element->TestID())
            badEntry(node, QStringLiteral("TestID %1 is not the test ID of %2 (%3)")
                               .arg(stored)
                               .arg(entry.className)
                               .arg(element->TestID()));
        }
        if (node.hasAttribute(QStringLiteral("ID")))
          element->SetID(numberAttribute(node, QStringLiteral("ID")));
        entry.element = element;
        return true;
      },
      [&](const rt::RuntimeError& error) {
        // Every report names where the entry is.
        Report(error.Number() == sequenceerr::BadEntry
                   ? error
                   : rt::RuntimeError(error.Number(), error.Source(),
                                      QStringLiteral("%1: %2%3")
                                          .arg(entry.className, error.Description(), where(node))));
        return false;
      });
  if (!created) return entry;

  for (QDomElement child = node.firstChildElement(); !child.isNull();
       child = child.nextSiblingElement())
    if (!isPart(child.tagName())) entry.kept.append(child);
  for (const QString& part : kParts) {
    for (QDomElement child = node.firstChildElement(part); !child.isNull();
         child = child.nextSiblingElement(part)) {
      const int before = reportedSoFar();
      rt::onError([&] { entry.element->Load(std::make_shared<XmlElement>(document, child), log); },
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
  QDomDocument& dom = document->dom();
  dom.appendChild(dom.createProcessingInstruction(
      QStringLiteral("xml"), QStringLiteral("version=\"1.0\" encoding=\"UTF-8\"")));
  QDomElement root = dom.createElement(kRoot);
  dom.appendChild(root);
  for (const Entry& entry : entries_) {
    XmlElementPtr saved;
    if (entry.element)
      rt::onError([&] { entry.element->Save(document, QVariant(), saved); },
                  [&](const rt::RuntimeError& error) { Report(error); });
    if (!saved) {
      // Kept as stored: not an element, or one that could not be saved.
      if (!entry.stored.isNull()) root.appendChild(dom.importNode(entry.stored, true));
      continue;
    }
    QDomElement element = saved->dom();
    if (!entry.className.isEmpty())
      element.setAttribute(QStringLiteral("ClassName"), entry.className);
    for (const QDomElement& kept : entry.kept) {
      for (QDomElement own = element.firstChildElement(kept.tagName()); !own.isNull();) {
        const QDomElement next = own.nextSiblingElement(kept.tagName());
        if (isPart(kept.tagName())) element.removeChild(own);
        own = next;
      }
    }
    for (const QDomElement& kept : entry.kept) element.appendChild(dom.importNode(kept, true));
    root.appendChild(element);
  }
  reported_ = reportedSoFar() - start;
  return document;
}

int SequenceDocument::Count() const {
  int count = 0;
  for (const Entry& entry : entries_)
    if (entry.element) ++count;
  return count;
}

const SequenceDocument::Entry* SequenceDocument::ElementEntry(int index) const {
  for (const Entry& entry : entries_)
    if (entry.element && index-- == 0) return &entry;
  return nullptr;
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
  entries_.append(Entry{element, className, QDomElement(), {}});
}

void SequenceDocument::TakeFromElement(int index) {
  Entry* entry = ElementEntry(index);
  if (!entry) return;
  entry->kept.removeIf([](const QDomElement& kept) { return isPart(kept.tagName()); });
}

void SequenceDocument::Clear() {
  entries_.clear();
  reported_ = 0;
}

}  // namespace host
