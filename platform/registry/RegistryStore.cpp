#include "registry/RegistryStore.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <algorithm>

#include "runtime/RuntimeError.h"

namespace platform {

namespace {

// A key exists when it holds this marker, so that empty keys survive in the
// INI file (which has no notion of an empty section).
const QString kKeyMarker = QStringLiteral("@key");
// The key's default value.
const QString kDefaultValue = QStringLiteral("@");

QString& programPath() {
  static QString path;
  return path;
}

QStringList splitKey(const QString& key) {
  QString normal = key;
  normal.replace(u'/', u'\\');
  return normal.split(u'\\', Qt::SkipEmptyParts);
}

QString storedName(const QString& name) {
  return name.isEmpty() ? kDefaultValue : name;
}

QString findCaseless(const QStringList& names, const QString& wanted) {
  for (const QString& name : names)
    if (name.compare(wanted, Qt::CaseInsensitive) == 0) return name;
  return QString();
}

}  // namespace

QString hiveName(std::uint32_t hive) {
  switch (hive) {
    case hive::ClassesRoot:
      return QStringLiteral("HKEY_CLASSES_ROOT");
    case hive::CurrentUser:
      return QStringLiteral("HKEY_CURRENT_USER");
    case hive::LocalMachine:
      return QStringLiteral("HKEY_LOCAL_MACHINE");
    default:
      return QStringLiteral("HKEY_%1").arg(hive, 8, 16, QLatin1Char('0'));
  }
}

RegistryStore& RegistryStore::instance() {
  static RegistryStore store;
  return store;
}

RegistryStore::~RegistryStore() = default;

QString RegistryStore::path() {
  const QString fromEnvironment = qEnvironmentVariable("RV1X_REGISTRY");
  if (!fromEnvironment.isEmpty()) return fromEnvironment;
  if (!programPath().isEmpty()) return programPath();
  QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.config");
  return base + QStringLiteral("/rv1x/registry.ini");
}

void RegistryStore::setPath(const QString& file) {
  programPath() = file;
}

QSettings& RegistryStore::settings() {
  const QString wanted = QFileInfo(path()).absoluteFilePath();
  if (!settings_ || openPath_ != wanted) {
    QDir().mkpath(QFileInfo(wanted).absolutePath());
    settings_ = std::make_unique<QSettings>(wanted, QSettings::IniFormat);
    openPath_ = wanted;
  } else {
    settings_->sync();  // take in what other processes wrote
  }
  return *settings_;
}

QString RegistryStore::resolve(std::uint32_t hive, const QString& key, bool create) {
  QSettings& s = settings();
  QString group = hiveName(hive);
  for (const QString& segment : splitKey(key)) {
    s.beginGroup(group);
    const QString existing = findCaseless(s.childGroups(), segment);
    s.endGroup();
    if (existing.isEmpty() && !create) return QString();
    group += u'/' + (existing.isEmpty() ? segment : existing);
    if (existing.isEmpty()) s.setValue(group + u'/' + kKeyMarker, QString());
  }
  return group;
}

bool RegistryStore::keyExists(std::uint32_t hive, const QString& key) {
  return !resolve(hive, key, false).isEmpty();
}

void RegistryStore::createKey(std::uint32_t hive, const QString& key) {
  resolve(hive, key, true);
  settings().sync();
}

void RegistryStore::deleteKey(std::uint32_t hive, const QString& key) {
  const QString group = resolve(hive, key, false);
  if (group.isEmpty() || splitKey(key).isEmpty()) return;
  settings().remove(group);
  settings().sync();
}

QVariant RegistryStore::readValue(std::uint32_t hive, const QString& key, const QString& name) {
  const QString group = resolve(hive, key, false);
  if (group.isEmpty()) return QVariant();
  QSettings& s = settings();
  s.beginGroup(group);
  const QString existing = findCaseless(s.childKeys(), storedName(name));
  QVariant value = existing.isEmpty() || existing == kKeyMarker ? QVariant() : s.value(existing);
  s.endGroup();
  return value;
}

void RegistryStore::writeValue(std::uint32_t hive, const QString& key, const QString& name,
                               const QVariant& value) {
  const QString group = resolve(hive, key, true);
  QSettings& s = settings();
  s.beginGroup(group);
  QString existing = findCaseless(s.childKeys(), storedName(name));
  s.setValue(existing.isEmpty() ? storedName(name) : existing, value);
  s.endGroup();
  s.sync();
}

void RegistryStore::deleteValue(std::uint32_t hive, const QString& key, const QString& name) {
  const QString group = resolve(hive, key, false);
  if (group.isEmpty()) return;
  QSettings& s = settings();
  s.beginGroup(group);
  const QString existing = findCaseless(s.childKeys(), storedName(name));
  if (!existing.isEmpty() && existing != kKeyMarker) s.remove(existing);
  s.endGroup();
  s.sync();
}

QStringList RegistryStore::valueNames(std::uint32_t hive, const QString& key) {
  const QString group = resolve(hive, key, false);
  if (group.isEmpty()) return {};
  QSettings& s = settings();
  s.beginGroup(group);
  QStringList names = s.childKeys();
  s.endGroup();
  names.removeAll(kKeyMarker);
  names.replaceInStrings(QRegularExpression(QStringLiteral("^@$")), QString());
  return names;
}

QStringList RegistryStore::subKeys(std::uint32_t hive, const QString& key) {
  const QString group = resolve(hive, key, false);
  if (group.isEmpty()) return {};
  QSettings& s = settings();
  s.beginGroup(group);
  QStringList names = s.childGroups();
  s.endGroup();
  std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) < 0;
  });
  return names;
}

bool RegistryStore::writable() {
  return settings().status() == QSettings::NoError && settings().isWritable();
}

}  // namespace platform
