#!/usr/bin/env bash
# Installs what is missing, makes a release build of the program and the skin tool (in
# build/package/) and packs them with their menu entry, icons and manual pages into
# tappomat_<version>_amd64.deb in the repository's root. The compiler cache is used when the
# caller sets CMAKE_CXX_COMPILER_LAUNCHER (and CMAKE_C_COMPILER_LAUNCHER).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/setup.sh"
build="$root/build/package"
out="${TAPPOMAT_PACKAGE_DIR:-$root}"
# Debian's hardening flags (fortified functions, stack protector, read-only relocations
# bound at start) as dpkg-buildflags gives them, with the source folder mapped to ".".
flags=$(cd "$root" && DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)
eval "$flags"
# Configured each time (nothing is rebuilt when nothing changed), so the flags stay current.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAPPOMAT_TESTS=OFF \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_C_FLAGS="$CPPFLAGS $CFLAGS" -DCMAKE_CXX_FLAGS="$CPPFLAGS $CXXFLAGS" \
  -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" >/dev/null
# Quiet on success; the whole build log on failure.
if ! log=$(cmake --build "$build" --target tappomat tappomat-skin tappomat_icon 2>&1); then
  printf '%s\n' "$log" >&2
  exit 1
fi
version=$("$build/tappomat" --version | sed -n 's/^Tappomat \([0-9][0-9.]*\)$/\1/p')
[[ -n "$version" ]] || { echo "package: no version from tappomat --version" >&2; exit 1; }
arch=$(dpkg --print-architecture)

# The package's tree, made afresh with the modes dpkg expects whatever the umask is, where
# dpkg-shlibdeps looks for it: debian/<package> beside a debian/control.
work="$build/deb"
stage="$work/debian/tappomat"
rm -rf "$work"
umask 022
files="$root/packaging"
install -D -m 755 "$build/tappomat" "$stage/usr/bin/tappomat"
install -D -m 755 "$build/tappomat-skin" "$stage/usr/bin/tappomat-skin"
strip --strip-unneeded --remove-section=.comment --remove-section=.note \
  "$stage/usr/bin/tappomat" "$stage/usr/bin/tappomat-skin"
install -D -m 644 "$files/tappomat.desktop" "$stage/usr/share/applications/tappomat.desktop"
install -D -m 644 "$files/io.github.tappomat.Tappomat.metainfo.xml" \
  "$stage/usr/share/metainfo/io.github.tappomat.Tappomat.metainfo.xml"
icons="$build/icons"
rm -rf "$icons" && mkdir -p "$icons"
sizes=(16 24 32 48 64 128 256)
"$build/tappomat_icon" "$icons" "${sizes[@]}"
for size in "${sizes[@]}"; do
  install -D -m 644 "$icons/$size.png" "$stage/usr/share/icons/hicolor/${size}x${size}/apps/tappomat.png"
done
# The manual pages and the change log carry the version and the date of this build's
# sources (the last commit's, so that the same sources give the same package).
date=$(git -C "$root" log -1 --format=%cd --date=format:%Y-%m-%d 2>/dev/null || date -u +%Y-%m-%d)
mkdir -p "$stage/usr/share/man/man1"
for page in tappomat tappomat-skin; do
  sed -e "s/@VERSION@/$version/g" -e "s/@DATE@/$date/g" "$files/$page.1" |
    gzip -9n >"$stage/usr/share/man/man1/$page.1.gz"
done
doc="$stage/usr/share/doc/tappomat"
install -D -m 644 "$files/copyright" "$doc/copyright"
changelog_date=$(git -C "$root" log -1 --format=%cD 2>/dev/null || date -uR)
sed -e "s/@VERSION@/$version/g" -e "s/@DATE@/$changelog_date/g" "$files/changelog" |
  gzip -9n >"$doc/changelog.gz"
chmod 644 "$stage"/usr/share/man/man1/*.gz "$doc/changelog.gz"

# Dependencies: the shared libraries the programs link, found by dpkg-shlibdeps (which
# reads a debian/control), plus what no link shows: the fonts the program looks for and
# the desktop's opener of files and addresses.
mkdir -p "$stage/DEBIAN"
printf 'Source: tappomat\n\nPackage: tappomat\nArchitecture: any\n' >"$work/debian/control"
shlibs=$(cd "$work" && dpkg-shlibdeps -O debian/tappomat/usr/bin/tappomat debian/tappomat/usr/bin/tappomat-skin |
  sed -n 's/^shlibs:Depends=//p')
[[ -n "$shlibs" ]] || { echo "package: dpkg-shlibdeps found no libraries" >&2; exit 1; }
depends="$shlibs, fonts-liberation | fonts-dejavu-core, xdg-utils"

installed_size=$(du -sk --apparent-size "$stage/usr" | cut -f1)
sed -e "s/@VERSION@/$version/" -e "s/@ARCH@/$arch/" -e "s/@DEPENDS@/$depends/" \
  -e "s/@SIZE@/$installed_size/" "$files/control" >"$stage/DEBIAN/control"
(cd "$stage" && find usr -type f -printf '%P\n' | LC_ALL=C sort | sed 's|^|usr/|' |
  xargs md5sum >DEBIAN/md5sums)
chmod 644 "$stage/DEBIAN/control" "$stage/DEBIAN/md5sums"

# Every file dated at the last commit, so that the same sources give the same package.
SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null || date +%s)
export SOURCE_DATE_EPOCH
find "$stage" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
deb="$out/tappomat_${version}_${arch}.deb"
dpkg-deb --root-owner-group -Zxz --build "$stage" "$deb" >/dev/null
echo "$deb"
