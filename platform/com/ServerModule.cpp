#include "com/ServerModule.h"

#include <dlfcn.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutex>

#include "com/Registration.h"
#include "registry/RegistryStore.h"
#include "runtime/ErrorHandling.h"

namespace com {

class ServerModule::Factory final : public ClassFactory {
 public:
  Factory(ServerModule& module, QString className)
      : module_(module), className_(std::move(className)) {}
  ObjectPtr CreateInstance() override { return module_.create(className_); }

 private:
  ServerModule& module_;
  QString className_;
};

namespace {
std::map<QString, std::map<QString, Creator>>& creatorTable() {
  static std::map<QString, std::map<QString, Creator>> table;
  return table;
}
}  // namespace

ClassRegistrar::ClassRegistrar(const QString& library, const QString& className, Creator creator) {
  creatorTable()[library][className] = std::move(creator);
}

std::map<QString, Creator> registeredCreators(const QString& library) {
  auto it = creatorTable().find(library);
  return it == creatorTable().end() ? std::map<QString, Creator>() : it->second;
}

ServerModule::ServerModule(QString library, std::map<QString, Creator> classes,
                           std::function<void()> install)
    : library_(std::move(library)), classes_(std::move(classes)), install_(std::move(install)) {
  for (auto& [name, creator] : registeredCreators(library_)) classes_.emplace(name, creator);
}

ServerModule::~ServerModule() = default;

QVector<ClassRegistration> registrationData(const QString& library) {
  // A loaded library's resources do not change, and its library stays
  // loaded: each is read once. A library not loaded yet has none, and is
  // asked again.
  static QMutex guard;
  static std::map<QString, QVector<ClassRegistration>> known;
  const QMutexLocker lock(&guard);
  if (const auto found = known.find(library); found != known.end()) return found->second;
  QVector<ClassRegistration> all =
      readRegistrationData(QStringLiteral(":/%1/registration.json").arg(library));
  const QDir parts(QStringLiteral(":/%1/registration").arg(library));
  for (const QString& file : parts.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name))
    all += readRegistrationData(parts.filePath(file));
  if (!all.isEmpty()) known.emplace(library, all);
  return all;
}

QVector<ClassRegistration> ServerModule::registrations() const {
  return registrationData(library_);
}

std::int32_t ServerModule::registerServer(const QString& libraryFile) {
  const QVector<ClassRegistration> entries = registrations();
  if (libraryFile.isEmpty()) return status::RegistrationFailed;
  // One write of the registry for all the values, unless the caller's batch
  // gathers more.
  platform::RegistryStore::Batch batch;
  bool ok = rt::ignoreErrors([&] {
    for (const ClassRegistration& entry : entries) {
      if (classes_.find(entry.className) == classes_.end()) rt::raise(rt::err::InvalidCall);
      writeClassRegistration(entry, libraryFile);
    }
    if (install_) install_();
  });
  ok = batch.commit() && ok;
  return ok ? status::Ok : status::RegistrationFailed;
}

std::int32_t ServerModule::unregisterServer() {
  bool ok = rt::ignoreErrors([&] {
    for (const ClassRegistration& entry : registrations()) removeClassRegistration(entry);
  });
  return ok ? status::Ok : status::RegistrationFailed;
}

std::int32_t ServerModule::getClassObject(const char* clsid, void** factory) {
  if (!factory || !clsid) return status::InvalidArgument;
  *factory = nullptr;
  const QString wanted = QString::fromLatin1(clsid).toUpper();
  for (const ClassRegistration& entry : registrations()) {
    if (entry.clsid.toUpper() != wanted) continue;
    if (classes_.find(entry.className) == classes_.end()) break;
    auto& slot = factories_[wanted];
    if (!slot) slot = std::make_unique<Factory>(*this, entry.className);
    *factory = static_cast<ClassFactory*>(slot.get());
    return status::Ok;
  }
  return status::ClassNotAvailable;
}

std::int32_t ServerModule::canUnloadNow() const {
  return liveObjects_->load() == 0 ? status::Ok : status::False;
}

ObjectPtr ServerModule::create(const QString& className) {
  auto it = classes_.find(className);
  if (it == classes_.end()) rt::raise(rt::err::CannotCreateObject, className);
  ObjectPtr inner = it->second();
  if (!inner) rt::raise(rt::err::CannotCreateObject, className);
  // The outer reference counts the object as alive for canUnloadNow and
  // releases the inner one (with its own deleter) when the last holder goes.
  ++*liveObjects_;
  Object* raw = inner.get();
  return ObjectPtr(raw, [inner = std::move(inner), counter = liveObjects_](Object*) mutable {
    inner.reset();
    --*counter;
  });
}

QString libraryFileOf(const void* address) {
  Dl_info info{};
  if (dladdr(address, &info) == 0 || !info.dli_fname) return QString();
  return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).canonicalFilePath();
}

}  // namespace com
