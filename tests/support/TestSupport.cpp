#include "TestSupport.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLibrary>
#include <QPixmap>
#include <QProcess>
#include <QWidget>
#include <cerrno>
#include <cstdio>

#include "registry/RegistryStore.h"
#include "ui/MessageLoop.h"

namespace testsupport {

rt::RuntimeError raisedBy(const std::function<void()>& call) {
  try {
    call();
  } catch (const rt::RuntimeError& e) {
    return e;
  }
  return rt::RuntimeError();
}

rt::Long errorOf(const std::function<void()>& call) {
  return raisedBy(call).Number();
}

TemporaryRegistry::TemporaryRegistry() {
  previous_ = qgetenv("RV1X_REGISTRY");
  path_ = dir_.filePath(QStringLiteral("registry.ini"));
  qputenv("RV1X_REGISTRY", path_.toLocal8Bit());
}

TemporaryRegistry::~TemporaryRegistry() {
  if (previous_.isEmpty())
    qunsetenv("RV1X_REGISTRY");
  else
    qputenv("RV1X_REGISTRY", previous_);
}

QString buildLibraryDir() {
  return QStringLiteral(RV1X_BUILD_LIB_DIR);
}

QString builtLibrary(const QString& name) {
  return buildLibraryDir() + QStringLiteral("/lib%1.so").arg(name);
}

QString builtProgram(const QString& name) {
  return buildLibraryDir() + QStringLiteral("/../bin/") + name;
}

bool saveScreenshot(QWidget& widget, const QString& name) {
  const QString dir =
      qEnvironmentVariable("RV1X_BUILD_DIR", QDir::tempPath()) + QStringLiteral("/test-output");
  QDir().mkpath(dir);
  const QString file = dir + QLatin1Char('/') + name + QStringLiteral(".png");
  const bool saved = widget.grab().save(file);
  std::printf("screenshot: %s\n", qPrintable(file));
  return saved;
}

ProgramOutcome runHostProgram(const QString& registryPath, const QStringList& arguments,
                              int timeoutMs) {
  QProcess process;
  process.start(builtProgram(QStringLiteral("rv1x-host")),
                QStringList{QStringLiteral("--registry"), registryPath} + arguments);
  if (!process.waitForFinished(timeoutMs)) {
    process.kill();
    process.waitForFinished();
    return {};
  }
  return {process.exitCode(), QString::fromUtf8(process.readAllStandardError()),
          QString::fromUtf8(process.readAllStandardOutput())};
}

bool registerServer(const QString& libraryFile) {
  QLibrary library(libraryFile);
  library.setLoadHints(QLibrary::PreventUnloadHint);
  if (!library.load()) return false;
  using Entry = std::int32_t (*)();
  auto entry = reinterpret_cast<Entry>(library.resolve("DllRegisterServer"));
  return entry && entry() == 0;
}

PseudoTerminal::PseudoTerminal() {
  char name[256] = {};
  termios raw{};
  cfmakeraw(&raw);
  if (openpty(&master_, &slave_, name, &raw, nullptr) != 0) {
    master_ = slave_ = -1;
    return;
  }
  slavePath_ = QString::fromLocal8Bit(name);
  ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
}

PseudoTerminal::~PseudoTerminal() {
  if (slave_ >= 0) ::close(slave_);
  if (master_ >= 0) ::close(master_);
}

void PseudoTerminal::write(const QByteArray& bytes) {
  qsizetype done = 0;
  while (done < bytes.size()) {
    const ssize_t n =
        ::write(master_, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
    if (n > 0)
      done += n;
    else if (errno != EAGAIN && errno != EINTR)
      break;
  }
}

QByteArray PseudoTerminal::read(int timeoutMs, int count) {
  QByteArray result;
  QDeadlineTimer deadline(timeoutMs);
  while (count < 0 || result.size() < count) {
    pollfd fd{master_, POLLIN, 0};
    const int left = static_cast<int>(deadline.remainingTime());
    if (left <= 0) break;
    if (::poll(&fd, 1, left) <= 0) break;
    char buffer[4096];
    const ssize_t n = ::read(master_, buffer, sizeof buffer);
    if (n <= 0) break;
    result.append(buffer, static_cast<qsizetype>(n));
  }
  return result;
}

void runEventsFor(int milliseconds) {
  ui::runEventsFor(milliseconds);
}

bool waitUntil(const std::function<bool()>& condition, int milliseconds) {
  return ui::waitUntil(condition, milliseconds);
}

}  // namespace testsupport
