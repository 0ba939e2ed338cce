#!/bin/sh
# Every option that a program's --help names is described in its manual page.
#   sh manual_pages_test.sh PROGRAM MANUAL_PAGE
set -eu
missing=0
for option in $("$1" --help | grep -o -e '--[a-z][a-z-]*' | sort -u); do
    escaped=$(echo "$option" | sed 's/-/\\\\-/g')
    grep -q -e "$escaped" "$2" || { echo "$2 does not describe $option"; missing=1; }
done
[ $missing -eq 0 ] && echo "every option of $(basename "$1") --help is in $(basename "$2")"
exit $missing
