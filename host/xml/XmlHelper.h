#pragma once
// The typed "Status" and "Value" elements. Their stored form:
//   <Status Code="2">text</Status>
//   <Value Type="1" Kind="Single">12.5</Value>
// where Kind is Empty, Boolean, Integer, Long, Single, Double or String and
// numbers are written as locale-independent text, so that reading back gives
// the same value, kind and type.

#include "typelib/HostTypes.h"

namespace host {

class XmlHelper : public virtual com::Object {
 public:
  ~XmlHelper() override;
  static XmlHelperPtr instance();

  virtual XmlDocumentPtr NewDocument();

  // A new "Status" element, or Nothing when the document gives none.
  virtual XmlElementPtr WriteStatus(const XmlDocumentPtr& document, rt::Long status,
                                    const QString& statusText);
  // Reads a "Status" element, given either itself or an element holding one
  // as a child; nothing changes when there is none.
  virtual void ReadStatus(const XmlElementPtr& element, rt::Long& status, QString& statusText);

  virtual XmlElementPtr WriteValue(const XmlDocumentPtr& document, const QVariant& value,
                                   rt::Long valueType);
  // As ReadStatus, for a "Value" element.
  virtual void ReadValue(const XmlElementPtr& element, QVariant& value, rt::Long& valueType);
};

}  // namespace host
