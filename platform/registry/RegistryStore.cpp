#include "registry/RegistryStore.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <algorithm>
#include <map>
#include <set>
#include <tuple>

#include "runtime/Notices.h"
#include "runtime/WholeFile.h"

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

// How long a change waits for another writer's lock.
constexpr int kLockWaitMs = 5000;

// What tells whether the file changed since it was read.
struct FileStamp {
  bool exists = false;
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  timespec modified{};
  timespec changed{};

  bool operator==(const FileStamp& o) const {
    return exists == o.exists && device == o.device && inode == o.inode && size == o.size &&
           modified.tv_sec == o.modified.tv_sec && modified.tv_nsec == o.modified.tv_nsec &&
           changed.tv_sec == o.changed.tv_sec && changed.tv_nsec == o.changed.tv_nsec;
  }
};

FileStamp stampOf(const QString& file) {
  struct stat info {};
  FileStamp stamp;
  if (::stat(QFile::encodeName(file).constData(), &info) != 0) return stamp;
  stamp.exists = true;
  stamp.device = info.st_dev;
  stamp.inode = info.st_ino;
  stamp.size = info.st_size;
  stamp.modified = info.st_mtim;
  stamp.changed = info.st_ctim;
  return stamp;
}

// The group of a key: the hive's name and the key's components as the file
// first spelled them, '/' between them. Empty when the key does not exist,
// unless it is created (into creating), each new component with the key
// marker.
QString resolveKey(const IniFile& file, std::uint32_t hive, const QString& key,
                   IniFile* creating = nullptr) {
  QString group = hiveName(hive);
  for (const QString& segment : splitKey(key)) {
    const QString existing = findCaseless(file.childGroups(group), segment);
    if (!existing.isEmpty()) {
      group += u'/' + existing;
      continue;
    }
    if (!creating) return QString();
    group += u'/' + segment;
    creating->setValue(group + u'/' + kKeyMarker, QString());
  }
  return group;
}

// A value's place whatever the spelling: hive, key components and name,
// without regard to case.
QString valuePlace(std::uint32_t hive, const QString& key, const QString& name) {
  return QString::number(hive) + u'\\' + splitKey(key).join(u'\\').toLower() + u'\n' +
         name.toLower();
}

}  // namespace

// The file of the open batch, read for its first change.
struct PendingBatch {
  int depth = 0;
  bool started = false;  // a change read the file
  bool failed = false;   // it could not be read or locked
  QString file;
  std::unique_ptr<QLockFile> lock;
  QByteArray before;
  IniFile content;
};

struct RegistryStore::State {
  QString file;  // the absolute path read last; empty: read again
  // The last absolute path asked for and its absolute form, so that a
  // look-up repeated on the same file need not make it again.
  QString pathGiven, pathMadeAbsolute;
  FileStamp stamp;
  IniFile content;
  bool lastChangeWritten = true;
  std::set<QString> told;  // unreadable lines already told, by file and text
  // Values of this process alone, by place: name as spelled and value.
  std::map<QString, std::pair<QString, QVariant>> processValues;
  // The values read from the content as it is, by hive, key and name as
  // the comparison without regard to case sees them.
  std::map<std::tuple<std::uint32_t, QString, QString>, QVariant> values;
  // The same values by hive, key and name as the caller spelled them, so
  // that a look-up repeated with the same spelling folds no case.
  std::map<std::tuple<std::uint32_t, QString, QString>, QVariant> valuesAsSpelled;

  void forgetValues() {
    values.clear();
    valuesAsSpelled.clear();
  }
  PendingBatch batch;
};

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

RegistryStore::RegistryStore() : state_(std::make_unique<State>()) {}
RegistryStore::~RegistryStore() = default;

QString RegistryStore::path() {
  if (!programPath().isEmpty()) return programPath();
  const QString fromEnvironment = qEnvironmentVariable("RV1X_REGISTRY");
  if (!fromEnvironment.isEmpty()) return fromEnvironment;
  QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.config");
  return base + QStringLiteral("/rv1x/registry.ini");
}

void RegistryStore::setPath(const QString& file) {
  programPath() = file;
}

std::optional<QByteArray> RegistryStore::readFile(const QString& file) {
  const QFileInfo info(file);
  if (!info.exists() && !info.isSymLink()) return QByteArray();
  QFile in(file);
  if (info.isDir() || !in.open(QIODevice::ReadOnly)) {
    const QString what = QStringLiteral("%1 cannot be read").arg(file);
    if (state_->told.insert(what).second) rt::notice(QStringLiteral("registry"), what);
    return std::nullopt;
  }
  return in.readAll();
}

