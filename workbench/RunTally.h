#pragma once
// The end of a run told in the window's language: each verdict's own words
// with its count ("Passed: 2, Failed: 0, Not judged: 1"), not applicable and
// not performed only when some tests ended so. The command line keeps its
// fixed English summary line.

#include <QString>

#include "SequenceRun.h"

namespace workbench {

QString tallyWords(const hostapp::SequenceRun::Tally& tally);

}  // namespace workbench
