#!/usr/bin/env bash
# ./build.sh run            install what is missing, build the program alone into build/Velorbis/ and start it
# ./build.sh test           install, build everything, run the whole suite headless
# ./build.sh bundle         the portable program folder, packed as build/Velorbis-4.0-linux-x86_64.tar.gz
# ./build.sh test-bundle    the bundle, checked inside a minimal Debian 12 made with debootstrap
# ./build.sh test-sanitize  the same suite built with -fsanitize=address,undefined (build-sanitize/)
# ./build.sh bench [N]      build and run the benchmarks
# ./build.sh test-windows   the core and its test program cross-built for Windows (build-windows/),
#                           run under Wine
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(
  cmake ninja-build g++ pkg-config ccache
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n qt6-image-formats-plugins libgl-dev
  qt6-svg-dev libqt6svg6
  libicu-dev libzip-dev zlib1g-dev
  fonts-liberation fonts-arkpandora fonts-wine fonts-dejavu-core fontconfig
  xvfb xauth poppler-utils
  python3 python3-stdnum sqlite3 libsqlite3-dev
  libreoffice-calc-nogui
)
# What making and checking the portable program folder needs besides.
BUNDLE_PACKAGES=(patchelf binutils debootstrap desktop-file-utils appstream)
# What cross-building the core for Windows and running it under Wine needs, and nothing else.
WINDOWS_PACKAGES=(cmake ninja-build ccache g++-mingw-w64-x86-64-posix wine64)

install_missing() { # extra packages...
  install_packages "${PACKAGES[@]}" "$@"
}

install_packages() { # packages...
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

configure_in() { # folder, extra cmake arguments...
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELORBIS_WERROR="${VELORBIS_WERROR:-OFF}" "$@" >/dev/null
}

build_in() { # folder, extra cmake arguments...
  configure_in "$@"
  cmake --build "$1" --parallel "$(nproc)"
}

# The executable and the program folder, none of the tests, benchmarks or tools.
build_program_in() { # folder, targets besides the program folder...
  local dir=$1; shift
  configure_in "$dir"
  cmake --build "$dir" --parallel "$(nproc)" --target program_folder "$@"
}

run_tests_in() {
  QT_QPA_PLATFORM=offscreen ctest --test-dir "$1" --output-on-failure --timeout 600
}

# Runs a Windows program under Wine, headless, in a Wine prefix of its own inside build-windows/
# (made on first use). Wine's own installers of .NET and Internet Explorer's engine are not
# wanted.
run_under_wine() { # program arguments...
  local wine
  wine=$(command -v wine || command -v wine64 || echo /usr/lib/wine/wine64)
  export WINEPREFIX="$PWD/build-windows/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  unset DISPLAY WAYLAND_DISPLAY
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Making the Wine prefix $WINEPREFIX"
    "$wine" wineboot --init >/dev/null 2>&1 || true
  fi
  local status=0
  "$wine" "$@" || status=$?
  "$(dirname "$(readlink -f "$wine")")/wineserver" -w 2>/dev/null || true
  return $status
}

case "${1:-}" in
  run)
    install_missing
    build_program_in build
    exec build/Velorbis/velorbis
    ;;
  test)
    install_missing
    build_in build
    run_tests_in build
    ;;
  test-sanitize)
    install_missing
    build_in build-sanitize -DVELORBIS_SANITIZE=ON
    ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 run_tests_in build-sanitize
    ;;
  bundle)
    install_missing "${BUNDLE_PACKAGES[@]}"
    build_program_in build
    tools/bundle/make_bundle.sh build
    ;;
  test-bundle)
    install_missing "${BUNDLE_PACKAGES[@]}"
    build_program_in build velorbis_bundle_check
    tools/bundle/make_bundle.sh build
    tools/bundle/test_bundle.sh build
    ;;
  test-windows)
    install_packages "${WINDOWS_PACKAGES[@]}"
    # The toolchain is chosen once, when the folder is first configured.
    toolchain=()
    [ -f build-windows/CMakeCache.txt ] || toolchain=(-DCMAKE_TOOLCHAIN_FILE=cmake/windows/mingw-w64-x86_64.cmake)
    configure_in build-windows "${toolchain[@]}" -DVELORBIS_CORE_ONLY=ON
    cmake --build build-windows --parallel "$(nproc)" --target velorbis_core_test velorbis_backups_compiled
    run_under_wine build-windows/tests/core/velorbis_core_test.exe
    ;;
  bench)
    install_missing
    build_in build
    shift
    for b in build/bench/*_bench; do [ -x "$b" ] && "$b" "$@"; done
    ;;
  *)
    echo "usage: $0 run | test | test-sanitize | bundle | test-bundle | test-windows | bench [N]" >&2
    exit 2
    ;;
esac
