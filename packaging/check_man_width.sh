#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Names every line wider than 80 columns in the given man pages, in their source and as man
# shows them on a terminal of 80 columns (UTF-8), and fails if there is one.
#     sh packaging/check_man_width.sh PAGE.1.gz...
set -eu
status=0
for page in "$@"; do
    wide=$(gzip -dc "$page" | perl -CSD -ne 'print "  source line $.: $_" if length($_) > 81')
    rendered=$(LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$page" 2>/dev/null |
        perl -CSD -ne 'print "  shown line $.: $_" if length($_) > 81')
    if [ -n "$wide$rendered" ]; then
        printf '%s: lines wider than 80 columns:\n%s\n%s\n' "$page" "$wide" "$rendered" >&2
        status=1
    fi
done
exit $status
