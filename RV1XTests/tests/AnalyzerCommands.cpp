#include "tests/AnalyzerCommands.h"

#include "results/CLimitedResult.h"
#include "runtime/RuntimeError.h"

namespace orvanRV1Xtst {

namespace {
const QString kLibrary = QStringLiteral("orvanRV1Xtst");
}

QString settingCommand(const QString& command, const QString& setting, const QString& stored) {
  if (command.isEmpty())
    rt::raise(rt::err::InvalidCall, kLibrary,
              QStringLiteral("The test cannot run: its setting \"%1\" (%2) is none the analyzer "
                             "knows. Choose it again in the test's settings.")
                  .arg(setting, stored));
  return command;
}

QString pollDischarge(const SendCommandFn& send) {
  if (send(QStringLiteral("D")) == QLatin1String("0!")) return QString();
  const QString reply = send(QStringLiteral("M"));
  return replyNumber(reply, 1, 6) > 0 ? reply : QString();
}

void switchOutputsOff(const SendCommandFn& send) {
  send(QStringLiteral("E01"));
  send(QStringLiteral("W01"));
}

}  // namespace orvanRV1Xtst
