#pragma once
// The host's stored documents over QtXml: a document creates elements; an
// element has a tag name, attributes, text and child nodes. Elements keep
// their document alive.

#include <QDomDocument>
#include <QDomElement>

#include "typelib/HostTypes.h"

namespace host {

class XmlDocument : public virtual com::Object, public std::enable_shared_from_this<XmlDocument> {
 public:
  XmlDocument();
  ~XmlDocument() override;

  // A new element with that tag name (not yet placed), or Nothing when the
  // name is not a valid XML name.
  virtual XmlElementPtr CreateElement(const QString& name);

  // Reads a file; file errors surface as run-time errors 53 (not found) and
  // 52..76 (other access errors), a malformed document as error 5 with the
  // parser's line and column.
  virtual void Load(const QString& path);
  virtual void LoadXml(const QString& text);
  virtual void SaveFile(const QString& path);  // errors 52..76

  // The root element, or Nothing for an empty document.
  virtual XmlElementPtr DocumentElement();
  // An element of another document is copied in.
  virtual void SetDocumentElement(const XmlElementPtr& root);

  QString toString(int indent = 2) const;
  QDomDocument& dom() { return dom_; }

 private:
  QDomDocument dom_;
};

class XmlElement : public virtual com::Object, public std::enable_shared_from_this<XmlElement> {
 public:
  XmlElement(std::shared_ptr<XmlDocument> document, QDomElement element);
  ~XmlElement() override;

  virtual QString TagName();
  virtual void SetTagName(const QString& name);
  // "" when the attribute is absent.
  virtual QString Attribute(const QString& name);
  virtual void SetAttribute(const QString& name, const QString& value);
  virtual XmlNodeListPtr ChildNodes();
  virtual bool HasChildren();
  // Error 91 for Nothing; an element of another document is copied in.
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

  std::shared_ptr<XmlDocument> document() const { return document_; }
  QDomElement& dom() { return element_; }

 private:
  std::shared_ptr<XmlDocument> document_;
  QDomElement element_;
};

class XmlNodeList : public virtual com::Object {
 public:
  XmlNodeList(std::shared_ptr<XmlDocument> document, QList<QDomElement> elements);
  ~XmlNodeList() override;
  virtual rt::Long Length();
  // Item from 0; error 9 outside 0..Length-1.
  virtual XmlElementPtr Item(rt::Long index);

 private:
  std::shared_ptr<XmlDocument> document_;
  QList<QDomElement> elements_;
};

}  // namespace host
