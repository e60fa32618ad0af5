#!/usr/bin/env bash
# Cross-compiles the Qt-free core and its two test programs for 64-bit
# Windows with MinGW-w64 and runs them under Wine, so that a fault in the
# core's Windows branches (replacing Kirim.ini, paths, the code page) fails
# here rather than on a user's machine. GoogleTest is built from Debian's
# sources with the same toolchain; nothing is downloaded. Everything lands in
# build-windows/, the Wine prefix included. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh

root=$PWD
build=$root/build-windows
toolchain=$root/tools/mingw-w64.cmake
gtest_install=$build/googletest-install

if [ ! -f "$gtest_install/lib/cmake/GTest/GTestConfig.cmake" ]; then
  echo "Building GoogleTest for Windows"
  cmake -S /usr/src/googletest -B "$build/googletest" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$gtest_install" >/dev/null
  cmake --build "$build/googletest" -j2 >/dev/null
  cmake --install "$build/googletest" >/dev/null
fi

# Wine shows the whole Unix tree as drive Z:, and the tests take forward
# slashes, so the dumps' Unix path only needs the drive in front.
cp932_dir=$(realpath -m "$root/../shared/cp932")
echo "Building the core and its tests for Windows"
cmake -S . -B "$build/kirimo" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKIRIMO_CORE_ONLY=ON -DKIRIMO_WERROR=ON -DKIRIMO_BENCH=OFF \
  -DGTest_DIR="$gtest_install/lib/cmake/GTest" -DKIRIMO_CP932_DIR="Z:$cp932_dir" >/dev/null
cmake --build "$build/kirimo" -j2 --target settings_tests cipher_tests

# A private prefix, headless and quiet: no display, no Mono or Gecko
# installers, no desktop menu entries.
export WINEPREFIX=$build/wine
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
unset DISPLAY WAYLAND_DISPLAY
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
trap '"$wineserver" -k 2>/dev/null || true' EXIT
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Creating the Wine prefix"
  "$wine" wineboot --init >/dev/null 2>&1
fi

# GoogleTest's own summary lines, added up into one closing line. Its brief
# mode lists each failure but prints no count of them: those are the tests
# that ran and neither passed nor skipped.
count() { grep -E "^\[$1\] [0-9]+ tests?[ .,]" "$2" | grep -oE '[0-9]+' | head -1 || true; }
passed=0 failed=0 skipped=0 status=0
for suite in settings_tests cipher_tests; do
  log=$build/$suite.log
  echo "Running $suite.exe under Wine"
  if ! "$wine" "$build/kirimo/bin/$suite.exe" --gtest_brief=1 2>&1 | tee "$log"; then
    status=1
  fi
  ran=$(count ========== "$log")
  if [ -z "$ran" ]; then
    echo "$suite.exe ended without its summary (crashed?)"
    status=1
    failed=$((failed + 1))
    continue
  fi
  suite_passed=$(count '  PASSED  ' "$log")
  suite_skipped=$(count '  SKIPPED ' "$log")
  passed=$((passed + ${suite_passed:-0}))
  skipped=$((skipped + ${suite_skipped:-0}))
  failed=$((failed + ran - ${suite_passed:-0} - ${suite_skipped:-0}))
done
[ "$failed" -eq 0 ] || status=1
echo "windows: $passed passed, $failed failed, $skipped skipped"
exit $status
