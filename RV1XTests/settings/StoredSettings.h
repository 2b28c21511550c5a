#pragma once
// Setting children of a stored configuration: one child element per
// setting, whose text is the value. Numbers are written as the host's number
// formatter gives them and read back as the number at the start of the text
// ("." the decimal point, 0 when there is none), then converted to the
// field's type: whole-number fields take the nearest value, halves to even,
// and a value outside a 16-bit or 32-bit field raises the overflow error 6.
// Flags are written "True" and "False"; only the exact text "True" reads
// back as true. A missing child leaves the field as it was.

#include <QString>
#include <optional>

#include "typelib/HostTypes.h"

namespace orvanRV1Xtst::stored {

// The text of the first child of that name, when there is one.
std::optional<QString> childText(host::XmlElement& element, const QString& name);

void read(host::XmlElement& element, const QString& name, QString& field);
void read(host::XmlElement& element, const QString& name, bool& field);
void read(host::XmlElement& element, const QString& name, rt::Integer& field);
void read(host::XmlElement& element, const QString& name, rt::Long& field);
void read(host::XmlElement& element, const QString& name, rt::Single& field);

// The number at the start of a stored text.
double number(QStringView text);

// The host's locale-independent text of a number.
QString numberText(const QVariant& value);
inline QString numberText(rt::Integer value) {
  return numberText(QVariant(int(value)));
}
inline QString numberText(rt::Long value) {
  return numberText(QVariant(value));
}
inline QString numberText(rt::Single value) {
  return numberText(QVariant(value));
}

// The host's text of the number appended to a text being built.
void appendNumberText(QString& text, rt::Single value);

inline QString flagText(bool value) {
  return value ? QStringLiteral("True") : QStringLiteral("False");
}

// Adds a child holding the text.
void write(host::XmlElement& element, const QString& name, const QString& text);

}  // namespace orvanRV1Xtst::stored
