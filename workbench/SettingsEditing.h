#pragma once
// A test's settings edited in the host's dialog, as rv1x-host edit opens
// them: the configuration's own editor docked above OK and Cancel. The
// editor changes the configuration in place as the technician works, so
// what it held is kept first: Cancel, or OK without a change, puts it back.

#include <QString>

#include "typelib/HostTypes.h"

class QWidget;

namespace workbench {

enum class SettingsEdit { Changed, Unchanged, NoEditor };

// Shows the dialog modally over parent; raises what the configuration
// raises while it is kept or put back.
SettingsEdit editSettings(host::ITestElement& test, QWidget* parent);

}  // namespace workbench
