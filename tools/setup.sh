#!/usr/bin/env bash
# Installs the Debian packages the project builds, tests and runs with.
# Only what is missing is installed: apt-get as root, sudo otherwise. Then
# builds what Debian lacks for the browser build (tools/setup-web-nlopt.sh).
set -euo pipefail

packages=(
  cmake g++ make pkg-config git clang-format clang-tidy
  libsdl2-dev zlib1g-dev libpng-dev libnlopt-dev qrencode
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  libx11-dev xvfb xdotool imagemagick x11-utils openbox
  dpkg-dev file
  scdoc lintian desktop-file-utils appstream man-db
  emscripten chromium
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
# The browser tests run on Node.js with npm (Debian's, or a newer one
# already on the machine).
command -v node >/dev/null || missing+=(nodejs)
command -v npm >/dev/null || missing+=(npm)
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -eq 0 ]; then
    SUDO=()
  else
    SUDO=(sudo)
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${SUDO[@]}" apt-get update -qq
  "${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# NLopt built for the browser build, from its pinned source.
bash "$(dirname "$0")/setup-web-nlopt.sh"
