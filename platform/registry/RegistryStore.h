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
  // The changes answer whether the file holds them now.
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

  struct State;
  std::unique_ptr<State> state_;
};

QString hiveName(std::uint32_t hive);

}  // namespace platform
