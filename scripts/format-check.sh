#!/usr/bin/env bash
# Checks every C++ source of the checkout (programs, libraries, tests, benchmarks, scripts) against
# .clang-format with Debian's clang-format and fails listing the files that do not follow it.
#   scripts/format-check.sh         check (CI runs this first)
#   scripts/format-check.sh --fix   rewrite those files in place
set -euo pipefail
cd "$(dirname "$0")/.."

fix=false
case "${1:-}" in
"") ;;
--fix) fix=true ;;
*)
    echo "usage: $0 [--fix]" >&2
    exit 2
    ;;
esac

command -v clang-format >/dev/null || {
    echo "clang-format is missing (scripts/setup.sh installs it)" >&2
    exit 1
}

# Tracked files and new ones not yet added; build folders are ignored by git and so left out.
mapfile -t sources < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h' | sort -u)

# One clang-format for all of them (one per file took most of a minute): it names each file that
# differs in its "code should be clang-formatted" lines.
unformatted=()
existing=()
for file in "${sources[@]}"; do
    [ -f "$file" ] && existing+=("$file") # deleted but not yet staged otherwise
done
if [ ${#existing[@]} -gt 0 ]; then
    mapfile -t unformatted < <(
        clang-format --style=file --dry-run --Werror "${existing[@]}" 2>&1 >/dev/null |
            sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p' | sort -u
    )
fi

if [ ${#unformatted[@]} -eq 0 ]; then
    echo "format: all ${#sources[@]} C++ files follow .clang-format"
    exit 0
fi
if $fix; then
    clang-format --style=file -i "${unformatted[@]}"
    printf 'reformatted: %s\n' "${unformatted[@]}"
    exit 0
fi
{
    echo "${#unformatted[@]} of ${#sources[@]} C++ files do not follow .clang-format" \
        "(scripts/format-check.sh --fix rewrites them):"
    printf '  %s\n' "${unformatted[@]}"
} >&2
exit 1
