#pragma once
// What the workbench keeps for its next start, in the registry under
// HKEY_CURRENT_USER "Software\Tavrin\orvan\Workbench": "Port", the port
// number of the analyzer every run uses, and "Technician", the technician
// last entered.

#include <QString>

namespace workbench {

// 0 when none is kept (or what is kept is no port number).
int storedPort();
// False when the registry could not be written.
bool storePort(int port);
QString lastTechnician();
bool storeTechnician(const QString& name);

}  // namespace workbench
