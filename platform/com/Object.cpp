#include "com/Object.h"

namespace com {

Object::~Object() = default;

void raiseNotSet() {
  rt::raise(rt::err::ObjectNotSet);
}

QVariant toVariant(const ObjectPtr& object) {
  return QVariant::fromValue(object);
}

ObjectPtr toObject(const QVariant& value) {
  if (value.metaType() == QMetaType::fromType<ObjectPtr>()) return value.value<ObjectPtr>();
  if (!value.isValid() || value.isNull()) return nullptr;
  rt::raise(rt::err::TypeMismatch);
}

bool holdsObject(const QVariant& value) {
  return value.metaType() == QMetaType::fromType<ObjectPtr>() && value.value<ObjectPtr>();
}

}  // namespace com