IniFile RegistryStore::parse(const QString& file, const QByteArray& content) {
  QList<IniFile::Unreadable> unreadable;
  IniFile parsed = IniFile::parse(content, &unreadable);
  for (const IniFile::Unreadable& line : unreadable) {
    if (!state_->told.insert(file + u'\n' + line.text).second) continue;
    rt::notice(QStringLiteral("registry"),
               QStringLiteral("line %1 of %2 holds no key or value and is kept as it is: %3")
                   .arg(line.line)
                   .arg(file, line.text));
  }
  return parsed;
}

const IniFile& RegistryStore::current() {
  State& s = *state_;
  if (s.batch.started && !s.batch.failed) return s.batch.content;
  const QString given = path();
  // A relative path depends on the working folder: made absolute each time.
  if (given != s.pathGiven || !QDir::isAbsolutePath(given)) {
    s.pathGiven = given;
    s.pathMadeAbsolute = QFileInfo(given).absoluteFilePath();
  }
  const QString& file = s.pathMadeAbsolute;
  const FileStamp stamp = stampOf(file);
  if (file != s.file || !(stamp == s.stamp)) {
    s.file = file;
    s.stamp = stamp;
    s.content = parse(file, readFile(file).value_or(QByteArray()));
    s.forgetValues();
  }
  return s.content;
}

std::optional<IniFile> RegistryStore::readForChange(const QString& file, QLockFile& lock,
                                                    QByteArray& before) {
  if (!QDir().mkpath(QFileInfo(file).absolutePath())) return std::nullopt;
  if (!lock.tryLock(kLockWaitMs)) return std::nullopt;
  const std::optional<QByteArray> content = readFile(file);
  if (!content) return std::nullopt;  // never written over what could not be read
  before = *content;
  return parse(file, before);
}

bool RegistryStore::writeBack(const QString& file, const IniFile& content,
                              const QByteArray& before) {
  const QByteArray after = content.text();
  if (after == before) return true;
  const QFileInfo info(file);
  if (info.exists() && !info.isWritable()) return false;
  return !rt::replaceFileWhole(file, after);
}

bool RegistryStore::change(const std::function<void(IniFile&)>& alter) {
  State& s = *state_;
  s.forgetValues();
  const QString file = QFileInfo(path()).absoluteFilePath();
  PendingBatch& batch = s.batch;
  if (batch.depth > 0) {
    if (!batch.started) {
      batch.started = true;
      batch.file = file;
      batch.lock = std::make_unique<QLockFile>(file + QStringLiteral(".lock"));
      std::optional<IniFile> content = readForChange(file, *batch.lock, batch.before);
      batch.failed = !content;
      if (content) batch.content = std::move(*content);
    }
    if (batch.failed) return s.lastChangeWritten = false;
    alter(batch.content);
    return true;
  }
  s.file.clear();  // unless it is written below, what is read next comes from the file
  s.lastChangeWritten = [&] {
    QLockFile lock(file + QStringLiteral(".lock"));
    QByteArray before;
    std::optional<IniFile> content = readForChange(file, lock, before);
    if (!content) return false;
    alter(*content);
    if (!writeBack(file, *content, before)) return false;
    s.file = file;
    s.stamp = stampOf(file);
    s.content = std::move(*content);
    return true;
  }();
  return s.lastChangeWritten;
}

bool RegistryStore::endBatch() {
  State& s = *state_;
  PendingBatch& batch = s.batch;
  bool written = true;
  if (batch.started) {
    s.forgetValues();
    s.file.clear();
    written = !batch.failed && writeBack(batch.file, batch.content, batch.before);
    if (written) {
      s.file = batch.file;
      s.stamp = stampOf(batch.file);
      s.content = std::move(batch.content);
    }
    s.lastChangeWritten = written;
  }
  batch = PendingBatch{};  // and the lock is released
  return written;
}

RegistryStore::Batch::Batch(RegistryStore& store) : store_(store) {
  ++store_.state_->batch.depth;
}

RegistryStore::Batch::~Batch() {
  commit();
}

