#pragma once
// A test element that only has an identity, to stand as owner or notified
// element in tests of the host's objects.

#include "typelib/ITestElement.h"

class StubTestElement : public host::ITestElement {
 public:
  explicit StubTestElement(rt::Long testID = 100) : testID_(testID) {}
  QString PlugInID() override { return host::kProduct; }
  rt::Long TestID() override { return testID_; }
  rt::Long ID() override { return id_; }
  void SetID(rt::Long id) override { id_ = id; }
  host::ITestElementPtr Parent() override { return nullptr; }
  void SetParent(const host::ITestElementPtr&) override {}
  host::TestInfoPtr Info() override { return nullptr; }
  host::TestFilterPtr Filter() override { return nullptr; }
  host::IResultDataPtr Result() override { return nullptr; }
  host::ILimitDataPtr Limits() override { return nullptr; }
  host::IConfigDataPtr Configuration() override { return nullptr; }
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
