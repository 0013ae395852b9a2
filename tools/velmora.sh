#!/usr/bin/env bash
# Sets up, builds and runs Velmora on Debian 12.
#   tools/velmora.sh run    install what is missing, build, start the program
#   tools/velmora.sh test   install what is missing, check the layers and the
#                           format, build, run every test, then install into a
#                           staging folder, check what it installed and build
#                           the Debian package
#   tools/velmora.sh bench  install what is missing, build and run the benchmarks
#   tools/velmora.sh sanitize  build with AddressSanitizer and
#                           UndefinedBehaviorSanitizer in a folder of its own
#                           and run every test there
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VELMORA_BUILD_DIR:-$here/build}"

packages=(
  g++ cmake ninja-build pkg-config clang-format
  qt6-base-dev qt6-svg-dev qt6-qpa-plugins libgl-dev
  libsqlcipher-dev libicu-dev libquantlib0-dev libpng-dev fonts-dejavu-core
  poppler-utils python3 sqlcipher
  help2man desktop-file-utils appstream dpkg-dev file
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

# Configures the tree into the folder $1 with the CMake options after it, and builds.
build_into() {
  local dir="$1"
  shift
  cmake -S "$here" -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$(nproc)"
}

build_all() {
  build_into "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
}

# The whole tree is kept in the project's clang-format style.
check_format() {
  (cd "$here" && git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror)
  echo "format: every file in the project's style"
}

# Installs into a staging folder as a package would, validates the desktop
# entry and the metainfo, runs the installed velmora-chart with its positions
# going to a scratch home (never beside the program), and builds the .deb.
check_install() {
  local stage="$build/stage" home="$build/stage-home"
  rm -rf "$stage" "$home"
  mkdir -p "$home"
  DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null
  desktop-file-validate "$stage/usr/share/applications/org.velmora.Velmora.desktop"
  appstreamcli validate --no-net "$stage/usr/share/metainfo/org.velmora.Velmora.metainfo.xml"
  local chart=(env -u XDG_DATA_HOME HOME="$home" "$stage/usr/bin/velmora-chart")
  "${chart[@]}" --version
  "${chart[@]}" --strategy 0 --set 'Text1=IBM' --set 'Text4(1)=20' --set 'Text4(2)=100' \
    --set 'Text5(1)=25' --set 'Text5(2)=2' --save installed --out "$home/chart.png" >/dev/null
  [ -s "$home/chart.png" ] || { echo "install: the staged velmora-chart drew no chart" >&2; exit 1; }
  if [ -e "$stage/usr/bin/CH.mdb" ] || [ -z "$(find "$home/.local/share" -name CH.mdb)" ]; then
    echo "install: positions were not kept in the user's data folder" >&2
    exit 1
  fi
  # The modules the programs load by name lie together in their library folder.
  local module
  for module in velmora-pricing.so; do
    [ -n "$(find "$stage/usr/lib" -path '*/velmora/'"$module")" ] ||
      { echo "install: $module was not installed" >&2; exit 1; }
  done
  (cd "$build" && cpack -G DEB >/dev/null)
  echo "install: staged tree checked, package $(ls "$build"/velmora_*.deb)"
}

# Any report of the sanitizers ends its test with a failure. Leaks are not
# looked for: Qt keeps its caches to the end of a run.
sanitize_all() {
  local dir="${VELMORA_SANITIZE_DIR:-$here/build-sanitize}"
  local flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
  build_into "$dir" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="$flags" \
    -DCMAKE_EXE_LINKER_FLAGS="$flags" -DCMAKE_MODULE_LINKER_FLAGS="$flags"
  # The sanitizer's dlopen does not look along the programs' run path for
  # the pricing module.
  cd "$dir"
  QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 LD_LIBRARY_PATH="$dir/lib/velmora" \
    ctest --output-on-failure -j "$(nproc)" --timeout 1800
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
    check_install
    ;;
  bench)
    install_packages
    build_all
    cmake --build "$build" --target bench
    ;;
  sanitize)
    install_packages
    sanitize_all
    ;;
  *)
    echo "usage: $0 run|test|bench|sanitize" >&2
    exit 2
    ;;
esac
