#include "xml/XmlHelper.h"

#include <cmath>

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

// The value a stored text holds for its kind; an empty variant for a text
// the kind cannot hold (a value this helper wrote always reads back), so
// that no value is made up.
QVariant valueOf(const QString& kind, const QString& text) {
  bool ok = false;
  if (kind == QLatin1String("Empty")) return QVariant();
  if (kind == QLatin1String("Boolean")) {
    if (text == QLatin1String("True")) return true;
    if (text == QLatin1String("False")) return false;
    return QVariant();
  }
  if (kind == QLatin1String("Integer")) {
    const short number = text.trimmed().toShort(&ok);
    return ok ? QVariant::fromValue<short>(number) : QVariant();
  }
  if (kind == QLatin1String("Long")) {
    const int number = text.trimmed().toInt(&ok);
    return ok ? QVariant::fromValue<int>(number) : QVariant();
  }
  const double number = text.trimmed().toDouble(&ok);
  if (kind == QLatin1String("Single")) {
    const auto single = static_cast<float>(number);
    // A finite number beyond the single range would read as infinite.
    if (!ok || (std::isfinite(number) && !std::isfinite(single))) return QVariant();
    return QVariant::fromValue<float>(single);
  }
  if (kind == QLatin1String("Double")) return ok ? QVariant(number) : QVariant();
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

bool XmlHelper::HoldsStatus(const XmlElementPtr& element) {
  const XmlElementPtr found = elementNamed(element, kStatus);
  if (!found) return false;
  bool whole = false;
  found->Attribute(QStringLiteral("Code")).toInt(&whole);
  return whole;
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
