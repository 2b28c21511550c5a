#pragma once
// One measured quantity of a test result: key, description (a text key,
// translated only when read or printed), unit, the value the analyzer
// delivered or the operator judged, the value the test expected (the
// preset), how values are shown, and the pass or fail status.
//
// The host sees it through IMeasurement and IMeasurement2; the results and
// the result views of this library use the members below the interfaces.
// Limit indexes: 0 the high bound, 1 the low bound; a value equal to a bound
// passes.
//
// Stored form ("Status" and "Value" in XmlHelper's form):
//   <Measurement Key="PADS">
//     <Description>20146::Sensitivity pads</Description>
//     <Value Type="1" Kind="Single">1.2</Value>
//     <Unit>mV</Unit>
//     <Status Code="1"/>
//   </Measurement>
// The preset and the display pattern are not stored: they come back from
// the configuration when the result is initialised.

#include <memory>
#include <optional>

#include "typelib/IMeasurement.h"
#include "typelib/IResultData.h"

namespace orvanRV1Xtst {

// Load of an element that is not a measurement, or of one without key
// (handed on to the result, which skips that measurement).
inline constexpr rt::Long kMeasurementLoadError = rt::hresult(0x8004A3FFu);
// Save when the document makes no element (handed on).
inline constexpr rt::Long kMeasurementSaveError = rt::hresult(0x8004A400u);

// Value types: 1 and 2 are numbers that limits apply to (2 for the
// refractory periods and the pacing rate; both are treated alike), 3 a
// Boolean (an operator verdict or a shock advice) without limits.
namespace valuetype {
constexpr rt::Long Number = 1;
constexpr rt::Long WholeNumber = 2;
constexpr rt::Long Boolean = 3;
}  // namespace valuetype

class CMeasurement final : public host::IMeasurement,
                           public host::IMeasurement2,
                           public host::IVerdict,
                           public std::enable_shared_from_this<CMeasurement> {
 public:
  CMeasurement();
  ~CMeasurement() override;

  void Initialize(const QString& key, const QString& description, const QString& unit,
                  rt::Long valueType);

  // IMeasurement. Description is translated; DescriptionKey below is the
  // stored text key.
  QString Description() override;
  QString Key() override { return key_; }
  QString LimitKey() override { return key_; }
  rt::Long Status() override { return status_; }
  QString Unit() override { return unit_; }
  QVariant Value() override { return value_; }
  QVariant PresetValue() override { return presetValue_; }
  rt::Long ValueType() override { return valueType_; }
  QString ValueFormat() override { return valueFormat_; }
  rt::Long Flags() override { return 0; }
  QString ToolTipText() override { return QString(); }
  void Load(const host::XmlElementPtr& ixeIn, const host::HostLogPtr& iprLog) override;
  // Nothing for a measurement without key.
  host::XmlElementPtr Save(const host::XmlDocumentPtr& ixdOwner) override;

  // IMeasurement2.
  QVariant GetLimitValue(const host::StandardPtr& standard, rt::Integer index,
                         rt::Long flags) override;
  QVariant GetResultValue(rt::Long flags) override;
  bool SupportsLimit(rt::Integer index) override;
  rt::Single CalculateLimitValue(const host::LimitPtr& limit, rt::Integer index) override;
  rt::Integer ValidateLimits(const host::StandardPtr& standard) override;

  // IVerdict: why a measurement of status 0 was not judged, as its result
  // told it (kept as the text of its stored status); the result says which
  // standards judged it.
  QString NotJudgedReason() override;
  host::StandardsCollectionPtr JudgedBy() override { return nullptr; }

  // The library's own accessors (results and result views).
  void SetKey(const QString& key) { key_ = key; }
  void SetValue(const QVariant& value) { value_ = value; }
  void SetValueFormat(const QString& pattern) { valueFormat_ = pattern; }
  void SetPresetValue(const QVariant& preset) { presetValue_ = preset; }
  void SetStatus(rt::Long status) { status_ = status; }
  const QString& DescriptionKey() const { return description_; }
  const QString& StatusText() const { return statusText_; }
  // Not judged (status 0), for the reason of that text key; an empty key
  // clears the reason of a measurement that is judged.
  void SetNotJudged(const QString& reasonKey) {
    status_ = host::resultstatus::NotEvaluated;
    statusText_ = reasonKey;
  }
  // Whether a value was delivered or judged: a result is never evaluated
  // from measurements that hold none.
  bool HasValue() const;

  // Status 1, or 2 when the limit set reports a selected standard that this
  // measurement fails.
  void CalculateStatus(const host::ILimitDataPtr& limits,
                       const host::StandardsCollectionPtr& selected);
  // The value's text for the service record (locale-independent) and the
  // status.
  void GetValueText(QString& text, rt::Long& status);
  // One row of the printed result table; empty when the report asks for
  // failed measurements only and this one has not failed.
  QString GetReportLine(host::HostReport& report);
  // The display text of a value (the measured one or the preset).
  QString FormatValue(const QVariant& value);
  // The most restrictive enabled limit of this key in the standard at the
  // index; found, value and unit are set only when there is one, absolute
  // when that limit, not evaluated, also has an absolute tolerance.
  void FindLimitValue(rt::Integer index, const host::StandardPtr& standard, bool relative,
                      bool& found, rt::Single& value, QString& unit,
                      std::optional<rt::Single>& absolute);
  // 2 when the value lies outside an enabled bound of the limit, else 0.
  rt::Integer CheckLimits(const host::LimitPtr& limit);

 private:
  QString key_;
  QString description_;
  rt::Long valueType_ = 0;
  rt::Long status_ = host::resultstatus::NotEvaluated;
  QVariant value_;
  QVariant presetValue_;
  QString unit_;
  QString statusText_;
  QString valueFormat_;
};

using CMeasurementPtr = std::shared_ptr<CMeasurement>;

}  // namespace orvanRV1Xtst
