#pragma once
// The host program's command table and the options every command shares.

#include <QCoreApplication>
#include <QList>
#include <QStringList>
#include <functional>

#include "CommonOptions.h"

namespace hostapp {

using CommandFunction =
    std::function<int(const QStringList& arguments, const CommonOptions& options)>;

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
  CommandFunction run;
  Draws draws = Draws::Windows;
};

// Every command of the program, in the order the help lists them (main.cpp).
const QList<Command>& commands();

// Prints "usage: rv1x-host <usage>" of the named command on standard
// error and answers the exit status of wrong arguments (64).
int usageOf(const char* name);

// The commands, each in a file of its own.
int catalogueCommand(const QStringList& arguments, const CommonOptions& options);
int editCommand(const QStringList& arguments, const CommonOptions& options);
int portsCommand(const QStringList& arguments, const CommonOptions& options);
int queryPortCommand(const QStringList& arguments, const CommonOptions& options);
int linkCommand(const QStringList& arguments, const CommonOptions& options);
int preferencesCommand(const QStringList& arguments, const CommonOptions& options);
int registerCommand(const QStringList& arguments, const CommonOptions& options);
int runCommand(const QStringList& arguments, const CommonOptions& options);
int resaveCommand(const QStringList& arguments, const CommonOptions& options);
int reportCommand(const QStringList& arguments, const CommonOptions& options);
int exportCommand(const QStringList& arguments, const CommonOptions& options);
int workbenchCommand(const QStringList& arguments, const CommonOptions& options);

// The deliverables built beside the program, in registration order.
QStringList builtDeliverables();

}  // namespace hostapp
