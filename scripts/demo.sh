#!/usr/bin/env bash
# The demo: the main job as far as the system can run it so far, against the
# built-in simulated analyzer, with a registry store of its own.
set -euo pipefail
build=${1:-build}
host="$build/bin/rv1x-host"
registry=$(mktemp -d)/registry.ini
trap 'rm -rf "$(dirname "$registry")"' EXIT
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

echo "== Registering the three deliverables (registry: $registry)"
"$host" --registry "$registry" register

echo
echo "The deliverables hold their component servers only so far: the analyzer"
echo "link, the tests and the plug-in come with their own steps. Nothing more"
echo "to run yet."
