#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Debian package from BUILD_DIR (default build) as a distribution would: lintian
# (-I --pedantic) finds nothing; packing the same build again gives the same bytes, every
# archive member carries the build's SOURCE_DATE_EPOCH and no file names the build or source
# folder; then installs it and its debug symbols (radioprog-dbgsym) with dpkg
# and checks the installed files: the software-centre description, the menu entry and the
# .dat file type, the man pages, the shell completions and the licence; that no program or
# plugin has a RUNPATH and each finds its debug information by its build id; that
# radioprog-cli works from an empty directory and finds the installed language file and
# print plugin; and that removing the packages leaves nothing behind. Needs root (CI runs as
# root).
#     sh packaging/check_installed.sh [BUILD_DIR]
set -eu
build=${1:-build}
deb=$(ls -t "$build"/radioprog_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || { echo "check_installed: no radioprog_*.deb in $build (make package)" >&2; exit 1; }
dbgsym=$(ls -t "$build"/radioprog-dbgsym_*.deb 2>/dev/null | head -n 1)
[ -n "$dbgsym" ] || { echo "check_installed: no radioprog-dbgsym_*.deb in $build (make package)" >&2; exit 1; }
export DEBIAN_FRONTEND=noninteractive
fail() { echo "check_installed: $*" >&2; exit 1; }

# lintian finds nothing but, in a package built without the packager's address (DEBEMAIL or
# EMAIL unset, as in CI), the Maintainer's: it is then login@host, and CI builds as root on a
# host without a domain (README.md, "Install").
accepted_tags=""
if [ -z "${DEBEMAIL:-}${EMAIL:-}" ]; then
    accepted_tags="bogus-mail-host bogus-mail-host-in-debian-changelog root-in-contact
        maintainer-address-is-on-localhost"
fi
echo "lintian -I --pedantic $deb $dbgsym"
lintian_out=$(lintian -I --pedantic --tag-display-limit 0 "$deb" "$dbgsym" 2>&1 || true)
printf '%s\n' "$lintian_out"
unexpected=$(printf '%s\n' "$lintian_out" | grep -E '^[EWIPX]: ' || true)
for tag in $accepted_tags; do
    unexpected=$(printf '%s\n' "$unexpected" | grep -v -F ": $tag " || true)
done
[ -z "$unexpected" ] || fail "lintian tags not explained in README.md:
$unexpected"
# A private plugin outside the linker's folders: no ldconfig call, no maintainer scripts.
if dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -q -E 'postinst|postrm|triggers'; then
    fail "the package has maintainer scripts or triggers"
fi

installed() { dpkg-query -W -f='${Status}' "${1:-radioprog}" 2>/dev/null | grep -q '^install ok installed$'; }
work=$(mktemp -d)
trap 'dpkg --purge radioprog-dbgsym radioprog >/dev/null 2>&1 || true; rm -rf "$work"' EXIT

# Reproducible: packed again from the same build, the packages are the same bytes; every
# member of their archives carries the time the build wrote down (SOURCE_DATE_EPOCH, by
# default the last commit's); and no file names the folders it was built from.
echo "Packing again"
build_dir=$(cd "$build" && pwd)
source_dir=$(cd "$(dirname "$0")/.." && pwd)
cpack --config "$build_dir/CPackConfig.cmake" -B "$work/again" >/dev/null || fail "packing again failed"
for package in "$deb" "$dbgsym"; do
    cmp "$package" "$work/again/$(basename "$package")" ||
        fail "$(basename "$package") packed again differs from the first"
done
epoch=$(cat "$build_dir/packaging/source_date_epoch")
stamp=$(TZ=UTC date -d "@$epoch" '+%Y-%m-%d %H:%M:%S')
for package in "$deb" "$dbgsym"; do
    times=$( (dpkg-deb --ctrl-tarfile "$package" | TZ=UTC tar -tvf - --full-time
        dpkg-deb --fsys-tarfile "$package" | TZ=UTC tar -tvf - --full-time) |
        awk '{ print $4 " " $5 }' | sort -u)
    [ "$times" = "$stamp" ] || fail "$(basename "$package"): member times are not all $stamp: $times"
    if TZ=UTC LC_ALL=C ar tv "$package" | grep -v -F "$(TZ=UTC LC_ALL=C date -d "@$epoch" '+%b %e %H:%M %Y')"; then
        fail "$(basename "$package"): the members above are not dated $stamp"
    fi
    mkdir "$work/unpacked"
    dpkg-deb -x "$package" "$work/unpacked"
    if grep -r -l -F -e "$build_dir" -e "$source_dir" "$work/unpacked"; then
        fail "$(basename "$package"): the files above name the build or source folder"
    fi
    rm -rf "$work/unpacked"
done

echo "Installing $deb"
if ! dpkg -i "$deb"; then
    # dpkg leaves the package unconfigured when a dependency is missing; apt brings it.
    apt-get update -qq
    apt-get install -f -y -qq --no-install-recommends
fi
installed || fail "radioprog is not installed"
echo "Installing $dbgsym"
dpkg -i "$dbgsym" || fail "the debug symbols do not install"

cd "$work"
/usr/bin/radioprog-cli new radio.dat
size=$(stat -c %s radio.dat)
[ "$size" = 5592 ] || fail "new wrote $size bytes, not 5592"
/usr/bin/radioprog-cli channels radio.dat > channels.csv
lines=$(wc -l < channels.csv)
header=$(head -n 1 channels.csv)
echo "channels: $lines lines, header: $header"
[ "$lines" = 129 ] || fail "expected 129 lines"
# Without a language file the column headers are empty.
case $header in
    ,*) fail "the installed language file was not found" ;;
