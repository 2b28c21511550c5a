#include "xml/XmlHelper.h"

#include "runtime/Conversions.h"
#include "runtime/NumberDisplay.h"
#include "xml/XmlDocument.h"

namespace host {

namespace {

const QString kStatus = QStringLiteral("Status");
const QString kValue = QStringLiteral("Value");

XmlElementPtr elementNamed(const XmlElementPtr& element, const QString& name) {
  if (!element) return nullptr;
  if (element->TagName() == name) return element;
  return element->SelectChild(name, 0);
}

QString kindOf(const QVariant& value) {
  if (rt::isEmpty(value)) return QStringLiteral("Empty");
  switch (value.typeId()) {
    case QMetaType::Bool:
      return QStringLiteral("Boolean");
    case QMetaType::Short:
      return QStringLiteral("Integer");
    case QMetaType::Int:
    case QMetaType::Long:
      return QStringLiteral("Long");
    case QMetaType::Float:
      return QStringLiteral("Single");
    case QMetaType::Double:
      return QStringLiteral("Double");
    default:
      return QStringLiteral("String");
  }
}

QVariant valueOf(const QString& kind, const QString& text) {
  if (kind == QLatin1String("Empty")) return QVariant();
  if (kind == QLatin1String("Boolean")) return text == QLatin1String("True");
  if (kind == QLatin1String("Integer"))
    return QVariant::fromValue<short>(rt::toInteger(rt::val(text)));
  if (kind == QLatin1String("Long")) return QVariant::fromValue<int>(rt::toLong(rt::val(text)));
  if (kind == QLatin1String("Single"))
    return QVariant::fromValue<float>(static_cast<float>(rt::val(text)));
  if (kind == QLatin1String("Double")) return rt::val(text);
  return text;
}

}  // namespace

XmlHelper::~XmlHelper() = default;

XmlHelperPtr XmlHelper::instance() {
  static XmlHelperPtr helper = std::make_shared<XmlHelper>();
  return helper;
}

XmlDocumentPtr XmlHelper::NewDocument() {
  return std::make_shared<XmlDocument>();
}

XmlElementPtr XmlHelper::WriteStatus(const XmlDocumentPtr& document, rt::Long status,
                                     const QString& statusText) {
  XmlElementPtr element = com::must(document).CreateElement(kStatus);
  if (!element) return nullptr;
  element->SetAttribute(QStringLiteral("Code"), QString::number(status));
  element->SetText(statusText);
  return element;
}

void XmlHelper::ReadStatus(const XmlElementPtr& element, rt::Long& status, QString& statusText) {
  XmlElementPtr found = elementNamed(element, kStatus);
  if (!found) return;
  status = rt::toLong(rt::val(found->Attribute(QStringLiteral("Code"))));
  statusText = found->Text();
}

XmlElementPtr XmlHelper::WriteValue(const XmlDocumentPtr& document, const QVariant& value,
                                    rt::Long valueType) {
  XmlElementPtr element = com::must(document).CreateElement(kValue);
  if (!element) return nullptr;
  const QString kind = kindOf(value);
  element->SetAttribute(QStringLiteral("Type"), QString::number(valueType));
  element->SetAttribute(QStringLiteral("Kind"), kind);
  if (kind == QLatin1String("String"))
    element->SetText(value.toString());
  else if (kind != QLatin1String("Empty"))
    element->SetText(rt::numberText(value));
  return element;
}

void XmlHelper::ReadValue(const XmlElementPtr& element, QVariant& value, rt::Long& valueType) {
  XmlElementPtr found = elementNamed(element, kValue);
  if (!found) return;
  valueType = rt::toLong(rt::val(found->Attribute(QStringLiteral("Type"))));
  QString kind = found->Attribute(QStringLiteral("Kind"));
  if (kind.isEmpty())
    kind = found->Text().isEmpty() ? QStringLiteral("Empty") : QStringLiteral("Double");
  value = valueOf(kind, found->Text());
}

}  // namespace host
