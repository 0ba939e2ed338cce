#!/bin/sh
# Checks that the folders depend one way: algorithms <- ephem <- station <-
# chart <- app. A file may include headers of its own folder and of folders
# to its left only, and the three folders left of chart/ include no Qt header
# (they build without Qt). Prints every include that breaks this; exit
# status 1 then.
cd "$(dirname "$0")/.."
layers="algorithms ephem station chart app"
rank() {
    i=0
    for l in $layers; do
        [ "$l" = "$1" ] && { echo $i; return; }
        i=$((i + 1))
    done
    echo 99
}
bad=0
for folder in $layers; do
    mine=$(rank "$folder")
    for file in "$folder"/*.h "$folder"/*.cpp; do
        [ -f "$file" ] || continue
        for header in $(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file"); do
            owner=""
            for l in $layers; do
                [ -f "$l/$header" ] && owner=$l
            done
            [ -n "$owner" ] || continue
            if [ "$(rank "$owner")" -gt "$mine" ]; then
                echo "$file includes $owner/$header: $folder may not depend on $owner"
                bad=1
            fi
        done
    done
done
for folder in algorithms ephem station; do
    if grep -n '^#include <Q' "$folder"/*.h "$folder"/*.cpp; then
        echo "$folder includes Qt headers above: it must build without Qt"
        bad=1
    fi
done
[ $bad -eq 0 ] && echo "layers: every include points down (algorithms <- ephem <- station <- chart <- app)"
exit $bad
