#include "com/RegisteredName.h"

#include <cxxabi.h>

#include <QFileInfo>
#include <cstdlib>
#include <typeinfo>

#include "com/ServerModule.h"

namespace com {

namespace {

// The library's name as its resources are prefixed: "liborvanRV1Xtst.so"
// gives "orvanRV1Xtst".
QString libraryName(const QString& file) {
  QString name = QFileInfo(file).fileName();
  if (name.startsWith(QStringLiteral("lib"))) name = name.mid(3);
  return name.section(u'.', 0, 0);
}

}  // namespace

QString typeName(const ObjectPtr& object) {
  if (!object) return QString();
  const Object& target = *object;
  const char* mangled = typeid(target).name();
  int status = 0;
  char* demangled = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
  QString name = QString::fromLatin1(status == 0 && demangled ? demangled : mangled);
  std::free(demangled);
  const int angle = name.indexOf(u'<');
  if (angle >= 0) name.truncate(angle);
  return name.section(QStringLiteral("::"), -1);
}

QString registeredNameOf(const ObjectPtr& object) {
  const QString className = typeName(object);
  if (className.isEmpty()) return QString();
  // The most derived object's first word is its class's virtual table, which
  // lies in the library that defines the class.
  const void* whole = dynamic_cast<const void*>(object.get());
  const QString library = libraryName(libraryFileOf(*static_cast<void* const*>(whole)));
  if (library.isEmpty()) return QString();
  for (const ClassRegistration& entry : registrationData(library))
    if (entry.className == className) return entry.progId;
  return QString();
}

}  // namespace com
