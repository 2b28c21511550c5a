// rv1x-host: our stand-in for the host application, as a command-line
// program. Run without arguments for its commands.

#include "HostProgram.h"
#include "SimulatorOptions.h"

#include "registry/RegistryStore.h"
#include "runtime/Locale.h"
#include "ui/MessageBoxes.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

namespace hostapp {

QList<Command>& commands() {
  static QList<Command> table;
  return table;
}

CommandRegistration::CommandRegistration(QString name, QString usage, CommandFunction run) {
  commands().append(Command{std::move(name), std::move(usage), std::move(run)});
}

QStringList builtDeliverables() {
  const QString lib = QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/../lib")).canonicalPath();
  QStringList files;
  for (const char* name : {"orvanView", "orvanRV1Xvti", "orvanRV1Xtst", "orvanRV1X"})
    files.append(lib + QStringLiteral("/lib%1.so").arg(QLatin1String(name)));
  return files;
}

namespace {

int usage() {
  std::fprintf(stderr, "usage: rv1x-host [--registry FILE] [--unattended] [--scan] [--simulate[=OPTIONS]] COMMAND ...\n");
  for (const Command& command : commands())
    std::fprintf(stderr, "  rv1x-host %s\n", qPrintable(command.usage));
  std::fprintf(stderr, "simulator options (comma-separated):\n%s", qPrintable(rv1xsim::optionsHelp()));
  return 64;
}

}  // namespace
}  // namespace hostapp

int main(int argc, char** argv) {
  using namespace hostapp;
  // Without a display the program runs on the offscreen platform and every
  // message box takes its unattended answer.
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
      qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("rv1x-host"));
  rt::initUserLocaleFromSystem();

  QStringList arguments = app.arguments().mid(1);
  CommonOptions options;
  while (!arguments.isEmpty() && arguments.first().startsWith(QStringLiteral("--"))) {
    const QString option = arguments.takeFirst();
    if (option == QLatin1String("--registry") && !arguments.isEmpty()) {
      options.registry = arguments.takeFirst();
    } else if (option == QLatin1String("--unattended")) {
      options.unattended = true;
    } else if (option == QLatin1String("--scan")) {
      options.scan = true;
    } else if (option == QLatin1String("--simulate") || option.startsWith(QStringLiteral("--simulate="))) {
      options.simulate = true;
      options.simulatorOptions = option.section(u'=', 1);
    } else {
      std::fprintf(stderr, "rv1x-host: unknown option %s\n", qPrintable(option));
      return usage();
    }
  }
  if (!options.registry.isEmpty()) platform::RegistryStore::setPath(options.registry);
  if (options.unattended) ui::MessageBoxes::instance().setUnattended(true);
  if (arguments.isEmpty()) return usage();

  const QString name = arguments.takeFirst();
  for (const Command& command : commands()) {
    if (command.name == name) {
      // Options may also follow the command's own arguments.
      QStringList rest;
      for (const QString& argument : arguments) {
        if (argument == QLatin1String("--unattended")) ui::MessageBoxes::instance().setUnattended(true);
        else if (argument == QLatin1String("--scan")) options.scan = true;
        else if (argument == QLatin1String("--simulate") || argument.startsWith(QStringLiteral("--simulate="))) {
          options.simulate = true;
          options.simulatorOptions = argument.section(u'=', 1);
        } else rest.append(argument);
      }
      return command.run(rest, options);
    }
  }
  std::fprintf(stderr, "rv1x-host: unknown command %s\n", qPrintable(name));
  return usage();
}
