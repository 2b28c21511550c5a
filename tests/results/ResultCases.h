#pragma once
// The result classes as the family tests meet them: each made and
// initialised from its test's default configuration, with its error source,
// loading text, measurement keys and a value for each key.

#include <functional>

#include "ResultFixture.h"
#include "results/CResultAccuracy.h"
#include "results/CResultChargeTime.h"
#include "results/CResultDischarge.h"
#include "results/CResultPerformance.h"
#include "results/CResultRefractory.h"
#include "results/CResultSensitivity.h"
#include "results/CResultShock.h"
#include "settings/CConfigAccuracy.h"
#include "settings/CConfigChargeTime.h"
#include "settings/CConfigDischarge.h"
#include "settings/CConfigPerformance.h"
#include "settings/CConfigShock.h"

namespace resultstest {

struct ResultCase {
  const char* name;
  const char* source;
  const char* loadingText;
  QStringList keys;
  QVariant value;  // a value every measurement of the class can hold
  std::function<std::shared_ptr<orvanRV1Xtst::CResultBase>()> make;
};

inline void PrintTo(const ResultCase& c, std::ostream* out) {
  *out << c.name;
}

inline std::string resultCaseName(const ::testing::TestParamInfo<ResultCase>& info) {
  return info.param.name;
}

template <class Result, class Config = void>
std::shared_ptr<orvanRV1Xtst::CResultBase> makeResult() {
  auto result = std::make_shared<Result>();
  if constexpr (std::is_void_v<Config>)
    result->Initialize();
  else
    result->Initialize(std::make_shared<Config>());
  return result;
}

// The discharge result is initialised with its test element.
inline std::shared_ptr<orvanRV1Xtst::CResultBase> makeDischarge() {
  auto test = std::make_shared<testsupport::StubTestElement>(200);
  test->configuration = std::make_shared<orvanRV1Xtst::CConfigDischarge>();
  auto result = std::make_shared<orvanRV1Xtst::CResultDischarge>();
  result->Initialize(test);
  return result;
}

// Gives every measurement of the result the value and a status, so that it
// reads as evaluated.
inline void fill(orvanRV1Xtst::CResultBase& result, const QVariant& value, rt::Long status) {
  for (const orvanRV1Xtst::CMeasurementPtr& m : result.MeasurementList()) {
    m->SetValue(value);
    m->SetStatus(status);
  }
  result.SetStatus(status);
}

inline const std::vector<ResultCase>& allResults() {
  using namespace orvanRV1Xtst;
  static const std::vector<ResultCase> cases = {
      {"ChargeTime",
       "CResultChargeTime",
       "Loading Charge Time test result data",
       {"ENGY", "CHTI"},
       4.5,
       makeResult<CResultChargeTime, CConfigChargeTime>},
      {"Discharge",
       "RV1XTests.CResultDischarge",
       "Loading Discharge Test result data",
       {"ENGY", "DELY", "PEKI", "PEKU"},
       95.0,
       makeDischarge},
      {"Sensitivity",
       "RV1XTests.CResultSensitivity",
       "Loading Sensitivity Test result data",
       {"PADS", "ECG"},
       QVariant::fromValue(1.25f),
       makeResult<CResultSensitivity>},
      {"Refractory",
       "RV1XTests.CResultRefractory",
       "Loading Refractory Test result data",
       {"SENS", "PACE"},
       250.0,
       makeResult<CResultRefractory>},
      {"Accuracy",
       "RV1XTests.CResultAccuracy",
       "Loding Accuracy Test results data",
       {"RATE", "AMPL", "PWID"},
       72.0,
       makeResult<CResultAccuracy, CConfigAccuracy>},
      {"Performance",
       "RV1XTests.CResultPerformance",
       "Loading Performance Test result data",
       {"PERF"},
       true,
       makeResult<CResultPerformance, CConfigPerformance>},
      {"Shock",
       "RV1XTests.CResultShock",
       "Loading Shock Advisory Algorithm Test result data",
       {"::1"},
       true,
       makeResult<CResultShock, CConfigShock>},
  };
  return cases;
}

}  // namespace resultstest
