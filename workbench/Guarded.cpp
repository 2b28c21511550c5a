#include "Guarded.h"

#include <cstdio>

#include "runtime/ErrorHandling.h"

namespace workbench {

namespace {
const QString kSource = QStringLiteral("rv1x-host workbench");
}  // namespace

bool guarded(const std::function<void()>& work, const std::function<void(const QString&)>& tell) {
  QString why;
  try {
    work();
    return true;
  } catch (...) {
    // Whatever was thrown, as the system's own error.
    const rt::RuntimeError error = rt::currentError();
    why = error.Description().isEmpty() ? QStringLiteral("Error %1").arg(error.hexNumber())
                                        : error.Description();
    std::fprintf(stderr, "%s: %s\n", qPrintable(kSource), qPrintable(error.Description()));
    std::fflush(stderr);
  }
  rt::ignoreErrors([&] {
    if (tell) tell(why);
  });
  return false;
}

}  // namespace workbench
