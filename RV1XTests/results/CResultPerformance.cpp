#include "results/CResultPerformance.h"

#include "settings/CConfigPerformance.h"

namespace orvanRV1Xtst {

namespace {

struct WaveName {
  rt::Long wavetype;
  const char* textKey;
};

// The configuration's wave codes, (list + 1) x 100 + position: the
// normal-sinus, the arrhythmia and the performance waves.
constexpr WaveName kWaveNames[] = {
    {100, "20500::Sine 30 BPM"},  {101, "20501::Sine 60 BPM"},
    {102, "20502::Sine 80 BPM"},  {103, "20503::Sine 120 BPM"},
    {104, "20504::Sine 180 BPM"}, {105, "20505::Sine 240 BPM"},
    {106, "20506::Sine 300 BPM"}, {200, "20507::VFib"},
    {201, "20508::AFib"},         {202, "20509::Second Degree Block Type I"},
    {203, "20510::RBBB"},         {204, "20511::PAC"},
    {205, "20512::PVC Early"},    {206, "20513::PVC Std"},
    {207, "20514::PVC RonT"},     {208, "20515::MF PVC"},
    {209, "20516::Bigemeny"},     {210, "20517::Run 5 PVC"},
    {211, "20518::Vtach"},        {300, "20521::Pulse 4 sec"},
    {301, "20522::Square 2 Hz"},  {302, "20523::Triangle 2 Hz"},
    {303, "20524::Sine 0.1 Hz"},  {304, "20525::Sine 0.2 Hz"},
    {305, "20526::Sine 0.5 Hz"},  {306, "20527::Sine 10 Hz"},
    {307, "20528::Sine 40 Hz"},   {308, "20529::Sine 50 Hz"},
    {309, "20530::Sine 60 Hz"},   {310, "20531::Sine 100 Hz"},
    {311, "20532::Pulse 30 BPM"}, {312, "20533::Pulse 60 BPM"},
};

const QString kKey = QStringLiteral("PERF");

}  // namespace

// The loading text names the test as the family's other loading texts do.
CResultPerformance::CResultPerformance()
    : CResultBase({QStringLiteral("RV1XTests.CResultPerformance"),
                   QStringLiteral("20339::Loading Performance Test result data"),
                   QStringLiteral("RV1XTests.XDetailedResult")}) {}

CResultPerformance::~CResultPerformance() = default;

QString CResultPerformance::WaveDescription(rt::Long wavetype) {
  for (const WaveName& wave : kWaveNames)
    if (wave.wavetype == wavetype) return QLatin1String(wave.textKey);
  return QString();
}

void CResultPerformance::Initialize(const host::IConfigDataPtr& config) {
  NewMeasurements();
  QString description;
  if (auto performance = com::queryInterface<CConfigPerformance>(config))
    description = WaveDescription(performance->Wavetype());
  auto measurement = std::make_shared<CMeasurement>();
  measurement->Initialize(kKey, description, QString(), valuetype::Boolean);
  measurements_.Add(measurement, kKey);
}

void CResultPerformance::UpdateStatus(const host::ITestElementPtr& test, bool skip) {
  if (skip) {
    SkipDiscardingVerdicts();
  } else {
    rt::Long status = host::resultstatus::NotEvaluated;
    for (const CMeasurementPtr& measurement : measurements_) {
      if (measurement->Status() == host::resultstatus::Passed) status = host::resultstatus::Passed;
      if (measurement->Status() == host::resultstatus::Failed) {
        status = host::resultstatus::Failed;
        break;
      }
    }
    SetVerdict(status, notJudgedKey(NotJudged::NoVerdict));
  }
  BuildServiceRecordOf(test);
}

void CResultPerformance::WithdrawMarks() {
  const rt::Long status = Status();
  const bool judged = status == host::resultstatus::Passed || status == host::resultstatus::Failed;
  for (const CMeasurementPtr& measurement : measurements_) {
    measurement->SetValue(judged ? QVariant(status == host::resultstatus::Passed) : QVariant());
    measurement->SetStatus(judged ? status : host::resultstatus::NotEvaluated);
  }
}

}  // namespace orvanRV1Xtst
