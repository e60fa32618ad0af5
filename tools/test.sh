#!/usr/bin/env bash
# Sets up, builds (warnings as errors) and runs every test: the whole suite,
# then again under AddressSanitizer and UndefinedBehaviorSanitizer, where
# the decoder's fuzz test earns its keep, then the core's tests built for
# Windows and run under Wine, a minute of fuzzing per target, and last the
# journeys on a real X desktop and the smoke test on native Wayland.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
bash tools/build.sh -DKIRIMO_WERROR=ON
ctest --test-dir build -j2 --output-on-failure
# Installed with cmake --install and from the .deb: files, validators, and
# Kirim.ini in the user's configuration directory.
bash tools/check-install.sh build
# On a real X desktop with a tray: the icon docks and answers its clicks.
bash tools/check-tray-desktop.sh build build/tray-shots

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DKIRIMO_WERROR=ON \
  -DKIRIMO_SANITIZE=ON -DKIRIMO_BENCH=OFF >/dev/null
cmake --build build-sanitize -j2 --target settings_tests cipher_tests gui_tests
ctest --test-dir build-sanitize -j2 --output-on-failure

bash tools/test-windows.sh

# The settings reader and writer and the cipher against arbitrary input.
bash tools/fuzz.sh 60

# Last, the program itself on a real X desktop, as a person uses it.
bash tests/e2e/journeys.sh
# Native Wayland with no X server at all: a memo entered, recalled, kept.
bash tests/e2e/wayland.sh
