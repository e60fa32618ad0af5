#!/usr/bin/env bash
# Installs Kirimo the two ways a user gets it and checks the result: with
# `cmake --install` into a temporary prefix, and from the .deb that
# `cpack -G DEB` makes, unpacked into a fresh directory tree. Both must hold
# the program, the user guide, the icons, a valid desktop entry and a valid
# AppStream record, and the installed program, started by a user who cannot
# write beside it, must keep Kirim.ini in that user's configuration
# directory. Usage: tools/check-install.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
work=$(mktemp -d)
# Readable by the unprivileged user of the start check.
chmod 755 "$work"
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT

check_tree() {  # root of an installed tree (holding bin/ and share/)
  local root=$1
  local files=(bin/kirimo share/kirimo/Kirimo_Readme.txt share/applications/jp.kirimo.Kirimo.desktop
    share/metainfo/jp.kirimo.Kirimo.metainfo.xml share/icons/hicolor/scalable/apps/kirimo.svg)
  for size in 16 22 24 32 48 64 128 256; do
    files+=("share/icons/hicolor/${size}x${size}/apps/kirimo.png")
  done
  for f in "${files[@]}"; do
    [ -f "$root/$f" ] || { echo "missing: $f" >&2; return 1; }
  done
  desktop-file-validate "$root/share/applications/jp.kirimo.Kirimo.desktop"
  appstreamcli validate --no-net --explain "$root/share/metainfo/jp.kirimo.Kirimo.metainfo.xml"
}

# Starts the installed program as a user who cannot write to its directory,
# ends it as a logout would, and looks where Kirim.ini went.
check_settings_home() {
  local root=$1 run=$work/run-$RANDOM
  mkdir -p "$run/home" "$run/runtime"
  chmod 700 "$run/runtime"
  local as_user=()
  if [ "$(id -u)" -eq 0 ]; then
    # root writes everywhere: the check runs as nobody, for whom the
    # root-owned tree is read-only.
    chown -R nobody:nogroup "$run"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  else
    chmod a-w "$root/bin"
  fi
  "${as_user[@]}" env -i PATH=/usr/bin:/bin HOME="$run/home" XDG_RUNTIME_DIR="$run/runtime" \
    xvfb-run -a bash -c '"$1" & pid=$!; sleep 4; kill -TERM $pid; wait $pid' _ "$root/bin/kirimo"
  [ -w "$root/bin" ] || chmod u+w "$root/bin" 2>/dev/null || true
  if [ -e "$root/bin/Kirim.ini" ]; then
    echo "Kirim.ini was written beside the installed program" >&2
    return 1
  fi
  grep -q '^HIDUKE=' "$run/home/.config/Kirimo/Kirim.ini" || {
    echo "no Kirim.ini with its stamp in the user's configuration directory" >&2
    return 1
  }
  echo "Kirim.ini kept in the user's configuration directory"
}

echo "== cmake --install"
cmake --install "$build" --prefix "$work/prefix" >/dev/null
check_tree "$work/prefix"
check_settings_home "$work/prefix"

echo "== cpack -G DEB"
(cd "$build" && cpack -G DEB -B "$work/deb" >/dev/null)
deb=$(ls "$work"/deb/kirimo_*.deb)
dpkg-deb --field "$deb" Package Version Depends Suggests
dpkg-deb -x "$deb" "$work/root"
check_tree "$work/root/usr"
check_settings_home "$work/root/usr"
echo "install checks passed: $(basename "$deb")"
