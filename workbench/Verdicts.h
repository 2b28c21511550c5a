#pragma once
// A test's last verdict in words, for its row in the workbench: "Passed",
// "Failed", "Not applicable", "Not judged" (with the reason its result
// gives) or "Not tested" (no result, or one that holds nothing).

#include <QString>

#include "typelib/HostTypes.h"

namespace workbench {

struct Verdict {
  QString words;
  QString why;  // why a result is not judged; empty otherwise
  int status = -1;  // the result's status; -1 without a result
};

Verdict verdictOf(host::ITestElement& test);

}  // namespace workbench
