#!/usr/bin/env bash
# Sets up, builds and starts Kirimo.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
bash tools/build.sh
exec build/bin/kirimo
