#!/bin/sh
# Checks scripts/check-layers.sh on copies of the source tree: the tree as it
# is passes; an include planted from a lower layer into a higher one fails,
# naming the file and line, and so does a relative path out of the folder,
# whether the include is written with quotes or angle brackets; an include
# into a lower layer and a system header in angle brackets pass; a listed
# exception covers only its own file and header.
set -u

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
check="$root/scripts/check-layers.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
    echo "FAIL: $1"
    failures=$((failures + 1))
}

# A fresh copy of src/ and docs/ in $work/tree.
copy_tree() {
    rm -rf "$work/tree"
    mkdir -p "$work/tree"
    cp -R "$root/src" "$root/docs" "$work/tree/"
}

# Appends line to file and prints the number of the appended line.
plant() {
    printf '%s\n' "$2" >> "$1"
    wc -l < "$1" | tr -d ' '
}

# The tree as it is.
if ! out=$(bash "$check" "$root" 2>&1); then
    fail "the source tree itself: $out"
fi

# The engine reaching up into the play screen, in quotes and in angle
# brackets.
for include in '#include "play/CControllerGame.h"' '#include <play/CControllerGame.h>'; do
    copy_tree
    line=$(plant "$work/tree/src/engine/Log.cpp" "$include")
    out=$(bash "$check" "$work/tree" 2>&1)
    status=$?
    [ "$status" -eq 1 ] || fail "$include ends with status $status, not 1"
    echo "$out" | grep -qF "src/engine/Log.cpp:$line: engine includes \"play/CControllerGame.h\"" ||
        fail "$include is not named with its file and line: $out"
done

# A header reaching up counts as well, with spaces inside the directive.
copy_tree
line=$(plant "$work/tree/src/level/Level.h" '  #  include "world/CElement.h"')
out=$(bash "$check" "$work/tree" 2>&1) && fail "an upward include from a header passes"
echo "$out" | grep -qF "src/level/Level.h:$line:" || fail "the header's include is not named: $out"

# A relative path out of the folder is refused whatever it names, in quotes
# and in angle brackets.
for include in '#include "../engine/Log.h"' '#include <../screens/CControllerMap.h>'; do
    copy_tree
    line=$(plant "$work/tree/src/engine/Log.cpp" "$include")
    out=$(bash "$check" "$work/tree" 2>&1) && fail "$include passes"
    echo "$out" | grep -qF "src/engine/Log.cpp:$line:" || fail "$include is not named: $out"
done

# Downward and sideways includes pass, and system headers in angle brackets.
copy_tree
plant "$work/tree/src/screens/CControllerMap.cpp" '#include "engine/Log.h"' >/dev/null
plant "$work/tree/src/world/CElement.cpp" '#include "level/Level.h"' >/dev/null
plant "$work/tree/src/world/CElementMove.cpp" '#include "world/CElement.h"' >/dev/null
plant "$work/tree/src/platform/ShellServices.cpp" '#include <sys/types.h>' >/dev/null
plant "$work/tree/src/world/CElementStep.cpp" '#include <engine/Log.h>' >/dev/null
out=$(bash "$check" "$work/tree" 2>&1) || fail "downward includes fail: $out"

# A listed exception covers its own header only, and only in its own file.
copy_tree
plant "$work/tree/src/engine/CDrawScreen.cpp" '#include "profile/ProfileFile.h"' >/dev/null
out=$(bash "$check" "$work/tree" 2>&1) && fail "an exception's file passes with another header"
copy_tree
plant "$work/tree/src/engine/CDrawImages.cpp" '#include "profile/CProfile.h"' >/dev/null
out=$(bash "$check" "$work/tree" 2>&1) && fail "an exception's header passes in another file"

# Without its list of exceptions the check refuses to run.
copy_tree
rm "$work/tree/docs/architecture.md"
bash "$check" "$work/tree" >/dev/null 2>&1
status=$?
[ "$status" -eq 2 ] || fail "a missing list of exceptions ends with status $status, not 2"

# A folder that is no layer is reported.
copy_tree
mkdir "$work/tree/src/editor"
printf '#include "engine/Log.h"\n' > "$work/tree/src/editor/Editor.cpp"
out=$(bash "$check" "$work/tree" 2>&1) && fail "an unknown folder passes"
echo "$out" | grep -qF "src/editor" || fail "the unknown folder is not named: $out"

if [ "$failures" -gt 0 ]; then
    exit 1
fi
echo "check-layers: all cases hold"
