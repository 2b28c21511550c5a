#pragma once
// A test's settings in a few words, for its row in the workbench's
// sequence: "360 J", "Fixed load, 60 ppm", "3 steps". Read from the
// settings as the host stores them (the configuration's "PlugInData"), by
// a table per test ID of the settings a technician tells a test by. Its
// words ("steps", "Fixed load") are in the host's language; values and
// units are shown as stored.

#include <QString>

#include "typelib/HostTypes.h"

namespace workbench {

// Empty when the test has no settings the table names, or its settings
// cannot be saved.
QString settingsSummary(host::ITestElement& test);

}  // namespace workbench
