#include "ChildProcess.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <vector>

namespace bench {

ChildRun runChild(const QString& program, const QStringList& arguments) {
  std::vector<QByteArray> texts{program.toLocal8Bit()};
  for (const QString& argument : arguments) texts.push_back(argument.toLocal8Bit());
  std::vector<char*> argv;
  for (QByteArray& text : texts) argv.push_back(text.data());
  argv.push_back(nullptr);

  // The child would write out what the figures so far left in the buffers.
  std::fflush(stdout);
  std::fflush(stderr);
  QElapsedTimer clock;
  clock.start();
  const pid_t child = fork();
  if (child == 0) {
    const int nothing = ::open("/dev/null", O_RDWR);
    ::dup2(nothing, STDOUT_FILENO);
    ::dup2(nothing, STDERR_FILENO);
    execv(argv[0], argv.data());
    _exit(127);
  }
  ChildRun run;
  int status = 0;
  rusage usage{};
  if (child < 0 || ::wait4(child, &status, 0, &usage) != child) return run;
  run.wallMs = clock.nsecsElapsed() / 1e6;
  const auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
  run.processorMs = ms(usage.ru_utime) + ms(usage.ru_stime);
  run.peakMiB = usage.ru_maxrss / 1024.0;  // Linux counts it in KiB
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

QString hostProgram() {
  return QCoreApplication::applicationDirPath() + QStringLiteral("/rv1x-host");
}

QString bareQtProgram() {
  return QCoreApplication::applicationDirPath() + QStringLiteral("/rv1x-bench-bare-qt");
}

QString benchProgram() {
  return QCoreApplication::applicationFilePath();
}

}  // namespace bench
