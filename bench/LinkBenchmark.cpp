// rv1x-bench: how close the analyzer link comes to what the wire allows,
// and what its waits cost, against the simulated analyzer at 9600 baud.
//
// Floors: a reply is read one character at a time with a 5 ms pause before
// each read, and a character crosses the wire faster than that, so an
// exchange cannot end before the command and the first reply character have
// crossed the wire and every character has had its pause after it. A block
// is read in bursts of whatever is waiting after a pause, and the last pause
// overlaps the last characters' way, so a block cannot end before the
// command and all of its bytes have crossed the wire.

#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "ResaveBenchmark.h"
#include "RunBenchmark.h"
#include "Simulator.h"
#include "orvanRV1Xvti/CRV1XVTi.h"
#include "runtime/ErrorHandling.h"
#include "services/HostServices.h"
#include "ui/MessageBoxes.h"

namespace {

constexpr double kCharacterMs = rv1xsim::Simulator::kCharacterMicroseconds / 1000.0;
constexpr double kReadPauseMs = 5.0;
constexpr int kPort = 1;

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
  if (!simulator->start()) {
    std::fprintf(stderr, "rv1x-bench: no pseudo-terminal\n");
    std::exit(1);
  }
  qputenv("RV1X_PORT_1", simulator->slavePath().toLocal8Bit());
  return simulator;
}

struct Figures {
  double median = 0, least = 0, most = 0;
};

Figures figuresOf(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  return {samples[samples.size() / 2], samples.front(), samples.back()};
}

void printExchange(const char* title, const Figures& wall, double floor, const char* floorText) {
  std::printf("%s\n", title);
  std::printf("  wall   median %7.1f ms   (least %.1f, most %.1f)\n", wall.median, wall.least,
              wall.most);
  std::printf("  floor         %7.1f ms   (%s)\n", floor, floorText);
  std::printf("  ratio         %7.3f      (goal: at most 1.100) %s\n\n", wall.median / floor,
              wall.median / floor <= 1.10 ? "met" : "NOT MET");
}

void measurementExchange(int runs) {
  auto simulator = analyzer(QString());
  orvanRV1Xvti::CRV1XVTi link;
  link.OpenChannel();
  std::vector<double> samples;
  int replyLength = 0;
  for (int i = 0; i < runs; ++i) {
    QElapsedTimer clock;
    clock.start();
    replyLength = link.SendCommand(QStringLiteral("M"), false).toString().size();
    samples.push_back(clock.nsecsElapsed() / 1e6);
  }
  link.CloseChannel();
  const int read = replyLength + 2;  // the reply, CR and the prompt
  const double floor = 3 * kCharacterMs + read * kReadPauseMs;
  char text[160];
  std::snprintf(text, sizeof text,
                "\"M\" CR and the first reply character on the wire, %.1f ms, + %d reads x 5 ms",
                3 * kCharacterMs, read);
  char title[96];
  std::snprintf(title, sizeof title, "\"M\" exchange, %d-character reply, %d runs", replyLength,
                runs);
  printExchange(title, figuresOf(samples), floor, text);
}

void blockExchange(int runs) {
  std::vector<double> samples;
  qsizetype size = 0;
  for (int i = 0; i < runs; ++i) {
    // The link stays in its sent state after a block: one block per open.
    auto simulator = analyzer(QStringLiteral("mkii"));
    orvanRV1Xvti::CRV1XVTi link;
    link.OpenChannel();
    QElapsedTimer clock;
    clock.start();
    size = link.SendCommand(QStringLiteral("P"), false).toByteArray().size();
    samples.push_back(clock.nsecsElapsed() / 1e6);
    link.CloseChannel();
  }
  const double floor = (2 + size) * kCharacterMs;
  char text[160];
  std::snprintf(text, sizeof text,
                "\"P\" CR and %lld bytes on the wire; the last 5 ms pause overlaps them",
                static_cast<long long>(size));
  char title[96];
  std::snprintf(title, sizeof title, "%lld-byte block (\"P\", older generation), %d runs",
                static_cast<long long>(size), runs);
  printExchange(title, figuresOf(samples), floor, text);
}

struct Wait {
  double wallMs = 0, cpuMs = 0;
};

Wait timed(const std::function<void()>& body) {
  QElapsedTimer clock;
  clock.start();
  const double cpu = processCpuMs();
  body();
  return {clock.nsecsElapsed() / 1e6, processCpuMs() - cpu};
}

void printWait(const char* what, const Wait& wait) {
  const double share = 100.0 * wait.cpuMs / wait.wallMs;
  std::printf(
      "  %-40s wall %6.0f ms, processor %5.1f ms = %4.1f%% of a core (goal: below 5%%) %s\n", what,
      wait.wallMs, wait.cpuMs, share, share < 5.0 ? "met" : "NOT MET");
}

void timeOutWaits() {
  std::printf("Waiting out a 3000 ms time-out (the whole process, simulator thread included)\n");
  {
    auto simulator = analyzer(QStringLiteral("silent"));
    orvanRV1Xvti::CRV1XVTi link;
    printWait("opening probe, silent analyzer:",
              timed([&] { rt::ignoreErrors([&] { link.OpenChannel(); }); }));
  }
  {
    auto simulator = analyzer(QStringLiteral("ignore=M"));
    orvanRV1Xvti::CRV1XVTi link;
    link.OpenChannel();
    // The first of the reply's four waits, ended by an abort once it is over.
    QTimer::singleShot(3000 + 50, Qt::PreciseTimer, QCoreApplication::instance(),
                       [&] { link.Abort(); });
    printWait("reply that does not come (first wait):",
              timed([&] { link.SendCommand(QStringLiteral("M"), false); }));
    link.CloseChannel();
  }
  std::printf("\nA device that goes halfway through a reply (an unplugged adapter)\n");
  {
    auto simulator = analyzer(QStringLiteral("hangup=M"));
    orvanRV1Xvti::CRV1XVTi link;
    link.OpenChannel();
    const Wait wait =
        timed([&] { rt::ignoreErrors([&] { link.SendCommand(QStringLiteral("M"), false); }); });
    printWait("exchange ended by \"Device unavailable\":", wait);
    std::printf("  %-40s %6.0f ms of the 3000 ms reply time-out (goal: well before it) %s\n", "",
                wait.wallMs, wait.wallMs < 1500 ? "met" : "NOT MET");
  }
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("rv1x-bench"));
  ui::MessageBoxes::instance().setUnattended(true);
  QTemporaryDir registry;
  qputenv("RV1X_REGISTRY", registry.filePath(QStringLiteral("registry.ini")).toLocal8Bit());
  com::must(com::must(host::PortAssignmentService::instance()).Assignment())
      .assign(host::kProduct, kPort);

  std::printf(
      "Analyzer link against the simulated analyzer: 9600 baud, 10 bits a character (%.3f ms)\n\n",
      kCharacterMs);
  return rt::onError(
      [] {
        measurementExchange(10);
        blockExchange(3);
        timeOutWaits();
        std::printf("\n");
        const bool ran = bench::sequenceRuns();
        std::printf("\n");
        return bench::resaveFigure() && ran ? 0 : 1;
      },
      [](const rt::RuntimeError& error) {
        std::fprintf(stderr, "rv1x-bench: error %s %s\n", qPrintable(error.hexNumber()),
                     qPrintable(error.Source()));
        return 1;
      });
}
