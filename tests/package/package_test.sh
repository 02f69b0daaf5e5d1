#!/usr/bin/env bash
# Builds the Debian package, installs it on this machine as a user would,
# checks the installed programs and library, then removes it and checks that
# nothing of it is left. Needs root (it installs into /usr); skipped otherwise.
set -euo pipefail
build=$1
probe=$2
[ "$(id -u)" -eq 0 ] || { echo "package test needs root: skipped"; exit 77; }
if dpkg-query -W -f='${Status}' corvale 2>/dev/null | grep -q 'install ok installed'; then
  echo "corvale is already installed on this machine: skipped, to leave it as it is"; exit 77
fi

work=$(mktemp -d)
cleanup() { apt-get purge -y -qq corvale >/dev/null 2>&1 || true; rm -rf "$work"; }
trap cleanup EXIT

(cd "$build" && cpack -G DEB -B "$work/deb" >"$work/cpack.log") || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/deb/corvale_*_amd64.deb)
echo "built $(basename "$deb")"
dpkg-deb -f "$deb" Depends Recommends

DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; exit 1; }
dpkg -L corvale >"$work/files"

appstreamcli validate --no-net /usr/share/metainfo/io.github.corvale.Corvale.metainfo.xml >/dev/null \
  || { echo "the installed metainfo does not validate"; exit 1; }
desktop-file-validate /usr/share/applications/io.github.corvale.Corvale.desktop \
  || { echo "the installed desktop entry does not validate"; exit 1; }
for icon in scalable/apps/io.github.corvale.Corvale.svg {48x48,128x128,256x256}/apps/io.github.corvale.Corvale.png; do
  [ -f "/usr/share/icons/hicolor/$icon" ] || { echo "icon missing: $icon"; exit 1; }
done
man -l /usr/share/man/man1/corvale.1 >/dev/null 2>&1 && man -l /usr/share/man/man1/tunedump.1 >/dev/null 2>&1 \
  || { echo "a man page does not format"; exit 1; }
echo "desktop entry, metainfo, icons and man pages installed and valid"

# The tune file type: installed for the shared MIME database, named by the
# desktop entry, and what the desktop reports for a tune file (by its name,
# and by its first line for a file with no .abc).
printf 'X:1\nT:Sample\nK:D\nD|\n' >"$work/sample.abc"
printf '%%abc-2.1\nX:1\nT:Sample\n' >"$work/sample-tune"
mime=/usr/share/mime/packages/io.github.corvale.Corvale.xml
[ -f "$mime" ] || { echo "the MIME type file is missing: $mime"; exit 1; }
grep -q '<glob pattern="\*.abc"/>' "$mime" || { echo "the MIME type file has no *.abc glob"; exit 1; }
grep -qx 'MimeType=text/vnd.abc;' /usr/share/applications/io.github.corvale.Corvale.desktop \
  || { echo "the desktop entry does not name text/vnd.abc"; exit 1; }
grep -qx 'Exec=corvale %f' /usr/share/applications/io.github.corvale.Corvale.desktop \
  || { echo "the desktop entry does not pass the file to corvale"; exit 1; }
if command -v xdg-mime >/dev/null && command -v update-mime-database >/dev/null && command -v gio >/dev/null; then
  update-mime-database /usr/share/mime
  for sample in "$work/sample.abc" "$work/sample-tune"; do
    # The GNOME way asks the shared MIME database through gio.
    type=$(XDG_CURRENT_DESKTOP=GNOME xdg-mime query filetype "$sample")
    [ "$type" = text/vnd.abc ] || { echo "xdg-mime gives '$type' for $(basename "$sample")"; exit 1; }
  done
  echo "the tune file type text/vnd.abc is installed and recognised"
else
  echo "xdg-utils, shared-mime-info or gio not installed: the MIME type's recognition not checked"
fi

samples=(/usr/share/corvale/samples/*.abc)
[ -e "${samples[0]}" ] || { echo "no samples installed"; exit 1; }
for f in "${samples[@]}"; do
  /usr/bin/tunedump "$f" | grep -q "^index	1	" || { echo "tunedump lists no tune in $f"; exit 1; }
done
echo "tunedump lists the ${#samples[@]} installed sample files"

export HOME=$work/home XDG_RUNTIME_DIR=$work/run
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
QT_QPA_PLATFORM=offscreen /usr/bin/corvale "$work/sample.abc" >"$work/corvale.log" 2>&1 &
pid=$!
sleep 3
kill -0 "$pid" 2>/dev/null || { cat "$work/corvale.log"; echo "corvale did not stay up"; exit 1; }
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || { cat "$work/corvale.log"; echo "corvale exited with $status on SIGTERM"; exit 1; }
echo "corvale started with a tune file and closed cleanly on SIGTERM"
/usr/bin/corvale --version | grep -qx 'corvale 2\.0' || { echo "corvale --version does not say its version"; exit 1; }

library=$(grep -E '/libMelodex\.so\.2$' "$work/files")
mkdir -p "$work/registry"
MELODEX_REGISTRY_DIR=$work/registry "$probe" "$library"

DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq corvale >/dev/null
left=0
while read -r path; do
  if [ -e "$path" ] && [ ! -d "$path" ]; then echo "left behind: $path"; left=1; fi
done <"$work/files"
[ "$left" -eq 0 ] || exit 1
echo "package removed, nothing left behind"
