#pragma once
// What the seven test configurations share: the host's configuration
// interface, the owned test-guide settings, the stored form
//   <PlugInData PlugIn="RV-1X"> one child per setting ... <TestGuideSettings/> </PlugInData>
// with its load and save error handling, the clone and the dialog, and the
// printed configuration table. A configuration class gives its kind (error
// source, editor, table shape) and fills in the steps that are its own:
// reading and writing its setting children, copying its fields and its
// report rows. Six of the seven describe their settings in a table of
// members that does these steps (SettingMembers.h); the shock-advisory
// configuration, a collection of steps, does them itself.

#include <QList>
#include <QString>
#include <functional>
#include <memory>

#include "settings/ReportTableSequence.h"
#include "typelib/IConfigData.h"

namespace orvanRV1Xtst {

// A configuration asked to load an element that is not its own (severity 4),
// and one that cannot create its element (severity 3).
inline constexpr rt::Long kConfigLoadError = rt::hresult(0x8004A3C2);
inline constexpr rt::Long kConfigSaveError = rt::hresult(0x8004A3C3);
inline constexpr rt::Long kConfigLoadSeverity = 4;
inline constexpr rt::Long kConfigSaveSeverity = 3;

struct ConfigKind {
  QString source;        // the class's registered name, the source of its errors
  QString editorProgId;  // the editor control its dialog hosts
  reporttable::Shape shape = reporttable::Shape::NarrowFirstColumn;
  bool checksElement = true;  // Load rejects an element that is not its own
};

// One printed row: a label text key, the value as printed, the unit. The
// value is formatted when its row is printed, so that a value that cannot be
// formatted leaves out its own row and no other.
struct ReportRow {
  QString textKey;
  std::function<QString()> value;
  QString unit;
};

class CConfigBase : public host::IConfigData, public std::enable_shared_from_this<CConfigBase> {
 public:
  ~CConfigBase() override;

  // The owned settings object itself, never a copy.
  host::TestGuideSettingsObjectPtr TestGuideConfig() const { return testGuideConfig_; }
  const ConfigKind& kind() const { return kind_; }

  bool HasDialog() override { return true; }
  host::IConfigDataPtr Clone() override;
  host::IDialogPtr CreateDialog() override;
  void Load(const host::XmlElementPtr& ixeIn, const host::HostLogPtr& iprLog) override;
  host::XmlElementPtr Save(const host::XmlDocumentPtr& ixdOwner) override;
  void PrintReport(const host::HostReportPtr& iarReport) override;

 protected:
  explicit CConfigBase(ConfigKind kind);

  // A new object of the same class that has copied this one.
  virtual std::shared_ptr<CConfigBase> CopyOfThis() = 0;
  // Runs before the element check.
  virtual void BeginLoad() {}
  // Reads the setting children; answers whether the element's
  // "TestGuideSettings" child is to be read as well.
  virtual bool LoadSettings(host::XmlElement& element, const host::HostLogPtr& log) = 0;
  // Runs after the settings object has read its element.
  virtual void EndLoad() {}
  // Adds the setting children, in their stored order.
  virtual void SaveSettings(host::XmlElement& element, const host::XmlDocumentPtr& document) = 0;
  // The report rows in their printed order; none for a class that prints
  // nothing.
  virtual QList<ReportRow> ReportRows() { return {}; }

  // The settings object of a copy: a clone of the source's, or a new one.
  void CopyTestGuideConfigFrom(const CConfigBase& source);

 private:
  void BuildReportHeader(host::HostReport& report, QString& format, QString& header);
  QString BuildReportRows(host::HostReport& report);
  // The handler of Load and Save: the class's own number goes on to the
  // caller, anything else is reported with the class's source.
  void HandleError(const rt::RuntimeError& error, rt::Long ownNumber);
  void CheckElement(host::XmlElement& element);

  ConfigKind kind_;
  host::TestGuideSettingsObjectPtr testGuideConfig_;
};

// The members a configuration class gets from its own type: Clone makes a
// Derived and runs Derived::CopyFrom on it.
template <class Derived>
class ConfigClass : public CConfigBase {
 protected:
  using CConfigBase::CConfigBase;
  std::shared_ptr<CConfigBase> CopyOfThis() override {
    auto copy = std::make_shared<Derived>();
    copy->CopyFrom(std::static_pointer_cast<Derived>(shared_from_this()));
    return copy;
  }
};

}  // namespace orvanRV1Xtst
