#!/usr/bin/env bash
# ./build.sh run            install what is missing, build the program alone into build/Velorbis/ and start it
# ./build.sh test           install, build everything, run the whole suite headless
# ./build.sh bundle         the portable program folder, packed as build/Velorbis-4.0-linux-x86_64.tar.gz
# ./build.sh test-bundle    the bundle, checked inside a minimal Debian 12 made with debootstrap
# ./build.sh test-sanitize  the same suite built with -fsanitize=address,undefined (build-sanitize/)
# ./build.sh bench [N]      build and run the benchmarks
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

install_missing() { # extra packages...
  local missing=() p
  for p in "${PACKAGES[@]}" "$@"; do
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
  bench)
    install_missing
    build_in build
    shift
    for b in build/bench/*_bench; do [ -x "$b" ] && "$b" "$@"; done
    ;;
  *)
    echo "usage: $0 run | test | test-sanitize | bundle | test-bundle | bench [N]" >&2
    exit 2
    ;;
esac
