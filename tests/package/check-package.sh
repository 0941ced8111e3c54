#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package with cpack, unpacks it into a scratch folder and
# checks it: what it holds, its dependencies, the unpacked tools run from
# there, the desktop entry, the AppStream metadata, the manual pages and
# lintian (no errors).
#   tests/package/check-package.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$(realpath "${1:?usage: check-package.sh BUILD_DIR SOURCE_DIR}")
source=$(realpath "${2:?usage: check-package.sh BUILD_DIR SOURCE_DIR}")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cd "$build"
cpack -G DEB >"$scratch/cpack.log" 2>&1 || { cat "$scratch/cpack.log"; fail "cpack -G DEB"; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' CMakeCache.txt)
deb="$build/zynmon_${version}_$(dpkg --print-architecture).deb"
[[ -f $deb ]] || fail "cpack wrote no $deb"
root="$scratch/root"
dpkg-deb -x "$deb" "$root"

man1=usr/share/man/man1
for path in usr/bin/zynmon usr/bin/zynmon-render usr/bin/zynmon-logo \
    usr/share/zynmon/zynlogo.dta usr/share/applications/zynmon.desktop \
    usr/share/icons/hicolor/{48x48,128x128,256x256}/apps/zynmon.png \
    $man1/zynmon.1.gz $man1/zynmon-render.1.gz $man1/zynmon-logo.1.gz \
    usr/share/doc/zynmon/copyright usr/share/doc/zynmon/changelog.gz; do
    [[ -f $root/$path ]] || fail "the package lacks /$path"
done
metainfo=("$root"/usr/share/metainfo/*.metainfo.xml)
[[ ${#metainfo[@]} -eq 1 && -f ${metainfo[0]} ]] || fail "not one metainfo file: ${metainfo[*]}"

# dpkg-shlibdeps found the libraries the programs link against.
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libstdc++6 libpng16 libfreetype6 libfontconfig1 libwxgtk3.2 libgtk-3-0; do
    grep -q "\b$library\b" <<<"$depends" || fail "Depends lacks $library: $depends"
done

# The unpacked tools, run from there with explicit paths.
"$root/usr/bin/zynmon-logo" "$source/resources/zynlogo.pbm" "$scratch/zynlogo.dta"
cmp "$scratch/zynlogo.dta" "$root/usr/share/zynmon/zynlogo.dta" ||
    fail "the packaged logo file is not what zynmon-logo makes"
"$root/usr/bin/zynmon-render" --picture 12 --size 320x240 --output "$scratch/card.png"
"$root/usr/bin/zynmon-render" --intro-at 2000 --logo "$root/usr/share/zynmon/zynlogo.dta" \
    --output "$scratch/intro.png"
for size in 48 128 256; do
    file "$root/usr/share/icons/hicolor/${size}x${size}/apps/zynmon.png" |
        grep -q "PNG image data, $size x $size," || fail "the ${size}x${size} icon is not that size"
done

entry="$root/usr/share/applications/zynmon.desktop"
grep -qx "Exec=/usr/bin/zynmon" "$entry" || fail "the desktop entry does not start /usr/bin/zynmon"
grep -qx "Path=/usr/share/zynmon" "$entry" || fail "the desktop entry does not start in the logo's folder"
desktop-file-validate "$entry"
appstreamcli validate --no-net "${metainfo[0]}" >"$scratch/appstream.log" 2>&1 ||
    { cat "$scratch/appstream.log"; fail "appstreamcli validate"; }

for page in "$root/$man1"/*.1.gz "$root"/usr/share/doc/zynmon/changelog.gz; do
    # No file name or time stamp in the header: the same bytes on every build.
    if file "$page" | grep -Eq 'was "|last modified'; then
        fail "$page carries a name or time stamp"
    fi
done
for page in "$root/$man1"/*.1.gz; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
    [[ -z $warnings ]] || fail "man warns about $(basename "$page"): $warnings"
done

lintian --fail-on error "$deb" >"$scratch/lintian.log" 2>&1 ||
    { cat "$scratch/lintian.log"; fail "lintian reports errors"; }
cat "$scratch/lintian.log"
echo "package $(basename "$deb"): all checks passed"
