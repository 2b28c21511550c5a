#pragma once
// Registry access for the components, one key at a time, over the
// platform's registry store.
//
// A missing value reads as an empty variant. Errors of its own:
//   0x8004A68B  the registry store cannot be read or written
//   0x8004A68D  a read, write or sub-key request on a helper whose key is
//               not open
//   0x8004A68E  a sub-key index outside 1..SubKeyCount

#include "runtime/RuntimeError.h"
#include "typelib/HostTypes.h"

namespace host {

namespace regerr {
constexpr rt::Long StoreFailed = rt::hresult(0x8004A68Bu);
constexpr rt::Long KeyNotOpen = rt::hresult(0x8004A68Du);
constexpr rt::Long NoSuchSubKey = rt::hresult(0x8004A68Eu);
}  // namespace regerr

constexpr rt::Long HKEY_LOCAL_MACHINE = rt::hresult(0x80000002u);

class RegistryHelper : public virtual com::Object {
 public:
  RegistryHelper();
  ~RegistryHelper() override;

  // Opens an existing key; KeyOpened tells whether it was there.
  virtual void OpenKey(rt::Long hive, const QString& path);
  // Creates the key when it is missing, and opens it.
  virtual void CreateKey(rt::Long hive, const QString& path);
  virtual bool KeyOpened();
  virtual QVariant ReadValue(const QString& name);
  virtual void WriteValue(const QString& name, const QVariant& value);
  virtual rt::Long SubKeyCount();
  virtual RegistryHelperPtr SubKey(rt::Long index);  // 1-based
  virtual QString SubKeyName();

 private:
  void requireOpen() const;
  std::uint32_t hive_ = 0;
  QString path_;
  QString name_;
  bool opened_ = false;
};

}  // namespace host
