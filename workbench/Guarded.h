#pragma once
// The workbench's event handlers run their work through guarded(), so that
// no error leaves a handler into the event loop: a run-time error, or any
// other exception, is printed on standard error and its text handed to
// tell, for the window to show.

#include <QString>
#include <functional>

namespace workbench {

// True when the work ended without an error.
bool guarded(const std::function<void()>& work, const std::function<void(const QString&)>& tell);

}  // namespace workbench
