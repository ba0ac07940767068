#!/usr/bin/env bash
# Checks that every folder under src/ includes only from its own layer and
# the layers below it (docs/architecture.md draws the layers). An include
# that reaches up is an error unless docs/architecture.md lists that file
# and header as an exception, in a line of the form
#   - `src/<folder>/<file>` includes `<folder>/<header>`: <reason>
# Includes in angle brackets count as those in quotes (a system header's
# folder is no layer). An include by a relative path ("../") is refused too.
# Each error names the file and line. Exits 1 on an error, 0 otherwise (2 when it cannot run).
#
# Usage: scripts/check-layers.sh [ROOT]   (ROOT: the source tree, by default
# the one this script belongs to; it must hold src/ and docs/architecture.md)
set -euo pipefail

root=${1:-"$(cd "$(dirname "$0")/.." && pwd)"}
doc="$root/docs/architecture.md"

# Lowest first. main.cpp stands above them all and is not checked.
layers=(platform engine profile ui level world elements walkers play screens)

declare -A rank
for i in "${!layers[@]}"; do
    rank[${layers[$i]}]=$i
done

if [ ! -d "$root/src" ]; then
    echo "check-layers: no src/ folder in $root" >&2
    exit 2
fi
if [ ! -f "$doc" ]; then
    echo "check-layers: the list of exceptions is missing: $doc" >&2
    exit 2
fi

# "file header" pairs allowed to reach up.
allowed=$(sed -n 's/^- `\(src\/[^`]*\)` includes `\([^`]*\)`.*/\1 \2/p' "$doc")

errors=0
checked=0
for folder in "$root"/src/*/; do
    layer=$(basename "$folder")
    mine=${rank[$layer]:--1}
    if [ "$mine" -lt 0 ]; then
        echo "src/$layer: a folder that is not a layer; add it to scripts/check-layers.sh and docs/architecture.md"
        errors=$((errors + 1))
        continue
    fi
    while IFS= read -r file; do
        rel=${file#"$root"/}
        checked=$((checked + 1))
        # A path climbing out of the folder would slip past the layer test.
        while IFS=: read -r line header; do
            echo "$rel:$line: includes \"$header\" by a relative path; name its folder instead"
            errors=$((errors + 1))
        done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*["<][^">]*\.\./' "$file" |
                 sed 's/^\([0-9]*\):[^"<]*["<]\([^">]*\)[">].*/\1:\2/' || true)
        while IFS=: read -r line header; do
            [ -n "$line" ] || continue
            target=${header%%/*}
            theirs=${rank[$target]:--1}
            if [ "$theirs" -gt "$mine" ] && ! grep -qxF "$rel $header" <<<"$allowed"; then
                echo "$rel:$line: $layer includes \"$header\" from the higher layer $target"
                errors=$((errors + 1))
            fi
        done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*["<][a-z]+/' "$file" |
                 sed 's/^\([0-9]*\):[^"<]*["<]\([^">]*\)[">].*/\1:\2/' || true)
    done < <(find "$folder" -type f \( -name '*.cpp' -o -name '*.h' \) | sort)
done

if [ "$errors" -gt 0 ]; then
    echo "check-layers: $errors include(s) reach up a layer ($checked files checked)"
    exit 1
fi
echo "check-layers: $checked files, every include stays in its layer or below"
