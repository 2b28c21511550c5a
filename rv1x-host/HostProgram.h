#pragma once
// The host program's command table and the options every command shares.

#include <QCoreApplication>
#include <QStringList>
#include <functional>

#include "CommonOptions.h"

namespace hostapp {

using CommandFunction =
    std::function<int(const QStringList& arguments, const CommonOptions& options)>;

struct Command {
  QString name;
  QString usage;
  CommandFunction run;
};

// Every command of the program; each command file adds its own.
QList<Command>& commands();

struct CommandRegistration {
  CommandRegistration(QString name, QString usage, CommandFunction run);
};

// The deliverables built beside the program, in registration order.
QStringList builtDeliverables();

}  // namespace hostapp
