#pragma once
// The host program's command table: each command's name, usage, summary and
// options, and the reading of the command line up to the command. It needs
// Qt Core alone, so that help is printed before the program's libraries
// (the plug-in's host, the windows, the fonts) are loaded.

#include <QList>
#include <QStringList>

#include "CommonOptions.h"

namespace hostapp {

// One line of a command's help: the option as written, and what it does.
struct OptionHelp {
  const char* option;
  const char* text;
};

// Whether a command may open a window, a message box or a report: only then
// does the program start Qt's widgets, and with them the fonts.
enum class Draws { Windows, Nothing };

struct Command {
  const char* name;
  const char* usage;    // the command line after "rv1x-host"
  const char* summary;  // what it does, in one line
  QList<OptionHelp> options;
  Draws draws = Draws::Windows;
};

// Every command of the program, in the order the help lists them.
const QList<Command>& commands();

// Prints "usage: rv1x-host <usage>" of the named command on standard
// error and answers the exit status of wrong arguments (64).
int usageOf(const char* name);

// What a command line asks for.
struct CommandLine {
  enum class Asks { Help, WrongArguments, Command };
  Asks asks = Asks::WrongArguments;
  // Help or wrong arguments: prints the help or the usage, and answers the
  // exit status.
  int (*answer)(const CommandLine&) = nullptr;
  const Command* command = nullptr;  // the command asked for, if any
  QStringList arguments;             // the command's own arguments
  CommonOptions options;
  QString offending;  // the unknown command or option, the option without its file
};

// The command line read up to the command's own arguments (options every
// command shares may come before or after the command).
CommandLine readCommandLine(QStringList arguments);

// Whether the command line asks for nothing that draws: help, a usage
// error, or a command that opens no window, message box or report. Only
// where that is certain does the program go without Qt's widgets; anything
// it does not know (Qt's own options among them) starts them.
bool drawsNothing(int argc, char** argv);

}  // namespace hostapp
