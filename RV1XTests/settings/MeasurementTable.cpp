#include "settings/MeasurementTable.h"

#include <QVariantList>

#include "report/HostReport.h"
#include "report/MeasurementTable.h"
#include "runtime/ErrorHandling.h"
#include "typelib/IMeasurement.h"
#include "typelib/IResultData.h"
#include "typelib/ITestElement.h"

namespace orvanRV1Xtst::MMiscUtils {

namespace {

namespace column = host::measurementcolumn;

struct TableRow {
  rt::Long testID;
  const char* key;
  const char* caption;  // text key
  const char* pattern;
};

// The charge-time test lists its charge time first, and its energy caption
// is the report's own text, not the limit view's.
constexpr TableRow kRows[] = {
    {100, "CHTI", "20011::Charge time", "0.0"}, {100, "ENGY", "20136::Energy", "0.0"},
    {200, "ENGY", "20130::Energy", "0.0"},      {200, "DELY", "20133::Delay", "0.0"},
    {200, "PEKI", "20131::Peak I", "0.0"},      {200, "PEKU", "20132::Peak U", "0.0"},
    {300, "PADS", "20142::Limit Pads", "0.0"},  {300, "ECG", "20143::Limit ECG", "0.0"},
    {400, "SENS", "20145::Sensed Rp", "0"},     {400, "PACE", "20144::Paced Rp", "0"},
    {500, "RATE", "20072::Rate", "0"},          {500, "AMPL", "20070::Amplitude", "0"},
    {500, "PWID", "20073::Pulse width", "0.0"},
};

}  // namespace

QVariant BuildMeasurementTable(const host::HostReportPtr& report,
                               const host::ITestElementPtr& test) {
  rt::Long testID = 0;
  rt::ignoreErrors([&] { testID = com::must(test).TestID(); });

  QVariantList table;
  for (const TableRow& row : kRows) {
    if (row.testID != testID) continue;
    // Each cell is filled in one step with the calls that give its value, so
    // a step that fails leaves its cell empty.
    QVariantList cells(column::Count);
    const QString key = QLatin1String(row.key);
    rt::ignoreErrorsEach([&] { cells[column::Key] = key; },
                         [&] {
                           cells[column::Caption] = com::must(report).Translate(
                               host::kProduct, QLatin1String(row.caption), {});
                         },
                         [&] { cells[column::Pattern] = QString::fromLatin1(row.pattern); },
                         [&] {
                           const host::IResultDataPtr result = com::must(test).Result();
                           cells[column::Measurement] =
                               com::toVariantOf(com::must(result).Measurement(QVariant(key)));
                         });
    table.append(QVariant(cells));
  }
  return QVariant(table);
}

}  // namespace orvanRV1Xtst::MMiscUtils
