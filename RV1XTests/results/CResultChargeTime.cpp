#include "results/CResultChargeTime.h"

#include "settings/CConfigChargeTime.h"

namespace orvanRV1Xtst {

namespace {

constexpr MeasurementSpec kEnergy{"ENGY", "20012::Energy", "J", valuetype::Number, "# ##0.0"};
constexpr MeasurementSpec kChargeTime{"CHTI", "20011::Charge time", "s", valuetype::Number,
                                      "# ##0.0"};

// The analyzer shows 0 in a column until it has measured it: the poll takes
// a reply only once its energy is above 0, and a charge time of 0 is none.
constexpr ReplyField kReplyFields[] = {{"ENGY", defibrillatorline::Energy, true},
                                       {"CHTI", defibrillatorline::ChargeTime, true}};

}  // namespace

CResultChargeTime::CResultChargeTime()
    : CLimitedResult({QStringLiteral("CResultChargeTime"),
                      QStringLiteral("20335::Loading Charge Time test result data"),
                      QStringLiteral("RV1XTests.XDetailedResult")}) {}

CResultChargeTime::~CResultChargeTime() = default;

void CResultChargeTime::Initialize(const host::IConfigDataPtr& config) {
  NewMeasurements();
  QVariant preset;
  if (auto chargeTime = com::queryInterface<CConfigChargeTime>(config))
    preset = QVariant::fromValue(chargeTime->PresetEnergy());
  AddMeasurement(kEnergy, preset);
  AddMeasurement(kChargeTime);
}

void CResultChargeTime::StoreResult(const QString& reply) {
  StoreReplyFields(reply, kDefibrillatorLine, kReplyFields);
}

}  // namespace orvanRV1Xtst
