#pragma once
// The plug-in's settings: the test template's path, the communication
// time-out and the high/low-range threshold, kept under HKEY_LOCAL_MACHINE
// "Software\Tavrin\orvan\RV-1X":
//   "Configuration"   the template's path; empty or missing: the plug-in's
//                     own folder and "orvanRV1X.mpc". Only ever read.
//   "CommTimeOut"     ms, 600 when it cannot be read
//   "RangeThreshold"  J, 50 when it cannot be read
// A stored 0, or any other number, is taken as it is. The host reaches the
// settings through ISetup; its dialog is the preferences page.

#include <QStringList>
#include <memory>

#include "typelib/ISetup.h"

namespace orvanRV1X {

inline const QString kSettingsKey = QStringLiteral("Software\\Tavrin\\orvan\\RV-1X");
inline const QString kTemplateFileName = QStringLiteral("orvanRV1X.mpc");

namespace setting {
inline const QString Configuration = QStringLiteral("Configuration");
inline const QString CommTimeOut = QStringLiteral("CommTimeOut");
inline const QString RangeThreshold = QStringLiteral("RangeThreshold");
constexpr rt::Long DefaultCommTimeOut = 600;
constexpr rt::Long DefaultRangeThreshold = 50;
}  // namespace setting

class CRV1XSetup final : public host::ISetup, public std::enable_shared_from_this<CRV1XSetup> {
 public:
  CRV1XSetup();
  ~CRV1XSetup() override;

  QString TemplateFile() const { return templateFile_; }
  void SetTemplateFile(const QString& path) { templateFile_ = path; }
  rt::Long RangeThresholdValue() const { return rangeThreshold_; }
  void SetRangeThresholdValue(rt::Long joules) { rangeThreshold_ = joules; }
  rt::Long CommTimeOutValue() const { return commTimeOut_; }
  void SetCommTimeOutValue(rt::Long ms) { commTimeOut_ = ms; }

  // Reads the settings (RegLoad); any failure is ignored.
  void Initialize();
  // What CreateDialog answers.
  com::ObjectPtr GetSetup();
  // Reads the three values as RegLoad does, without writing them back: the
  // preferences page shows them without touching the registry.
  void ReadSettings();
  // Writes one of the two numbers (setting::CommTimeOut or RangeThreshold),
  // as RegSave does for both.
  void SaveSetting(const QString& name);

  bool HasDialog() override { return true; }
  QString Settings() override { return QString(); }
  void SetSettings(const QString&) override {}
  // A dialog host around the preferences page, given this setup; Nothing
  // when it cannot be made (nothing is reported).
  host::IDialogPtr CreateDialog() override;
  // Both arguments are ignored: the plug-in's key is always the one above.
  // Reads the three values and writes the two numbers back. A key that
  // cannot be opened is reported (KeyNotOpen) and leaves every value as it
  // was; the registry's own store and key errors reach the caller.
  void RegLoad(rt::Long hKey, const QString& sRegKey) override;
  // Writes "CommTimeOut" and "RangeThreshold" (creating the key); every
  // failing step is skipped.
  void RegSave(rt::Long hKey, const QString& sRegKey) override;

 private:
  void Load(bool writeBack);
  void Save(const QStringList& names);

  QString templateFile_;
  rt::Long commTimeOut_ = 0;
  rt::Long rangeThreshold_ = 0;
};

}  // namespace orvanRV1X
