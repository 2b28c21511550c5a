#pragma once
// Creating an object by its registered name: look the name up in the
// registry, load its library on first use, ask the library's class-object
// entry point for the factory and create the object. An unknown name or a
// library that cannot be loaded raises run-time error 429.

#include <QString>

#include "com/Object.h"

namespace com {

ObjectPtr createObject(const QString& progId);

template <class I>
std::shared_ptr<I> createObjectAs(const QString& progId) {
  return cast<I>(createObject(progId));
}

}  // namespace com
