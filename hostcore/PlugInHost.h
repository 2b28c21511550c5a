#pragma once
// The plug-in as the host loads it: created by its registered name, then
// initialised. With --template FILE its setup reads that test template: the
// plug-in's "Configuration" value (the template's path) names the file
// while the plug-in starts, as a value of this process alone that the
// registry file never holds.

#include <QMap>
#include <QString>

#include "CommonOptions.h"
#include "sequence/SequenceRecord.h"
#include "typelib/IPlugIn.h"

namespace hostapp {

inline const QString kPlugInProgId = QStringLiteral("SelkamRV1X.CRV1XPlugIn");

// Error 429 when the plug-in is not registered.
host::IPlugInPtr createPlugIn();

// The plug-in's Initialize, with the template of the options; what it
// raises reaches the caller.
void initializePlugIn(host::IPlugIn& plugIn, const CommonOptions& options);

// The test template the plug-in reads with these options: --template FILE,
// else the file its "Configuration" value names, else its own beside the
// built libraries.
QString templateInUse(const CommonOptions& options);

// The host's and the plug-in's versions, into the record a run keeps.
void recordVersions(host::SequenceRecord& record, host::IPlugIn& plugIn);

// The name of each test ID in the plug-in's catalogue (none for a test whose
// catalogue entry cannot be read).
QMap<rt::Long, QString> catalogueNames(host::IPlugIn& plugIn);

}  // namespace hostapp
