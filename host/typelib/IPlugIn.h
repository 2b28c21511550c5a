#pragma once
// The host's plug-in interface, and the list of test elements it hands out.

#include "typelib/HostTypes.h"

namespace host {

class ITestElementList : public virtual com::Object {
 public:
  ~ITestElementList() override;
  virtual void Add(const ITestElementPtr& element, const com::ObjectPtr& before,
                   rt::Long flags) = 0;
  virtual rt::Long Count() = 0;
  virtual ITestElementPtr Item(rt::Long position) = 0;  // 1-based
  // The prototype of that test ID, or Nothing.
  virtual ITestElementPtr Find(rt::Long testID) = 0;
  virtual void Clear() = 0;
};

class IPlugIn : public virtual com::Object {
 public:
  ~IPlugIn() override;
  virtual QString ID() = 0;
  virtual QImage Icon(rt::Long lTestID, rt::Long eisSize, rt::Long eicColors) = 0;
  virtual QString Name() = 0;
  virtual rt::Long Flags() = 0;
  virtual ISetupPtr Setup() = 0;
  virtual com::ObjectPtr ControlPanel() = 0;
  virtual ITestElementListPtr Tests() = 0;
  virtual QString Version() = 0;
  virtual com::ObjectPtr PlugInMenu() = 0;
  virtual void Initialize(const HostLogPtr& iprLog) = 0;
  virtual ITestElementPtr CreateTest(rt::Long lTestID) = 0;
  virtual IConfigDataPtr CreateDutData() = 0;
};

// Icon sizes and colour depths the host asks for.
namespace icon {
constexpr rt::Long Small = 0;       // 16 x 16
constexpr rt::Long Large = 1;       // 32 x 16
constexpr rt::Long ExtraLarge = 2;  // 32 x 32
}  // namespace icon

}  // namespace host
