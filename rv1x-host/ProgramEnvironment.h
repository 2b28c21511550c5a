#pragma once
// What the program sets up before Qt starts: without a display it runs on
// the offscreen platform (every message box then takes its unattended
// answer); without XDG_RUNTIME_DIR it names the private runtime folder Qt
// would fall back to, so that Qt does not warn about it; and it keeps the
// offscreen platform's notes on what it cannot do (window size hints) off
// the technician's terminal.

namespace hostapp {

void prepareProgramEnvironment();

}  // namespace hostapp
