#!/usr/bin/env bash
# Sets up, builds and runs Velmora on Debian 12.
#   tools/velmora.sh run    install what is missing, build, start the program
#   tools/velmora.sh test   install what is missing, check the layers and the
#                           format, build, run every test
#   tools/velmora.sh bench  install what is missing, build and run the benchmarks
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VELMORA_BUILD_DIR:-$here/build}"

packages=(
  g++ cmake ninja-build pkg-config clang-format
  qt6-base-dev qt6-svg-dev qt6-qpa-plugins libgl-dev
  libsqlcipher-dev fonts-dejavu-core
  poppler-utils
)

install_packages() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build_all() {
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" -j "$(nproc)"
}

# The whole tree is kept in the project's clang-format style.
check_format() {
  (cd "$here" && git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror)
  echo "format: every file in the project's style"
}

case "${1:-}" in
  run)
    install_packages
    build_all
    exec "$build/programs/velmora"
    ;;
  test)
    install_packages
    bash "$here/tools/check-layers.sh"
    check_format
    build_all
    cd "$build"
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
    ;;
  bench)
    install_packages
    build_all
    cmake --build "$build" --target bench
    ;;
  *)
    echo "usage: $0 run|test|bench" >&2
    exit 2
    ;;
esac
