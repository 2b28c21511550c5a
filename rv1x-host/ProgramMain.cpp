// The host program itself, loaded by rv1x-host (main.cpp) for every command
// line that asks for more than help.

#include <QApplication>
#include <QDir>
#include <cstdio>
#include <memory>

#include "HostProgram.h"
#include "ProgramAdvice.h"
#include "ProgramEnvironment.h"
#include "registry/RegistryStore.h"
#include "runtime/Locale.h"
#include "ui/MessageBoxes.h"

namespace hostapp {

QStringList builtDeliverables() {
  const QString lib =
      QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/../lib")).canonicalPath();
  QStringList files;
  for (const char* name : {"orvanView", "orvanTGCL2", "orvanRV1Xvti", "orvanRV1Xtst", "orvanRV1X"})
    files.append(lib + QStringLiteral("/lib%1.so").arg(QLatin1String(name)));
  return files;
}

namespace {

// What each command of the table does.
const std::pair<const char*, CommandFunction> kActions[] = {
    {"catalogue", catalogueCommand}, {"edit", editCommand},
    {"ports", portsCommand},         {"query-port", queryPortCommand},
    {"link", linkCommand},           {"preferences", preferencesCommand},
    {"register", registerCommand},   {"run", runCommand},
    {"resave", resaveCommand},       {"report", reportCommand},
    {"export", exportCommand},       {"workbench", workbenchCommand},
};

int run(const Command& command, const QStringList& arguments, const CommonOptions& options) {
  for (const auto& [name, action] : kActions)
    if (qstrcmp(name, command.name) == 0) return action(arguments, options);
  std::fprintf(stderr, "rv1x-host: the command %s is in the table but does nothing\n",
               command.name);
  return 70;
}

}  // namespace
}  // namespace hostapp

extern "C" int rv1xHostProgram(int argc, char** argv) {
  using namespace hostapp;
  prepareProgramEnvironment();
  // A program that draws nothing never loads the fonts, which Qt's widgets
  // would read at the end only to let them go.
  const std::unique_ptr<QCoreApplication> app = drawsNothing(argc, argv)
                                                    ? std::make_unique<QCoreApplication>(argc, argv)
                                                    : std::make_unique<QApplication>(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("rv1x-host"));
  rt::initUserLocaleFromSystem();

  const CommandLine line = readCommandLine(QCoreApplication::arguments().mid(1));
  if (line.asks != CommandLine::Asks::Command) return line.answer(line);
  if (!line.options.registry.isEmpty()) platform::RegistryStore::setPath(line.options.registry);
  if (line.options.unattended) ui::MessageBoxes::instance().setUnattended(true);
  installProgramAdvice();
  return run(*line.command, line.arguments, line.options);
}
