#pragma once
// The limit set of one test: the host's collection of named standards with
// their limits. A new standard gets the default limits of its test type
// unless the plug-in's test template holds a stored standard of that name;
// the limit set opens the host's limit view for editing, tells which of the
// run's selected standards a measurement fails, stores its standards as
// "ExpectedResult" and prints them beside the test's measurement table.
//
// The owner is the test element that holds the limit set, so the limit set
// keeps it as a back-reference; a limit set without owner (or whose owner has
// gone) fails where it needs the test ID.

#include <memory>

#include "typelib/ILimitData.h"

namespace orvanRV1Xtst {

// Load of an element that is not "ExpectedResult" (handed on to the caller).
inline constexpr rt::Long kLimitLoadError = rt::hresult(0x8004A4EEu);
// The host's own failure to make a standard, handed on by CreateStandard.
inline constexpr rt::Long kLimitStandardError = rt::hresult(0x8004A50Fu);

class CLimitData final : public host::ILimitData, public std::enable_shared_from_this<CLimitData> {
 public:
  CLimitData();
  ~CLimitData() override;

  QString Description() override { return QString(); }
  void SetDescription(const QString&) override {}
  bool HasDialog() override { return hasDialog_; }
  host::StandardsCollectionPtr Standards() override { return standards_; }
  host::ITestElementPtr Owner() override { return owner_.lock(); }
  // A copy of the standards with the same dialog flag and no owner; Nothing
  // (reported) when copying fails.
  host::ILimitDataPtr Clone() override;
  // The dialog host around the limit view with this test's rows; Nothing
  // without a dialog, without the view or on any failure.
  host::IDialogPtr CreateDialog() override;
  // The plug-in's stored standard of those names, else a new one with the
  // test's default limits; either is added to this limit set. Nothing on
  // failure.
  host::StandardPtr CreateStandard(const QString& sAlphaName,
                                   const QString& sCompleteName) override;
  void Load(const host::XmlElementPtr& ixeIn, const host::HostLogPtr& iprLog) override;
  // The "ExpectedResult" element, or Nothing without standards. Raises.
  host::XmlElementPtr Save(const host::XmlDocumentPtr& ixdOwner) override;
  void PrintReport(const host::HostReportPtr& iarReport, const host::RunContextPtr& ctx) override;
  void UpdateLimits(const com::ObjectPtr&) override {}
  // This limit set's own standards, found by the names of the selected ones,
  // that the measurement fails; Nothing when none fails (never an empty
  // collection).
  host::StandardsCollectionPtr FindFailedStandards(
      const host::IMeasurementPtr& measurement,
      const host::StandardsCollectionPtr& selected) override;

  // The test library's own members.
  void Init(const host::ITestElementPtr& owner, bool hasDialog);
  // Takes a copy of the source's standards (raises).
  void CopyFrom(const host::ILimitDataPtr& source);
  // Adds the default limits of the test type, skipping one that fails.
  void CreateTestLimits(const host::StandardPtr& standard, rt::Long testID);
  // Adds the limit view's rows of the test type (view: the limit view).
  void ParseLimitsToDialog(const com::ObjectPtr& view, rt::Long testID);
  void AddLimit(const host::StandardPtr& standard, const QString& key, const QString& unit,
                const QString& op);
  void SetHasDialog(bool hasDialog) { hasDialog_ = hasDialog; }

 private:
  host::StandardsCollectionPtr standards_;
  std::weak_ptr<host::ITestElement> owner_;
  bool hasDialog_ = true;
};

using CLimitDataPtr = std::shared_ptr<CLimitData>;

}  // namespace orvanRV1Xtst
