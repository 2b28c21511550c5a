#pragma once
// A plug-in as the host sees it: it answers its identifier and nothing else.
// Tests derive from it to add the interfaces a plug-in offers the libraries.

#include "typelib/IPlugIn.h"

namespace testsupport {

class StubPlugIn : public virtual host::IPlugIn {
 public:
  explicit StubPlugIn(QString id = host::kProduct) : id_(std::move(id)) {}
  QString ID() override { return id_; }
  QImage Icon(rt::Long, rt::Long, rt::Long) override { return {}; }
  QString Name() override { return {}; }
  rt::Long Flags() override { return 0; }
  host::ISetupPtr Setup() override { return nullptr; }
  com::ObjectPtr ControlPanel() override { return nullptr; }
  host::ITestElementListPtr Tests() override { return nullptr; }
  QString Version() override { return {}; }
  com::ObjectPtr PlugInMenu() override { return nullptr; }
  void Initialize(const host::HostLogPtr&) override {}
  host::ITestElementPtr CreateTest(rt::Long) override { return nullptr; }
  host::IConfigDataPtr CreateDutData() override { return nullptr; }

 private:
  QString id_;
};

}  // namespace testsupport
