#!/usr/bin/env bash
# Plants the one-line faults of a list, one at a time, in a copy of the source tree, builds the
# tests of the planted file's folder and reports every fault that those tests did not catch.
#
#   scripts/mutants.sh [LIST [PATTERN]]
#
# LIST defaults to scripts/mutants.txt; PATTERN (a grep pattern) picks the faults to plant.
# Each fault is a line "FILE @@ TEXT @@ REPLACEMENT": TEXT must occur exactly once in FILE.
# The copy and its Release build live in $MUTANTS_DIR (default /tmp/keelvane-mutants).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
list=${1:-$root/scripts/mutants.txt}
pattern=${2:-}
work=${MUTANTS_DIR:-/tmp/keelvane-mutants}
copy=$work/src
build=$work/build
jobs=${MUTANTS_JOBS:-2}
log=$work/last.log

mkdir -p "$work"
# A fresh copy, every file newer than any object an earlier (perhaps interrupted) run left built
# from a planted fault; ccache makes the rebuild cheap.
rm -rf "$copy"
mkdir -p "$copy"
tar -C "$root" --exclude='./build*' --exclude='./.git' -cf - . | tar -C "$copy" -xmf -
cmake -S "$copy" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >"$log" 2>&1 || { cat "$log"; exit 1; }

# Builds and runs the tests of one folder; the status is that of the tests.
run_tests() {
    local folder=$1 target=keelvane_$1_tests
    cmake --build "$build" -j "$jobs" --target "$target" >"$log" 2>&1 || return 2
    timeout 900 "$build/$folder/$target" --gtest_brief=1 --gtest_fail_fast >>"$log" 2>&1
}

# Plants FAULT in the copy and prints the folder of its file; fails when the fault's text does
# not occur exactly once.
plant() {
    python3 - "$copy" "$1" <<'PY'
import sys
copy, fault = sys.argv[1:3]
path, text, replacement = (part.strip() for part in fault.split("@@"))
source = open(f"{copy}/{path}").read()
if source.count(text) != 1:
    sys.exit(f"{path}: the fault's text occurs {source.count(text)} times: {text}")
open(f"{copy}/{path}", "w").write(source.replace(text, replacement))
print(path)
PY
}

mapfile -t faults < <(grep -v '^\s*\(#\|$\)' "$list" | grep -e "${pattern:-.}")
folders=$(printf '%s\n' "${faults[@]}" | sed 's|/.*||' | sort -u)
for folder in $folders; do
    if ! run_tests "$folder"; then
        cat "$log"
        echo "The tests of $folder fail before any fault is planted" >&2
        exit 1
    fi
done

caught=0 missed=0 broken=0
for fault in "${faults[@]}"; do
    if ! file=$(plant "$fault"); then
        broken=$((broken + 1))
        continue
    fi
    folder=${file%%/*}
    set +e
    run_tests "$folder"
    status=$?
    set -e
    cp "$root/$file" "$copy/$file"
    case $status in
    0) missed=$((missed + 1)); echo "MISSED  $fault" ;;
    2) broken=$((broken + 1)); echo "NO BUILD $fault"; grep -m3 'error' "$log" || true ;;
    *) caught=$((caught + 1)); echo "caught  $fault" ;;
    esac
done
echo "$caught of ${#faults[@]} faults caught, $missed missed, $broken not planted or not built"
[ "$missed" -eq 0 ] && [ "$broken" -eq 0 ]
