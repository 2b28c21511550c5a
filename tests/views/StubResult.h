#pragma once
// A result that holds what a view reads of one: a comment and measurements
// by 1-based position or by key, as the result classes hand them out.

#include <QVariant>

#include "runtime/KeyedCollection.h"
#include "typelib/IMeasurement.h"
#include "typelib/IResultData.h"

namespace viewtests {

class StubResult final : public host::IResultData {
 public:
  QString comment;
  rt::KeyedCollection<host::IMeasurementPtr> measurements;

  void add(const host::IMeasurementPtr& measurement) {
    measurements.Add(measurement, measurement->Key());
  }

  QString Comment() override { return comment; }
  void SetComment(const QString& text) override { comment = text; }
  bool HasDialog() override { return !comment.isEmpty(); }
  rt::Long Status() override { return 0; }
  host::IMeasurementPtr Measurement(const QVariant& index) override {
    if (index.typeId() == QMetaType::QString) return measurements.Item(index.toString());
    return measurements.Item(index.toInt());
  }
  rt::Long MeasurementCount() override { return measurements.Count(); }
  host::ServiceRecordPtr ServiceRecord() override { return nullptr; }
  rt::Long MTIID() override { return 0; }
  void SetMTIID(rt::Long) override {}
  host::IDialogPtr CreateDialog() override { return nullptr; }
  void Load(const host::XmlElementPtr&, const host::HostLogPtr&) override {}
  host::XmlElementPtr Save(const host::XmlDocumentPtr&) override { return nullptr; }
  void PrintReport(const host::HostReportPtr&, const QVariant&) override {}
};

}  // namespace viewtests
