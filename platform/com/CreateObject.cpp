#include "com/CreateObject.h"

#include <QLibrary>
#include <map>
#include <memory>

#include "com/ClassFactory.h"
#include "com/Registration.h"
#include "com/ServerModule.h"

namespace com {

namespace {

using GetClassObject = std::int32_t (*)(const char*, const char*, void**);

// Libraries stay loaded for the life of the process: objects they created
// may be held anywhere.
QLibrary* loadedLibrary(const QString& file) {
  static std::map<QString, std::unique_ptr<QLibrary>> libraries;
  if (auto known = libraries.find(file); known != libraries.end()) return known->second.get();
  auto library = std::make_unique<QLibrary>(file);
  library->setLoadHints(QLibrary::PreventUnloadHint);
  if (!library->load()) return nullptr;
  return libraries.emplace(file, std::move(library)).first->second.get();
}

[[noreturn]] void cannotCreate(const QString& progId, const QString& why) {
  rt::raise(rt::err::CannotCreateObject, progId,
            rt::standardDescription(rt::err::CannotCreateObject) + QStringLiteral(" (") + why +
                QStringLiteral(")"));
}

}  // namespace

ObjectPtr createObject(const QString& progId) {
  const RegisteredClass registered = lookUpClass(progId);
  if (registered.clsid.isEmpty()) cannotCreate(progId, QStringLiteral("not registered"));
  if (registered.libraryFile.isEmpty()) cannotCreate(progId, QStringLiteral("no library"));
  QLibrary* library = loadedLibrary(registered.libraryFile);
  if (!library) cannotCreate(progId, QStringLiteral("library cannot be loaded"));
  auto entry = reinterpret_cast<GetClassObject>(library->resolve("DllGetClassObject"));
  if (!entry) cannotCreate(progId, QStringLiteral("not a component server"));
  void* factory = nullptr;
  const QByteArray clsid = registered.clsid.toLatin1();
  if (entry(clsid.constData(), "IClassFactory", &factory) != status::Ok || !factory)
    cannotCreate(progId, QStringLiteral("class not available"));
  ObjectPtr object = static_cast<ClassFactory*>(factory)->CreateInstance();
  if (!object) cannotCreate(progId, QStringLiteral("no instance"));
  return object;
}

}  // namespace com
