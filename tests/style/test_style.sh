#!/usr/bin/env bash
# tools/style.sh and the project's .clang-format/.clang-tidy on small made-up sources in a scratch project:
# what fails a check, what the list of unconverted files excuses, and which names the naming rules take.
set -uo pipefail
project="$(cd "$(dirname "$0")/../.." && pwd)"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# expect STATUS WORDS -- COMMAND...: the command ends with STATUS and its output holds WORDS (may be empty).
expect() {
    local status="$1" words="$2"
    shift 3
    local out rc
    out="$("$@" 2>&1)"
    rc=$?
    if [ "$rc" != "$status" ]; then
        fail "$* ended with $rc, not $status:"$'\n'"$out"
    elif [ -n "$words" ] && ! grep -qF -- "$words" <<<"$out"; then
        fail "$* did not say \"$words\":"$'\n'"$out"
    fi
}

mkdir -p "$scratch/src/core" "$scratch/tests" "$scratch/tools" "$scratch/build"
cp "$project/.clang-format" "$project/.clang-tidy" "$scratch/"
cp "$project/tools/style.sh" "$scratch/tools/"
printf '# nothing waits\n' >"$scratch/tools/style-unconverted.txt"
style() { JOBS=2 bash "$scratch/tools/style.sh" "$@"; }

# --- format-check and format ---
printf 'int answer() {\n    return 42;\n}\n' >"$scratch/src/core/Tidy.cpp"
expect 0 "every file is formatted" -- style format-check
printf 'int   crooked( ) { return 1;}\n' >"$scratch/src/core/Crooked.cpp"
expect 1 "src/core/Crooked.cpp" -- style format-check
printf 'src/core/Crooked\n' >"$scratch/tools/style-unconverted.txt"
expect 0 "1 file(s) listed" -- style format-check
expect 0 "" -- style format
grep -q 'int   crooked' "$scratch/src/core/Crooked.cpp" || fail "format changed a file listed as unconverted"
printf '# nothing waits\n' >"$scratch/tools/style-unconverted.txt"
expect 0 "" -- style format
expect 0 "every file is formatted" -- style format-check
rm "$scratch/src/core/Crooked.cpp"

# --- tidy: one source per case, each either clean (0) or with the finding named ---
cxx="$(command -v c++ || command -v g++ || command -v clang++)"
write_db() {
    python3 - "$scratch" "$cxx" "$@" <<'EOF'
import json, sys
root, cxx, files = sys.argv[1], sys.argv[2], sys.argv[3:]
json.dump([{"directory": root + "/build", "file": root + "/" + f,
            "command": f"{cxx} -std=c++20 -I{root}/src -c {root}/{f} -o /dev/null"} for f in files],
          open(root + "/build/compile_commands.json", "w"))
EOF
}

# name|expected status|words in the output|source
cases=(
    "types_and_functions|0||struct GameClock { int used = 0; }; int readClock(const GameClock& clock) { return clock.used; }"
    "function_pascal|1|invalid case style for function 'ReadClock'|int ReadClock() { return 0; }"
    "member_prefix|1|invalid case style for private member 'count'|class Counter { public: int value() const { return count; } private: int count = 0; };"
    "member_ok|0||class Counter { public: int value() const { return m_count; } private: int m_count = 0; };"
    "struct_field_pascal|1|invalid case style for public member 'TeamName'|struct Sheet { int TeamName = 0; };"
    "constant_k|0||constexpr int kPeriods = 3; int periods() { constexpr int overtime = 1; return kPeriods + overtime; }"
    "constant_plain|1|invalid case style for global constant 'periods'|constexpr int periods = 3; int count() { return periods; }"
    "static_local_constant|1|invalid case style for static constant 'digits'|char digit(int i) { static const char* const digits = \"0123456789\"; return digits[i]; }"
    "class_constant|0||struct Limits { static constexpr int kMaxClients = 8; }; int most() { return Limits::kMaxClients; }"
    "enumerators|0||enum class Team { Home, Visitor }; Team first() { return Team::Home; }"
    "enumerator_k|1|invalid case style for scoped enum constant 'kHome'|enum class Side { kHome, kAway }; Side first() { return Side::kHome; }"
    "qttest_data_slot|0||class TestSheet { void printing_data(); void printing(); }; void TestSheet::printing_data() {} void TestSheet::printing() {}"
    "kept_name|0||struct Stored { int HomeText = 0; // NOLINT(readability-identifier-naming): the stored key's name
};"
    "widening|1|bugprone-implicit-widening-of-multiplication-result|long long bytes(int kib) { return kib * 1024; }"
    "nullptr|1|modernize-use-nullptr|int* nothing() { return 0; }"
    "override|1|modernize-use-override|struct Base { virtual ~Base() = default; virtual int f() const { return 0; } }; struct Derived : Base { virtual int f() const { return 1; } };"
    "string_copy|1|performance-unnecessary-copy-initialization|#include <string>
const std::string& name(); unsigned length() { const std::string copy = name(); return copy.size(); }"
)
for c in "${cases[@]}"; do
    IFS='|' read -r name status words source <<<"$c"
    # The source may span lines: take everything after the third bar.
    source="${c#*|*|*|}"
    file="src/core/case_$name.cpp"
    printf '%s\n' "$source" >"$scratch/$file"
    write_db "$file"
    expect "$status" "$words" -- style tidy "$file"
    rm "$scratch/$file"
done

# A finding in a file listed as unconverted is counted but passes; tidy-core takes only src/core.
printf 'int ReadClock() { return 0; }\n' >"$scratch/src/core/Waiting.cpp"
printf 'int ReadClock() { return 0; }\n' >"$scratch/tools/Outside.cpp"
write_db src/core/Waiting.cpp tools/Outside.cpp
printf 'src/core/Waiting.cpp\n' >"$scratch/tools/style-unconverted.txt"
expect 0 "checked 1 file(s)" -- style tidy-core
expect 0 "(1 more in files listed" -- style tidy-core
expect 1 "tools/Outside.cpp" -- style tidy
# A source that does not compile is a failure, not a pass.
printf 'int broken( { return 0; }\n' >"$scratch/src/core/Broken.cpp"
write_db src/core/Broken.cpp
expect 1 "Broken.cpp" -- style tidy-core
# No compile commands: a clear refusal.
rm "$scratch/build/compile_commands.json"
expect 2 "compile_commands.json is missing" -- style tidy-core

if ((failures)); then
    echo "$failures check(s) failed"
    exit 1
fi
echo "every check passed"
