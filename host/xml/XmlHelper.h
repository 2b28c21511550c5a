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
  // Host side: whether the element is (or holds) a "Status" element whose
  // number can be read, so that a reader can tell a status that was not
  // stored, or not readably, from status 0.
  bool HoldsStatus(const XmlElementPtr& element);

  virtual XmlElementPtr WriteValue(const XmlDocumentPtr& document, const QVariant& value,
                                   rt::Long valueType);
  // As ReadStatus, for a "Value" element. A text its kind cannot hold (a
  // Single beyond the single range, "0,87", "open", "true") reads as an
  // empty value, never as a number made up.
  virtual void ReadValue(const XmlElementPtr& element, QVariant& value, rt::Long& valueType);
};

}  // namespace host
