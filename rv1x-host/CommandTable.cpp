#include "CommandTable.h"

#include <algorithm>
#include <cstdio>

#include "SimulatorOptions.h"

namespace hostapp {

const QList<Command>& commands() {
  static const QList<Command> table{
      {"catalogue",
       "[--template FILE] catalogue",
       "lists the plug-in's tests, each with its default standards",
       {},
       Draws::Nothing},
      {"edit",
       "[--template FILE] edit [--sequence FILE --index K] [--screenshot FILE] TESTID",
       "opens the settings editor of test TESTID in the host's dialog",
       {{"--sequence FILE", "edits a test of the stored sequence FILE; OK writes it back"},
        {"--index K", "that test's element in FILE, counted from 1"},
        {"--screenshot FILE", "draws the dialog into the PNG FILE instead of showing it"}}},
      {"ports",
       "ports [DEVICE...]",
       "lists the serial devices, the port number N of each and whether an RV-1X answers there",
       {{"DEVICE...", "these devices only, instead of the machine's and those ports name"}}},
      {"query-port",
       "[--simulate[=OPTIONS]] query-port N",
       "asks the port query whether an RV-1X answers on port N",
       {}},
      {"link",
       "[--scan] [--simulate[=OPTIONS]] link N CMD...",
       "opens the analyzer connection on port N and sends the commands",
       {}},
      {"preferences",
       "[--template FILE] preferences [--screenshot FILE]",
       "shows the plug-in's preferences page",
       {{"--screenshot FILE", "saves the page as the PNG FILE instead of showing it"}}},
      {"register",
       "register [LIBRARY...]",
       "registers the deliverables (or the libraries given) into the registry store",
       {},
       Draws::Nothing},
      {"run",
       "[--unattended] [--simulate[=OPTIONS]] [--template FILE] run [--tests ID,ID,...] "
       "[--sequence FILE] [--results FILE] [--report FILE] [--operator FILE] "
       "[--screenshots DIR] [--wait-limit SECONDS] [--device-model TEXT] [--device-serial TEXT] "
       "[--device-id TEXT] [--technician TEXT] [--overwrite] N",
       "runs tests on the analyzer at port N as the host does",
       {{"--tests ID,ID,...", "these tests of the catalogue, in this order (default: all)"},
        {"--sequence FILE", "the stored sequence FILE, with its settings and earlier results"},
        {"--results FILE", "the results document, written after each test (rv1x-results.xml)"},
        {"--report FILE", "the PDF report, written at the end"},
        {"--operator FILE", "what the scripted operator does, one line per test"},
        {"--screenshots DIR", "a picture of each guide window at its main states"},
        {"--wait-limit SECONDS",
         "how long the scripted operator waits on the analyzer before it stops a test (120)"},
        {"--device-model TEXT", "the model of the device under test, for the record"},
        {"--device-serial TEXT", "the serial number of the device under test"},
        {"--device-id TEXT", "the hospital's asset number of the device under test"},
        {"--technician TEXT", "who tests the device"},
        {"--overwrite", "replaces a results FILE that exists (else only --sequence FILE's own)"}}},
      {"resave", "resave IN OUT", "loads the sequence IN and saves it as OUT", {}, Draws::Nothing},
      {"report", "report IN OUT", "prints the sequence IN as the PDF report OUT", {}},
      {"export",
       "export IN OUT.csv",
       "writes the measurements of the results document IN as the CSV file OUT.csv",
       {},
       Draws::Nothing},
      {"workbench",
       "[--template FILE] [--simulate[=OPTIONS]] workbench [--sequence FILE] [--screenshot FILE]",
       "opens the technician's workbench: the analyzer, the sequence, its runs and its record",
       {{"--sequence FILE", "opens the stored sequence FILE (default: the whole catalogue)"},
        {"--screenshot FILE", "draws the window into the PNG FILE instead of showing it"}}},
  };
  return table;
}

int usageOf(const char* name) {
  for (const Command& command : commands())
    if (qstrcmp(command.name, name) == 0)
      std::fprintf(stderr, "usage: rv1x-host %s\n", command.usage);
  return 64;
}

namespace {

constexpr int kUsage = 64;
constexpr char kCommonUsage[] =
    "[--registry FILE] [--template FILE] [--unattended] [--scan] [--simulate[=OPTIONS]] COMMAND "
    "...";

const QList<OptionHelp> kCommonOptions{
    {"--registry FILE", "the registry store (before RV1X_REGISTRY)"},
    {"--template FILE", "the plug-in reads FILE as its test template, for this run"},
    {"--unattended", "message boxes take their unattended answers; the operator is scripted"},
    {"--scan", "a host older than 2.1.2: no port is assigned, the link searches ports 1 to 16"},
    {"--simulate[=OPTIONS]", "the simulated analyzer in port N's place, inside the program"},
};

bool isHelp(const QString& argument) {
  return argument == QLatin1String("--help") || argument == QLatin1String("-h");
}

const Command* commandNamed(const QString& name) {
  const auto command = std::find_if(commands().begin(), commands().end(), [&](const Command& c) {
    return name == QLatin1String(c.name);
  });
  return command == commands().end() ? nullptr : &*command;
}

void printOptions(const char* heading, const QList<OptionHelp>& options) {
  if (options.isEmpty()) return;
  int width = 0;
  for (const OptionHelp& option : options)
    width = std::max(width, static_cast<int>(qstrlen(option.option)));
  std::printf("%s\n", heading);
  for (const OptionHelp& option : options)
    std::printf("  %-*s  %s\n", width, option.option, option.text);
}

int help(const CommandLine&) {
  std::printf("usage: rv1x-host %s\n", kCommonUsage);
  int width = 0;
  for (const Command& command : commands())
    width = std::max(width, static_cast<int>(qstrlen(command.name)));
  std::printf("commands:\n");
  for (const Command& command : commands())
    std::printf("  %-*s  %s\n", width, command.name, command.summary);
  printOptions("options of every command, before or after it:", kCommonOptions);
  std::printf("rv1x-host COMMAND --help prints the options of that command.\n");
  return 0;
}

// The command's usage and options, with the shared options it takes and,
// where it simulates, the simulator's options.
int commandHelp(const CommandLine& line) {
  const Command& command = *line.command;
  std::printf("usage: rv1x-host %s\n%s\n", command.usage, command.summary);
  printOptions("options:", command.options);
  const QString usage = QLatin1String(command.usage);
  QList<OptionHelp> shared;
  for (const OptionHelp& option : kCommonOptions)
    if (usage.contains(QLatin1String(option.option)) ||
        option.option == QLatin1String("--registry FILE"))
      shared.append(option);
  printOptions("options of every command:", shared);
  if (usage.contains(QLatin1String("--simulate")))
    std::printf("simulator options (comma-separated):\n%s", qPrintable(rv1xsim::optionsHelp()));
  return 0;
}

int usage(const CommandLine&) {
  std::fprintf(stderr, "usage: rv1x-host %s\n", kCommonUsage);
  for (const Command& command : commands()) std::fprintf(stderr, "  rv1x-host %s\n", command.usage);
  std::fprintf(stderr, "simulator options (comma-separated):\n%s",
               qPrintable(rv1xsim::optionsHelp()));
  return kUsage;
}

int withoutItsFile(const CommandLine& line) {
  std::fprintf(stderr, "rv1x-host: the option %s needs a file: %s FILE\n",
               qPrintable(line.offending), qPrintable(line.offending));
  return usage(line);
}

int unknownOption(const CommandLine& line) {
  std::fprintf(stderr, "rv1x-host: unknown option %s\n", qPrintable(line.offending));
  return usage(line);
}

int unknownCommand(const CommandLine& line) {
  std::fprintf(stderr, "rv1x-host: unknown command %s\n", qPrintable(line.offending));
  return usage(line);
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

CommandLine answered(CommandLine line, CommandLine::Asks asks, int (*answer)(const CommandLine&),
                     const QString& offending = QString()) {
  line.asks = asks;
  line.answer = answer;
  line.offending = offending;
  return line;
}

}  // namespace

CommandLine readCommandLine(QStringList arguments) {
  using Asks = CommandLine::Asks;
  CommandLine line;
  while (!arguments.isEmpty() && arguments.first().startsWith(u'-')) {
    if (isHelp(arguments.first())) return answered(line, Asks::Help, help);
    const Option taken = takeOption(arguments, line.options);
    if (taken == Option::WithoutItsFile)
      return answered(line, Asks::WrongArguments, withoutItsFile, arguments.first());
    if (taken == Option::NotOne)
      return answered(line, Asks::WrongArguments, unknownOption, arguments.first());
  }
  if (arguments.isEmpty()) return answered(line, Asks::WrongArguments, usage);
  const QString name = arguments.takeFirst();
  line.command = commandNamed(name);
  if (!line.command) return answered(line, Asks::WrongArguments, unknownCommand, name);
  // Options may also follow the command's own arguments.
  while (!arguments.isEmpty()) {
    if (isHelp(arguments.first())) return answered(line, Asks::Help, commandHelp);
    const Option taken = takeOption(arguments, line.options);
    if (taken == Option::WithoutItsFile)
      return answered(line, Asks::WrongArguments, withoutItsFile, arguments.first());
    if (taken == Option::NotOne) line.arguments.append(arguments.takeFirst());
  }
  line.asks = Asks::Command;
  return line;
}

bool drawsNothing(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const QString argument = QString::fromLocal8Bit(argv[i]);
    if (isHelp(argument)) return true;
    if (argument == QLatin1String("--registry") || argument == QLatin1String("--template")) {
      ++i;
      continue;
    }
    if (argument.startsWith(u'-')) {
      if (argument == QLatin1String("--unattended") || argument == QLatin1String("--scan") ||
          argument == QLatin1String("--simulate") ||
          argument.startsWith(QStringLiteral("--simulate=")))
        continue;
      return false;
    }
    const Command* command = commandNamed(argument);
    if (!command) return true;  // only its usage is printed
    if (command->draws == Draws::Windows) {
      // Its own --help prints and draws nothing.
      for (int j = i + 1; j < argc; ++j)
        if (isHelp(QString::fromLocal8Bit(argv[j]))) return true;
      return false;
    }
    return true;
  }
  return true;
}

}  // namespace hostapp
