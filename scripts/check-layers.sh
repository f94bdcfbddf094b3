#!/usr/bin/env bash
# The layers are the CMake LINK lists: every folder is one library (cmake/EstocariumLibrary.cmake),
# named after its path, and a folder's layer is one above the highest library it links. From those
# lists alone this script derives the layer table and fails
#   - when a library's target is not named after its folder (estocarium_<folder, '/' as '_'>);
#   - when a source file includes a header from a folder its library does not reach through its
#     links (the linker catches calls that run the wrong way, this catches the includes that
#     compile without a call: inline functions, types, constants);
#   - when two parts of a folder (a header and its source) need each other, directly or round a
#     longer circle;
#   - when a folder that is not a window's (*/ui), shell or app reaches widgets/ or a window;
#   - when ARCHITECTURE.md's picture of the layers puts a folder at another layer than its links do.
#   scripts/check-layers.sh           check
#   scripts/check-layers.sh --table   print the derived table: layer, folder, the folders it reaches
set -euo pipefail
cd "$(dirname "$0")/.."

# "<folder> <target> <linked estocarium targets...>" per library, and per program: the folders
# whose code is a program's own, and the program's target.
declarations() {
    local file folder
    for file in $(git ls-files -- 'CMakeLists.txt' '*/CMakeLists.txt'); do
        folder=$(dirname "$file")
        tr '\n' ' ' <"$file" | grep -oE 'estocarium_library\([^)]*\)' | sed -E 's/^estocarium_library\(//; s/\)$//' |
            awk -v folder="$folder" '{ printf "library %s %s", folder, $1
                                       for (i = 2; i <= NF; i++) if ($i ~ /^estocarium_/) printf " %s", $i
                                       print "" }'
    done
    local program
    while read -r folder program; do
        git ls-files -- 'CMakeLists.txt' '*/CMakeLists.txt' | xargs cat | tr '\n' ' ' |
            grep -oE "target_link_libraries\\($program [^)]*\\)" | sed -E 's/^target_link_libraries\(//; s/\)$//' |
            awk -v folder="$folder" '{ printf "program %s %s", folder, $1
                                       for (i = 2; i <= NF; i++) if ($i ~ /^estocarium_/) printf " %s", $i
                                       print "" }'
    done <<'EOF'
app estocarium
tool estocarium-db
codegen estocarium_fontwidths
EOF
}

table=$(declarations | awk '
{ kind[$2] = $1; target[$2] = $3; folder_of[$3] = $2; links[$2] = ""
  for (i = 4; i <= NF; i++) links[$2] = links[$2] " " $i }
function layer_of(f,    list, n, i, l, best) {
    if (f in layer) return layer[f]
    best = -1
    n = split(links[f], list, " ")
    for (i = 1; i <= n; i++) {
        if (!(list[i] in folder_of)) { printf "%s links %s, which is no library of a folder\n", f, list[i] > "/dev/stderr"; exit 1 }
        l = layer_of(folder_of[list[i]]); if (l > best) best = l
    }
    return layer[f] = best + 1
}
function reach_of(f,    list, n, i, g) {
    if (f in reached) return reached[f]
    reached[f] = ""
    n = split(links[f], list, " ")
    for (i = 1; i <= n; i++) {
        g = folder_of[list[i]]
        reached[f] = reached[f] " " g " " reach_of(g)
    }
    return reached[f]
}
END {
    for (f in kind) {
        expected = "estocarium_" f; gsub("/", "_", expected)
        if (kind[f] == "library" && target[f] != expected) { printf "%s/CMakeLists.txt: its library is %s, not %s\n", f, target[f], expected > "/dev/stderr"; exit 1 }
        n = split(reach_of(f), list, " "); delete seen; r = ""
        for (i = 1; i <= n; i++) if (!(list[i] in seen)) { seen[list[i]] = 1; r = r " " list[i] }
        printf "%d %s%s\n", layer_of(f), f, r
    }
}' | sort -n -k1,1 -k2,2)

if [ "${1:-}" = --table ]; then
    echo "$table"
    exit 0
fi

bad=0

# ARCHITECTURE.md's picture: the folders ("<folder>/") inside its first code block.
# A line that starts with a number begins a layer; the lines under it without one continue it.
pictured=$(awk '/^```/ { block++; next } block == 1 {
                  first = 1; if ($1 ~ /^[0-9]+$/) { layer = $1; first = 2 }
                  for (i = first; i <= NF; i++) if ($i ~ /^[a-z][a-z\/]*\/$/) { sub(/\/$/, "", $i); print layer, $i } }' ARCHITECTURE.md | sort)
derived=$(echo "$table" | awk '{ print $1, $2 }' | sort)
# Widgets are for the windows' folders, the shell and the program alone.
windowless=$(echo "$table" | awk '$2 !~ /(^|\/)ui$/ && $2 != "widgets" && $2 != "shell" && $2 != "app" {
                 for (i = 3; i <= NF; i++) if ($i == "widgets" || $i ~ /\/ui$/) print $2 " reaches " $i }')
if [ -n "$windowless" ]; then
    echo "$windowless: only windows' folders (*/ui), shell and app may"
    bad=1
fi
if [ "$pictured" != "$derived" ]; then
    echo "ARCHITECTURE.md's layers differ from the libraries' links (< picture, > links):"
    diff <(echo "$pictured") <(echo "$derived") | grep '^[<>]' || true
    bad=1
fi

git ls-files -- '*.cpp' '*.h' | grep -Ev '^(tests|benchmarks|scripts)/' |
awk -v table="$table" '
BEGIN {
    n = split(table, lines, "\n")
    for (i = 1; i <= n; i++) {
        m = split(lines[i], f, " ")
        known[f[2]] = 1
        for (j = 3; j <= m; j++) reach[f[2], f[j]] = 1
    }
}
function folder(path,    d) { d = path; sub(/\/[^\/]*$/, "", d); return d }
function part(path) { sub(/\.(h|cpp)$/, "", path); return path }
FNR == 1 { from = folder(FILENAME); self = part(FILENAME) }
/^[ \t]*#[ \t]*include[ \t]*"/ {
    header = $0
    sub(/^[^"]*"/, "", header); sub(/".*$/, "", header)
    to = folder(header)
    if (to == from) {
        if (part(header) != self && !((self, part(header)) in edge)) {
            edge[self, part(header)] = 1
            next_of[self] = next_of[self] " " part(header)
        }
        next
    }
    if (!(to in known)) next
    if (!(from in known)) {
        printf "%s: folder %s is no library or program of its own\n", FILENAME, from; bad = 1; nextfile
    }
    if (!((from, to) in reach)) {
        printf "%s:%d: %s does not link %s, whose %s it includes\n", FILENAME, FNR, from, to, header
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
' $(cat) || bad=1
exit $bad
