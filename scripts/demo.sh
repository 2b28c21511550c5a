#!/usr/bin/env bash
# The demo: the host's whole job on the simulated analyzer. The deliverables
# are registered into a registry store of the demo's own, the plug-in's
# catalogue is listed, and every test of it runs unattended: the host's
# scripted operator works each guide window and plays the technician at the
# simulated bench. The results document, the PDF report and a picture of each
# guide window at its main states stay in build/demo/; the last lines name the
# command that opens the workbench on the results.
#
# The shipped template enables no pacer limit: a technician sets them from
# the pacer's labelling. So that the demo ends with every test judged, it
# runs with a template of its own (demo-template.mpc) whose pacer standard
# "Demo example" holds example limits, marked so in its name.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build}
host=$(cd "$build/bin" && pwd)/rv1x-host
out="$build/demo"
rm -rf "$out"
mkdir -p "$out"
out=$(cd "$out" && pwd)
registry=$out/registry.ini
# The demo's own store, whatever store the environment names (--registry
# wins over RV1X_REGISTRY as well).
unset RV1X_REGISTRY
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

step() { printf '\n== %s\n' "$*"; }

step "Registering the three deliverables and the host's view and guide controls"
"$host" --registry "$registry" register

step "The plug-in's test catalogue"
"$host" --registry "$registry" catalogue

step "The whole catalogue on the simulated analyzer at port 1, unattended"
echo "(with the demo's example pacer limits; messages and the simulated bench on standard error;"
echo " about half a minute)"
status=0
(cd "$out" && "$host" --registry "$registry" --unattended --simulate \
  --template "$here/demo-template.mpc" run \
  --device-model "Biphasic defibrillator D-200" --device-serial "D200-004711" \
  --device-id "BME-01234" --technician "Alex Example" --operator "$here/demo-operator.txt" \
  --results rv1x-results.xml --report rv1x-report.pdf --screenshots screenshots 1) ||
  status=$?

step "Where the run left its documents (exit status $status: 0 when every test passed)"
echo "results document: $out/rv1x-results.xml"
echo "PDF report:       $out/rv1x-report.pdf"
echo "guide pictures:   $out/screenshots/"
echo
echo "The technician's workbench on these results (with a display; the simulated analyzer on port 1):"
echo "  $host --registry $registry --simulate --template $here/demo-template.mpc workbench --sequence $out/rv1x-results.xml"
exit "$status"
