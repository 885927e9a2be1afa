#!/bin/sh
# The installed menu entries, AppStream metainfo and manual pages, checked by
# the tools desktops and distributions check them with. Any complaint fails.
#
#   validate.sh PREFIX
set -u
prefix=$1
status=0
complain() { echo "FAIL: $*"; status=1; }

for entry in "$prefix"/share/applications/*.desktop; do
    [ -f "$entry" ] || { complain "no desktop entry installed"; continue; }
    out=$(desktop-file-validate "$entry" 2>&1) || complain "desktop-file-validate $entry"
    [ -z "$out" ] || complain "desktop-file-validate $entry: $out"
    icon=$(sed -n 's/^Icon=//p' "$entry")
    [ -f "$prefix/share/icons/hicolor/48x48/apps/$icon.png" ] || complain "$entry: no icon $icon in the hicolor theme"
    # The entry's command and its actions' commands.
    for program in $(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry"); do
        ls "$prefix"/*/"$program" >/dev/null 2>&1 || complain "$entry: $program is not installed"
    done
done
for metainfo in "$prefix"/share/metainfo/*.metainfo.xml; do
    [ -f "$metainfo" ] || { complain "no metainfo installed"; continue; }
    appstreamcli validate --no-net "$metainfo" || complain "appstreamcli validate $metainfo"
    launchable=$(sed -n 's/.*<launchable type="desktop-id">\(.*\)<\/launchable>.*/\1/p' "$metainfo")
    [ -f "$prefix/share/applications/$launchable" ] || complain "$metainfo: launches $launchable, not installed"
done
for page in "$prefix"/share/man/man6/*.6.gz; do
    [ -f "$page" ] || { complain "no manual page installed"; continue; }
    warnings=$(LC_ALL=C.UTF-8 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || complain "man $page: $warnings"
done
[ $status -eq 0 ] && echo "PASS"
exit $status
