#include "results/NotJudged.h"

#include "services/LanguageService.h"

namespace orvanRV1Xtst {

namespace {

struct ReasonText {
  NotJudged reason;
  const char* key;  // NoValue: the measurement it names
  const char* textKey;
};

constexpr ReasonText kReasons[] = {
    {NotJudged::NothingMeasured, "", "20650::nothing was measured"},
    {NotJudged::NoStandard, "", "20651::no standard of the test is selected"},
    {NotJudged::NoLimit, "", "20652::no limit is enabled"},
    {NotJudged::NoVerdict, "", "20653::the operator gave no verdict"},
    {NotJudged::StepsUnanswered, "", "20654::not every step was answered"},
    {NotJudged::NoSteps, "", "20655::the test has no step"},
    {NotJudged::NoValue, "", "20659::the analyzer gave no value"},
    {NotJudged::NoValue, "ENGY", "20660::the analyzer gave no energy"},
    {NotJudged::NoValue, "CHTI", "20661::the analyzer gave no charge time"},
    {NotJudged::NoValue, "DELY", "20662::the analyzer gave no delay"},
    {NotJudged::NoValue, "PEKI", "20663::the analyzer gave no peak current"},
    {NotJudged::NoValue, "PEKU", "20664::the analyzer gave no peak voltage"},
    {NotJudged::NoValue, "PADS", "20665::the analyzer gave no pads sensitivity"},
    {NotJudged::NoValue, "ECG", "20666::the analyzer gave no ECG sensitivity"},
    {NotJudged::NoValue, "SENS", "20667::the analyzer gave no sensed refractory period"},
    {NotJudged::NoValue, "PACE", "20668::the analyzer gave no paced refractory period"},
    {NotJudged::NoValue, "RATE", "20669::the analyzer gave no pacing rate"},
    {NotJudged::NoValue, "AMPL", "20670::the analyzer gave no pulse amplitude"},
    {NotJudged::NoValue, "PWID", "20671::the analyzer gave no pulse width"},
};

}  // namespace

QString notJudgedKey(NotJudged reason, const QString& measurementKey) {
  const char* found = nullptr;
  for (const ReasonText& text : kReasons) {
    if (text.reason != reason) continue;
    if (!found) found = text.textKey;  // the first of its kind names no measurement
    if (measurementKey.compare(QLatin1String(text.key), Qt::CaseInsensitive) == 0)
      return QLatin1String(text.textKey);
  }
  return found ? QLatin1String(found) : QString();
}

QString notJudgedText(const QString& reasonKey) {
  if (reasonKey.isEmpty()) return QString();
  return host::translated(QStringLiteral("20656::Not judged: %%1"), {host::translated(reasonKey)});
}

}  // namespace orvanRV1Xtst
