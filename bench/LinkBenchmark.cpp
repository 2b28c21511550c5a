// The analyzer link: how close its exchanges come to what the wire allows,
// and what waiting costs. The link is measured over a pseudo-terminal
// against the simulated analyzer at 9600 baud, through the serial control as
// on a real port.
//
// Wire times: a character is 10 bits at 9600 baud. An exchange's wire time
// is its command with CR and its whole reply with CR and prompt; a block's
// is "P" CR and its bytes.

#include "LinkBenchmark.h"

#include <sys/resource.h>

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "Figures.h"
#include "Simulator.h"
#include "orvanRV1Xvti/CRV1XVTi.h"
#include "runtime/ErrorHandling.h"
#include "services/HostServices.h"

namespace {

constexpr double kCharacterMs = rv1xsim::Simulator::kCharacterMicroseconds / 1000.0;
constexpr int kPort = 1;
constexpr double kExchangeGoal = 1.25;
constexpr double kBlockGoal = 1.10;
constexpr double kWaitShareGoal = 0.3;  // % of one core
constexpr int kShortWaitMs = 500;
constexpr int kLongWaitMs = 5500;

double processCpuMs() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// A simulated analyzer with these options on port 1, assigned by the host.
std::unique_ptr<rv1xsim::Simulator> analyzer(const QString& options) {
  rv1xsim::SimulatorOptions parsed;
  rv1xsim::parseOptions(options, parsed);
  auto simulator = std::make_unique<rv1xsim::Simulator>(parsed);
  if (!simulator->start()) return nullptr;
  qputenv("RV1X_PORT_1", simulator->slavePath().toLocal8Bit());
  return simulator;
}

bench::Figure noPseudoTerminal(bench::Figure figure) {
  figure.problem = QStringLiteral("no pseudo-terminal can be made");
  return figure;
}

double median(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  return samples[samples.size() / 2];
}

double elapsedMs(const std::function<void()>& body) {
  QElapsedTimer clock;
  clock.start();
  body();
  return clock.nsecsElapsed() / 1e6;
}

bench::Figure measurementExchange(int runs) {
  bench::Figure figure{QStringLiteral("\"M\" exchange against its wire time")};
  figure.unit = QStringLiteral("ms");
  figure.goal = kExchangeGoal;
  auto simulator = analyzer(QString());
  if (!simulator) return noPseudoTerminal(figure);
  orvanRV1Xvti::CRV1XVTi link;
  link.OpenChannel();
  std::vector<double> samples;
  qsizetype replyLength = 0;
  for (int i = 0; i < runs; ++i)
    samples.push_back(elapsedMs(
        [&] { replyLength = link.SendCommand(QStringLiteral("M"), false).toString().size(); }));
  link.CloseChannel();
  figure.measured = median(samples);
  figure.reference = (2 + replyLength + 2) * kCharacterMs;
  std::printf("\"M\" exchange, %lld-character reply, median of %d: %.1f ms (wire %.1f ms)\n",
              static_cast<long long>(replyLength), runs, figure.measured, figure.reference);
  return figure;
}

bench::Figure blockExchange(int runs) {
  bench::Figure figure{QStringLiteral("2000-byte block against its wire time")};
  figure.unit = QStringLiteral("ms");
  figure.goal = kBlockGoal;
  auto simulator = analyzer(QStringLiteral("mkii"));
  if (!simulator) return noPseudoTerminal(figure);
  orvanRV1Xvti::CRV1XVTi link;
  link.OpenChannel();
  std::vector<double> samples;
  qsizetype size = 0;
  for (int i = 0; i < runs; ++i)
    samples.push_back(elapsedMs(
        [&] { size = link.SendCommand(QStringLiteral("P"), false).toByteArray().size(); }));
  link.CloseChannel();
  figure.measured = median(samples);
  figure.reference = (2 + size) * kCharacterMs;
  std::printf("%lld-byte block (\"P\", older generation), median of %d: %.1f ms (wire %.1f ms)\n",
              static_cast<long long>(size), runs, figure.measured, figure.reference);
  return figure;
}

// The link's pause of a long wait against a short one, in this process
// (the simulator's thread included): what each second of waiting costs.
bench::Figure linkWaitShare() {
  bench::Figure figure{QStringLiteral("processor while the link waits")};
  figure.unit = QStringLiteral("%");
  figure.goal = kWaitShareGoal;
  auto simulator = analyzer(QString());
  if (!simulator) return noPseudoTerminal(figure);
  orvanRV1Xvti::CRV1XVTi link;
  link.OpenChannel();
  const auto wait = [&](int ms, double& cpu) {
    const double before = processCpuMs();
    const double wall = elapsedMs([&] { link.Wait(ms); });
    cpu = processCpuMs() - before;
    return wall;
  };
  double shortCpu = 0, longCpu = 0;
  const double shortWall = wait(kShortWaitMs, shortCpu);
  const double longWall = wait(kLongWaitMs, longCpu);
  link.CloseChannel();
  figure.measured = 100.0 * (longCpu - shortCpu) / (longWall - shortWall);
  std::printf("link waits of %.0f ms and %.0f ms: processor %.2f ms and %.2f ms\n", shortWall,
              longWall, shortCpu, longCpu);
  return figure;
}

// An unplugged adapter halfway through a reply ends the exchange without
// waiting out the reply's 3000 ms time-out.
bench::Figure unplugged() {
  bench::Figure figure{QStringLiteral("adapter unplugged during a reply")};
  figure.unit = QStringLiteral("ms");
  figure.goal = 1500;
  auto simulator = analyzer(QStringLiteral("hangup=M"));
  if (!simulator) return noPseudoTerminal(figure);
  orvanRV1Xvti::CRV1XVTi link;
  link.OpenChannel();
  figure.measured =
      elapsedMs([&] { rt::ignoreErrors([&] { link.SendCommand(QStringLiteral("M"), false); }); });
  return figure;
}

}  // namespace

namespace bench {

void linkFigures(Figures& figures) {
  com::must(com::must(host::PortAssignmentService::instance()).Assignment())
      .assign(host::kProduct, kPort);
  std::printf(
      "The analyzer link against the simulated analyzer on a pseudo-terminal: 9600 baud, "
      "10 bits a character (%.3f ms)\n",
      kCharacterMs);
  rt::onError(
      [&] {
        figures.add(measurementExchange(10));
        figures.add(blockExchange(3));
        figures.add(linkWaitShare());
        figures.add(unplugged());
      },
      [](const rt::RuntimeError& error) {
        std::printf("the link failed: error %s %s\n", qPrintable(error.hexNumber()),
                    qPrintable(error.Source()));
      });
}

}  // namespace bench
