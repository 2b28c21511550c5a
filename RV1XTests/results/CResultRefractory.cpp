#include "results/CResultRefractory.h"

namespace orvanRV1Xtst {

namespace {

constexpr MeasurementSpec kMeasurements[] = {
    {"SENS", "20145::Sensed Rp", "ms", valuetype::WholeNumber, "# ##0"},
    {"PACE", "20144::Paced Rp", "ms", valuetype::WholeNumber, "# ##0"},
};

// A period of 0 is one the analyzer has not measured: the run keeps a reply
// only when a period is above 0.
constexpr ReplyField kReplyFields[] = {{"SENS", 44, 6, true}, {"PACE", 53, 7, true}};

}  // namespace

CResultRefractory::CResultRefractory()
    : CLimitedResult({QStringLiteral("RV1XTests.CResultRefractory"),
                      QStringLiteral("20337::Loading Refractory Test result data"),
                      QStringLiteral("RV1XTests.XDetailedResult")}) {}

CResultRefractory::~CResultRefractory() = default;

void CResultRefractory::Initialize(const host::IConfigDataPtr&) {
  NewMeasurements();
  for (const MeasurementSpec& spec : kMeasurements) AddMeasurement(spec);
}

void CResultRefractory::StoreResult(const QString& reply) {
  StoreReplyFields(reply, kReplyFields);
}

bool CResultRefractory::HoldsAPeriod(const QString& reply) {
  for (const ReplyField& field : kReplyFields)
    if (readReplyField(reply, field).value.value_or(0) > 0) return true;
  return false;
}

}  // namespace orvanRV1Xtst
