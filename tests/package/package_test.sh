#!/usr/bin/env bash
# Builds the Debian package with scripts/package.sh and checks it as a user would meet it:
# its file list, lintian without errors, and the unpacked programs, which answer --version
# and --help and, their folder not writable, keep the settings under $XDG_DATA_HOME.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
scratch=$(mktemp -d)
xvfb=
cleanup() {
  [[ -n "$xvfb" ]] && kill "$xvfb" 2>/dev/null || true
  chmod -R u+w "$scratch" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "package test: $*" >&2; exit 1; }

deb=$(TAPPOMAT_PACKAGE_DIR="$scratch" bash "$root/scripts/package.sh")
version=$(sed -n 's/^project(Tappomat VERSION \([0-9.]*\) .*/\1/p' "$root/CMakeLists.txt")
[[ "$(basename "$deb")" == "tappomat_${version}_amd64.deb" ]] || fail "unexpected file name $deb"
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

# The file list: every file the package must hold, all owned by root.
listing=$(dpkg-deb -c "$deb")
expected=(./usr/bin/tappomat ./usr/bin/tappomat-skin ./usr/share/applications/tappomat.desktop
  ./usr/share/metainfo/io.github.tappomat.Tappomat.metainfo.xml
  ./usr/share/man/man1/tappomat.1.gz ./usr/share/man/man1/tappomat-skin.1.gz
  ./usr/share/doc/tappomat/copyright ./usr/share/doc/tappomat/changelog.gz)
for size in 16 24 32 48 64 128 256; do
  expected+=("./usr/share/icons/hicolor/${size}x${size}/apps/tappomat.png")
done
for file in "${expected[@]}"; do
  grep -q " $file\$" <<<"$listing" || fail "the package lacks $file"
done
if grep -v '^[-dl][rwx-]* root/root ' <<<"$listing"; then fail "files not owned by root"; fi
dpkg-deb -f "$deb" Depends | grep -q 'libx11-6' || fail "Depends lacks the X library"
dpkg-deb -f "$deb" Depends | grep -q 'fonts-liberation | fonts-dejavu-core' ||
  fail "Depends lacks the fonts"

# Warnings are shown; an error fails the test.
lintian --fail-on error --info "$deb"

unpacked="$scratch/unpacked"
dpkg-deb -x "$deb" "$unpacked"
[[ "$("$unpacked/usr/bin/tappomat" --version)" == "Tappomat $version" ]] || fail "wrong --version"
"$unpacked/usr/bin/tappomat-skin" --help | grep -q '^Usage: tappomat-skin' || fail "no skin tool help"
for program in tappomat tappomat-skin; do
  file "$unpacked/usr/bin/$program" | grep -q ', stripped$' || fail "$program is not stripped"
done
for size in 16 256; do
  file "$unpacked/usr/share/icons/hicolor/${size}x${size}/apps/tappomat.png" |
    grep -q "PNG image data, $size x $size, 8-bit/color RGBA" || fail "icon $size is not a ${size}px PNG"
done

# Installed, the program's folder belongs to root and a user cannot write it: the settings
# go to $XDG_DATA_HOME/tappomat. Root may write any folder, so as root the program runs as
# the user nobody (the unpacked tree is root's, as installed); otherwise the unpacked
# folder is made read-only.
chmod 755 "$scratch"
data="$scratch/data"
mkdir "$data"
run=()
if [[ $(id -u) -eq 0 ]]; then
  chown nobody "$data"
  run=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
else
  chmod a-w "$unpacked/usr/bin"
fi
exec 3>"$scratch/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [[ -s "$scratch/display" ]] && break; sleep 0.1; done
display=":$(head -n1 "$scratch/display")"
[[ "$display" != ":" ]] || fail "Xvfb did not start"
env -i HOME=/nonexistent XDG_DATA_HOME="$data" DISPLAY="$display" PATH=/usr/bin:/bin \
  "${run[@]}" "$unpacked/usr/bin/tappomat" &
program=$!
# The folder appears once the display is open; the settings are written when asked to end.
for _ in $(seq 100); do [[ -d "$data/tappomat" ]] && break; sleep 0.1; done
sleep 1
kill -TERM "$program"
wait "$program" || fail "the unpacked program ended with status $?"
[[ -f "$data/tappomat/Tappomat.ini" ]] || fail "no settings in \$XDG_DATA_HOME/tappomat"
[[ ! -e "$unpacked/usr/bin/Tappomat.ini" ]] || fail "settings written beside the program"
echo "package test: passed"
