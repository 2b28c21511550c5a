#pragma once
// Small stand-ins for what a limit set meets before the test elements and
// results exist: a test element that answers its test ID and its result, a
// result holding measurements by key, a measurement with a value and a
// preset, an RV-1X plug-in with stored standards, and a limit set tied to
// its test element.

#include <QHash>
#include <QVariant>
#include <memory>

#include "StubPlugIn.h"
#include "StubResult.h"
#include "StubTestElement.h"
#include "limits/Limit.h"
#include "limits/Standard.h"
#include "orvanRV1Xtst/TypeLibrary.h"
#include "runtime/RuntimeError.h"
#include "settings/CLimitData.h"
#include "typelib/IMeasurement.h"
#include "typelib/IResultData.h"

namespace limitfixtures {

class Measurement final : public host::IMeasurement {
 public:
  Measurement(QString key, QVariant value, QVariant preset = {})
      : key_(std::move(key)), value_(std::move(value)), preset_(std::move(preset)) {}
  QString Description() override { return {}; }
  QString Key() override { return key_; }
  QString LimitKey() override { return key_; }
  rt::Long Status() override { return 0; }
  QString Unit() override { return {}; }
  QVariant Value() override { return value_; }
  QVariant PresetValue() override { return preset_; }
  rt::Long ValueType() override { return 1; }
  QString ValueFormat() override { return {}; }
  rt::Long Flags() override { return 0; }
  QString ToolTipText() override { return {}; }
  void Load(const host::XmlElementPtr&, const host::HostLogPtr&) override {}
  host::XmlElementPtr Save(const host::XmlDocumentPtr&) override { return nullptr; }

 private:
  QString key_;
  QVariant value_;
  QVariant preset_;
};

class Result final : public testsupport::StubResult {
 public:
  void add(const host::IMeasurementPtr& measurement) {
    measurements_.insert(measurement->Key().toUpper(), measurement);
  }
  // A result without that key answers Nothing.
  host::IMeasurementPtr Measurement(const QVariant& index) override {
    return measurements_.value(index.toString().toUpper());
  }
  rt::Long MeasurementCount() override { return static_cast<rt::Long>(measurements_.size()); }

 private:
  QHash<QString, host::IMeasurementPtr> measurements_;
};

// A test element of a given test ID that answers its result; TestID raises
// failWith when it is set.
using TestElement = testsupport::StubTestElement;

// The plug-in as the test library sees it once it has handed itself over:
// its look-up answers a copy of a stored standard of that test and names.
class PlugIn final : public testsupport::StubPlugIn, public orvanRV1Xtst::IRV1XPlugIn {
 public:
  void store(rt::Long testID, const host::StandardPtr& standard) {
    stored_.insert(testID, standard);
  }
  // Answers the standard itself instead of a copy (to hand in one that
  // behaves in a way of its own).
  void lend(rt::Long testID, const host::StandardPtr& standard) { lent_.insert(testID, standard); }
  int asked = 0;

  com::ObjectPtr LoadStandard(rt::Long iTestID, const QString& sAlphaName,
                              const QString& sCompleteName) override {
    ++asked;
    for (const host::StandardPtr& s : lent_.values(iTestID))
      if (s->AlphaName() == sAlphaName && s->CompleteName() == sCompleteName) return s;
    for (const host::StandardPtr& s : stored_.values(iTestID))
      if (s->AlphaName() == sAlphaName && s->CompleteName() == sCompleteName) return s->Copy();
    return nullptr;
  }

 private:
  QMultiHash<rt::Long, host::StandardPtr> stored_;
  QMultiHash<rt::Long, host::StandardPtr> lent_;
};

// A limit set tied to its test element, as the test element ties it.
inline std::shared_ptr<orvanRV1Xtst::CLimitData> limitSetOf(
    const std::shared_ptr<TestElement>& owner, bool hasDialog = true) {
  auto limits = std::make_shared<orvanRV1Xtst::CLimitData>();
  limits->Init(owner, hasDialog);
  return limits;
}

// Sets both bounds of the limit and enables them.
inline void setBounds(host::Limit& limit, float high, float low) {
  limit.SetValue(host::limitindex::High, high);
  limit.SetValue(host::limitindex::Low, low);
  limit.SetEnabled(host::limitindex::High, true);
  limit.SetEnabled(host::limitindex::Low, true);
}

}  // namespace limitfixtures
