#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Debian package from BUILD_DIR (default build) as a distribution would: lintian
# (-I --pedantic) finds nothing; then installs it with dpkg
# and checks the installed files: the software-centre description, the menu entry, the man
# pages, the shell completions and the licence; that radioprog-cli works from an empty
# directory and finds the installed language file and print plugin; and that removing the
# package leaves nothing behind. Needs root (CI runs as root).
#     sh packaging/check_installed.sh [BUILD_DIR]
set -eu
build=${1:-build}
deb=$(ls -t "$build"/radioprog_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || { echo "check_installed: no radioprog_*.deb in $build (make package)" >&2; exit 1; }
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
echo "lintian -I --pedantic $deb"
lintian_out=$(lintian -I --pedantic --tag-display-limit 0 "$deb" 2>&1 || true)
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

installed() { dpkg-query -W -f='${Status}' radioprog 2>/dev/null | grep -q '^install ok installed$'; }

echo "Installing $deb"
work=$(mktemp -d)
trap 'dpkg --purge radioprog >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
if ! dpkg -i "$deb"; then
    # dpkg leaves the package unconfigured when a dependency is missing; apt brings it.
    apt-get update -qq
    apt-get install -f -y -qq --no-install-recommends
fi
installed || fail "radioprog is not installed"

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
dpkg -r radioprog
! installed || fail "radioprog still installed"
state=$(dpkg-query -W -f='${db:Status-Abbrev}' radioprog 2>/dev/null || true)
case $state in
    rc*) fail "removal left the package in state rc" ;;
esac
echo "The package installs, runs and removes cleanly."
