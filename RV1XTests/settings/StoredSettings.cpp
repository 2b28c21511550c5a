#include "settings/StoredSettings.h"

#include "runtime/Conversions.h"
#include "services/NumberFormatter.h"
#include "xml/XmlDocument.h"

namespace orvanRV1Xtst::stored {

std::optional<QString> childText(host::XmlElement& element, const QString& name) {
  const host::XmlElementPtr child = element.SelectChild(name, 0);
  if (!child) return std::nullopt;
  return child->Text();
}

double number(QStringView text) {
  return rt::val(text);
}

void read(host::XmlElement& element, const QString& name, QString& field) {
  if (auto text = childText(element, name)) field = *text;
}

void read(host::XmlElement& element, const QString& name, bool& field) {
  if (auto text = childText(element, name)) field = *text == QStringLiteral("True");
}

void read(host::XmlElement& element, const QString& name, rt::Integer& field) {
  if (auto text = childText(element, name)) field = rt::toInteger(number(*text));
}

void read(host::XmlElement& element, const QString& name, rt::Long& field) {
  if (auto text = childText(element, name)) field = rt::toLong(number(*text));
}

void read(host::XmlElement& element, const QString& name, rt::Single& field) {
  if (auto text = childText(element, name)) field = rt::toSingle(number(*text));
}

QString numberText(const QVariant& value) {
  return host::NumberFormatter::instance()->NumberText(value);
}

void appendNumberText(QString& text, rt::Single value) {
  host::NumberFormatter::instance()->AppendNumberText(text, value);
}

void write(host::XmlElement& element, const QString& name, const QString& text) {
  element.AddChild(name, text);
}

}  // namespace orvanRV1Xtst::stored
