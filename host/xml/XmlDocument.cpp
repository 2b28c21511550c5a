#include "xml/XmlDocument.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "runtime/RuntimeError.h"

namespace host {

namespace {
const QString kSource = QStringLiteral("XmlDocument");

bool isXmlName(const QString& name) {
  if (name.isEmpty()) return false;
  const QChar first = name.at(0);
  if (!(first.isLetter() || first == u'_')) return false;
  for (const QChar c : name)
    if (!(c.isLetterOrNumber() || c == u'_' || c == u'-' || c == u'.' || c == u':')) return false;
  return true;
}

// A malformed document raises error 5 naming where the parser stopped.
QDomDocument parse(const QByteArray& content, const QString& where) {
  QDomDocument parsed;
  QString message;
  int line = 0, column = 0;
  if (!parsed.setContent(content, &message, &line, &column))
    rt::raise(rt::err::InvalidCall, kSource,
              QStringLiteral("%1 (line %2, column %3): %4")
                  .arg(where)
                  .arg(line)
                  .arg(column)
                  .arg(message));
  return parsed;
}

[[noreturn]] void raiseFileError(const QFileDevice& file, const QString& path) {
  const bool missing = !QFileInfo::exists(path);
  rt::Long number = rt::err::PathFileAccessError;
  if (missing)
    number = rt::err::FileNotFound;
  else if (file.error() == QFileDevice::PermissionsError)
    number = rt::err::PermissionDenied;
  rt::raise(number, kSource, rt::standardDescription(number) + QStringLiteral(": ") + path);
}
}  // namespace

XmlDocument::XmlDocument() = default;
XmlDocument::~XmlDocument() = default;

XmlElementPtr XmlDocument::CreateElement(const QString& name) {
  if (!isXmlName(name)) return nullptr;
  return std::make_shared<XmlElement>(shared_from_this(), dom_.createElement(name));
}

void XmlDocument::Load(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) raiseFileError(file, path);
  dom_ = parse(file.readAll(), path);
}

void XmlDocument::LoadXml(const QString& text) {
  dom_ = parse(text.toUtf8(), QStringLiteral("text"));
}

void XmlDocument::SaveFile(const QString& path) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) raiseFileError(file, path);
  file.write(dom_.toByteArray(2));
  if (!file.commit()) raiseFileError(file, path);
}

XmlElementPtr XmlDocument::DocumentElement() {
  QDomElement root = dom_.documentElement();
  if (root.isNull()) return nullptr;
  return std::make_shared<XmlElement>(shared_from_this(), root);
}

void XmlDocument::SetDocumentElement(const XmlElementPtr& root) {
  QDomElement element = com::must(root).dom();
  if (element.ownerDocument() != dom_) element = dom_.importNode(element, true).toElement();
  QDomElement old = dom_.documentElement();
  if (old.isNull())
    dom_.appendChild(element);
  else
    dom_.replaceChild(element, old);
}

QString XmlDocument::toString(int indent) const {
  return dom_.toString(indent);
}

XmlElement::XmlElement(std::shared_ptr<XmlDocument> document, QDomElement element)
    : document_(std::move(document)), element_(std::move(element)) {}
XmlElement::~XmlElement() = default;

QString XmlElement::TagName() {
  return element_.tagName();
}
void XmlElement::SetTagName(const QString& name) {
  element_.setTagName(name);
}
QString XmlElement::Attribute(const QString& name) {
  return element_.attribute(name);
}
void XmlElement::SetAttribute(const QString& name, const QString& value) {
  element_.setAttribute(name, value);
}

XmlNodeListPtr XmlElement::ChildNodes() {
  QList<QDomElement> children;
  for (QDomElement child = element_.firstChildElement(); !child.isNull();
       child = child.nextSiblingElement())
    children.append(child);
  return std::make_shared<XmlNodeList>(document_, children);
}

bool XmlElement::HasChildren() {
  return !element_.firstChildElement().isNull();
}

void XmlElement::AppendChild(const XmlElementPtr& child) {
  QDomElement node = com::must(child).dom();
  // An element of another document is copied in, as the host's own does.
  if (node.ownerDocument() != element_.ownerDocument())
    node = element_.ownerDocument().importNode(node, true).toElement();
  element_.appendChild(node);
}

QString XmlElement::Text() {
  return element_.text();
}

QString XmlElement::OwnText() {
  QString own;
  for (QDomNode node = element_.firstChild(); !node.isNull(); node = node.nextSibling())
    if (node.isText()) own += node.toText().data();  // a CDATA section is a text node too
  return own;
}

void XmlElement::SetText(const QString& text) {
  while (!element_.firstChild().isNull()) element_.removeChild(element_.firstChild());
  if (text.isEmpty()) return;
  // The parser drops text that is only white space; a CDATA section keeps it.
  QDomDocument owner = element_.ownerDocument();
  if (text.trimmed().isEmpty())
    element_.appendChild(owner.createCDATASection(text));
  else
    element_.appendChild(owner.createTextNode(text));
}

XmlElementPtr XmlElement::AddChild(const QString& name, const QString& text) {
  XmlElementPtr child = com::must(document_).CreateElement(name);
  if (!child)
    rt::raise(rt::err::InvalidCall, kSource, QStringLiteral("Invalid element name '%1'").arg(name));
  child->SetText(text);
  element_.appendChild(child->dom());
  return child;
}

XmlElementPtr XmlElement::SelectChild(const QString& name, rt::Long index) {
  rt::Long seen = 0;
  for (QDomElement child = element_.firstChildElement(name); !child.isNull();
       child = child.nextSiblingElement(name)) {
    if (seen++ == index) return std::make_shared<XmlElement>(document_, child);
  }
  return nullptr;
}

XmlNodeList::XmlNodeList(std::shared_ptr<XmlDocument> document, QList<QDomElement> elements)
    : document_(std::move(document)), elements_(std::move(elements)) {}
XmlNodeList::~XmlNodeList() = default;

rt::Long XmlNodeList::Length() {
  return static_cast<rt::Long>(elements_.size());
}

XmlElementPtr XmlNodeList::Item(rt::Long index) {
  if (index < 0 || index >= Length()) rt::raise(rt::err::SubscriptOutOfRange, kSource);
  return std::make_shared<XmlElement>(document_, elements_.at(index));
}

}  // namespace host
