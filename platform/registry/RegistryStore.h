#pragma once
// The registry: one INI file (QSettings) holding hives, keys and values.
// Key paths and value names are compared without regard to case and a
// trailing backslash is ignored, as on the platform this stands in for; the
// spelling under which a key or value was first created is kept.
//
// Where the file lives: the path in RV1X_REGISTRY, else the one the program
// set with setPath() (the host program's --registry FILE), else
// <user configuration directory>/rv1x/registry.ini.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

#include "runtime/Types.h"

class QSettings;

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
  void createKey(std::uint32_t hive, const QString& key);
  void deleteKey(std::uint32_t hive, const QString& key);  // with its sub-keys

  // Empty variant when the key or value is missing. A value name of ""
  // is the key's default value.
  QVariant readValue(std::uint32_t hive, const QString& key, const QString& name);
  void writeValue(std::uint32_t hive, const QString& key, const QString& name,
                  const QVariant& value);
  void deleteValue(std::uint32_t hive, const QString& key, const QString& name);
  QStringList valueNames(std::uint32_t hive, const QString& key);

  // Sub-key names as first spelled, in the platform's order (alphabetical
  // without regard to case).
  QStringList subKeys(std::uint32_t hive, const QString& key);

  // True when the file could be written at the last write.
  bool writable();

  ~RegistryStore();

 private:
  RegistryStore() = default;
  QSettings& settings();
  // The QSettings group of an existing key, or empty when it does not exist.
  QString resolve(std::uint32_t hive, const QString& key, bool create);

  std::unique_ptr<QSettings> settings_;
  QString openPath_;
};

QString hiveName(std::uint32_t hive);

}  // namespace platform
