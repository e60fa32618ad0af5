#!/usr/bin/env bash
# Sets up, builds (warnings as errors) and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
bash tools/build.sh -DKIRIMO_WERROR=ON
ctest --test-dir build -j2 --output-on-failure
