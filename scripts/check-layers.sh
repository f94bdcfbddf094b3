#!/usr/bin/env bash
# Fails when a source file includes a header from a layer above its own, from another folder of
# its own layer, or when the tool reaches a layer with windows; and when two parts of a folder
# (a header and its source) need each other, directly or round a longer circle. Each folder is one library
# (cmake/EstocariumLibrary.cmake); the linker catches calls that run the wrong way, this catches
# the includes that compile without a call (inline functions, types, constants).
set -euo pipefail
cd "$(dirname "$0")/.."

# folder, its layer, and the highest layer it may include (its own layer minus one unless given).
layers='
db 0
common 1
shell 2
records 3
reportengine 4
signin 5
users 5
dbmaint 5
reports 5
widgets 6
records/ui 7
reportengine/ui 7
signin/ui 8
users/ui 8
dbmaint/ui 8
reports/ui 8
shell/ui 9
app 10
tool 10 5
codegen 10 0
'

git ls-files -- '*.cpp' '*.h' | grep -Ev '^(tests|benchmarks|scripts)/' |
awk -v table="$layers" '
BEGIN {
    n = split(table, lines, "\n")
    for (i = 1; i <= n; i++) {
        if (split(lines[i], f, " ") < 2) continue
        layer[f[1]] = f[2]
        reach[f[1]] = (3 in f) ? f[3] : f[2] - 1
    }
}
function folder(path,    d) { d = path; sub(/\/[^\/]*$/, "", d); return d }
FNR == 1 { from = folder(FILENAME) }
function part(path) { sub(/\.(h|cpp)$/, "", path); return path }
FNR == 1 { self = part(FILENAME) }
/^[ \t]*#[ \t]*include[ \t]*"/ {
    header = $0
    sub(/^[^"]*"/, "", header); sub(/".*$/, "", header)
    if (folder(header) == from && part(header) != self && !((self, part(header)) in edge)) {
        edge[self, part(header)] = 1
        next_of[self] = next_of[self] " " part(header)
    }
}
/^[ \t]*#[ \t]*include[ \t]*"/ {
    header = $0
    sub(/^[^"]*"/, "", header); sub(/".*$/, "", header)
    to = folder(header)
    if (to == from || !(to in layer)) next
    if (!(from in layer)) {
        printf "%s: folder %s has no layer in scripts/check-layers.sh\n", FILENAME, from; bad = 1; nextfile
    }
    if (layer[to] > reach[from]) {
        printf "%s:%d: %s (layer %d) may not include %s (layer %d)\n", FILENAME, FNR, from, layer[from], header, layer[to]
        bad = 1
    }
}
function visit(node,    list, count, i) {
    state[node] = 1
    stack[++depth] = node
    count = split(next_of[node], list, " ")
    for (i = 1; i <= count; i++) {
        if (state[list[i]] == 1) {
            circle = list[i]
            for (j = depth; j >= 1 && stack[j] != list[i]; j--) circle = stack[j] " -> " circle
            printf "circle: %s -> %s\n", list[i], circle
            bad = 1
        } else if (!state[list[i]]) {
            visit(list[i])
        }
    }
    depth--
    state[node] = 2
}
END {
    for (node in next_of) if (!state[node]) visit(node)
    exit bad
}
' $(cat)
