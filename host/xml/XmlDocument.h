#pragma once
// The host's stored documents: a document creates elements; an element has
// a tag name, attributes, text and child nodes. Elements keep their document
// alive. A document written twice gives the same bytes (attributes in the
// order they were set), and every document written reads back: names are
// checked, and a character that XML cannot carry is replaced and told
// (xml/XmlTree.h).

#include <QDomDocument>
#include <QDomElement>
#include <QList>

#include "typelib/HostTypes.h"
#include "xml/XmlTree.h"

namespace host {

class XmlDocument : public virtual com::Object, public std::enable_shared_from_this<XmlDocument> {
 public:
  XmlDocument();
  ~XmlDocument() override;

  // A new element with that tag name (not yet placed), or Nothing when the
  // name is not a valid XML name.
  virtual XmlElementPtr CreateElement(const QString& name);

  // Reads a file; file errors surface as run-time errors 53 (not found) and
  // 52..76 (other access errors), a document that is not well-formed (names
  // outside XML's rules and nesting beyond xmltree::kDepthLimit included) as
  // error 5 with the parser's line and column.
  virtual void Load(const QString& path);
  virtual void LoadXml(const QString& text);
  // Replaces the file whole or not at all (runtime/WholeFile.h); errors
  // 52..76, 61 when the disk is full.
  virtual void SaveFile(const QString& path);
  // The same for a document made node by node: what `write` hands the
  // stream goes to the file at once, and the file is replaced only when
  // `write` returns (an error it raises leaves the old file as it was).
  static void SaveStreamed(const QString& path,
                           const std::function<void(xmltree::StreamWriter&)>& write);

  // The root element, or Nothing for an empty document.
  virtual XmlElementPtr DocumentElement();
  // An element of another document is copied in.
  virtual void SetDocumentElement(const XmlElementPtr& root);

  // The document as it is saved; an indent below 0 writes it on one line.
  QString toString(int indent = 2) const;
  // Host side: a processing instruction after what the document holds (the
  // XML declaration, written before the root element is set).
  void addInstruction(const QString& target, const QString& data);
  // A QtXml copy of the document for reading; changing it does not change
  // the document.
  QDomDocument dom() const;
  // The nodes as they were read or made (comments and instructions too).
  const xmltree::Node& tree() const { return *document_; }
  // A copy of a comment, an instruction or an element after what the
  // document holds (error 5 for an element when it already has a root).
  void appendNode(const xmltree::Node& node);

 private:
  friend class XmlElement;
  // The node as this document's: itself when it is one of ours, else a copy.
  xmltree::NodePtr adopted(const XmlElementPtr& element);

  xmltree::NodePtr document_ = std::make_shared<xmltree::Node>(xmltree::Node::Kind::Document);
};

class XmlElement : public virtual com::Object, public std::enable_shared_from_this<XmlElement> {
 public:
  XmlElement(std::shared_ptr<XmlDocument> document, xmltree::NodePtr node);
  ~XmlElement() override;

  virtual QString TagName();
  // Error 5 for a name that is not an XML name.
  virtual void SetTagName(const QString& name);
  // "" when the attribute is absent.
  virtual QString Attribute(const QString& name);
  // A new attribute comes after those set before it; error 5 for a name
  // that is not an XML name.
  virtual void SetAttribute(const QString& name, const QString& value);
  virtual XmlNodeListPtr ChildNodes();
  virtual bool HasChildren();
  // Error 91 for Nothing; an element of another document is copied in, one
  // of this document moves here (error 5 when it would hold itself, or
  // when elements would nest deeper than xmltree::kDepthLimit).
  virtual void AppendChild(const XmlElementPtr& child);
  // All text below the element, its children's included.
  virtual QString Text();
  // Only the element's own text and CDATA nodes, in order, without the text
  // of its child elements: the text of an element that also holds children.
  virtual QString OwnText();
  virtual void SetText(const QString& text);
  // Adds a child element holding the text and answers it.
  virtual XmlElementPtr AddChild(const QString& name, const QString& text);
  // The first child element of that name (index must be 0), or Nothing.
  virtual XmlElementPtr SelectChild(const QString& name, rt::Long index = 0);

  // Host side.
  std::shared_ptr<XmlDocument> document() const { return document_; }
  const xmltree::NodePtr& node() const { return node_; }
  bool hasAttribute(const QString& name) const { return node_->attribute(name) != nullptr; }
  // The line its start tag ended on when it was read; 0 for one made here.
  qint64 lineNumber() const { return node_->line; }
  // Takes a child element out; nothing happens for one that is not a child.
  void removeChild(const XmlElementPtr& child);
  // A copy of any node (a comment, a text, an element) as the last child;
  // an element within the depth limit (error 5).
  void appendNode(const xmltree::Node& node);
  // A QtXml copy of the element for reading, valid while this object lives;
  // changing it does not change the element.
  QDomElement dom() const;

 private:
  std::shared_ptr<XmlDocument> document_;
  xmltree::NodePtr node_;
  mutable QDomDocument snapshot_;
};

class XmlNodeList : public virtual com::Object {
 public:
  XmlNodeList(std::shared_ptr<XmlDocument> document, QList<xmltree::NodePtr> elements);
  ~XmlNodeList() override;
  virtual rt::Long Length();
  // Item from 0; error 9 outside 0..Length-1.
  virtual XmlElementPtr Item(rt::Long index);

 private:
  std::shared_ptr<XmlDocument> document_;
  QList<xmltree::NodePtr> elements_;
};

}  // namespace host
