#pragma once
// The host program's commands, each in a file of its own, and what they
// share.

#include <QCoreApplication>
#include <QList>
#include <QStringList>
#include <functional>

#include "CommandTable.h"
#include "CommonOptions.h"

namespace hostapp {

using CommandFunction =
    std::function<int(const QStringList& arguments, const CommonOptions& options)>;

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
