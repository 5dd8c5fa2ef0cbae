#!/bin/bash
# Each layer includes only itself and the layers below it:
# scene <- models <- actors <- show <- host <- platform.
top=${1:?top of the source tree}
cd "$top" || exit 1
layers=(scene models actors show host)
status=0
for i in "${!layers[@]}"; do
    layer=${layers[$i]}
    above=("${layers[@]:$((i + 1))}" platform)
    pattern=$(printf '|%s/' "${above[@]}")
    pattern="#include \"(${pattern:1})"
    hits=$(grep -rnE "$pattern" "$layer" --include='*.h' --include='*.cpp' || true)
    if [ -n "$hits" ]; then
        echo "$layer/ reaches up:"
        echo "$hits"
        status=1
    fi
done
# The portable layers name no operating-system or window-system header.
os=$(grep -rnE '#include <(windows\.h|X11/|GL/glx\.h|GL/osmesa\.h|unistd\.h|sys/)' "${layers[@]}" || true)
if [ -n "$os" ]; then
    echo "system headers in portable code:"
    echo "$os"
    status=1
fi
# Within a layer no two files use each other: a file and its header count as
# one, so A.cpp including B.h while B.cpp includes A.h is a circle.
edges=$(grep -rE '^#include "[^"]+\.h"' "${layers[@]}" platform --include='*.h' --include='*.cpp' \
    | sed -E 's/^([^:]+)\.(h|cpp):#include "([^"]+)\.h".*/\1 \3/' | awk '$1 != $2' | sort -u)
circles=$(join -j1 <(awk '{ print $1 "|" $2 }' <<< "$edges" | sort) \
    <(awk '{ print $2 "|" $1 }' <<< "$edges" | sort) | awk -F'|' '$1 < $2 { print $1 " <-> " $2 }')
if [ -n "$circles" ]; then
    echo "files that use each other:"
    echo "$circles"
    status=1
fi
[ $status = 0 ] && echo "layers: every include points down, and no two files use each other"
exit $status
