#pragma once
// The registry: one INI file (IniFile.h, the syntax of QSettings' INI
// format) holding hives, keys and values. Key paths and value names are
// compared without regard to case and a trailing backslash is ignored, as on
// the platform this stands in for; the spelling under which a key or value
// was first created is kept.
//
// Every operation answers for itself. Reads see the file as it is (read
// again whenever it changed); each change reads the file afresh under the
// lock file that QSettings' writers also take ("<file>.lock"), changes it
// and writes it back whole, and answers whether that worked. After a change
// that could not be written, what is read is what the file holds. A line of
// the file that holds no key or value is kept where it is and told once as
// a notice (runtime/Notices.h).
//
// What is read is kept while the file stays as it was read (its device,
// inode, size and change times), and so is each value found, by the
// spelling it was asked for, so a look-up repeated many times costs a
// stat() of the file and one search of what was found; any change, ours or
// another process's, drops both.
//
// A Batch gathers changes into one read and one write of the file (an
// installer's many values): see below.
//
// Where the file lives: the one the program set with setPath() (the host
// program's --registry FILE, which wins over the environment as a command
// line does), else the path in RV1X_REGISTRY, else
// <user configuration directory>/rv1x/registry.ini.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>

#include "registry/IniFile.h"
#include "runtime/Types.h"

class QLockFile;

namespace platform {

namespace hive {
constexpr std::uint32_t ClassesRoot = 0x80000000u;
constexpr std::uint32_t CurrentUser = 0x80000001u;
constexpr std::uint32_t LocalMachine = 0x80000002u;
}  // namespace hive

class RegistryStore {
 public:
  static RegistryStore& instance();

  // The file that the next access uses (see above for the order).
  static QString path();
  static void setPath(const QString& file);

  bool keyExists(std::uint32_t hive, const QString& key);
  // The changes answer whether the file holds them now (in a batch: see
  // Batch below).
  bool createKey(std::uint32_t hive, const QString& key);
  bool deleteKey(std::uint32_t hive, const QString& key);  // with its sub-keys

  // Empty variant when the key or value is missing. A value name of ""
  // is the key's default value.
  QVariant readValue(std::uint32_t hive, const QString& key, const QString& name);
  bool writeValue(std::uint32_t hive, const QString& key, const QString& name,
                  const QVariant& value);
  bool deleteValue(std::uint32_t hive, const QString& key, const QString& name);
  QStringList valueNames(std::uint32_t hive, const QString& key);

  // Sub-key names as first spelled, in the platform's order (alphabetical
  // without regard to case).
  QStringList subKeys(std::uint32_t hive, const QString& key);

  // Whether the last change could be written.
  bool writable();

  // A value for this process alone: every read sees it in place of the
  // file's (the key itself must exist in the file), and nothing writes it
  // into the file, so that it goes with the process, however the process
  // ends. An empty variant takes it away again.
  void setProcessValue(std::uint32_t hive, const QString& key, const QString& name,
                       const QVariant& value);

  // While a batch is open, the first change reads the file afresh and takes
  // its lock, which is held until the batch ends; every change goes into
  // that copy (and is read back from it) and answers true unless the file
  // could not be read or locked. The outermost batch's end writes the copy
  // back once: commit() answers whether the file holds every change of the
  // batch; an inner batch's commit() whether none has failed so far. A
  // batch that ends without commit() writes its changes all the same, as
  // each change on its own would have been.
  class Batch {
   public:
    explicit Batch(RegistryStore& store = RegistryStore::instance());
    ~Batch();
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;
    bool commit();

   private:
    RegistryStore& store_;
    bool open_ = true;
    bool outcome_ = true;
  };

  ~RegistryStore();

 private:
  RegistryStore();
  // The file as it is now.
  const IniFile& current();
  // Reads the file afresh under the lock, lets the change alter it, and
  // writes it back when it changed.
  bool change(const std::function<void(IniFile&)>& alter);
  // The file's bytes, or nothing when it cannot be read; a missing file
  // reads as empty.
  std::optional<QByteArray> readFile(const QString& file);
  IniFile parse(const QString& file, const QByteArray& content);
  // The file read afresh under the lock (created where missing), with its
  // bytes; nothing when it cannot be locked or read.
  std::optional<IniFile> readForChange(const QString& file, QLockFile& lock, QByteArray& before);
  // Writes the content when it differs from what the file held.
  bool writeBack(const QString& file, const IniFile& content, const QByteArray& before);
  bool endBatch();

  struct State;
  std::unique_ptr<State> state_;
};

QString hiveName(std::uint32_t hive);

}  // namespace platform
