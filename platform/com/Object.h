#pragma once
// The component model: objects are held by std::shared_ptr (the reference
// count), an empty reference is Nothing, interfaces are abstract classes that
// derive virtually from com::Object, and asking an object for an interface is
// a dynamic cast behind queryInterface().

#include <QMetaType>
#include <QVariant>
#include <memory>

#include "runtime/RuntimeError.h"

namespace com {

class Object {
 public:
  virtual ~Object();
};

using ObjectPtr = std::shared_ptr<Object>;

// The interface I of an object, or Nothing when it does not offer it (or the
// reference is Nothing). The run time's "TypeOf ... Is".
template <class I, class T>
std::shared_ptr<I> queryInterface(const std::shared_ptr<T>& object) {
  return std::dynamic_pointer_cast<I>(object);
}

template <class I, class T>
bool is(const std::shared_ptr<T>& object) {
  return object && dynamic_cast<I*>(object.get()) != nullptr;
}

// Assignment to a variable of interface type: Nothing stays Nothing, an
// object that does not offer I raises the conversion error 13.
template <class I, class T>
std::shared_ptr<I> cast(const std::shared_ptr<T>& object) {
  if (!object) return nullptr;
  auto result = std::dynamic_pointer_cast<I>(object);
  if (!result) rt::raise(rt::err::TypeMismatch);
  return result;
}

[[noreturn]] void raiseNotSet();

// Calls a member through a reference: an empty reference raises run-time
// error 91 instead of dereferencing null. Use as must(ref).Member().
template <class T>
T& must(const std::shared_ptr<T>& object) {
  if (!object) raiseNotSet();
  return *object;
}

template <class T>
T& must(T* object) {
  if (!object) raiseNotSet();
  return *object;
}

// A back-reference (owner, parent) is weak; following it when the target is
// gone raises error 91 like any empty reference.
template <class T>
std::shared_ptr<T> must(const std::weak_ptr<T>& object) {
  auto strong = object.lock();
  if (!strong) raiseNotSet();
  return strong;
}

// Objects carried in a variant.
QVariant toVariant(const ObjectPtr& object);
ObjectPtr toObject(const QVariant& value);  // Nothing when it holds no object
bool holdsObject(const QVariant& value);

template <class I>
std::shared_ptr<I> variantAs(const QVariant& value) {
  return cast<I>(toObject(value));
}

template <class T>
QVariant toVariantOf(const std::shared_ptr<T>& object) {
  return toVariant(ObjectPtr(object));
}

}  // namespace com

Q_DECLARE_METATYPE(com::ObjectPtr)
