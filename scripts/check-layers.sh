#!/usr/bin/env bash
# Fails on any include that points up the layer order. The order, lowest first;
# folders on one line are side by side and never include each other.
# Tests and benchmarks sit above everything and may include any layer.
set -euo pipefail
cd "$(dirname "$0")/.."

layers=(
    "platform/database platform/picture platform/framework"
    "resources"
    "db"
    "browse"
    "table"
    "app"
)

declare -A level
for i in "${!layers[@]}"; do
    for folder in ${layers[$i]}; do
        level[$folder]=$i
    done
done

# The layer folder a path lies in, or nothing for one outside the layers.
folder_of() {
    local path=$1 folder
    for folder in "${!level[@]}"; do
        if [[ $path == "$folder/"* ]]; then
            echo "$folder"
            return
        fi
    done
}

bad=0
while IFS= read -r file; do
    from=$(folder_of "$file")
    [ -n "$from" ] || continue
    while IFS=: read -r line target; do
        to=$(folder_of "$target")
        [ -n "$to" ] || continue
        if [ "${level[$to]}" -gt "${level[$from]}" ] ||
            { [ "${level[$to]}" -eq "${level[$from]}" ] && [ "$to" != "$from" ]; }; then
            echo "$file:$line: includes $target, which is not below $from"
            bad=1
        fi
    done < <(grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" |
        sed 's/^\([0-9]*\):[^"]*"\([^"]*\)".*/\1:\2/')
done < <(git ls-files -- '*.h' '*.cpp')

exit $bad
