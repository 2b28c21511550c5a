#include "elements/TestName.h"

#include "elements/TestInfo.h"
#include "typelib/ITestElement.h"

namespace host {

QString shownTestName(ITestElement& test) {
  QString name;
  if (TestInfoPtr info = test.Info()) {
    name = info->Name();
    if (name.isEmpty()) name = info->Parameter();
  }
  if (name.isEmpty()) name = QStringLiteral("Test %1").arg(test.TestID());
  return name;
}

}  // namespace host
