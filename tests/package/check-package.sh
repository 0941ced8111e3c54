#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package with cpack, unpacks it into a scratch folder and
# checks it as a distribution would: what it holds, its dependencies, the
# unpacked tools run from there, their hardening, the icons, the desktop
# entry, the AppStream metadata (with the network when the build names a
# domain), the manual pages, lintian (pedantic; no error or warning, and only
# the info tags the README explains), and that installing, removing and
# purging it leave nothing behind.
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
domain=$(sed -n 's/^ZYN_DOMAIN:STRING=//p' CMakeCache.txt)
deb="$build/zynmon_${version}_$(dpkg --print-architecture).deb"
[[ -f $deb ]] || fail "cpack wrote no $deb"
root="$scratch/root"
dpkg-deb -x "$deb" "$root"

man1=usr/share/man/man1
for path in usr/bin/zynmon usr/bin/zynmon-render usr/bin/zynmon-logo \
    usr/share/zynmon/zynlogo.dta usr/share/applications/zynmon.desktop \
    usr/share/icons/hicolor/scalable/apps/zynmon.svg \
    $man1/zynmon.1.gz $man1/zynmon-render.1.gz $man1/zynmon-logo.1.gz \
    usr/share/doc/zynmon/copyright usr/share/doc/zynmon/changelog.gz; do
    [[ -f $root/$path ]] || fail "the package lacks /$path"
done
# The metainfo file is named after the id the code has from AppId.h.
app_id=$(sed -n 's/^inline constexpr char kAppId\[\] = "\(.*\)";$/\1/p' "$build/generated/AppId.h")
metainfo=("$root/usr/share/metainfo/$app_id.metainfo.xml")
[[ -n $app_id && -f ${metainfo[0]} ]] || fail "no metainfo file for the id '$app_id'"
grep -q "<id>$app_id</id>" "${metainfo[0]}" || fail "the metainfo's id is not $app_id"

# dpkg-shlibdeps found the libraries the programs link against.
depends=$(dpkg-deb -f "$deb" Depends)
# The fonts the pictures draw their text with are declared by hand.
for library in libc6 libstdc++6 libpng16 libfreetype6 libfontconfig1 libwxgtk3.2 libgtk-3-0 \
    fonts-dejavu-core fonts-dejavu-extra fonts-liberation2; do
    grep -q "\b$library\b" <<<"$depends" || fail "Depends lacks $library: $depends"
done

# The unpacked tools, run from there with explicit paths.
"$root/usr/bin/zynmon-logo" "$source/resources/zynlogo.pbm" "$scratch/zynlogo.dta"
cmp "$scratch/zynlogo.dta" "$root/usr/share/zynmon/zynlogo.dta" ||
    fail "the packaged logo file is not what zynmon-logo makes"
"$root/usr/bin/zynmon-render" --picture 12 --size 320x240 --output "$scratch/card.png"
"$root/usr/bin/zynmon-render" --intro-at 2000 --logo "$root/usr/share/zynmon/zynlogo.dta" \
    --output "$scratch/intro.png"
# Control-flow protection: the linker marks a program only when every object
# in it is marked, and Debian 12's C start files (crt1.o, crti.o) are not, so
# no program there carries the mark; every object the build compiled must.
hardening-check --nocfprotection "$root"/usr/bin/* >"$scratch/hardening.log" 2>&1 ||
    { cat "$scratch/hardening.log"; fail "hardening-check"; }
if [[ $(dpkg --print-architecture) == amd64 ]]; then
    while IFS= read -r -d '' object; do
        readelf -n "$object" | grep -q "x86 feature: IBT, SHSTK" ||
            fail "$object is built without control-flow protection"
    done < <(find "$build" -path "$build/fuzz" -prune -o -name '*.o' -print0)
fi

for size in 16 22 24 32 48 64 128 256 512; do
    file "$root/usr/share/icons/hicolor/${size}x${size}/apps/zynmon.png" |
        grep -q "PNG image data, $size x $size, 8-bit/color RGBA" ||
        fail "the ${size}x${size} icon is missing or not that size"
done
grep -q '<svg xmlns="http://www.w3.org/2000/svg"' "$root/usr/share/icons/hicolor/scalable/apps/zynmon.svg" ||
    fail "the scalable icon is no SVG"

entry="$root/usr/share/applications/zynmon.desktop"
grep -qx "Exec=/usr/bin/zynmon" "$entry" || fail "the desktop entry does not start /usr/bin/zynmon"
grep -qx "Path=/usr/share/zynmon" "$entry" || fail "the desktop entry does not start in the logo's folder"
desktop-file-validate "$entry"
# A build without a domain names no web address: the addresses would not exist.
if [[ -n $domain ]]; then
    network=()
else
    network=(--no-net)
    [[ -z $(dpkg-deb -f "$deb" Homepage) ]] || fail "the package names a homepage without a domain"
    if grep -Eq '<url|<screenshot' "${metainfo[0]}"; then
        fail "the AppStream metadata names a web address without a domain"
    fi
fi
appstreamcli validate --pedantic "${network[@]}" "${metainfo[0]}" >"$scratch/appstream.log" 2>&1 ||
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

lintian --pedantic -I --fail-on error,warning "$deb" >"$scratch/lintian.log" 2>&1 ||
    { cat "$scratch/lintian.log"; fail "lintian reports errors or warnings"; }
cat "$scratch/lintian.log"
# Each info tag left is explained in the README.
sed -n 's/^[IP]: [^ ]* \([^ ]*\).*/\1/p' "$scratch/lintian.log" | sort -u | while read -r tag; do
    grep -q "\`${tag}[ \`]" "$source/README.md" || fail "lintian's $tag is not explained in the README"
done

# Installed into a root of its own (dependencies aside: it has no maintainer
# scripts to need them), removed and purged: nothing of it may stay, neither
# file nor folder, nor dpkg's record of it.
installed="$scratch/installed"
admin="$installed/var/lib/dpkg"
mkdir -p "$admin/info" "$admin/updates"
touch "$admin/status"
dpkg=(fakeroot dpkg --root="$installed" --force-depends --force-not-root
    --force-script-chrootless --log=/dev/null)
for action in "-i $deb" "-r zynmon" "-P zynmon"; do
    # shellcheck disable=SC2086 # the action is an option and its argument
    "${dpkg[@]}" $action >"$scratch/dpkg.log" 2>&1 || { cat "$scratch/dpkg.log"; fail "dpkg $action"; }
    if [[ $action == -i* && ! -x $installed/usr/bin/zynmon ]]; then
        fail "dpkg -i installed no /usr/bin/zynmon"
    fi
done
left=$(find "$installed" -mindepth 1 ! -path "$installed/var" ! -path "$installed/var/lib" \
    ! -path "$admin" ! -path "$admin/*")
[[ -z $left ]] || fail "removing and purging the package left: $left"
records=("$admin"/info/zynmon.*)
if [[ -e ${records[0]} ]] || grep -q "^Package: zynmon$" "$admin/status"; then
    fail "dpkg still holds a record of zynmon"
fi
echo "package $(basename "$deb"): all checks passed"
