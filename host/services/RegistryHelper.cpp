#include "services/RegistryHelper.h"

#include "registry/RegistryStore.h"

namespace host {

namespace {
const QString kSource = QStringLiteral("RegistryHelper");
platform::RegistryStore& store() {
  return platform::RegistryStore::instance();
}

void raiseUnlessWritten(bool written) {
  if (!written)
    rt::raise(regerr::StoreFailed, kSource,
              QStringLiteral("The registry store %1 cannot be written")
                  .arg(platform::RegistryStore::path()));
}
}  // namespace

RegistryHelper::RegistryHelper() = default;
RegistryHelper::~RegistryHelper() = default;

void RegistryHelper::OpenKey(rt::Long hive, const QString& path) {
  hive_ = static_cast<std::uint32_t>(hive);
  path_ = path;
  name_ =
      path.split(u'\\', Qt::SkipEmptyParts).value(path.split(u'\\', Qt::SkipEmptyParts).size() - 1);
  opened_ = store().keyExists(hive_, path_);
}

void RegistryHelper::CreateKey(rt::Long hive, const QString& path) {
  raiseUnlessWritten(store().createKey(static_cast<std::uint32_t>(hive), path));
  OpenKey(hive, path);
}

bool RegistryHelper::KeyOpened() {
  return opened_;
}

void RegistryHelper::requireOpen() const {
  if (!opened_)
    rt::raise(regerr::KeyNotOpen, kSource, QStringLiteral("The registry key is not open"));
}

QVariant RegistryHelper::ReadValue(const QString& name) {
  requireOpen();
  return store().readValue(hive_, path_, name);
}

void RegistryHelper::WriteValue(const QString& name, const QVariant& value) {
  requireOpen();
  raiseUnlessWritten(store().writeValue(hive_, path_, name, value));
}

rt::Long RegistryHelper::SubKeyCount() {
  requireOpen();
  return static_cast<rt::Long>(store().subKeys(hive_, path_).size());
}

RegistryHelperPtr RegistryHelper::SubKey(rt::Long index) {
  requireOpen();
  const QStringList names = store().subKeys(hive_, path_);
  if (index < 1 || index > names.size())
    rt::raise(regerr::NoSuchSubKey, kSource, QStringLiteral("No sub-key %1").arg(index));
  auto sub = std::make_shared<RegistryHelper>();
  QString base = path_;
  while (base.endsWith(u'\\')) base.chop(1);
  sub->OpenKey(static_cast<rt::Long>(hive_), base + u'\\' + names.at(index - 1));
  return sub;
}

QString RegistryHelper::SubKeyName() {
  return name_;
}

}  // namespace host
