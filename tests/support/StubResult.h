#pragma once
// A result that has only a comment: the base of the tests' stand-ins for
// results, which override what their test looks at.

#include "typelib/IResultData.h"

namespace testsupport {

class StubResult : public host::IResultData {
 public:
  explicit StubResult(QString comment = QString()) : comment_(std::move(comment)) {}

  QString Comment() override { return comment_; }
  void SetComment(const QString& comment) override { comment_ = comment; }
  bool HasDialog() override { return false; }
  rt::Long Status() override { return 0; }
  host::IMeasurementPtr Measurement(const QVariant&) override { return nullptr; }
  rt::Long MeasurementCount() override { return 0; }
  host::ServiceRecordPtr ServiceRecord() override { return nullptr; }
  rt::Long MTIID() override { return 0; }
  void SetMTIID(rt::Long) override {}
  host::IDialogPtr CreateDialog() override { return nullptr; }
  void Load(const host::XmlElementPtr&, const host::HostLogPtr&) override {}
  host::XmlElementPtr Save(const host::XmlDocumentPtr&) override { return nullptr; }
  void PrintReport(const host::HostReportPtr&, const QVariant&) override {}

 private:
  QString comment_;
};

}  // namespace testsupport
