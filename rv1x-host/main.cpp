// rv1x-host: our stand-in for the host application, as a command-line
// program. Run without arguments for its commands.

#include <QApplication>
#include <QDir>
#include <cstdio>

#include "HostProgram.h"
#include "SimulatorOptions.h"
#include "registry/RegistryStore.h"
#include "runtime/Locale.h"
#include "ui/MessageBoxes.h"

namespace hostapp {

QList<Command>& commands() {
  static QList<Command> table;
  return table;
}

CommandRegistration::CommandRegistration(QString name, QString usage, CommandFunction run) {
  commands().append(Command{std::move(name), std::move(usage), std::move(run)});
}

QStringList builtDeliverables() {
  const QString lib =
      QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/../lib")).canonicalPath();
  QStringList files;
  for (const char* name : {"orvanView", "orvanTGCL2", "orvanRV1Xvti", "orvanRV1Xtst", "orvanRV1X"})
    files.append(lib + QStringLiteral("/lib%1.so").arg(QLatin1String(name)));
  return files;
}

namespace {

int usage() {
  std::fprintf(stderr,
               "usage: rv1x-host [--registry FILE] [--template FILE] [--unattended] [--scan] "
               "[--simulate[=OPTIONS]] COMMAND ...\n");
  for (const Command& command : commands())
    std::fprintf(stderr, "  rv1x-host %s\n", qPrintable(command.usage));
  std::fprintf(stderr, "simulator options (comma-separated):\n%s",
               qPrintable(rv1xsim::optionsHelp()));
  return 64;
}

enum class Option { Taken, NotOne, WithoutItsFile };

// Takes the first argument, with its value, when it is an option that every
// command shares.
Option takeOption(QStringList& arguments, CommonOptions& options) {
  const QString option = arguments.first();
  for (auto [name, value] : {std::pair{"--registry", &options.registry},
                             std::pair{"--template", &options.templateFile}}) {
    if (option != QLatin1String(name)) continue;
    if (arguments.size() < 2 || arguments.at(1).startsWith(QStringLiteral("--")))
      return Option::WithoutItsFile;
    *value = arguments.at(1);
    arguments.remove(0, 2);
    return Option::Taken;
  }
  if (option == QLatin1String("--unattended")) {
    options.unattended = true;
  } else if (option == QLatin1String("--scan")) {
    options.scan = true;
  } else if (option == QLatin1String("--simulate") ||
             option.startsWith(QStringLiteral("--simulate="))) {
    options.simulate = true;
    options.simulatorOptions = option.section(u'=', 1);
  } else {
    return Option::NotOne;
  }
  arguments.removeFirst();
  return Option::Taken;
}

int withoutItsFile(const QString& option) {
  std::fprintf(stderr, "rv1x-host: the option %s needs a file: %s FILE\n", qPrintable(option),
               qPrintable(option));
  return usage();
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
    const Option taken = takeOption(arguments, options);
    if (taken == Option::WithoutItsFile) return withoutItsFile(arguments.first());
    if (taken == Option::NotOne) {
      std::fprintf(stderr, "rv1x-host: unknown option %s\n", qPrintable(arguments.first()));
      return usage();
    }
  }
  if (arguments.isEmpty()) return usage();
  const QString name = arguments.takeFirst();
  // Options may also follow the command's own arguments.
  QStringList rest;
  while (!arguments.isEmpty()) {
    const Option taken = takeOption(arguments, options);
    if (taken == Option::WithoutItsFile) return withoutItsFile(arguments.first());
    if (taken == Option::NotOne) rest.append(arguments.takeFirst());
  }
  if (!options.registry.isEmpty()) platform::RegistryStore::setPath(options.registry);
  if (options.unattended) ui::MessageBoxes::instance().setUnattended(true);

  for (const Command& command : commands())
    if (command.name == name) return command.run(rest, options);
  std::fprintf(stderr, "rv1x-host: unknown command %s\n", qPrintable(name));
  return usage();
}
