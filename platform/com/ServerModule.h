#pragma once
// One in-process component server (a deliverable). It knows its public
// classes by name with their creators: those given to its constructor and
// those that a source file of the library adds with RV1X_CREATABLE_CLASS.
// Their registered names (ProgIDs) and fixed class identifiers come from the
// registration data compiled into the library: ":/<library>/registration.json"
// and every ":/<library>/registration/*.json".
//
// RV1X_COMPONENT_SERVER(module) exports the four entry points as C
// functions: DllRegisterServer, DllUnregisterServer, DllGetClassObject and
// DllCanUnloadNow.

#include <QString>
#include <QVector>
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include "com/ClassFactory.h"

namespace com {

// Results of the entry points, as the platform's status codes.
namespace status {
constexpr std::int32_t Ok = 0;
constexpr std::int32_t False = 1;
constexpr std::int32_t ClassNotAvailable = static_cast<std::int32_t>(0x80040111u);
constexpr std::int32_t RegistrationFailed = static_cast<std::int32_t>(0x80040201u);
constexpr std::int32_t InvalidArgument = static_cast<std::int32_t>(0x80070057u);
}  // namespace status

struct ClassRegistration {
  QString className;     // the class as the library knows it ("CRV1XQuery")
  QString progId;        // registered name ("SelkamRV1XVTI.CRV1XQuery")
  QString clsid;         // "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}"
  bool control = false;  // a user control (created the same way)
};

class ServerModule {
 public:
  // library: the deliverable's name, which is also the prefix of its
  // resources; classes: the creatable classes by name; install: what
  // registering also sets up as the deliverable's installer would (its
  // settings key), run after the classes are registered.
  ServerModule(QString library, std::map<QString, Creator> classes,
               std::function<void()> install = {});
  ~ServerModule();
  ServerModule(const ServerModule&) = delete;
  ServerModule& operator=(const ServerModule&) = delete;

  const QString& library() const { return library_; }
  QVector<ClassRegistration> registrations() const;

  std::int32_t registerServer(const QString& libraryFile);
  std::int32_t unregisterServer();
  std::int32_t getClassObject(const char* clsid, void** factory);
  std::int32_t canUnloadNow() const;

  // Creates an instance counted for canUnloadNow (the factories use it).
  ObjectPtr create(const QString& className);

 private:
  class Factory;
  QString library_;
  std::map<QString, Creator> classes_;
  std::function<void()> install_;
  std::map<QString, std::unique_ptr<Factory>> factories_;  // by clsid, upper case
  std::shared_ptr<std::atomic<int>> liveObjects_ = std::make_shared<std::atomic<int>>(0);
};

// The registration data compiled into a loaded library (its resources).
QVector<ClassRegistration> registrationData(const QString& library);

// The file of the shared library that holds the given address.
QString libraryFileOf(const void* address);

// Adds a creatable class to a library's server (used by RV1X_CREATABLE_CLASS
// while the library loads).
struct ClassRegistrar {
  ClassRegistrar(const QString& library, const QString& className, Creator creator);
};
std::map<QString, Creator> registeredCreators(const QString& library);

}  // namespace com

// The library file is found from a function of internal linkage: the exported
// entry points of a library that the process loaded earlier (a deliverable
// another one links) would stand in for this library's own.
#define RV1X_COMPONENT_SERVER(moduleExpression)                                          \
  namespace {                                                                            \
  com::ServerModule& rv1xServerModule() {                                                \
    static com::ServerModule module = (moduleExpression);                                \
    return module;                                                                       \
  }                                                                                      \
  }                                                                                      \
  extern "C" __attribute__((visibility("default"))) std::int32_t DllRegisterServer() {   \
    return rv1xServerModule().registerServer(                                            \
        com::libraryFileOf(reinterpret_cast<const void*>(&rv1xServerModule)));           \
  }                                                                                      \
  extern "C" __attribute__((visibility("default"))) std::int32_t DllUnregisterServer() { \
    return rv1xServerModule().unregisterServer();                                        \
  }                                                                                      \
  extern "C" __attribute__((visibility("default"))) std::int32_t DllGetClassObject(      \
      const char* clsid, const char* /*iid*/, void** factory) {                          \
    return rv1xServerModule().getClassObject(clsid, factory);                            \
  }                                                                                      \
  extern "C" __attribute__((visibility("default"))) std::int32_t DllCanUnloadNow() {     \
    return rv1xServerModule().canUnloadNow();                                            \
  }

// Makes a class creatable by the server of its library; the class needs a
// default constructor. Put it in the class's own source file:
//   RV1X_CREATABLE_CLASS("orvanRV1Xvti", CRV1XQuery)
#define RV1X_CREATABLE_CLASS(library, ClassName)                                            \
  namespace {                                                                               \
  const com::ClassRegistrar rv1xRegistrar_##ClassName(QStringLiteral(library),              \
                                                      QStringLiteral(#ClassName), [] {      \
                                                        return com::ObjectPtr(              \
                                                            std::make_shared<ClassName>()); \
                                                      });                                   \
  }
