#!/usr/bin/env bash
# Set-up, build, tests and the demo of the RV-1X analyzer plug-in.
#
#   ./run.sh test [--sanitize]   install what is missing, build, run every test
#   ./run.sh demo                build, then run the main job on the simulated analyzer
#   ./run.sh format [--check]    format the C++ sources (--check: fail where one differs)
set -euo pipefail
cd "$(dirname "$0")"

# Qt Charts' build files need Qt's OpenGL ones, which its package leaves out.
# The tests read the text of a printed report with poppler's pdftotext.
PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-serialport-dev qt6-charts-dev
          libqt6opengl6-dev libgtest-dev libgmock-dev fonts-dejavu-core clang-format
          poppler-utils)

install_packages() {
  local missing=()
  for package in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "run.sh: missing packages: ${missing[*]} (run as root, or install them)" >&2
    exit 1
  fi
  echo "run.sh: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
}

build() {  # build DIR [cmake options...]
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir"
}

run_tests() {
  local dir=build type=RelWithDebInfo extra=()
  if [ "${1:-}" = "--sanitize" ]; then
    dir=build-sanitize
    type=Debug
    extra=(-DRV1X_SANITIZE=ON)
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:detect_odr_violation=0"
    export LSAN_OPTIONS="suppressions=$PWD/.ci/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  fi
  build "$dir" -DCMAKE_BUILD_TYPE="$type" "${extra[@]}"
  QT_QPA_PLATFORM=offscreen ctest --test-dir "$dir" --output-on-failure -j "$(nproc)"
}

run_demo() {
  build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
  exec ./scripts/demo.sh build
}

# Every tracked C++ file, formatted by the project's .clang-format.
run_format() {
  local files
  mapfile -t files < <(git ls-files '*.cpp' '*.h')
  if [ "${1:-}" = "--check" ]; then
    clang-format --dry-run --Werror "${files[@]}"
  else
    clang-format -i "${files[@]}"
  fi
}

case "${1:-}" in
  test)
    install_packages
    shift
    run_tests "$@"
    ;;
  demo)
    install_packages
    run_demo
    ;;
  format)
    install_packages
    shift
    run_format "$@"
    ;;
  *)
    echo "usage: ./run.sh test [--sanitize] | ./run.sh demo | ./run.sh format [--check]" >&2
    exit 64
    ;;
esac
