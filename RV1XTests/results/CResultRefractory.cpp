#include "results/CResultRefractory.h"

namespace orvanRV1Xtst {

namespace {

constexpr MeasurementSpec kMeasurements[] = {
    {"SENS", "20145::Sensed Rp", "ms", valuetype::WholeNumber, "# ##0"},
    {"PACE", "20144::Paced Rp", "ms", valuetype::WholeNumber, "# ##0"},
};

// A period of 0 is one the analyzer has not measured: the run keeps a reply
// only when a period is above 0.
constexpr ReplyField kReplyFields[] = {{"SENS", pacerline::SensedPeriod, true},
                                       {"PACE", pacerline::PacedPeriod, true}};

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
  StoreReplyFields(reply, kPacerLine, kReplyFields);
}

bool CResultRefractory::HoldsAPeriod(const QString& reply) {
  // The number at the start of each field, as the poll reads it: a reply
  // that holds one above 0 goes to StoreResult, which reads it by its
  // layout and tells of a reply that is no reading.
  for (const pacerline::Field field : {pacerline::SensedPeriod, pacerline::PacedPeriod}) {
    const ReplyColumns& columns = kPacerLine.fields[field];
    if (replyNumber(reply, columns.first, columns.last - columns.first + 1) > 0) return true;
  }
  return false;
}

}  // namespace orvanRV1Xtst
