#include "xml/XmlDocument.h"

#include <QFile>
#include <algorithm>

#include "runtime/RuntimeError.h"
#include "runtime/WholeFile.h"
#include "xml/FileErrors.h"

namespace host {

namespace {
const QString kSource = QStringLiteral("XmlDocument");

// A malformed document raises error 5 naming where the reader stopped.
template <typename Input>
xmltree::NodePtr parse(Input&& input, const QString& where) {
  xmltree::ParseError error;
  xmltree::NodePtr parsed = xmltree::parse(input, error);
  if (!parsed)
    rt::raise(rt::err::InvalidCall, kSource,
              QStringLiteral("%1 (line %2, column %3): %4")
                  .arg(where)
                  .arg(error.line)
                  .arg(error.column)
                  .arg(error.message));
  return parsed;
}

void requireName(const QString& name, const char* what) {
  if (!xmltree::isName(name))
    rt::raise(rt::err::InvalidCall, kSource,
              QStringLiteral("Invalid %1 name '%2'").arg(QLatin1String(what), name));
}

// The QtXml copy of a node and everything inside it.
QDomNode domOf(QDomDocument& dom, const xmltree::Node& node) {
  using Kind = xmltree::Node::Kind;
  switch (node.kind) {
    case Kind::Text:
      return dom.createTextNode(node.text);
    case Kind::CData:
      return dom.createCDATASection(node.text);
    case Kind::Comment:
      return dom.createComment(node.text);
    case Kind::Instruction:
      return dom.createProcessingInstruction(node.name, node.text);
    case Kind::Document:
    case Kind::Element:
      break;
  }
  QDomElement element = dom.createElement(node.name);
  for (const auto& [name, value] : node.attributes) element.setAttribute(name, value);
  for (const xmltree::NodePtr& child : node.children) element.appendChild(domOf(dom, *child));
  return element;
}

// Error 5 when the element would hold elements deeper than documents may
// nest: every walk over a tree relies on that limit.
void requireDepth(int depth) {
  if (depth > xmltree::kDepthLimit)
    rt::raise(
        rt::err::InvalidCall, kSource,
        QStringLiteral("The elements would be nested deeper than %1").arg(xmltree::kDepthLimit));
}

xmltree::NodePtr rootOf(const xmltree::Node& document) {
  for (const xmltree::NodePtr& node : document.children)
    if (node->kind == xmltree::Node::Kind::Element) return node;
  return nullptr;
}

}  // namespace

XmlDocument::XmlDocument() = default;
XmlDocument::~XmlDocument() = default;

XmlElementPtr XmlDocument::CreateElement(const QString& name) {
  if (!xmltree::isName(name)) return nullptr;
  return std::make_shared<XmlElement>(
      shared_from_this(), std::make_shared<xmltree::Node>(xmltree::Node::Kind::Element, name));
}

void XmlDocument::Load(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) raiseFileError(file, path, kSource);
  document_ = parse(file, path);
}

void XmlDocument::LoadXml(const QString& text) {
  document_ = parse(text.toUtf8(), QStringLiteral("text"));
}

namespace {

// The file being replaced, as the device the XML writers write to.
class WholeFileDevice : public QIODevice {
 public:
  explicit WholeFileDevice(rt::WholeFileWriter& file) : file_(file) {
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
  }

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* data, qint64 size) override {
    file_.write(data, size);
    return size;  // a failure is kept by the file, for its commit
  }

 private:
  rt::WholeFileWriter& file_;
};

}  // namespace

void XmlDocument::SaveStreamed(const QString& path,
                               const std::function<void(xmltree::StreamWriter&)>& write) {
  rt::WholeFileWriter file(path, kSource);
  WholeFileDevice device(file);
  xmltree::StreamWriter stream(2, device);
  write(stream);
  stream.finish();
  if (std::optional<rt::RuntimeError> error = file.commit()) throw *error;
}

void XmlDocument::SaveFile(const QString& path) {
  SaveStreamed(path, [&](xmltree::StreamWriter& stream) {
    for (const xmltree::NodePtr& node : document_->children) stream.add(*node);
  });
}

XmlElementPtr XmlDocument::DocumentElement() {
  xmltree::NodePtr root = rootOf(*document_);
  if (!root) return nullptr;
  return std::make_shared<XmlElement>(shared_from_this(), root);
}

xmltree::NodePtr XmlDocument::adopted(const XmlElementPtr& element) {
  XmlElement& e = com::must(element);
  return e.document().get() == this ? e.node() : e.node()->deepCopy();
}

void XmlDocument::SetDocumentElement(const XmlElementPtr& root) {
  requireDepth(com::must(root).node()->height());
  const xmltree::NodePtr element = adopted(root);
  auto& top = document_->children;
  const auto old = std::find_if(top.begin(), top.end(), [](const xmltree::NodePtr& node) {
    return node->kind == xmltree::Node::Kind::Element;
  });
  if (old != top.end() && *old == element) return;
  element->detach();
  if (old == top.end()) {
    document_->append(element);
    return;
  }
  (*old)->parent.reset();
  element->parent = document_;
  *old = element;
}

