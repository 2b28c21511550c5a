#!/usr/bin/env bash
# The demo: the main job as far as the system can run it so far, against the
# simulated analyzer, with a registry store of its own: the port query and a
# short session of the analyzer link, first on the host program's built-in
# simulator, then on rv1x-sim running as a program of its own.
set -euo pipefail
build=${1:-build}
host="$build/bin/rv1x-host"
sim="$build/bin/rv1x-sim"
work=$(mktemp -d)
registry=$work/registry.ini
sim_pid=
cleanup() {
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$work}
chmod 700 "$work"

step() { printf '\n== %s\n' "$*"; }
run() { printf '$ rv1x-host %s\n' "$*"; "$host" --registry "$registry" "$@" || echo "(exit status $?)"; }

step "Registering the three deliverables and the host's view controls (registry: $registry)"
"$host" --registry "$registry" register

step "Is an analyzer on port 1? (built-in simulated analyzer)"
run query-port 1 --simulate

step "A short link session on port 1: range switch, discharge measurement, waveform block (older generation)"
run link 1 I M P --simulate=mkii,energy=151.2,peak-current=38.5

step "A silent port 1: the port query finds nothing; the link gives up after its 3 s open time-out"
run query-port 1 --simulate=silent
run link 1 I --simulate=silent

step "rv1x-sim as a program of its own, on port 3 (RV1X_PORT_3 names its device)"
coproc SIMULATOR { exec "$sim" range=P; }
sim_pid=$SIMULATOR_PID
read -r device <&"${SIMULATOR[0]}"
export RV1X_PORT_3=$device
echo "rv1x-sim answers on $device"
run query-port 3
run link 3 I M D

step "What the demo cannot run yet"
echo "The test elements, their guide window and the plug-in object come with"
echo "their own steps; until then the demo stops at the analyzer link."
