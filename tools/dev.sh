#!/usr/bin/env bash
# One entry point for a fresh Debian 12 machine (as root) or a developer's checkout:
#   tools/dev.sh run    install what is missing, build, start Rinkmaster
#   tools/dev.sh test   install what is missing, build, run every test
#   tools/dev.sh tidy   install what is missing, build, run clang-tidy over the whole tree (tools/style.sh)
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(
  cmake g++ ninja-build pkg-config
  qt6-base-dev qt6-svg-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n qt6-multimedia-dev libqt6multimedia6 qt6-httpserver-dev qt6-websockets-dev libsndfile1-dev libx11-dev libxkbcommon-dev
  libgtest-dev googletest
  fonts-liberation fonts-dejavu-core
  python3
  dpkg-dev desktop-file-utils appstream lintian man-db bsdextrautils
  xvfb xauth x11-utils x11-xserver-utils x11-xkb-utils xdotool imagemagick poppler-utils
  chromium
  pulseaudio pulseaudio-utils sox
  libmosquitto-dev mosquitto mosquitto-clients openssl chromium
  g++-mingw-w64-x86-64
  clang-format clang-tidy
  chromium
)

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

build() {
  local preset=dev
  [ "${CI:-}" = "true" ] && preset=ci
  cmake --preset "$preset" >/dev/null
  cmake --build build --parallel "$(nproc)"
}

case "${1:-run}" in
  run)
    install_missing
    build
    shift || true
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
      echo "No display found: starting Rinkmaster on a virtual X display :77 (Xvfb)."
      Xvfb :77 -screen 0 1920x1080x24 -noreset >/dev/null 2>&1 &
      export DISPLAY=:77
      sleep 1
    fi
    exec ./build/rinkmaster "$@"
    ;;
  test)
    install_missing
    build
    ctest --test-dir build --output-on-failure --timeout 900
    ;;
  tidy)
    install_missing
    build
    exec bash tools/style.sh tidy
    ;;
  *)
    echo "usage: tools/dev.sh run|test|tidy" >&2
    exit 2
    ;;
esac