bool RegistryStore::Batch::commit() {
  if (!open_) return outcome_;
  open_ = false;
  PendingBatch& batch = store_.state_->batch;
  outcome_ = --batch.depth == 0 ? store_.endBatch() : !batch.failed;
  return outcome_;
}

bool RegistryStore::keyExists(std::uint32_t hive, const QString& key) {
  return !resolveKey(current(), hive, key).isEmpty();
}

bool RegistryStore::createKey(std::uint32_t hive, const QString& key) {
  return change([&](IniFile& file) { resolveKey(file, hive, key, &file); });
}

bool RegistryStore::deleteKey(std::uint32_t hive, const QString& key) {
  if (splitKey(key).isEmpty()) return true;  // never the hive itself
  return change([&](IniFile& file) {
    const QString group = resolveKey(file, hive, key);
    if (!group.isEmpty()) file.removeGroup(group);
  });
}

QVariant RegistryStore::readValue(std::uint32_t hive, const QString& key, const QString& name) {
  State& s = *state_;
  const IniFile& file = current();
  if (!s.processValues.empty()) {
    if (const auto own = s.processValues.find(valuePlace(hive, key, name));
        own != s.processValues.end())
      return resolveKey(file, hive, key).isEmpty() ? QVariant() : own->second.second;
  }
  const auto asSpelled = std::make_tuple(hive, key, name);
  if (const auto known = s.valuesAsSpelled.find(asSpelled); known != s.valuesAsSpelled.end())
    return known->second;
  // Every component of the key and the name is found without regard to
  // case, so the answer depends on their case-folded spelling only.
  const auto lookUp = std::make_tuple(hive, splitKey(key).join(u'\\').toCaseFolded(),
                                      storedName(name).toCaseFolded());
  auto& values = s.values;
  if (const auto known = values.find(lookUp); known != values.end()) {
    s.valuesAsSpelled.emplace(asSpelled, known->second);
    return known->second;
  }
  const QVariant value = [&] {
    const QString group = resolveKey(file, hive, key);
    if (group.isEmpty()) return QVariant();
    const QString existing = findCaseless(file.childKeys(group), storedName(name));
    if (existing.isEmpty() || existing == kKeyMarker) return QVariant();
    return file.value(group + u'/' + existing);
  }();
  values.emplace(lookUp, value);
  s.valuesAsSpelled.emplace(asSpelled, value);
  return value;
}

bool RegistryStore::writeValue(std::uint32_t hive, const QString& key, const QString& name,
                               const QVariant& value) {
  return change([&](IniFile& file) {
    const QString group = resolveKey(file, hive, key, &file);
    const QString existing = findCaseless(file.childKeys(group), storedName(name));
    file.setValue(group + u'/' + (existing.isEmpty() ? storedName(name) : existing), value);
  });
}

bool RegistryStore::deleteValue(std::uint32_t hive, const QString& key, const QString& name) {
  return change([&](IniFile& file) {
    const QString group = resolveKey(file, hive, key);
    if (group.isEmpty()) return;
    const QString existing = findCaseless(file.childKeys(group), storedName(name));
    if (!existing.isEmpty() && existing != kKeyMarker) file.remove(group + u'/' + existing);
  });
}

QStringList RegistryStore::valueNames(std::uint32_t hive, const QString& key) {
  const IniFile& file = current();
  const QString group = resolveKey(file, hive, key);
  if (group.isEmpty()) return {};
  QStringList names = file.childKeys(group);
  names.removeAll(kKeyMarker);
  for (QString& name : names)
    if (name == kDefaultValue) name.clear();
  const QString place = valuePlace(hive, key, QString());
  for (const auto& [where, value] : state_->processValues)
    if (where.startsWith(place) && !names.contains(value.first, Qt::CaseInsensitive))
      names.append(value.first);
  return names;
}

void RegistryStore::setProcessValue(std::uint32_t hive, const QString& key, const QString& name,
                                    const QVariant& value) {
  const QString place = valuePlace(hive, key, name);
  if (value.isValid())
    state_->processValues[place] = {name, value};
  else
    state_->processValues.erase(place);
}

QStringList RegistryStore::subKeys(std::uint32_t hive, const QString& key) {
  const IniFile& file = current();
  const QString group = resolveKey(file, hive, key);
  if (group.isEmpty()) return {};
  QStringList names = file.childGroups(group);
  std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) < 0;
  });
  return names;
}

bool RegistryStore::writable() {
  return state_->lastChangeWritten;
}

}  // namespace platform
