#pragma once
// The name the host shows for a test in its window captions: the info's
// name, else its parameter, else "Test <ID>".

#include <QString>

#include "typelib/HostTypes.h"

namespace host {

QString shownTestName(ITestElement& test);

}  // namespace host
