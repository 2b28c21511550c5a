// The port tools:
//   rv1x-host query-port N      asks the port query whether an analyzer is on port N
//   rv1x-host link N CMD...     opens the connection on port N and sends the commands
// Both create the link's classes by their registered names, as the host does.

#include <cstdio>

#include "AnalyzerPort.h"
#include "HostProgram.h"
#include "ProgramAdvice.h"
#include "RunLines.h"
#include "SimulatedAnalyzer.h"
#include "com/CreateObject.h"
#include "orvanRV1Xvti/CRV1XVTi.h"
#include "runtime/ErrorHandling.h"
#include "typelib/OrvanQel.h"

namespace hostapp {
namespace {

constexpr int kUsage = 64;
constexpr int kRaised = 2;

bool portArgument(const QStringList& arguments, int& port) {
  bool ok = false;
  port = arguments.value(0).toInt(&ok);
  return ok;
}

int raised(const rt::RuntimeError& error) {
  std::printf("error %s %s\n", qPrintable(error.hexNumber()), qPrintable(error.Source()));
  std::fflush(stdout);
  if (const QString advice = programAdvice(error); !advice.isEmpty())
    std::fprintf(stderr, "rv1x-host: %s: %s\n", qPrintable(error.Description()),
                 qPrintable(advice));
  return kRaised;
}

// Names port N's device and what chose it when it cannot be opened.
void tellDeviceProblem(int port) {
  if (const QString problem = portDeviceProblem(port); !problem.isEmpty())
    std::fprintf(stderr, "rv1x-host: %s\n", qPrintable(problem));
}

// With --simulate, the simulated analyzer in port N's place; false, told
// why, when its options are wrong.
bool placeSimulator(const CommonOptions& options, int port,
                    std::unique_ptr<rv1xsim::Simulator>& simulator) {
  RunLines told;
  const QString refused = startSimulatedAnalyzer(options, port, simulator, told);
  if (!refused.isEmpty()) printError(QStringLiteral("rv1x-host: ") + refused);
  return refused.isEmpty();
}

}  // namespace

int queryPortCommand(const QStringList& arguments, const CommonOptions& options) {
  int port = 0;
  if (arguments.size() != 1 || !portArgument(arguments, port)) return usageOf("query-port");
  std::unique_ptr<rv1xsim::Simulator> simulator;
  if (!placeSimulator(options, port, simulator)) return kUsage;
  return rt::onError(
      [&] {
        const host::OrvanQelMti found = queryAnalyzer(port);
        std::printf("model=%s present=%d\n", qPrintable(found.MtiType), found.Present);
        if (!found.isEmpty()) return 0;
        tellDeviceProblem(port);
        return 1;
      },
      raised);
}

namespace {

QString replyText(const QString& command, const QVariant& reply) {
  if (command == QLatin1String("P") && reply.typeId() == QMetaType::QByteArray)
    return QStringLiteral("%1 bytes").arg(reply.toByteArray().size());
  return reply.toString();
}

}  // namespace

int linkCommand(const QStringList& arguments, const CommonOptions& options) {
  int port = 0;
  if (arguments.isEmpty() || !portArgument(arguments, port)) return usageOf("link");
  std::unique_ptr<rv1xsim::Simulator> simulator;
  if (!placeSimulator(options, port, simulator)) return kUsage;
  assignAnalyzerPort(options, port);

  std::shared_ptr<orvanRV1Xvti::CRV1XVTi> connection;
  return rt::onError(
      [&] {
        connection = com::createObjectAs<orvanRV1Xvti::CRV1XVTi>(orvanRV1Xvti::kConnectionProgId);
        connection->OpenChannel();
        std::printf("state=%d mkiii=%d\n", static_cast<int>(connection->State()),
                    connection->IsMkIII() ? 1 : 0);
        std::fflush(stdout);
        for (const QString& command : arguments.mid(1)) {
          const QVariant reply = connection->SendCommand(command, false);
          std::printf("%s -> %s\n", qPrintable(command), qPrintable(replyText(command, reply)));
          std::fflush(stdout);
        }
        connection->CloseChannel();
        return 0;
      },
      [&](const rt::RuntimeError& e) {
        if (connection) connection->CloseChannel();
        const int status = raised(e);
        tellDeviceProblem(port);
        return status;
      });
}

}  // namespace hostapp
