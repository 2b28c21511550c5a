#pragma once
// The host's side of the analyzer's port: the hand-over of port N to the
// product, as a host of version 2.1.2 or later does (with --scan the host
// plays an older version that assigns none, and the connection searches
// ports 1 to 16 itself), and the port query the host asks whether an
// analyzer is there.

#include "CommonOptions.h"
#include "typelib/OrvanQel.h"

namespace hostapp {

void assignAnalyzerPort(const CommonOptions& options, int port);

// What the port query finds on port N (empty when no analyzer answers);
// error 429 when the query is not registered.
host::OrvanQelMti queryAnalyzer(int port);

}  // namespace hostapp
