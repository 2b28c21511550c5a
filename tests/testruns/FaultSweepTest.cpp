// Each of the seven runs against the analyzer's faults where its values
// come: a garbled reply, a reply cut short, a hang-up halfway through the
// reply, and Stop while it arrives. Whatever happens, no result reads
// "passed" without a judged value, and the stored result keeps every value
// the run measured.

#include <array>

#include "RunFixture.h"
#include "xml/XmlDocument.h"
#include "xml/XmlHelper.h"

namespace {

using namespace runtests;
using namespace orvanRV1Xtst;
using FaultSweep = RunTest;

struct Target {
  rt::Long testID;
  const char* range;
  const char* command;  // the one whose reply carries the run's values
  QStringList limited;  // keys given bounds that 0 would meet
  // The result's status after each fault, in the order of the faults.
  // The sensitivity polls on after a faulty reply and measures; the
  // operator's verdicts count on a wave or rhythm that was sent, whatever
  // its acknowledgement.
  std::array<rt::Long, 4> statuses;
};

const Target kTargets[] = {
    {100, "H", "M", {"ENGY", "CHTI"}, {0, 0, 0, 0}},
    {200, "H", "M", {"ENGY", "DELY", "PEKI", "PEKU"}, {0, 0, 0, 0}},
    {300, "P", "M#2", {"PADS", "ECG"}, {1, 1, 0, 0}},
    {400, "P", "M#2", {"SENS", "PACE"}, {0, 0, 0, 0}},
    {500, "P", "M", {"RATE", "AMPL", "PWID"}, {0, 0, 0, 0}},
    {600, "L", "A3", {}, {1, 1, 0, 1}},
    {700, "L", "V01", {}, {1, 1, 0, 0}},
};

struct Held {
  rt::Long status = 0;
  std::map<QString, QString> values;  // as stored, by key
  std::map<QString, rt::Long> statuses;
};

Held heldBy(const host::IResultDataPtr& result) {
  Held held;
  if (!result) return held;
  held.status = result->Status();
  for (rt::Long i = 1; i <= result->MeasurementCount(); ++i) {
    const host::IMeasurementPtr m = result->Measurement(i);
    if (!m->Value().isNull()) held.values[m->Key()] = m->Value().toString();
    held.statuses[m->Key()] = m->Status();
  }
  return held;
}

// The result as a stored document brings it back.
Held storedAndReadBack(rt::Long testID, const host::IResultDataPtr& result,
                       const std::function<std::shared_ptr<CTestFrame>(rt::Long)>& element) {
  if (!result) return {};
  const host::XmlDocumentPtr document = host::XmlHelper::instance()->NewDocument();
  const host::XmlElementPtr saved = result->Save(document);
  if (!saved) return {};
  const auto reread = element(testID);
  reread->Load(saved, nullptr);
  return heldBy(reread->Result());
}

TEST_F(FaultSweep, NoFaultPassesAnUnjudgedValueOrLosesAMeasuredOne) {
  const struct {
    const char* fault;
    const char* options;  // %1 the command
    bool stop;            // Stop once the command arrived
  } kFaults[] = {
      {"a garbled reply", "answer=%1:#@x!?~", false},
      {"a reply cut short", "answer=%1: 36", false},
      {"a hang-up halfway through the reply", "hangup=%1", false},
      {"Stop while the reply arrives", "", true},
  };
  for (const Target& target : kTargets) {
    for (size_t f = 0; f < std::size(kFaults); ++f) {
      const auto& fault = kFaults[f];
      SCOPED_TRACE(QStringLiteral("%1, %2")
                       .arg(target.testID)
                       .arg(QLatin1String(fault.fault))
                       .toStdString());
      messages().clear();
      QString options = QStringLiteral("range=%1").arg(QLatin1String(target.range));
      if (*fault.options)
        options += u',' + QString::fromLatin1(fault.options).arg(QLatin1String(target.command));
      rv1xsim::Simulator& sim = analyzer(options);
      const auto test = target.testID == 600 ? performanceTest() : element(target.testID);
      for (const QString& key : target.limited) limit(test, key, 1e6f, -1e6f);
      ctx->setSelectedStandards(test->Limits()->Standards());
      const QByteArray command = QByteArray(target.command).split('#').first();
      const int arrival = QByteArray(target.command).contains('#')
                              ? QByteArray(target.command).split('#').last().toInt()
                              : 1;
      std::optional<OnCommand> stop;
      if (fault.stop) stop.emplace(sim, command, pressStop, arrival);
      perform(test);
      if (stop) {
        EXPECT_TRUE(stop->done());
      }
      const Held held = heldBy(test->Result());
      EXPECT_EQ(held.status, target.statuses.at(f));
      for (const auto& [key, status] : held.statuses) {
        if (status != 0) {
          EXPECT_TRUE(held.values.count(key)) << qPrintable(key) << " judged empty";
        }
      }
      if (held.status == 1) {
        bool anyPassed = false;
        for (const auto& [key, status] : held.statuses) anyPassed = anyPassed || status == 1;
        EXPECT_TRUE(anyPassed) << "passed without a judged value";
        for (const QString& key : target.limited)
          EXPECT_TRUE(held.values.count(key)) << qPrintable(key) << " limited but not measured";
      }
      const Held back =
          storedAndReadBack(target.testID, test->Result(), [](rt::Long id) { return element(id); });
      EXPECT_EQ(back.values, held.values) << "the stored result keeps every value";
      EXPECT_EQ(back.status, held.status);
      simulators_.clear();
    }
  }
}

}  // namespace
