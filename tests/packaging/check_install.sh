#!/bin/sh
# check_install.sh BUILD: installs the build into a DESTDIR and checks what a distribution
# checks: the installed tree, the desktop entry, the metainfo, the manual pages, the Debian
# package (its listing against the tree, its fields, lintian without errors), and the terminal
# oracle answering from the installed tree in a folder without data. Leaves its files, the
# package and lintian's report in BUILD/install-check.
set -eu
build=$(cd "$1" && pwd)
out="$build/install-check"
fail() { echo "install check FAILED: $*" >&2; exit 1; }
rm -rf "$out"
mkdir -p "$out/empty"

DESTDIR="$out/root" cmake --install "$build" >/dev/null
prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")
bindir=$(sed -n 's/^CMAKE_INSTALL_BINDIR:PATH=//p' "$build/CMakeCache.txt")
tree="$out/root$prefix"
id=$(basename "$(ls "$tree"/share/applications/*.desktop)" .desktop)
for f in "$bindir/minnespiegel" "$bindir/minnespiegel-oracle" share/minnespiegel/sw.dat share/minnespiegel/hv.dat \
    share/minnespiegel/hilfe.dat share/minnespiegel/resource.dat share/minnespiegel/gfx/mi_titel2.jpg \
    "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml" share/man/man6/minnespiegel.6.gz \
    share/man/man6/minnespiegel-oracle.6.gz share/doc/minnespiegel/README.md share/doc/minnespiegel/copyright; do
    [ -s "$tree/$f" ] || fail "$f is not installed"
done
for size in 16 32 48 64 128 256; do
    [ -s "$tree/share/icons/hicolor/${size}x$size/apps/$id.png" ] || fail "no ${size}x$size icon"
done
grep -qx "Icon=$id" "$tree/share/applications/$id.desktop" || fail "the desktop entry names another icon"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$tree/share/metainfo/$id.metainfo.xml" ||
    fail "the metainfo launches another desktop entry"

desktop-file-validate "$tree/share/applications/$id.desktop"
appstreamcli validate --no-net "$tree/share/metainfo/$id.metainfo.xml" >"$out/appstream.txt" ||
    { cat "$out/appstream.txt"; fail "appstreamcli"; }
for page in minnespiegel minnespiegel-oracle; do
    mandoc -T lint "$tree/share/man/man6/$page.6.gz" || fail "mandoc on $page.6"
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$tree/share/man/man6/$page.6.gz" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man warns on $page.6: $warnings"
done

# The package holds exactly the installed tree.
(cd "$build" && cpack -G DEB -B "$out/package" >"$out/cpack.txt") || { cat "$out/cpack.txt"; fail "cpack"; }
deb="$out/package/minnespiegel_1.0-1_amd64.deb"
[ -f "$deb" ] || fail "no $(basename "$deb") ($(ls "$out/package"))"
dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./|/|; s|/$||' | grep -v -e '^$' -e '^/$' | sort >"$out/package-list.txt"
(cd "$out/root" && find . -mindepth 1) | sed 's|^\.||' | sort >"$out/tree-list.txt"
diff "$out/tree-list.txt" "$out/package-list.txt" || fail "the package and the install tree differ"
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "section is not games"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libsdl2 libsdl2-mixer libfreetype6 libfontconfig1 libjpeg62-turbo libc6 fonts-liberation; do
    echo "$depends" | grep -q "$lib" || fail "Depends lacks $lib: $depends"
done
dpkg-deb -f "$deb" Description | sed -n 2p | grep -q . || fail "no long description"
lintian --no-tag-display-limit "$deb" >"$out/lintian.txt" 2>&1 || true
if grep '^E:' "$out/lintian.txt"; then
    fail "lintian reports errors"
fi
echo "lintian: $(grep -c '^W:' "$out/lintian.txt" || true) warnings (in $out/lintian.txt)"
grep '^W:' "$out/lintian.txt" || true

# Installed by dpkg into a root of its own and purged again: nothing is left but dpkg's records.
dpkgroot="$out/dpkg-root"
mkdir -p "$dpkgroot/var/lib/dpkg/info" "$dpkgroot/var/lib/dpkg/updates"
: >"$dpkgroot/var/lib/dpkg/status"
dpkg_in_root() { dpkg --root="$dpkgroot" --force-not-root --force-depends --log=/dev/null "$@"; }
dpkg_in_root -i "$deb" >/dev/null 2>&1
[ -x "$dpkgroot$prefix/$bindir/minnespiegel" ] || fail "dpkg did not install the program"
dpkg_in_root --purge minnespiegel >/dev/null
left=$(cd "$dpkgroot" && find . -mindepth 1 ! -path './var/lib/dpkg*' ! -path './var/lib' ! -path './var')
[ -z "$left" ] || fail "removing the package left: $left"

# The terminal oracle from the installed tree, in a folder without data and without --data.
answer=$(cd "$out/empty" && echo "Liebt er mich?" | "$tree/$bindir/minnespiegel-oracle" --raw --seed 7 2>"$out/oracle-err.txt" | tr -d '\0')
[ -n "$answer" ] || fail "the installed oracle did not answer"
[ ! -s "$out/oracle-err.txt" ] || fail "the installed oracle complains: $(cat "$out/oracle-err.txt")"
[ -z "$(ls -A "$out/empty")" ] || fail "the oracle wrote into its working folder"
echo "install check: tree, desktop entry, metainfo, manual pages, package and oracle fine ($(printf '%s' "$answer" | iconv -f CP1252 -t UTF-8))"
