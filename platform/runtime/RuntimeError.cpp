#include "runtime/RuntimeError.h"

#include <QHash>

namespace rt {

namespace {

const QHash<Long, QString>& descriptions() {
  static const QHash<Long, QString> table{
      {err::InvalidCall, QStringLiteral("Invalid procedure call or argument")},
      {err::Overflow, QStringLiteral("Overflow")},
      {err::OutOfMemory, QStringLiteral("Out of memory")},
      {err::SubscriptOutOfRange, QStringLiteral("Subscript out of range")},
      {err::DivisionByZero, QStringLiteral("Division by zero")},
      {err::TypeMismatch, QStringLiteral("Type mismatch")},
      {err::BadFileNameOrNumber, QStringLiteral("Bad file name or number")},
      {err::FileNotFound, QStringLiteral("File not found")},
      {err::BadFileMode, QStringLiteral("Bad file mode")},
      {err::DeviceIOError, QStringLiteral("Device I/O error")},
      {err::DiskFull, QStringLiteral("Disk full")},
      {err::DeviceUnavailable, QStringLiteral("Device unavailable")},
      {err::PermissionDenied, QStringLiteral("Permission denied")},
      {err::PathFileAccessError, QStringLiteral("Path/File access error")},
      {err::PathNotFound, QStringLiteral("Path not found")},
      {err::ObjectNotSet, QStringLiteral("Object variable or With block variable not set")},
      {err::InvalidPropertyValue, QStringLiteral("Invalid property value")},
      {err::InvalidPropertyArrayIndex, QStringLiteral("Invalid property array index")},
      {err::CannotCreateObject, QStringLiteral("ActiveX component can't create object")},
      {err::NoSuchMember, QStringLiteral("Object doesn't support this property or method")},
      {err::DuplicateKey,
       QStringLiteral("This key is already associated with an element of this collection")},
  };
  return table;
}

}  // namespace

bool isFileError(Long number) {
  return number >= 52 && number <= 76;
}

QString standardDescription(Long number) {
  return descriptions().value(number);
}

RuntimeError::RuntimeError(Long number, QString source, QString description)
    : number_(number), source_(std::move(source)), description_(std::move(description)) {
  if (description_.isEmpty()) description_ = standardDescription(number_);
  what_ = QStringLiteral("run-time error %1 (%2) in %3: %4")
              .arg(number_)
              .arg(hexNumber(), source_, description_)
              .toStdString();
}

QString RuntimeError::hexNumber() const {
  return QStringLiteral("0x") + QString::number(static_cast<std::uint32_t>(number_), 16).toUpper();
}

void raise(Long number, const QString& source, const QString& description) {
  throw RuntimeError(number, source, description);
}

}  // namespace rt
