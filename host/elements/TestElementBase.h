#pragma once
// The host's base object of a test element. Every test element creates one
// and hands it its configuration and limit set; the base keeps the
// element's identity (plug-in, test ID, ID), parent, info and filter, the
// configuration, the limit set and the result, and loads, saves and prints
// them. It also answers ITestElement itself, which is how an element
// reaches its printing.
//
// Stored form (the element's registered name is the host's to add as
// "ClassName"; each child is optional and is what that part writes):
//   <TestElement TestID="200" ID="1">
//     <Info .../> <PlugInData .../> <ExpectedResult .../> <ResultItem .../>
//   </TestElement>
// Load takes one child at a time, by its tag name; a test element hands it
// each child its host gives it.

#include "elements/ElementErrors.h"
#include "typelib/ITestElement.h"

namespace host {

// The heading every test element's print starts with: its name (else "Test
// <ID>") in bold, two points larger than the report's font, then its type
// and parameter and its description. The report's font is given back. A
// heading that would stand at a page's foot without the first lines of its
// section under it starts the next page.
void printTestHeading(HostReport& report, const TestInfoPtr& info, rt::Long testID);

class TestElementBase : public ITestElement {
 public:
  TestElementBase();
  ~TestElementBase() override;

  // product, test ID and the element's ID (an empty third argument keeps
  // the ID). Error 13 when a number is not one.
  void Initialize(const QVariant& product, const QVariant& testID, const QVariant& id) override;
  QString PlugInID() override { return product_; }
  rt::Long TestID() override { return testID_; }
  rt::Long ID() override { return id_; }
  void SetID(rt::Long id) override { id_ = id; }

  // A weak back-reference: the parent owns its children.
  ITestElementPtr Parent() override { return parent_.lock(); }
  void SetParent(const ITestElementPtr& parent) override { parent_ = parent; }
  TestInfoPtr Info() override { return info_; }
  TestFilterPtr Filter() override { return filter_; }

  IConfigDataPtr Configuration() override { return configuration_; }
  void SetConfiguration(const IConfigDataPtr& configuration) { configuration_ = configuration; }
  ILimitDataPtr Limits() override { return limits_; }
  void SetLimits(const ILimitDataPtr& limits) { limits_ = limits; }
  IResultDataPtr Result() override { return result_; }
  // Nothing drops the result.
  void SetResult(const IResultDataPtr& result) { result_ = result; }

  // A new base object with the same identity and parent, copies of info,
  // filter, configuration and limit set, and no result: a copy is a test
  // still to be run. A part's failing clone reaches the caller.
  std::shared_ptr<TestElementBase> Copy();

  // One part, by tag name: "Info", "PlugInData" (configuration),
  // "ExpectedResult" (limit set), "ResultItem" (result). Raises the errors
  // of ElementErrors.h; a part's own failure comes as PartLoadFailed.
  void Load(const XmlElementPtr& ixeIn, const HostLogPtr& iprLog) override;
  // The "TestElement" element with every part that is set; SaveFailed when
  // there is no document or a part cannot be saved (a configuration or a
  // result that gives no element). A limit set without standards gives
  // none and is left out. x is reserved.
  XmlElementPtr Save(const XmlDocumentPtr& ixdOwner, const QVariant& x);
  void Save(const XmlDocumentPtr& ixdOwner, const QVariant& x, XmlElementPtr& element) override {
    element = Save(ixdOwner, x);
  }
  // The element's heading (its name, type, parameter and description),
  // its configuration, its limits and its result, each part's failure
  // ignored. b may hold the run's context (its selected standards); without
  // one every standard is printed. b also goes on to the result.
  void PrintReport(const HostReportPtr& a, const QVariant& b) override;
  void Terminate() override;

  // The rest of ITestElement: a base object does not run.
  ITestElementPtr Clone() override { return Copy(); }
  void Perform(const RunContextPtr&) override {}
  void QuerySetParent(const ITestElementPtr&, bool& allowed) override { allowed = true; }
  void UpdateReferences() override {}
  QVariant GetMeasurementList() override { return QVariant(); }

 private:
  QString product_;
  rt::Long testID_ = 0;
  rt::Long id_ = 0;
  std::weak_ptr<ITestElement> parent_;
  TestInfoPtr info_;
  TestFilterPtr filter_;
  IConfigDataPtr configuration_;
  ILimitDataPtr limits_;
  IResultDataPtr result_;
};

using TestElementBasePtr = std::shared_ptr<TestElementBase>;

}  // namespace host
