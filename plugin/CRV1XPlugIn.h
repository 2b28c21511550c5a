#pragma once
// The plug-in object the host loads ("SelkamRV1X.CRV1XPlugIn"): who the
// plug-in is (identifier, name, version, icons), its setup, the catalogue of
// test elements read from the test template, and new test elements by test
// ID. The test library's limit sets reach it through IRV1XPlugIn for the
// default standards the template carries.
//
// Life cycle: created empty; Initialize makes the setup (which reads the
// registry), loads the template into the catalogue and hands the plug-in
// over to the test library; only then do Tests and CreateTest answer. The
// catalogue's prototypes stay with the plug-in until it ends.

#include <memory>

#include "orvanRV1Xtst/TypeLibrary.h"
#include "typelib/IPlugIn.h"

namespace orvanRV1X {

class CRV1XSetup;

class CRV1XPlugIn final : public host::IPlugIn,
                          public orvanRV1Xtst::IRV1XPlugIn,
                          public std::enable_shared_from_this<CRV1XPlugIn> {
 public:
  CRV1XPlugIn();
  ~CRV1XPlugIn() override;  // clears the catalogue

  QString ID() override;
  // The bitmap of a test ID and size (icon::Small, Large, ExtraLarge), or
  // a null picture for any other pair; the colours are not looked at.
  QImage Icon(rt::Long lTestID, rt::Long eisSize, rt::Long eicColors) override;
  QString Name() override;
  rt::Long Flags() override { return 0; }
  // Nothing before Initialize.
  host::ISetupPtr Setup() override;
  com::ObjectPtr ControlPanel() override { return nullptr; }
  // The catalogue; NotInitialised before a successful Initialize or without
  // one.
  host::ITestElementListPtr Tests() override;
  QString Version() override;
  com::ObjectPtr PlugInMenu() override { return nullptr; }
  // The log is not used. The template's own errors (TemplateNotFound,
  // TemplateFileError, BadTemplate) reach the caller; any other failure is
  // reported. Either way the plug-in stays uninitialised.
  void Initialize(const host::HostLogPtr& iprLog) override;
  // A new element cloned from the prototype of that test ID; NotInitialised
  // or NoSuchTest otherwise.
  host::ITestElementPtr CreateTest(rt::Long lTestID) override;
  host::IConfigDataPtr CreateDutData() override { return nullptr; }

  // A copy of the prototype's standard of those names, or Nothing (also
  // before Initialize); never raises.
  com::ObjectPtr LoadStandard(rt::Long iTestID, const QString& sAlphaName,
                              const QString& sCompleteName) override;

 private:
  host::ITestElementListPtr catalogue_;
  std::shared_ptr<CRV1XSetup> setup_;
  bool initialised_ = false;
};

}  // namespace orvanRV1X
