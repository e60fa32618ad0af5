#!/usr/bin/env bash
# Installs the Debian packages Kirimo needs to build, test and run.
# Does nothing when they are all present.
set -euo pipefail

packages=(
  g++ cmake make
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-translations-l10n libgl1-mesa-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  g++-mingw-w64-x86-64-posix wine64 googletest
  # The fuzz targets (tools/fuzz.sh).
  clang-14 libclang-rt-14-dev
  fonts-ipafont-gothic
  # The journeys on a real X desktop (tests/e2e/).
  xvfb xauth x11-utils x11-xserver-utils xclip imagemagick openbox wmctrl xdotool dbus-x11
  # ... read through the accessibility bus, as a screen reader does.
  at-spi2-core python3-pyatspi
  # Native Wayland without X (tests/e2e/wayland.sh): a headless compositor, a
  # seat module built against it, the clipboard tools.
  weston qt6-wayland wl-clipboard libweston-10-dev pkg-config
  # The install checks and the tray on a real desktop (tools/check-*.sh).
  desktop-file-utils appstream dpkg-dev trayer
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