QString XmlDocument::toString(int indent) const {
  return xmltree::write(*document_, indent);
}

void XmlDocument::addInstruction(const QString& target, const QString& data) {
  requireName(target, "instruction");
  document_->append(std::make_shared<xmltree::Node>(
      xmltree::Node::Kind::Instruction, target, xmltree::storable(data, [&] { return target; })));
}

QDomDocument XmlDocument::dom() const {
  QDomDocument copy;
  for (const xmltree::NodePtr& node : document_->children) copy.appendChild(domOf(copy, *node));
  return copy;
}

void XmlDocument::appendNode(const xmltree::Node& node) {
  if (node.kind == xmltree::Node::Kind::Element && rootOf(*document_))
    rt::raise(rt::err::InvalidCall, kSource, QStringLiteral("The document has its root already"));
  document_->append(node.deepCopy());
}

void XmlElement::appendNode(const xmltree::Node& node) {
  requireDepth(node_->depth() + node.height());
  node_->append(node.deepCopy());
}

void XmlElement::removeChild(const XmlElementPtr& child) {
  if (child && child->node_->parent.lock() == node_) child->node_->detach();
}

QDomElement XmlElement::dom() const {
  snapshot_ = QDomDocument();
  snapshot_.appendChild(domOf(snapshot_, *node_));
  return snapshot_.documentElement();
}

XmlElement::XmlElement(std::shared_ptr<XmlDocument> document, xmltree::NodePtr node)
    : document_(std::move(document)), node_(std::move(node)) {}
XmlElement::~XmlElement() = default;

QString XmlElement::TagName() {
  return node_->name;
}

void XmlElement::SetTagName(const QString& name) {
  requireName(name, "element");
  node_->name = name;
}

QString XmlElement::Attribute(const QString& name) {
  const QString* value = node_->attribute(name);
  return value ? *value : QString();
}

void XmlElement::SetAttribute(const QString& name, const QString& value) {
  requireName(name, "attribute");
  node_->setAttribute(name, xmltree::storable(value, [&] {
                        return QStringLiteral("attribute %1 of <%2>").arg(name, node_->name);
                      }));
}

XmlNodeListPtr XmlElement::ChildNodes() {
  QList<xmltree::NodePtr> children;
  for (const xmltree::NodePtr& child : node_->children)
    if (child->kind == xmltree::Node::Kind::Element) children.append(child);
  return std::make_shared<XmlNodeList>(document_, children);
}

bool XmlElement::HasChildren() {
  return std::any_of(node_->children.begin(), node_->children.end(), [](const xmltree::NodePtr& c) {
    return c->kind == xmltree::Node::Kind::Element;
  });
}

void XmlElement::AppendChild(const XmlElementPtr& child) {
  // An element of another document is copied in, as the host's own does.
  requireDepth(node_->depth() + com::must(child).node()->height());
  const xmltree::NodePtr node = com::must(document_).adopted(child);
  if (node_->within(*node))
    rt::raise(rt::err::InvalidCall, kSource,
              QStringLiteral("<%1> cannot be placed inside itself").arg(node->name));
  node_->append(node);
}

QString XmlElement::Text() {
  return node_->allText();
}

QString XmlElement::OwnText() {
  QString own;
  for (const xmltree::NodePtr& child : node_->children)
    if (child->isText()) own += child->text;
  return own;
}

void XmlElement::SetText(const QString& text) {
  for (const xmltree::NodePtr& child : node_->children) child->parent.reset();
  node_->children.clear();
  if (text.isEmpty()) return;
  const QString stored =
      xmltree::storable(text, [&] { return QStringLiteral("the text of <%1>").arg(node_->name); });
  // The reader drops text that is only white space; a CDATA section keeps it.
  const auto kind =
      stored.trimmed().isEmpty() ? xmltree::Node::Kind::CData : xmltree::Node::Kind::Text;
  node_->append(std::make_shared<xmltree::Node>(kind, QString(), stored));
}

XmlElementPtr XmlElement::AddChild(const QString& name, const QString& text) {
  XmlElementPtr child = com::must(document_).CreateElement(name);
  if (!child)
    rt::raise(rt::err::InvalidCall, kSource, QStringLiteral("Invalid element name '%1'").arg(name));
  requireDepth(node_->depth() + 1);
  child->SetText(text);
  node_->append(child->node());
  return child;
}

XmlElementPtr XmlElement::SelectChild(const QString& name, rt::Long index) {
  rt::Long seen = 0;
  for (const xmltree::NodePtr& child : node_->children) {
    if (child->kind != xmltree::Node::Kind::Element || child->name != name) continue;
    if (seen++ == index) return std::make_shared<XmlElement>(document_, child);
  }
  return nullptr;
}

XmlNodeList::XmlNodeList(std::shared_ptr<XmlDocument> document, QList<xmltree::NodePtr> elements)
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
