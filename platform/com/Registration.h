#pragma once
// Registration data of a component server and its entries in the registry:
//   HKEY_CLASSES_ROOT\<ProgID>\CLSID            (default) = {class identifier}
//   HKEY_CLASSES_ROOT\CLSID\{id}\InprocServer32 (default) = library file
//   HKEY_CLASSES_ROOT\CLSID\{id}\ProgID         (default) = ProgID
//   HKEY_CLASSES_ROOT\CLSID\{id}\Control        present for user controls

#include "com/ServerModule.h"

namespace com {

// Reads a registration file (JSON): {"library": ..., "classes": [{"class",
// "progId", "clsid", "control"}]}. Empty when it cannot be read.
QVector<ClassRegistration> readRegistrationData(const QString& file);

// Raises error 75 when the registry store cannot hold the entry.
void writeClassRegistration(const ClassRegistration& entry, const QString& libraryFile);
void removeClassRegistration(const ClassRegistration& entry);

struct RegisteredClass {
  QString progId;
  QString clsid;
  QString libraryFile;
};

// The registered class of a ProgID (compared without regard to case); empty
// fields when it is not registered.
RegisteredClass lookUpClass(const QString& progId);

}  // namespace com
