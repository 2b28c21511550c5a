#pragma once
// The options every command of the host program shares, and that the host's
// services below the commands (the plug-in, the analyzer port, the simulated
// analyzer) take into account.

#include <QString>

namespace hostapp {

struct CommonOptions {
  QString registry;         // --registry FILE
  bool unattended = false;  // --unattended
  bool simulate = false;    // --simulate[=OPTIONS]
  QString simulatorOptions;
  bool scan = false;     // --scan
  QString templateFile;  // --template FILE: the plug-in's test template for this run
};

}  // namespace hostapp
