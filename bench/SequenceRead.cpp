#include "SequenceRead.h"

#include <QCoreApplication>

#include "runtime/ErrorHandling.h"
#include "runtime/Locale.h"
#include "sequence/SequenceDocument.h"

namespace bench {

int readSequence(int argc, char** argv, const QString& in) {
  // As rv1x-host starts a command that draws nothing.
  QCoreApplication app(argc, argv);
  rt::initUserLocaleFromSystem();
  host::SequenceDocument sequence;
  return rt::onError(
      [&] {
        sequence.Load(in);
        return 0;
      },
      [](const rt::RuntimeError&) { return 1; });
}

}  // namespace bench
