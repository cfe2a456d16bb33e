#!/usr/bin/env bash
# The code's style, checked by tools (.clang-format and .clang-tidy at the top of the project):
#   tools/style.sh format-check     list every C++ file of src/, tests/ and tools/ clang-format would change (exit 1)
#   tools/style.sh format           reformat those files in place
#   tools/style.sh tidy-core        clang-tidy over src/core (no toolkit there: a few seconds a file)
#   tools/style.sh tidy [FILE...]   clang-tidy over every compiled source of src/, tests/ and tools/ (or FILEs)
# clang-tidy reads the compile commands of BUILD_DIR (default: build; cmake --preset dev writes
# compile_commands.json there). JOBS files are checked at once (default: the number of processors).
# Findings in the files named by tools/style-unconverted.txt are counted but do not fail a check.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

CLANG_FORMAT="${CLANG_FORMAT:-clang-format}"
CLANG_TIDY="${CLANG_TIDY:-clang-tidy}"
BUILD_DIR="${BUILD_DIR:-build}"
JOBS="${JOBS:-$(nproc)}"
UNCONVERTED="$root/tools/style-unconverted.txt"

usage() {
    sed -n '2,9p' "$0" | sed 's/^# \{0,1\}//' >&2
    exit 2
}

cxx_sources() {
    find src tests tools \( -name '*.cpp' -o -name '*.h' \) -type f | LC_ALL=C sort
}

# The sources clang-tidy can check: those with a compile command, under src/, tests/ or tools/ ($1: a
# sub-folder to keep to, e.g. src/core).
compiled_sources() {
    local db="$BUILD_DIR/compile_commands.json"
    if [ ! -f "$db" ]; then
        echo "style.sh: $db is missing: configure first (cmake --preset dev)" >&2
        exit 2
    fi
    python3 - "$db" "$root" "${1:-}" <<'EOF'
import json, os, sys
db, root, under = sys.argv[1], sys.argv[2], sys.argv[3]
seen = set()
for entry in json.load(open(db)):
    path = os.path.normpath(os.path.join(entry.get("directory", ""), entry["file"]))
    rel = os.path.relpath(path, root)
    if rel.startswith(".."):
        continue
    if rel.split(os.sep)[0] not in ("src", "tests", "tools"):
        continue
    if under and not (rel + "/").startswith(under.rstrip("/") + "/"):
        continue
    if rel not in seen:
        seen.add(rel)
        print(rel)
EOF
}

# The prefixes of tools/style-unconverted.txt as one extended regular expression (empty: none).
unconverted_pattern() {
    [ -f "$UNCONVERTED" ] || return 0
    grep -vE '^[[:space:]]*(#|$)' "$UNCONVERTED" | sed 's/[.[\*^$+?(){}|]/\\&/g' | paste -sd '|' || true
}

format_check() {
    local pattern out files waiting
    pattern="$(unconverted_pattern)"
    out="$(cxx_sources | { if [ -n "$pattern" ]; then grep -vE "^($pattern)" || true; else cat; fi; } |
        xargs -r -P "$JOBS" -n 16 "$CLANG_FORMAT" --dry-run -Werror 2>&1 || true)"
    if [ -n "$pattern" ]; then
        waiting="$(cxx_sources | grep -E "^($pattern)" | xargs -r "$CLANG_FORMAT" --dry-run 2>&1 |
            grep -oE '^[^ :]+\.(cpp|h)' | sort -u | wc -l || true)"
    else
        waiting=0
    fi
    if [ -n "$out" ]; then
        printf '%s\n' "$out" | grep -E '^[^ ]+:[0-9]+:[0-9]+: (error|warning):' || printf '%s\n' "$out"
        files="$(printf '%s\n' "$out" | grep -oE '^[^ :]+\.(cpp|h)' | sort -u | wc -l)"
        echo "style.sh: clang-format would change $files file(s) ($waiting more in files listed in" \
            "tools/style-unconverted.txt); run tools/style.sh format" >&2
        return 1
    fi
    echo "style.sh: every file is formatted ($waiting file(s) listed in tools/style-unconverted.txt are not)"
}

# Runs clang-tidy over the files read from standard input and reports each finding once (a header's findings
# come once per file that includes it).
run_tidy() {
    local work
    work="$(mktemp -d)"
    trap 'rm -rf "$work"' RETURN
    local started=$SECONDS
    # One output file per source; the exit status beside it.
    tr '\n' '\0' | xargs -0 -r -P "$JOBS" -I{} sh -c '
        out="$1/$(printf %s "$2" | tr / _)"
        "$3" -p "$4" --quiet "$2" >"$out.log" 2>&1
        echo $? >"$out.rc"' _ "$work" {} "$CLANG_TIDY" "$BUILD_DIR"
    local files
    files="$(find "$work" -name '*.rc' | wc -l)"
    # A finding: "path:line:col: error: text [check]" (or no place at all, for a name the compiler made).
    cat "$work"/*.log 2>/dev/null |
        grep -E '^([^ ]+:[0-9]+:[0-9]+: )?(error|warning): ' |
        sed "s|^$root/||" | LC_ALL=C sort -u >"$work/findings" || true
    local pattern
    pattern="$(unconverted_pattern)"
    if [ -n "$pattern" ]; then
        grep -E "^($pattern)" "$work/findings" >"$work/waiting" || true
        grep -vE "^($pattern)" "$work/findings" >"$work/open" || true
    else
        : >"$work/waiting"
        cp "$work/findings" "$work/open"
    fi
    # A run that failed without a single finding (a crash, a missing compile command) is a failure too.
    local broken=0 rc
    for rcfile in "$work"/*.rc; do
        [ -e "$rcfile" ] || continue
        rc="$(cat "$rcfile")"
        if [ "$rc" != 0 ] && ! grep -qE '(error|warning): ' "${rcfile%.rc}.log"; then
            echo "style.sh: clang-tidy failed on $(basename "${rcfile%.rc}"):" >&2
            tail -20 "${rcfile%.rc}.log" >&2
            broken=$((broken + 1))
        fi
    done
    cat "$work/open"
    local open waiting
    open="$(wc -l <"$work/open")"
    waiting="$(wc -l <"$work/waiting")"
    echo "style.sh: clang-tidy checked $files file(s) in $((SECONDS - started)) s: $open finding(s)" \
        "($waiting more in files listed in tools/style-unconverted.txt)"
    [ "$open" -eq 0 ] && [ "$broken" -eq 0 ]
}

case "${1:-}" in
    format-check)
        format_check
        ;;
    format)
        # Not the files listed in tools/style-unconverted.txt: take a line out there to format its files.
        pattern="$(unconverted_pattern)"
        cxx_sources | { if [ -n "$pattern" ]; then grep -vE "^($pattern)" || true; else cat; fi; } |
            xargs -r -P "$JOBS" -n 16 "$CLANG_FORMAT" -i
        ;;
    tidy-core)
        compiled_sources src/core | run_tidy
        ;;
    tidy)
        shift
        if (($#)); then
            printf '%s\n' "$@" | run_tidy
        else
            compiled_sources | run_tidy
        fi
        ;;
    *)
        usage
        ;;
esac