esac
/usr/bin/radioprog-cli print radio.dat --pdf radio.pdf || fail "print found no plugin"
plugin=$(dpkg -L radioprog | grep '/radioprog-print\.so$')
case $plugin in
    /usr/lib/*-*/radioprog/radioprog-print.so) ;;
    *) fail "the print plugin is at '$plugin', not in /usr/lib/<multiarch>/radioprog" ;;
esac
for program in radioprog radioprog-cli radiosim; do
    [ -x /usr/bin/$program ] || fail "/usr/bin/$program missing"
    QT_QPA_PLATFORM=offscreen /usr/bin/$program --version | grep -q '^License GPLv3+' ||
        fail "$program --version names no licence"
done
grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
    /usr/share/doc/radioprog/copyright || fail "the copyright file is not machine-readable"

[ -f /usr/lib/udev/rules.d/60-radioprog.rules ] || fail "the udev rule is missing"

# The programs and the plugin: no RUNPATH (their libraries are in the linker's folders),
# stripped, and their debug information in radioprog-dbgsym under their build id.
elf_count=0
for file in $(dpkg -L radioprog); do
    [ -f "$file" ] && [ ! -L "$file" ] && file -b "$file" | grep -q '^ELF' || continue
    elf_count=$((elf_count + 1))
    ! readelf -d "$file" | grep -E '\((RPATH|RUNPATH)\)' || fail "$file has a RUNPATH"
    ! readelf -S "$file" | grep -q -F .debug_info || fail "$file is not stripped"
    id=$(readelf -n "$file" | sed -n 's/^ *Build ID: *//p')
    debug=/usr/lib/debug/.build-id/$(echo "$id" | cut -c1-2)/$(echo "$id" | cut -c3-).debug
    [ -n "$id" ] && readelf -S "$debug" 2>/dev/null | grep -q -F .debug_info ||
        fail "$file: no debug information at $debug"
done
[ "$elf_count" = 4 ] || fail "expected 3 programs and the plugin, found $elf_count ELF files"

# .dat images are their own file type, which the menu entry opens.
[ -f /usr/share/mime/packages/radioprog.xml ] || fail "the .dat file type is not installed"
grep -q '^MimeType=application/x-radioprog-image;' /usr/share/applications/radioprog.desktop ||
    fail "the menu entry opens no .dat image"
grep -q '^Exec=radioprog %[fF]$' /usr/share/applications/radioprog.desktop || fail "the menu entry takes no file"
if command -v update-mime-database >/dev/null; then
    grep -q -x -F 'application/x-radioprog-image:*.dat' /usr/share/mime/globs ||
        fail "the MIME database does not know *.dat as application/x-radioprog-image"
fi

echo "appstreamcli validate --pedantic"
appstreamcli validate --pedantic --no-net /usr/share/metainfo/org.radioprog.radioprog.metainfo.xml
echo "desktop-file-validate"
desktop_out=$(desktop-file-validate /usr/share/applications/radioprog.desktop 2>&1 || echo "failed")
[ -z "$desktop_out" ] || fail "desktop-file-validate: $desktop_out"
grep -q '^MimeType=.*text/csv;' /usr/share/applications/radioprog.desktop || fail "the menu entry opens no CSV"

# Man pages render without a warning, with and without UTF-8.
for program in radioprog radioprog-cli radiosim; do
    page=/usr/share/man/man1/$program.1.gz
    for locale in C.UTF-8 C; do
        warnings=$(LC_ALL=$locale MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
        [ -z "$warnings" ] || fail "man -l $page ($locale): $warnings"
    done
    for section in FILES ENVIRONMENT "EXIT STATUS" EXAMPLES "SEE ALSO"; do
        LC_ALL=C man -l "$page" 2>/dev/null | grep -q "^$section\$" || fail "$page has no $section section"
    done
    sh "$source_dir/packaging/check_man_width.sh" "$page" || fail "$page is wider than 80 columns"
done
LC_ALL=C man -l /usr/share/man/man1/radioprog-cli.1.gz 2>/dev/null | grep -q 'RX Freq 145.35000 -> 146.52000' ||
    fail "the arrow of diff is not ASCII in the man page without UTF-8"

# Completions load and complete in each shell (the commands of radioprog-cli).
echo "Completions"
for program in radioprog radioprog-cli radiosim; do
    bash --norc -c ". /usr/share/bash-completion/completions/$program && complete -p $program" >/dev/null ||
        fail "bash completion of $program does not load"
    fish --no-config -c "source /usr/share/fish/vendor_completions.d/$program.fish; complete -C '$program --'" |
        grep -q -- '^--help' || fail "fish completion of $program offers no --help"
done
zsh -f -c 'fpath=(/usr/share/zsh/vendor-completions $fpath); autoload -U compinit && compinit -u -D &&
    for p in radioprog radioprog-cli radiosim; do [ "${_comps[$p]}" = _radioprog ] || exit 1; done' ||
    fail "zsh completion does not load"
fish --no-config -c "source /usr/share/fish/vendor_completions.d/radioprog-cli.fish; complete -C 'radioprog-cli imp'" |
    grep -q '^import-csv' || fail "fish completion offers no command"

cd /
dpkg -r radioprog-dbgsym radioprog
! installed || fail "radioprog still installed"
! installed radioprog-dbgsym || fail "radioprog-dbgsym still installed"
if command -v update-mime-database >/dev/null; then
    ! grep -q -F 'application/x-radioprog-image' /usr/share/mime/globs || fail "removal left the .dat file type"
fi
state=$(dpkg-query -W -f='${db:Status-Abbrev}' radioprog 2>/dev/null || true)
case $state in
    rc*) fail "removal left the package in state rc" ;;
esac
echo "The package installs, runs and removes cleanly."
