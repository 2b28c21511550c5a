#pragma once
// The registered name (ProgID) of an object's class, as the registration
// data of the library that defines the class gives it: the run time's
// TypeName of the object (its class name without namespaces) looked up
// among the classes that library registers. A host uses it to store what it
// did not create by name itself, such as a copy a plug-in hands out.

#include <QString>

#include "com/Object.h"

namespace com {

// Empty for Nothing, and for an object whose class no library registers.
QString registeredNameOf(const ObjectPtr& object);

// The class name of the object's most derived type, without namespaces
// ("CTestDischarge"); empty for Nothing.
QString typeName(const ObjectPtr& object);

}  // namespace com
