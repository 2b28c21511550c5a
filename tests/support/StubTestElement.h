#pragma once
// A test element that has only an identity, a result, and the limit set,
// filter and configuration a test hands it, to stand as owner or notified
// element in tests of the objects that meet one before the real test
// elements exist.

#include <memory>

#include "runtime/RuntimeError.h"
#include "typelib/ITestElement.h"

namespace testsupport {

class StubTestElement final : public host::ITestElement {
 public:
  explicit StubTestElement(rt::Long testID = 100) : testID_(testID) {}

  // When not 0, TestID raises this error.
  rt::Long failWith = 0;
  host::IResultDataPtr result;
  host::ILimitDataPtr limits;
  host::TestFilterPtr filter;
  host::IConfigDataPtr configuration;

  rt::Long TestID() override {
    if (failWith != 0) rt::raise(failWith, QStringLiteral("StubTestElement"));
    return testID_;
  }
  host::IResultDataPtr Result() override { return result; }
  QString PlugInID() override { return host::kProduct; }
  rt::Long ID() override { return id_; }
  void SetID(rt::Long id) override { id_ = id; }
  host::ITestElementPtr Parent() override { return nullptr; }
  void SetParent(const host::ITestElementPtr&) override {}
  host::TestInfoPtr Info() override { return nullptr; }
  host::TestFilterPtr Filter() override { return filter; }
  host::ILimitDataPtr Limits() override { return limits; }
  host::IConfigDataPtr Configuration() override { return configuration; }
  void Initialize(const QVariant&, const QVariant&, const QVariant&) override {}
  host::ITestElementPtr Clone() override { return std::make_shared<StubTestElement>(testID_); }
  void Perform(const host::RunContextPtr&) override {}
  void Load(const host::XmlElementPtr&, const host::HostLogPtr&) override {}
  void Save(const host::XmlDocumentPtr&, const QVariant&, host::XmlElementPtr& element) override {
    element = nullptr;
  }
  void PrintReport(const host::HostReportPtr&, const QVariant&) override {}
  void QuerySetParent(const host::ITestElementPtr&, bool& allowed) override { allowed = true; }
  void Terminate() override {}
  void UpdateReferences() override {}
  QVariant GetMeasurementList() override { return QVariant(); }

 private:
  rt::Long testID_;
  rt::Long id_ = 0;
};

}  // namespace testsupport
