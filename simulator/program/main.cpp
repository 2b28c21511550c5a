// rv1x-sim: the simulated analyzer as a program. It prints the device path
// of its pseudo-terminal on the first line and answers there until it gets
// SIGINT or SIGTERM, or reads "quit". Lines on its input change options
// while it runs ("range=P", "energy=120,peak-current=41.5").
//
//   rv1x-sim [--verbose] [OPTIONS...]

#include <poll.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <QString>
#include <QStringList>
#include <csignal>
#include <cstdio>

#include "Simulator.h"

namespace {

constexpr char kUsage[] = "usage: rv1x-sim [--verbose] [OPTION[,OPTION...]...]\n";

constexpr char kBehaviour[] =
    "It answers each command with its reply and CR \">\" (the waveform block without it),\n"
    "\"?\" to a command it does not know or cannot carry out. It powers up holding a\n"
    "measurement of the values the options give. A started measurement is made on a later\n"
    "poll (see polls, pacer-polls, sensitivity-polls); until then \"M\" shows 0 in its\n"
    "columns. Pace range line: rate 1-3, pulse width 8-13, amplitude 17-22, sensitivity\n"
    "35-40, sensed Rp 44-49, paced Rp 53-59. High/low range line: energy 1-6, peak U 9-14,\n"
    "peak I 17-22, delay 25-31, charge time 35-40 (0 unless measured in charge-time mode).\n"
    "Options given on its input while it runs change it from the next command on.\n";

int usage() {
  std::fprintf(stderr, "%soptions:\n%s", kUsage, qPrintable(rv1xsim::optionsHelp()));
  return 64;
}

int help() {
  std::printf(
      "%s\nThe simulated RV-1X analyzer on a pseudo-terminal: prints its device, then\n"
      "answers there until SIGINT, SIGTERM or \"quit\" on its input.\n%s\ncommands:\n%s"
      "\noptions:\n%s",
      kUsage, kBehaviour, qPrintable(rv1xsim::AnalyzerModel::commandsHelp()),
      qPrintable(rv1xsim::optionsHelp()));
  return 0;
}

QString printable(const QByteArray& command) {
  QString text;
  for (char c : command) {
    if (c == '\r')
      text += QStringLiteral("<CR>");
    else if (c == '\x0b')
      text += QStringLiteral("<VT>");
    else
      text += QLatin1Char(c);
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  rv1xsim::SimulatorOptions options;
  bool verbose = false;
  for (int i = 1; i < argc; ++i) {
    const QString argument = QString::fromLocal8Bit(argv[i]);
    if (argument == QLatin1String("--verbose")) {
      verbose = true;
      continue;
    }
    if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) return help();
    QString error;
    if (!rv1xsim::parseOptions(argument, options, &error)) {
      std::fprintf(stderr, "rv1x-sim: %s\n", qPrintable(error));
      return usage();
    }
  }

  // The stopSignals are taken through a descriptor, so every thread blocks them.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  sigaddset(&stopSignals, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  const int signalFd = signalfd(-1, &stopSignals, SFD_CLOEXEC);

  rv1xsim::Simulator simulator(options);
  QString error;
  if (!simulator.start(&error)) {
    std::fprintf(stderr, "rv1x-sim: %s\n", qPrintable(error));
    return 1;
  }
  std::printf("%s\n", qPrintable(simulator.slavePath()));
  std::fflush(stdout);

  bool inputOpen = true;
  qsizetype reported = 0;
  QByteArray line;
  for (;;) {
    pollfd fds[2] = {{signalFd, POLLIN, 0}, {inputOpen ? STDIN_FILENO : -1, POLLIN, 0}};
    ::poll(fds, 2, verbose ? 50 : -1);
    if (fds[0].revents & POLLIN) break;
    if (verbose) {
      const QList<QByteArray> commands = simulator.commands();
      for (; reported < commands.size(); ++reported)
        std::fprintf(stderr, "rv1x-sim: %s\n", qPrintable(printable(commands[reported])));
    }
    if (!(fds[1].revents & (POLLIN | POLLHUP))) continue;
    char buffer[256];
    const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (n <= 0) {
      inputOpen = false;  // run on without input (started in the background)
      continue;
    }
    line.append(buffer, n);
    qsizetype end;
    while ((end = line.indexOf('\n')) >= 0) {
      const QString text = QString::fromLocal8Bit(line.left(end)).trimmed();
      line.remove(0, end + 1);
      if (text == QLatin1String("quit")) return 0;
      rv1xsim::SimulatorOptions changed = simulator.options();
      if (!rv1xsim::parseOptions(text, changed, &error)) {
        std::fprintf(stderr, "rv1x-sim: %s\n", qPrintable(error));
        continue;
      }
      simulator.update([&](rv1xsim::SimulatorOptions& o) { o = changed; });
    }
  }
  return 0;
}
