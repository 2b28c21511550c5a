#pragma once
// Stored elements for load and save tests: an element read from XML text,
// and a document that refuses to create elements of one name.

#include "xml/XmlDocument.h"

namespace testsupport {

// The root element of the XML text, in a document of its own.
inline host::XmlElementPtr xmlElement(const QString& xml) {
  auto document = std::make_shared<host::XmlDocument>();
  document->LoadXml(xml);
  return document->DocumentElement();
}

// Creates every element but those of the refused name.
class RefusingDocument : public host::XmlDocument {
 public:
  explicit RefusingDocument(QString refused) : refused_(std::move(refused)) {}
  host::XmlElementPtr CreateElement(const QString& name) override {
    if (name == refused_) return nullptr;
    return host::XmlDocument::CreateElement(name);
  }

 private:
  QString refused_;
};

}  // namespace testsupport
