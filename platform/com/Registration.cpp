#include "com/Registration.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "registry/RegistryStore.h"
#include "runtime/RuntimeError.h"

namespace com {

using platform::RegistryStore;
namespace hive = platform::hive;

QVector<ClassRegistration> readRegistrationData(const QString& file) {
  QFile f(file);
  if (!f.open(QIODevice::ReadOnly)) return {};
  const QJsonDocument doc = QJsonDocument::fromJson(f.readAll());
  QVector<ClassRegistration> result;
  for (const QJsonValue& value : doc.object().value(QStringLiteral("classes")).toArray()) {
    const QJsonObject o = value.toObject();
    ClassRegistration entry{
        o.value(QStringLiteral("class")).toString(), o.value(QStringLiteral("progId")).toString(),
        o.value(QStringLiteral("clsid")).toString(), o.value(QStringLiteral("control")).toBool()};
    if (!entry.className.isEmpty() && !entry.progId.isEmpty() && !entry.clsid.isEmpty())
      result.push_back(entry);
  }
  return result;
}

namespace {
QString clsidKey(const QString& clsid) {
  return QStringLiteral("CLSID\\") + clsid;
}
}  // namespace

void writeClassRegistration(const ClassRegistration& entry, const QString& libraryFile) {
  RegistryStore& store = RegistryStore::instance();
  const QString key = clsidKey(entry.clsid);
  const bool written =
      store.writeValue(hive::ClassesRoot, entry.progId + QStringLiteral("\\CLSID"), QString(),
                       entry.clsid) &&
      store.writeValue(hive::ClassesRoot, key + QStringLiteral("\\InprocServer32"), QString(),
                       libraryFile) &&
      store.writeValue(hive::ClassesRoot, key + QStringLiteral("\\ProgID"), QString(),
                       entry.progId) &&
      (!entry.control || store.createKey(hive::ClassesRoot, key + QStringLiteral("\\Control")));
  if (!written)
    rt::raise(rt::err::PathFileAccessError, entry.progId,
              QStringLiteral("The registry %1 cannot be written").arg(RegistryStore::path()));
}

void removeClassRegistration(const ClassRegistration& entry) {
  RegistryStore& store = RegistryStore::instance();
  store.deleteKey(hive::ClassesRoot, entry.progId);
  store.deleteKey(hive::ClassesRoot, clsidKey(entry.clsid));
}

RegisteredClass lookUpClass(const QString& progId) {
  RegisteredClass found;
  if (progId.trimmed().isEmpty()) return found;
  RegistryStore& store = RegistryStore::instance();
  found.clsid =
      store.readValue(hive::ClassesRoot, progId + QStringLiteral("\\CLSID"), QString()).toString();
  if (found.clsid.isEmpty()) return found;
  found.progId = progId;
  found.libraryFile =
      store
          .readValue(hive::ClassesRoot, clsidKey(found.clsid) + QStringLiteral("\\InprocServer32"),
                     QString())
          .toString();
  return found;
}

}  // namespace com
