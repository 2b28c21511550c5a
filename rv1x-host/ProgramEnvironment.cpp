#include "ProgramEnvironment.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QtGlobal>
#include <cerrno>

namespace hostapp {

namespace {

// Qt's own fallback: a folder of the user's in the temporary folder, which
// only the user may enter.
void nameRuntimeFolder() {
  if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return;
  const passwd* user = ::getpwuid(::geteuid());
  const QString name = user ? QString::fromLocal8Bit(user->pw_name)
                            : QString::number(static_cast<unsigned>(::geteuid()));
  const QString folder = QDir::tempPath() + QStringLiteral("/runtime-") + name;
  const QByteArray path = QFile::encodeName(folder);
  // When the folder is there but not private, Qt says so itself.
  if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST) return;
  qputenv("XDG_RUNTIME_DIR", path);
}

// Notes of the platform that say nothing a technician could act on.
bool isPlatformNoise(const QString& message) {
  static const char* const kNoise[] = {"This plugin does not support propagateSizeHints()"};
  for (const char* noise : kNoise)
    if (message == QLatin1String(noise)) return true;
  return false;
}

QtMessageHandler qtHandler = nullptr;

void filterMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtWarningMsg && isPlatformNoise(message)) return;
  if (qtHandler) qtHandler(type, context, message);
}

}  // namespace

void prepareProgramEnvironment() {
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
      qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  nameRuntimeFolder();
  qtHandler = qInstallMessageHandler(filterMessages);
}

}  // namespace hostapp
