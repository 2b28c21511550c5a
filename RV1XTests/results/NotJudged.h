#pragma once
// Why a result or a measurement holds no verdict although its test ran: one
// table of reason texts, each a text key whose English default is a clause
// that follows "Not judged: " ("no limit is enabled", "the analyzer gave no
// delay"). The guide shows it, the host program prints it, and a result
// keeps it with its status so that a stored result still tells why.

#include <QString>

namespace orvanRV1Xtst {

enum class NotJudged {
  NothingMeasured,  // the run ended before the analyzer gave a value
  NoStandard,       // none of the test's standards is selected
  NoLimit,          // the judging standards enable no limit of a measured value
  NoValue,          // a measurement that a limit judges has no measured value
  NoVerdict,        // the operator judged nothing
  StepsUnanswered,  // the operator left a shock-advisory step unanswered
  NoSteps,          // the shock-advisory test has no step to answer
};

// The reason's text key; NoValue names the measurement of that key.
QString notJudgedKey(NotJudged reason, const QString& measurementKey = QString());

// "Not judged: <reason>" in the user's language, for a reason's text key.
QString notJudgedText(const QString& reasonKey);

}  // namespace orvanRV1Xtst
