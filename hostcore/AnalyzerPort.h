#pragma once
// The host's side of the analyzer's port: the hand-over of port N to the
// product, as a host of version 2.1.2 or later does (with --scan the host
// plays an older version that assigns none, and the connection searches
// ports 1 to 16 itself), the port query the host asks whether an analyzer
// is there, and what a technician needs to know when port N's device
// cannot be opened.

#include "CommonOptions.h"
#include "typelib/OrvanQel.h"

namespace hostapp {

void assignAnalyzerPort(const CommonOptions& options, int port);

// What the port query finds on port N (empty when no analyzer answers);
// error 429 when the query is not registered.
host::OrvanQelMti queryAnalyzer(int port);

// Why port N's device cannot be opened, with the device and what chose it:
// "port 8 is /dev/ttyUSB3 (RV1X_PORT_8), which does not exist"; empty when
// nothing speaks against opening it.
QString portDeviceProblem(int port);

}  // namespace hostapp
